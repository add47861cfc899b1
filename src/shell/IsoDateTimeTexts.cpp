#include "shell/IsoDateTimeTexts.h"

#include "shell/Formats.h"

#include <cstdio>

namespace {

char Digit(int value) { return static_cast<char>('0' + value); }

}  // namespace

void IsoDateTimeTexts::Append(QByteArray& out, double days)
{
    const std::optional<DayCountParts> parts = SplitDayCount(RoundForDisplay(days));
    if (!parts)
        return;
    if (!haveDay || parts->day != lastDay) {
        const QDate d = DateOfDay(parts->day);
        dateLength = std::snprintf(date, sizeof date, "%04d-%02d-%02d ", d.year(), d.month(), d.day());
        lastDay = parts->day;
        haveDay = true;
    }
    const int seconds = parts->ms / 1000;
    const int hour = seconds / 3600;
    const int minute = seconds / 60 % 60;
    const int second = seconds % 60;
    const char time[8] = {Digit(hour / 10),   Digit(hour % 10),   ':', Digit(minute / 10),
                          Digit(minute % 10), ':',                Digit(second / 10), Digit(second % 10)};
    out.append(date, dateLength);
    out.append(time, sizeof time);
}

// The one text's writer is the many texts' writer.
QString IsoDateTimeText(double days)
{
    QByteArray text;
    IsoDateTimeTexts().Append(text, days);
    return QString::fromLatin1(text);
}
