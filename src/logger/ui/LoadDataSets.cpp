#include "logger/ui/LoadDataSets.h"

#include "files/ui/TfrmScope.h"
#include "files/WorkingFile.h"
#include "graph/ui/TfrmGraph.h"
#include "link/LinkSession.h"
#include "link/MemoryImage.h"
#include "logger/DataLoggerSession.h"
#include "logger/DecodeMemoryImage.h"
#include "logger/DownloadMemory.h"
#include "logger/ui/DataLoggerWindow.h"
#include "shell/Clock.h"
#include "shell/DataFolder.h"
#include "shell/ProgressPace.h"
#include "shell/ui/LongTask.h"
#include "shell/ui/Prompts.h"

#include <QCoreApplication>

LoadResult LoadDataSets(TfrmGraph& window, DataLoggerSession& session, LinkSequence& link, const LongTask& task)
{
    TfrmScope progress(&window);
    Clock& clock = CurrentClock();
    std::uint32_t started = 0;
    // The window is brought up to date and the window system run at a steady pace, not after
    // each of the 4096 blocks: redrawing it every time cost far more than the transfer's own work.
    ProgressPace pace;
    int blocks = 0;
    DownloadResult download = DownloadMemory(link, [&](int received, int length) {
        if (received == 0) {
            progress.ShowDownloadProgress(QStringLiteral("Data Retriving Progress"), length);
            started = clock.TickCountMs();
        } else if (!pace.Due(++blocks) && received < length) {
            return !progress.CancelPressed() && !task.StopAsked();
        } else {
            const double elapsed = (clock.TickCountMs() - started) / 1000.0;
            progress.SetBytesReceived(received, DownloadTimeLeftText(elapsed, received, length));
        }
        QCoreApplication::processEvents();
        return !progress.CancelPressed() && !task.StopAsked();
    });
    progress.close();
    if (download.cancelled || download.code != 0)
        return {download.code, download.cancelled};
    DataLoggerSession::Decoded decoded = DataLoggerSession::Decode(download.image, CurrentClock().Now());
    switch (ShowMemoryImage(window, session, std::move(download.image), std::move(decoded),
                            QStringLiteral("The meter's memory"))) {
    case DecodedUse::Usable: return {DecodeResult::Decoded, false};
    case DecodedUse::CannotBeDecoded: return {DecodeResult::TooManyDataSets, false};
    // Recordings without a sample are no data recorded, to the user as to the command line.
    case DecodedUse::NoDataSets:
    case DecodedUse::NoSamples: break;
    }
    return {DecodeResult::NoDataSets, false};
}

DecodedUse ShowMemoryImage(TfrmGraph& window, DataLoggerSession& session, std::vector<std::uint8_t> image,
                           DataLoggerSession::Decoded decoded, const QString& source, const QString& file)
{
    const QStringList warnings = DecodeWarnings(decoded.memory, source);
    const DecodedUse use = session.Take(std::move(image), std::move(decoded), file);
    if (use != DecodedUse::Usable)
        return use;
    QString error;
    if (!WriteWorkingFile(DetermineDataFolder(), session.Image(), &error))
        CurrentPrompts().ShowError(error);
    ShowDataSets(window, session.Table(), session.File());
    if (!warnings.isEmpty())
        CurrentPrompts().ShowMessage(warnings.join(u'\n'));
    return use;
}
