#include "FuzzEntries.h"

#include "cli/AnalysisTables.h"
#include "files/CollectionFile.h"
#include "leq/NoiseMetrics.h"
#include "link/MemoryImage.h"
#include "logger/DataSetCsv.h"
#include "logger/DataSetListCells.h"
#include "recording/DecodedCollection.h"
#include "recording/RecordingsOfTable.h"

#include <QBuffer>
#include <QLocale>

#include <algorithm>

namespace {

// The list's rows, and the noise measures of each set as `qx574 report` gives them.
void ShowSets(const DataSetTable& table)
{
    const QLocale locale(QLocale::German, QLocale::Germany);
    for (std::size_t i = 0; i < table.sets.size(); ++i) {
        const DataSet& set = table.sets[i];
        DataSetListCells(set, static_cast<int>(i), locale);
        const auto first = static_cast<std::size_t>(table.FirstSample(static_cast<int>(i)));
        const auto count = static_cast<std::size_t>(set.sampleCount);
        const NoiseMetrics metrics =
            ComputeNoiseMetrics(std::span(table.times).subspan(first, count),
                                std::span(table.levels).subspan(first, count), set.interval);
        FuzzCheck(metrics.validSamples + metrics.emptyPoints + metrics.replacedSamples == set.sampleCount,
                  "every sample of a set is counted once in its noise measures");
    }
    ReportSource source;
    source.sets = RecordingsOf(table, QString());
    source.collection = true;
    const ReportTable metrics = MetricsTable(source, {});
    FuzzCheck(metrics.rows.size() == table.sets.size(), "the report has a row per set");
    TableCsv(metrics);
}

}  // namespace

void FuzzCollectionFile(FuzzInput data)
{
    QString error;
    const std::optional<QByteArray> bytes = ReadCollection(WriteFuzzFile(data), &error);
    FuzzCheck(bytes && static_cast<std::size_t>(bytes->size()) == data.size(),
              "a collection file is read whole");
    if (bytes->isEmpty())
        return;
    const std::span<const std::uint8_t> image = ImageBytes(*bytes);
    const DecodedCollection decoded = DecodeCollection(image, QStringLiteral("input"));
    const std::optional<DataSetTable>& table = decoded.table;
    if (!table)
        return;
    CheckDataSetTable(*table);
    ShowSets(*table);
    FuzzCheck(CollectionBytes(image).size() == ReadMemoryEnd(image) + 257,
              "the working file holds memoryEnd + 257 bytes");

    QBuffer csv;
    csv.open(QIODevice::WriteOnly);
    FuzzCheck(WriteSamplesCsv(csv, *table) && WriteSetTableCsv(csv, *table), "the CSV files are written");
}
