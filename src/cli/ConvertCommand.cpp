#include "cli/ConvertCommand.h"

#include "cli/CommandOutputs.h"
#include "cli/Console.h"
#include "cli/DecodedForOutput.h"
#include "cli/ExitStatus.h"
#include "logger/DataSetCsv.h"

int RunConvert(const ConvertOptions& options, Console& console)
{
    int status = ExitStatus::Ok;
    const std::optional<DataSetTable> table = ReadCollectionForOutput(options.collection, console, &status);
    if (!table)
        return status;
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
