#include "FuzzEntries.h"

#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <cstdlib>

std::span<const FuzzEntry> FuzzEntries()
{
    static constexpr std::array<FuzzEntry, 6> entries{{
        {"memory_image", FuzzMemoryImage},
        {"collection_file", FuzzCollectionFile},
        {"graph_file", FuzzGraphFile},
        {"import_text", FuzzImportText},
        {"meter_replies", FuzzMeterReplies},
        {"report_input", FuzzReportInput},
    }};
    return entries;
}

void FuzzCheck(bool kept, const char* promise)
{
    if (kept)
        return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

QString WriteFuzzFile(FuzzInput data)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("input"));
    QFile file(path);
    const auto size = static_cast<qint64>(data.size());
    FuzzCheck(file.open(QIODevice::WriteOnly | QIODevice::Truncate)
                  && file.write(reinterpret_cast<const char*>(data.data()), size) == size,
              "the input file can be written");
    return path;
}
