#include "ConvertCommand.h"

#include "CollectionFile.h"
#include "Console.h"
#include "CsvOutput.h"
#include "DataSetCsv.h"
#include "DecodedForOutput.h"
#include "ExitStatus.h"
#include "MemoryImage.h"

#include <QDir>

int RunConvert(const ConvertOptions& options, Console& console)
{
    QString error;
    const std::optional<QByteArray> bytes = ReadCollection(options.collection, &error);
    if (!bytes) {
        console.Line(error);
        return ExitStatus::File;
    }
    int status = ExitStatus::Ok;
    const std::optional<DataSetTable> table =
        DecodeForOutput(ImageBytes(*bytes), QDir::toNativeSeparators(options.collection), console, &status);
    if (!table)
        return status;
    if (!WriteCsvOutput(options.csv, [&](QIODevice& out) { return WriteSamplesCsv(out, *table); }, &error)
        || (!options.sets.isEmpty()
            && !WriteCsvOutput(options.sets, [&](QIODevice& out) { return WriteSetTableCsv(out, *table); },
                               &error))) {
        console.Line(error);
        return ExitStatus::File;
    }
    return ExitStatus::Ok;
}
