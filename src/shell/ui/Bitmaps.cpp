#include "shell/ui/Bitmaps.h"

#include "shell/ui/AppWindows.h"

namespace {

void LoadSeries(AppWindows& windows, const QString& prefix, int count, int firstSlot)
{
    for (int i = 0; i < count; ++i)
        windows.Bitmaps[static_cast<std::size_t>(firstSlot + i)] =
            QImage(QStringLiteral(":/") + prefix + QString::number(i));
}

}  // namespace

void LoadBitmaps(AppWindows& windows)
{
    LoadSeries(windows, QStringLiteral("LCD"), 16, 0);
    LoadSeries(windows, QStringLiteral("LCDS"), 10, SmallDigitSlot);
    LoadSeries(windows, QStringLiteral("BAT"), 6, BatterySlot);
}
