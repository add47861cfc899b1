#include "files/GraphText.h"

#include "files/WriteTextLines.h"
#include "shell/Formats.h"
#include "shell/OneDecimalTexts.h"
#include "shell/TimeTexts.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The lines of one export: a date text is made once a day, the time and the level by
// arithmetic where the locale writes them as the arithmetic does.
class GraphTextLines {
public:
    GraphTextLines(QChar separator, const QLocale& locale)
        : locale(locale),
          times(locale),
          // A decimal comma would split the level in two fields of a comma-separated file.
          levels(separator == u',' ? QLocale::c() : locale),
          separator(QString(separator).toLocal8Bit())
    {
    }

    void Append(QByteArray& out, double time, float level)
    {
        const double day = std::floor(RoundForDisplay(time));
        if (day != lastDay || date.isEmpty()) {
            lastDay = day;
            date = DateText(time, locale).toLocal8Bit();
        }
        out += date;
        out += separator;
        times.Append(out, time);
        out += separator;
        levels.Append(out, level);
        out += "\r\n";
    }

private:
    const QLocale& locale;
    const TimeTexts times;
    const OneDecimalTexts levels;
    const QByteArray separator;
    double lastDay = 0.0;
    QByteArray date;
};

}  // namespace

QString GraphTextLine(double time, float level, QChar separator, const QLocale& locale)
{
    QByteArray line;
    GraphTextLines(separator, locale).Append(line, time, level);
    return QString::fromLocal8Bit(line);
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
    GraphTextLines lines(separator, locale);
    return WriteTextLines(
        file, std::max(0, last - first + 1),
        [&](int k, QByteArray& block) {
            const int i = first + k;
            if (times[i] == 0.0)
                return false;
            lines.Append(block, times[i], levels[i]);
            return true;
        },
        keepGoing);
}
