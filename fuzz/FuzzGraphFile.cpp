#include "FuzzEntries.h"

#include "files/ChartStateBlock.h"
#include "files/GraphFile.h"
#include "files/GraphText.h"

#include <QBuffer>
#include <QLocale>

namespace {

void LoadBlock(const QByteArray& block)
{
    QString error;
    const std::optional<ChartState> state = LoadChartState(block, &error);
    if (!state) {
        FuzzCheck(!error.isEmpty(), "a damaged block says why");
        return;
    }
    const auto cells = static_cast<std::size_t>(state->Subsets) * static_cast<std::size_t>(state->Points);
    FuzzCheck(state->XDataII.size() == cells && state->YData.size() == cells,
              "a loaded chart holds every point of every subset");
    FuzzCheck(state->SubsetLabels.size() == static_cast<std::size_t>(state->Subsets)
                  && state->SubsetColors.size() == state->SubsetLabels.size()
                  && state->SubsetLineTypes.size() == state->SubsetLabels.size(),
              "a loaded chart has the look of every subset");
    // Compared as bytes, since a NaN point is not equal to itself.
    const QByteArray stored = StoreChartState(*state);
    const std::optional<ChartState> again = LoadChartState(stored);
    FuzzCheck(again && StoreChartState(*again) == stored, "a chart stored and loaded stays the same");

    // Save as text: the first subset's points, whatever their values.
    QBuffer text;
    text.open(QIODevice::WriteOnly);
    const ExportRange all{1, state->Points};
    const QLocale locale(QLocale::German, QLocale::Germany);
    for (const QChar separator : {QChar(u'\t'), QChar(u',')})
        FuzzCheck(WriteGraphTextLines(text, state->XDataII.data(), state->YData.data(), state->Points,
                                      all, separator, {}, locale) >= 0,
                  "a chart's points are written as text");
}

}  // namespace

void FuzzGraphFile(FuzzInput data)
{
    QString error;
    const std::optional<QByteArray> block = ReadGraphBlock(WriteFuzzFile(data), &error);
    FuzzCheck(block.has_value() != !error.isEmpty(), "a file that cannot be read says why");
    if (block)
        LoadBlock(*block);
    // The state block alone, whatever the size in front of it says.
    if (data.size() > 4)
        LoadBlock(QByteArray(reinterpret_cast<const char*>(data.data()) + 4,
                             static_cast<qsizetype>(data.size() - 4)));
}
