#include "files/GraphText.h"

#include "files/WriteTextLines.h"
#include "shell/Formats.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Date texts repeat for a whole day, so each day is formatted once.
class DateTexts {
public:
    explicit DateTexts(const QLocale& locale) : locale(locale) {}
    const QString& For(double time)
    {
        const double day = std::floor(RoundForDisplay(time));
        if (day != lastDay || text.isEmpty()) {
            lastDay = day;
            text = DateText(time, locale);
        }
        return text;
    }

private:
    const QLocale& locale;
    double lastDay = 0.0;
    QString text;
};

QString Line(const QString& date, double time, float level, QChar separator,
             const QLocale& locale)
{
    // A decimal comma would split the level in two fields of a comma-separated file.
    const QString number = separator == u','
        ? OneDecimalText(level, QLocale::c())
        : OneDecimalText(level, locale);
    return date + separator + TimeText(time, locale) + separator + number + QStringLiteral("\r\n");
}

}  // namespace

QString GraphTextLine(double time, float level, QChar separator, const QLocale& locale)
{
    return Line(DateText(time, locale), time, level, separator, locale);
}

std::optional<ExportRange> ChooseExportRange(bool all, const QString& fromText,
                                             const QString& toText, int lastItem)
{
    if (all)
        return ExportRange{1, lastItem};
    bool fromOk = false;
    bool toOk = false;
    const qlonglong from = fromText.trimmed().toLongLong(&fromOk);
    const qlonglong to = toText.trimmed().toLongLong(&toOk);
    if (!fromOk || !toOk)
        return std::nullopt;
    qlonglong low = std::llabs(from);
    qlonglong high = std::llabs(to);
    if (high < low)
        std::swap(low, high);
    high = std::min<qlonglong>(high, lastItem);
    if (low == 0)
        low = 1;
    // A low beyond the data simply leaves nothing to write.
    return ExportRange{static_cast<int>(std::min<qlonglong>(low, lastItem + 1LL)),
                       static_cast<int>(high)};
}

int WriteGraphTextLines(QIODevice& file, const double* times, const float* levels, int points,
                        ExportRange range, QChar separator,
                        const std::function<bool(int)>& keepGoing, const QLocale& locale)
{
    const int first = std::max(range.from, 1) - 1;
    const int last = std::min(range.to, points) - 1;
    DateTexts dates(locale);
    return WriteTextLines(
        file, std::max(0, last - first + 1),
        [&](int k) -> std::optional<QString> {
            const int i = first + k;
            if (times[i] == 0.0)
                return std::nullopt;
            return Line(dates.For(times[i]), times[i], levels[i], separator, locale);
        },
        keepGoing);
}
