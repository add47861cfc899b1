#include "graph/ui/DayTicker.h"

#include "shell/Formats.h"

double DayTicker::StepSeconds(double spanSeconds, int tickCount)
{
    static const double steps[] = {1,    2,    5,     10,    15,    30,    60,     120,
                                   300,  600,  900,   1800,  3600,  7200,  10800,  21600,
                                   43200, 86400, 172800, 604800, 1209600, 2419200};
    const double wanted = spanSeconds / std::max(tickCount, 1);
    for (const double step : steps) {
        if (step >= wanted)
            return step;
    }
    // Beyond four weeks: whole multiples of four weeks.
    return std::ceil(wanted / 2419200.0) * 2419200.0;
}

double DayTicker::getTickStep(const QCPRange& range)
{
    stepSeconds = StepSeconds(range.size() * 86400.0, tickCount());
    return stepSeconds / 86400.0;
}

int DayTicker::getSubTickCount(double tickStep)
{
    const double seconds = std::round(tickStep * 86400.0);
    if (seconds == 15.0 || seconds == 900.0 || seconds == 10800.0)
        return 2;
    if (seconds == 1.0)
        return 0;
    if (seconds == 2.0 || seconds == 120.0 || seconds == 7200.0 || seconds == 172800.0)
        return 1;
    return 4;
}

QString DayTicker::getTickLabel(double tick, const QLocale&, QChar, int)
{
    // Ticks sit on whole seconds; a tick a hair below one must not show the second before.
    const double second = std::round(tick * 86400.0) / 86400.0;
    if (stepSeconds >= 86400.0)
        return DateText(second);
    return TimeText(second) + u'\n' + DateText(second);
}
