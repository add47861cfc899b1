#include "cli/DownloadCommand.h"

#include "cli/Console.h"
#include "cli/CommandOutputs.h"
#include "cli/ExitStatus.h"
#include "cli/IdentifyMeter.h"
#include "cli/RecordingProblems.h"
#include "files/CollectionFile.h"
#include "link/LinkSession.h"
#include "link/MeterLink.h"
#include "link/MeterPresence.h"
#include "link/MeterStatus.h"
#include "logger/DataSetCsv.h"
#include "logger/DownloadMemory.h"
#include "recording/DecodedCollection.h"
#include "shell/Clock.h"

#include <QIODevice>

namespace {

// As the connection monitor: the meter names itself "574", then answers a status poll.
int CheckMeter(LinkSequence& link, Console& console)
{
    if (const int status = IdentifyMeter(link, console); status != ExitStatus::Ok)
        return status;
    const bool read = PollStatus(link);
    if (MeterPresence::Classify(read, link.Reply()) != MeterPresence::Poll::Answered) {
        console.Line(QString::fromLatin1(NoConnectionText));
        return ExitStatus::NoMeter;
    }
    if (DecodeMeterStatus(link.Reply()).recording) {
        console.Line(QStringLiteral("The meter is recording data, please stop recording before loading data."));
        return ExitStatus::NoMeter;
    }
    return ExitStatus::Ok;
}

}  // namespace

int RunDownload(const DownloadOptions& options, LinkSequence& link, Console& console)
{
    if (const int status = CheckMeter(link, console); status != ExitStatus::Ok)
        return status;

    Clock& clock = CurrentClock();
    const std::uint32_t started = clock.TickCountMs();
    const DownloadResult download = DownloadMemory(link, [&](int received, int length) {
        const double elapsed = (clock.TickCountMs() - started) / 1000.0;
        console.Progress(received, length, DownloadTimeLeftText(elapsed, received, length));
        return true;
    });
    if (download.code != 0) {
        console.Line(QStringLiteral("There was error,please try again!   error code=") + QString::number(download.code));
        Resynchronise(link);
        return ExitStatus::Transfer;
    }
    console.EndProgress(QStringLiteral("Downloaded %1 bytes.").arg(download.image.size()));

    const DecodedCollection decoded = DecodeCollection(download.image, QStringLiteral("the meter's memory"));
    SayWarnings(decoded.warnings, console);
    if (decoded.problem)
        return SayProblem(*decoded.problem, console);
    const std::optional<DataSetTable>& table = decoded.table;
    std::vector<CommandOutput> outputs = {{options.out, [&](QIODevice& out) {
                                               const QByteArray bytes = CollectionBytes(download.image);
                                               return out.write(bytes) == bytes.size();
                                           }}};
    if (!options.csv.isEmpty())
        outputs.push_back({options.csv, [&](QIODevice& out) { return WriteSamplesCsv(out, *table); }});
    QString error;
    if (!WriteCommandOutputs(outputs, &error)) {
        console.Line(error);
        return ExitStatus::File;
    }
    console.Line(QStringLiteral("%1 data sets written to %2.")
                     .arg(table->sets.size())
                     .arg(options.out == QStringLiteral("-") ? QStringLiteral("standard output") : options.out));
    return ExitStatus::Ok;
}
