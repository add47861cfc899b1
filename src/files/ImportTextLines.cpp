#include "files/ImportTextLines.h"

#include "files/NumberText.h"

#include <QByteArrayView>
#include <QIODevice>

#include <algorithm>
#include <utility>

namespace {

// A character of the system's 8-bit text takes at most 4 bytes (UTF-8), and a line ends in
// CR LF: what one read may take so that a line within the limit always arrives whole.
constexpr qint64 LineBytes = 4 * ImportLineLimit + 2;

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

// The texts between the separators; a separator at the end of the line opens no further field.
QStringList SplitFields(const QString& line, QChar separator, int reserve)
{
    QStringList result;
    result.reserve(reserve);
    for (qsizetype start = 0;;) {
        const qsizetype end = line.indexOf(separator, start);
        result << line.mid(start, end < 0 ? -1 : end - start);
        if (end < 0)
            break;
        start = end + 1;
    }
    // "a,b," holds two fields: the last separator only ends the second.
    if (line.endsWith(separator))
        result.pop_back();
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
    if (cut) {
        cut = false;
        return QString();
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
    QString line = QString::fromLocal8Bit(bytes);
    if (!whole || line.size() > ImportLineLimit) {
        line.truncate(ImportLineLimit);
        cut = true;
        restUnread = !whole;
    }
    return line;
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

QStringList SplitImportLine(const QString& line, QChar separator, int fields, const QLocale& locale,
                            bool joinSplitLevels)
{
    if (line.isEmpty())
        return {};
    // One place more than the fields: a list row takes its row number in front.
    QStringList result = SplitFields(line, separator, std::max(fields, 0) + 1);
    if (separator == u',') {
        const QChar decimalPoint = locale.decimalPoint().front();
        if (joinSplitLevels)
            JoinSplitLevels(result, decimalPoint);
        ShowLocaleDecimalPoints(result, decimalPoint);
    }
    if (result.size() > std::max(fields, 0))
        result.resize(std::max(fields, 0));
    return result;
}

bool IsOldCommaDecimalExport(QIODevice& file)
{
    if (file.isSequential())
        return false;
    const qint64 start = file.pos();
    ImportLineReader reader(file);
    qsizetype width = -1;
    bool everyRow = false;
    while (const std::optional<QString> line = reader.Next()) {
        if (!line->contains(u','))
            break;
        const QStringList fields = SplitFields(*line, u',', 8);
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
    ImportLineReader reader(file);
    int rows = 0;
    bool atStart = true;
    while (const std::optional<QString> line = reader.Next()) {
        if (!line->contains(separator))
            break;
        QStringList cells = SplitImportLine(*line, separator, fields, locale, joinSplitLevels);
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
