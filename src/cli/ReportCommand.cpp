#include "cli/ReportCommand.h"

#include "cli/Console.h"
#include "cli/CommandOutputs.h"
#include "cli/DecodedForOutput.h"
#include "cli/ExitStatus.h"
#include "cli/ReportDrawing.h"
#include "leq/NoiseMetrics.h"
#include "leq/NoiseReport.h"

#include <QDir>
#include <QIODevice>

namespace {

bool WriteReportCsv(QIODevice& out, const DataSetTable& table)
{
    QByteArray text = NoiseReportHeader().toUtf8() + '\n';
    for (std::size_t i = 0; i < table.sets.size(); ++i) {
        const DataSet& set = table.sets[i];
        const auto first = static_cast<std::size_t>(table.FirstSample(static_cast<int>(i)));
        const auto count = static_cast<std::size_t>(set.sampleCount);
        const NoiseMetrics metrics = ComputeNoiseMetrics(std::span(table.times).subspan(first, count),
                                                         std::span(table.levels).subspan(first, count),
                                                         set.interval);
        text += NoiseReportRow(static_cast<int>(i) + 1, set.startTime, metrics).toUtf8() + '\n';
    }
    return out.write(text) == text.size();
}

}  // namespace

int RunReport(const ReportOptions& options, Console& console)
{
    if (!options.pdf.isEmpty() && !InstalledReportDrawing().WritePdf) {
        console.Line(QStringLiteral("Cannot write the file %1: this program cannot draw a report.")
                         .arg(QDir::toNativeSeparators(options.pdf)));
        return ExitStatus::File;
    }
    int status = ExitStatus::Ok;
    const std::optional<DataSetTable> table = ReadCollectionForOutput(options.collection, console, &status);
    if (!table)
        return status;
    std::vector<CommandOutput> outputs;
    if (!options.csv.isEmpty() || options.pdf.isEmpty())
        outputs.push_back({options.csv.isEmpty() ? QStringLiteral("-") : options.csv,
                           [&](QIODevice& out) { return WriteReportCsv(out, *table); }});
    if (!options.pdf.isEmpty())
        outputs.push_back({options.pdf, [&](QIODevice& out) {
                               return InstalledReportDrawing().WritePdf(*table, InputName(options.collection), out);
                           }});
    QString error;
    if (!WriteCommandOutputs(outputs, &error)) {
        console.Line(error);
        return ExitStatus::File;
    }
    return ExitStatus::Ok;
}
