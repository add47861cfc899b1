#include "leq/SampleInterval.h"

#include <QLocale>

#include <cmath>

double IntervalOfTimes(std::span<const double> times)
{
    if (times.size() < 2)
        return 0.0;
    const double seconds = (times.back() - times.front()) * 86400.0 / static_cast<double>(times.size() - 1);
    return std::isfinite(seconds) && seconds > 0.0 ? seconds : 0.0;
}

QString IntervalDescription(const SampleInterval& interval)
{
    if (interval.seconds <= 0.0)
        return QStringLiteral("not known (fewer than two points); SEL, LEX,8h and dose are not given");
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    // To the millisecond: the times of the points hold no finer steps.
    const QString seconds =
        locale.toString(std::round(interval.seconds * 1000.0) / 1000.0, 'f', QLocale::FloatingPointShortest);
    return QStringLiteral("%1 s (%2)").arg(seconds, interval.recorded
                                                        ? QStringLiteral("the recording's interval")
                                                        : QStringLiteral("the mean spacing of the points' times"));
}

QString SampleIntervalText(const SampleInterval& interval)
{
    return QStringLiteral("Sample interval: ") + IntervalDescription(interval);
}
