#include "files/ImportTextLines.h"

#include "files/NumberText.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QVarLengthArray>

#include <algorithm>
#include <utility>

namespace {

// A character of the system's 8-bit text takes at most 4 bytes (UTF-8), and a line ends in
// CR LF: what one read may take so that a line within the limit always arrives whole.
constexpr qint64 LineBytes = 4 * ImportLineLimit + 2;

bool IsAscii(QByteArrayView bytes)
{
    unsigned char any = 0;
    for (const char byte : bytes)
        any |= static_cast<unsigned char>(byte);
    return any < 0x80;
}

bool IsSingleDigit(const QString& text)
{
    return text.size() == 1 && IsWholeNumber(text);
}

// The fields of a line that are not empty ones at its end.
qsizetype UsedFields(const QStringList& fields)
{
    qsizetype used = fields.size();
    while (used > 0 && fields[used - 1].isEmpty())
        --used;
    return used;
}

// A date or a time holds digits and is no whole number: "04.03.2023", "10:00:00 AM".
bool IsDateOrTime(const QString& text)
{
    return !IsWholeNumber(text) && std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

// A row of an old comma-decimal export (see the header).
bool HasSplitLevels(const QStringList& fields)
{
    const qsizetype used = UsedFields(fields);
    const qsizetype values = used - 2;
    if (values < 2 || values % 2 != 0 || !IsDateOrTime(fields[0]) || !IsDateOrTime(fields[1]))
        return false;
    for (qsizetype i = 2; i < used; i += 2) {
        if (!IsWholeNumber(fields[i]) || !IsSingleDigit(fields[i + 1]))
            return false;
    }
    return true;
}

// The first `limit` texts between the separators (all of them for a negative limit); a
// separator at the end of the line opens no further field. The list has room for `room` more.
QStringList SplitFields(QStringView line, QChar separator, qsizetype limit, qsizetype room = 0)
{
    // "a,b," holds two fields: the last separator only ends the second.
    if (line.endsWith(separator))
        line.chop(1);
    // Where each field ends, in one pass over the line.
    QVarLengthArray<qsizetype, 16> ends;
    for (qsizetype i = 0; i < line.size() && (limit < 0 || ends.size() < limit); ++i) {
        if (line[i] == separator)
            ends.push_back(i);
    }
    if (limit < 0 || ends.size() < limit)
        ends.push_back(line.size());
    QStringList result;
    result.reserve(ends.size() + room);
    qsizetype start = 0;
    for (const qsizetype end : ends) {
        result.append(line.sliced(start, end - start).toString());
        start = end + 1;
    }
    return result;
}

// Joins the levels of a row of an old comma-decimal export.
void JoinSplitLevels(QStringList& fields, QChar decimalPoint)
{
    if (!HasSplitLevels(fields))
        return;
    const qsizetype used = UsedFields(fields);
    QStringList joined = fields.mid(0, 2);
    for (qsizetype i = 2; i < used; i += 2)
        joined << fields[i] + decimalPoint + fields[i + 1];
    joined << fields.mid(used);
    fields = std::move(joined);
}

void ShowLocaleDecimalPoints(QStringList& fields, QChar decimalPoint)
{
    if (decimalPoint == u'.')
        return;
    for (qsizetype i = 2; i < fields.size(); ++i) {
        if (IsDecimalNumber(fields[i], u'.'))
            fields[i].replace(u'.', decimalPoint);
    }
}

}  // namespace

std::optional<QString> ImportLineReader::Next()
{
    const std::optional<QStringView> line = NextView();
    if (!line)
        return std::nullopt;
    return line->toString();
}

std::optional<QStringView> ImportLineReader::NextView()
{
    if (cut) {
        cut = false;
        return QStringView();
    }
    if (restUnread)
        SkipRestOfLine();
    char buffer[LineBytes + 1];
    const qint64 got = file.readLine(buffer, sizeof buffer);
    if (got <= 0)
        return std::nullopt;
    QByteArrayView bytes(buffer, got);
    const bool whole = bytes.endsWith('\n') || file.atEnd();
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    // Decoded as QString::fromLocal8Bit decodes, into the memory of the last line. Plain ASCII,
    // what nearly every line is, decodes as Latin-1 does, which is a mere widening.
    if (IsAscii(bytes)) {
        text = QLatin1StringView(bytes);
    } else {
        decoder.resetState();
        text.resize(decoder.requiredSpace(bytes.size()));
        text.truncate(decoder.appendToBuffer(text.data(), bytes) - text.constData());
    }
    if (!whole || text.size() > ImportLineLimit) {
        text.truncate(ImportLineLimit);
        cut = true;
        restUnread = !whole;
    }
    return QStringView(text);
}

void ImportLineReader::SkipRestOfLine()
{
    restUnread = false;
    char buffer[4096];
    qint64 got = 0;
    while ((got = file.readLine(buffer, sizeof buffer)) > 0) {
        if (buffer[got - 1] == '\n')
            return;
    }
}

namespace {

// SplitImportLine with the locale's decimal separator.
QStringList SplitLine(QStringView line, QChar separator, int fields, QChar decimalPoint, bool joinSplitLevels)
{
    if (line.isEmpty())
        return {};
    const qsizetype kept = std::max(fields, 0);
    // Split levels are told and joined over the whole row, before the extra fields are dropped.
    const bool join = joinSplitLevels && separator == u',';
    QStringList result = SplitFields(line, separator, join ? -1 : kept, 1);
    if (separator == u',') {
        if (join)
            JoinSplitLevels(result, decimalPoint);
        ShowLocaleDecimalPoints(result, decimalPoint);
    }
    if (result.size() > kept)
        result.resize(kept);
    return result;
}

}  // namespace

QStringList SplitImportLine(QStringView line, QChar separator, int fields, const QLocale& locale,
                            bool joinSplitLevels)
{
    return SplitLine(line, separator, fields, locale.decimalPoint().front(), joinSplitLevels);
}

bool IsOldCommaDecimalExport(QIODevice& file)
{
    if (file.isSequential())
        return false;
    const qint64 start = file.pos();
    ImportLineReader reader(file);
    qsizetype width = -1;
    bool everyRow = false;
    while (const std::optional<QStringView> line = reader.NextView()) {
        if (!line->contains(u','))
            break;
        const QStringList fields = SplitFields(*line, u',', -1);
        everyRow = (width < 0 || fields.size() == width) && HasSplitLevels(fields);
        if (!everyRow)
            break;
        width = fields.size();
    }
    file.seek(start);
    return everyRow;
}

bool IsHeadingLine(const QStringList& fields)
{
    if (fields.isEmpty() || fields.front().isEmpty())
        return false;
    return std::all_of(fields.begin(), fields.end(),
                       [](const QString& field) { return field.isEmpty() || field.front().isLetter(); });
}

int ReadImportRows(QIODevice& file, QChar separator, int fields,
                   const std::function<bool(int row, QStringList& cells)>& store,
                   const QLocale& locale, QStringList* headings)
{
    const bool joinSplitLevels = separator == u',' && IsOldCommaDecimalExport(file);
    const QChar decimalPoint = locale.decimalPoint().front();
    ImportLineReader reader(file);
    int rows = 0;
    bool atStart = true;
    while (const std::optional<QStringView> line = reader.NextView()) {
        if (!line->contains(separator))
            break;
        QStringList cells = SplitLine(*line, separator, fields, decimalPoint, joinSplitLevels);
        const bool firstLine = std::exchange(atStart, false);
        if (headings && firstLine && IsHeadingLine(cells)) {
            *headings = std::move(cells);
            continue;
        }
        if (!store(rows + 1, cells))
            break;
        ++rows;
    }
    return rows;
}
