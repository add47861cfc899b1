#include "panel/ui/LcdBitmaps.h"

namespace {

void LoadSeries(LcdBitmaps& bitmaps, const QString& prefix, int count, int firstSlot)
{
    for (int i = 0; i < count; ++i)
        bitmaps[static_cast<std::size_t>(firstSlot + i)] = QImage(QStringLiteral(":/") + prefix + QString::number(i));
}

}  // namespace

LcdBitmaps LoadLcdBitmaps()
{
    LcdBitmaps bitmaps{};
    LoadSeries(bitmaps, QStringLiteral("LCD"), 16, 0);
    LoadSeries(bitmaps, QStringLiteral("LCDS"), 10, SmallDigitSlot);
    LoadSeries(bitmaps, QStringLiteral("BAT"), 6, BatterySlot);
    return bitmaps;
}
