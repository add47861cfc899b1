#include "ConvertCommand.h"

#include "Console.h"
#include "CsvOutput.h"
#include "DataSetCsv.h"
#include "DecodedForOutput.h"
#include "ExitStatus.h"

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
