#include "Bitmaps.h"

#include "AppState.h"

namespace {

void LoadSeries(AppState& state, const QString& prefix, int count, int firstSlot)
{
    for (int i = 0; i < count; ++i)
        state.Bitmaps[static_cast<std::size_t>(firstSlot + i)] =
            QImage(QStringLiteral(":/") + prefix + QString::number(i));
}

}  // namespace

void LoadBitmaps(AppState& state)
{
    LoadSeries(state, QStringLiteral("LCD"), 16, 0);
    LoadSeries(state, QStringLiteral("LCDS"), 10, SmallDigitSlot);
    LoadSeries(state, QStringLiteral("BAT"), 6, BatterySlot);
}
