#include "cli/ConvertCommand.h"

#include "cli/Console.h"
#include "cli/CsvOutput.h"
#include "cli/DecodedForOutput.h"
#include "cli/ExitStatus.h"
#include "logger/DataSetCsv.h"

int RunConvert(const ConvertOptions& options, Console& console)
{
    int status = ExitStatus::Ok;
    const std::optional<DataSetTable> table = ReadCollectionForOutput(options.collection, console, &status);
    if (!table)
        return status;
    QString error;
    if (!WriteCsvOutput(options.csv, [&](QIODevice& out) { return WriteSamplesCsv(out, *table); }, &error)
        || (!options.sets.isEmpty()
            && !WriteCsvOutput(options.sets, [&](QIODevice& out) { return WriteSetTableCsv(out, *table); },
                               &error))) {
        console.Line(error);
        return ExitStatus::File;
    }
    return ExitStatus::Ok;
}
