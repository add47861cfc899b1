#include "shell/TimeTexts.h"

#include "shell/Formats.h"

#include <QTime>

namespace {

void AppendNumber(QByteArray& out, int value, bool twoDigits)
{
    if (twoDigits || value >= 10)
        out += static_cast<char>('0' + value / 10);
    out += static_cast<char>('0' + value % 10);
}

}  // namespace

TimeTexts::TimeTexts(const QLocale& locale) : locale(locale)
{
    const QString format = LongTimeFormat(locale);
    if (!ReadFormat(format))
        return;
    // The pieces stand in for the locale only where they write the very same texts.
    quick = true;
    const QTime samples[] = {QTime(0, 0, 0),   QTime(1, 2, 3),   QTime(9, 59, 59),
                             QTime(10, 10, 10), QTime(11, 59, 59), QTime(12, 0, 0),
                             QTime(12, 34, 56), QTime(13, 5, 7),   QTime(21, 9, 8), QTime(23, 59, 59)};
    for (const QTime& sample : samples) {
        QByteArray text;
        AppendQuick(text, sample.msecsSinceStartOfDay() / 1000);
        if (text != locale.toString(sample, format).toLocal8Bit()) {
            quick = false;
            return;
        }
    }
}

bool TimeTexts::ReadFormat(const QString& format)
{
    // 'h' counts in twelve hours wherever the format shows AM/PM, as Qt's does.
    bool twelveHours = false;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && (c == u'a' || c == u'A'))
            twelveHours = true;
    }
    const qsizetype length = format.size();
    for (qsizetype i = 0; i < length;) {
        const QChar c = format[i];
        Piece piece;
        if (c == u'\'') {
            // Quoted text; two quotes in a row are one quote.
            const qsizetype end = format.indexOf(u'\'', i + 1);
            if (end < 0)
                return false;
            piece.text = end == i + 1 ? QByteArray("'") : format.mid(i + 1, end - i - 1).toLocal8Bit();
            i = end + 1;
        } else if (c == u'h' || c == u'H' || c == u'm' || c == u's') {
            const bool twice = i + 1 < length && format[i + 1] == c;
            if (twice && i + 2 < length && format[i + 2] == c)
                return false;  // three or more: not a time field the pieces know
            piece.kind = c == u'm' ? Piece::Minute
                : c == u's'        ? Piece::Second
                : c == u'H' || !twelveHours ? Piece::Hour24
                                            : Piece::Hour12;
            piece.twoDigits = twice;
            i += twice ? 2 : 1;
        } else if (c == u'a' || c == u'A') {
            piece.kind = Piece::AmPm;
            const bool pair = i + 1 < length && (format[i + 1] == u'p' || format[i + 1] == u'P');
            const bool upper = c == u'A';
            am = (upper ? locale.amText().toUpper() : locale.amText().toLower()).toLocal8Bit();
            pm = (upper ? locale.pmText().toUpper() : locale.pmText().toLower()).toLocal8Bit();
            i += pair ? 2 : 1;
        } else if (c == u'z' || c == u't' || c == u'd' || c == u'M' || c == u'y') {
            return false;  // another field: milliseconds, a zone, a date
        } else {
            piece.text = QString(c).toLocal8Bit();
            ++i;
        }
        pieces.push_back(std::move(piece));
    }
    return true;
}

void TimeTexts::Append(QByteArray& out, double days) const
{
    const std::optional<DayCountParts> parts = SplitDayCount(RoundForDisplay(days));
    if (quick && parts)
        AppendQuick(out, parts->ms / 1000);
    else
        out += TimeText(days, locale).toLocal8Bit();
}

void TimeTexts::AppendQuick(QByteArray& out, int secondOfDay) const
{
    const int hour = secondOfDay / 3600;
    for (const Piece& piece : pieces) {
        switch (piece.kind) {
        case Piece::Text: out += piece.text; break;
        case Piece::Hour24: AppendNumber(out, hour, piece.twoDigits); break;
        case Piece::Hour12: AppendNumber(out, hour % 12 == 0 ? 12 : hour % 12, piece.twoDigits); break;
        case Piece::Minute: AppendNumber(out, secondOfDay / 60 % 60, piece.twoDigits); break;
        case Piece::Second: AppendNumber(out, secondOfDay % 60, piece.twoDigits); break;
        case Piece::AmPm: out += hour < 12 ? am : pm; break;
        }
    }
}
