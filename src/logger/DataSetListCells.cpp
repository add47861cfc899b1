#include "logger/DataSetListCells.h"

#include "logger/DataSetFlags.h"
#include "shell/Formats.h"

namespace {

QString TwoDigits(int value) { return QString::number(value).rightJustified(2, u'0'); }

}  // namespace

QString RateText(int interval)
{
    return TwoDigits(interval / 60) + u':' + TwoDigits(interval % 60);
}

QString DataSetDateText(double startTime, const QLocale& locale)
{
    return DateText(startTime, locale);
}

QString DataSetTimeText(double startTime)
{
    return DateTimeFromDays(RoundForDisplay(startTime)).time().toString(QStringLiteral("HH:mm:ss"));
}

std::array<QString, DataSetListColumns> DataSetListCells(const DataSet& set, int index,
                                                         const QLocale& locale)
{
    return {QString::number(index + 1),
            DataSetDateText(set.startTime, locale),
            DataSetTimeText(set.startTime),
            RateText(set.interval),
            QString::number(set.sampleCount),
            WeightingText(set.flags),
            ResponseText(set.flags),
            RangeText(set.flags)};
}
