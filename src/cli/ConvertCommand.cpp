#include "cli/ConvertCommand.h"

#include "cli/CommandOutputs.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/RecordingProblems.h"
#include "logger/DataSetCsv.h"
#include "recording/DecodedCollection.h"

int RunConvert(const ConvertOptions& options, Console& console)
{
    const DecodedCollection read = ReadCollectionTable(options.collection, InputKinds::AlsoStreams);
    SayWarnings(read.warnings, console);
    if (read.problem)
        return SayProblem(*read.problem, console);
    const std::optional<DataSetTable>& table = read.table;
    std::vector<CommandOutput> outputs = {
        {options.csv.isEmpty() ? QStringLiteral("-") : options.csv,
         [&](QIODevice& out) { return WriteSamplesCsv(out, *table); }}};
    if (!options.sets.isEmpty())
        outputs.push_back({options.sets, [&](QIODevice& out) { return WriteSetTableCsv(out, *table); }});
    QString error;
    if (!WriteCommandOutputs(outputs, &error)) {
        console.Line(error);
        return ExitStatus::File;
    }
    return ExitStatus::Ok;
}
