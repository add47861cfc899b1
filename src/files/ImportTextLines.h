#pragma once
#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringConverter>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>

class QIODevice;

// The longest line a text import takes; the rest of a longer line is not read.
constexpr int ImportLineLimit = 179;

// Reads an imported text file one line at a time, never holding more than one line's limit.
// Lines end in CR LF (or LF); the bytes are 8-bit text in the system's code page. A line
// longer than the limit comes back cut there, and the read after it yields an empty line,
// which ends an import.
class ImportLineReader {
public:
    explicit ImportLineReader(QIODevice& file) : file(file) {}

    // The next line without its line break; nothing at the end of the file.
    std::optional<QString> Next();
    // The same line as a view of the reader's own text, valid until the next read: an import
    // copies only the fields it keeps.
    std::optional<QStringView> NextView();

private:
    void SkipRestOfLine();

    QIODevice& file;
    QStringDecoder decoder{QStringDecoder::System, QStringDecoder::Flag::Stateless};
    QString text;             // the last line, its memory kept for the next
    bool cut = false;         // the last line was cut: an empty line comes next
    bool restUnread = false;  // the cut line's rest is still in the file
};

// The fields of one line for the cells 1..fields of a list row: the texts between the
// separators; a separator at the end of the line opens no further field, and fields beyond
// `fields` are dropped. The value fields (the third on) of a comma-separated line show the
// locale's decimal separator, so that the list shows and reads them as every other level.
// joinSplitLevels joins the levels of an old comma-decimal export (below) again. The list has
// room for one more cell, the row number a list puts in front.
QStringList SplitImportLine(QStringView line, QChar separator, int fields,
                            const QLocale& locale = QLocale(), bool joinSplitLevels = false);

// Comma-separated text carries its levels with a decimal point, but files written under a
// comma locale by earlier versions split each level at its decimal comma:
// "04.03.2023,10:00:00,50,5". Every level was written with exactly one decimal, so in such a
// file every row has a date and a time and then pairs of a whole number and a single digit,
// and every row has the same number of fields. Whether a file is one is decided over all its
// rows, never per line: a CSV whose last two columns merely happen to hold a whole number and
// a digit in some rows keeps each field in its own cell. Reads the rows of the file from its
// position and goes back there; a stream, which cannot go back, is never taken for one.
bool IsOldCommaDecimalExport(QIODevice& file);

// A line of column headings rather than data: every field that is not empty begins with a
// letter ("Date,Time,Level", the program's own "set,time,level_db,..."), where a data line
// begins with a date, a time or a number.
bool IsHeadingLine(const QStringList& fields);

// Reads the rows of a text import: each line that holds the separator is split into its
// fields (a comma-separated file that IsOldCommaDecimalExport with its levels joined) and
// handed to store with its row number (from 1). The import ends at the end of the
// file, at a line without the separator (an empty line or the one after a cut line included),
// or when store returns false (that row is not counted). Returns the rows stored.
// Given headings, a first line that IsHeadingLine goes there instead of being row 1.
int ReadImportRows(QIODevice& file, QChar separator, int fields,
                   const std::function<bool(int row, QStringList& cells)>& store,
                   const QLocale& locale = QLocale(), QStringList* headings = nullptr);
