#include "files/ImportTextLines.h"

#include "HexImage.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

const QLocale Us(QLocale::English, QLocale::UnitedStates);
const QLocale De(QLocale::German, QLocale::Germany);

// Every line the reader gives until the end of the bytes.
std::vector<QString> AllLines(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ImportLineReader reader(buffer);
    std::vector<QString> lines;
    while (const auto line = reader.Next())
        lines.push_back(*line);
    return lines;
}

std::vector<QString> Lines(std::initializer_list<const char*> texts)
{
    std::vector<QString> lines;
    for (const char* text : texts)
        lines.push_back(QString::fromUtf8(text));
    return lines;
}

struct Rows {
    int count = 0;
    std::vector<QStringList> cells;
};

Rows ReadRows(const QByteArray& bytes, QChar separator, const QLocale& locale = Us, int stopAt = 0,
              QStringList* headings = nullptr)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    Rows rows;
    rows.count = ReadImportRows(
        buffer, separator, 6,
        [&](int row, QStringList& cells) {
            EXPECT_EQ(row, static_cast<int>(rows.cells.size()) + 1);
            if (row == stopAt)
                return false;
            rows.cells.push_back(cells);
            return true;
        },
        locale, headings);
    return rows;
}

QStringList Fields(std::initializer_list<const char*> texts)
{
    QStringList fields;
    for (const char* text : texts)
        fields << QString::fromUtf8(text);
    return fields;
}

TEST(ImportLineReader, GivesLinesWithoutTheirBreaks)
{
    const std::vector<QString> lines = AllLines("a\tb\r\nc\n\r\nlast");
    EXPECT_EQ(lines, Lines({"a\tb", "c", "", "last"})) << "CR LF, LF, an empty line, no final break";
    EXPECT_TRUE(AllLines("").empty());
    EXPECT_EQ(AllLines("x\r\n"), Lines({"x"})) << "a final break opens no further line";
    EXPECT_EQ(AllLines("d\xC3\xA9j\xC3\xA0\r\n"), Lines({"d\u00e9j\u00e0"})) << "the system's 8-bit text";
}

TEST(ImportLineReader, CutsALongLineAndGivesAnEmptyLineAfterIt)
{
    const QByteArray exact(ImportLineLimit, 'x');
    const QByteArray longer = QByteArray(ImportLineLimit, 'y') + "overflow";
    const std::vector<QString> lines = AllLines(exact + "\r\n" + longer + "\r\nnext\r\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], QString::fromLatin1(exact)) << "a line of the limit is whole";
    EXPECT_EQ(lines[1], QString(ImportLineLimit, u'y'));
    EXPECT_EQ(lines[2], QString()) << "the read after a cut line";
    EXPECT_EQ(lines[3], QStringLiteral("next")) << "the rest of the long line is passed over";

    // Characters, not bytes, are counted: 180 two-byte characters are cut to 179.
    QByteArray wide;
    for (int i = 0; i < ImportLineLimit + 1; ++i)
        wide += "\xC3\xA9";
    EXPECT_EQ(AllLines(wide + "\r\n"), (std::vector<QString>{QString(ImportLineLimit, u'\u00e9'), QString()}));
}

TEST(ImportLineReader, AHugeLineIsReadInBoundedSteps)
{
    QByteArray huge(20 * 1024 * 1024, 'z');
    huge += "\r\nafter\r\n";
    QBuffer buffer;
    buffer.setData(huge);
    buffer.open(QIODevice::ReadOnly);
    ImportLineReader reader(buffer);
    EXPECT_EQ(reader.Next()->size(), ImportLineLimit);
    EXPECT_LT(buffer.pos(), 1024) << "only the limit was read";
    EXPECT_EQ(*reader.Next(), QString());
    EXPECT_EQ(*reader.Next(), QStringLiteral("after"));
    EXPECT_FALSE(reader.Next());
}

TEST(SplitImportLine, SplitsAtEverySeparatorIntoAtMostTheFields)
{
    struct Case {
        const char* line;
        QChar separator;
        QStringList fields;
    } cases[] = {
        {"a\tb\tc\t", u'\t', Fields({"a", "b", "c"})},        // a grid text line
        {"a\tb\tc", u'\t', Fields({"a", "b", "c"})},
        {"\tb", u'\t', Fields({"", "b"})},
        {"a\t\t\tb", u'\t', Fields({"a", "", "", "b"})},
        {"\t", u'\t', Fields({""})},
        {"1\t2\t3\t4\t5\t6\t7\t8", u'\t', Fields({"1", "2", "3", "4", "5", "6"})},  // extra fields dropped
        {"a,b\tc", u'\t', Fields({"a,b", "c"})},
        {"Date,Time,Value", u',', Fields({"Date", "Time", "Value"})},              // a heading
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitImportLine(QString::fromUtf8(c.line), c.separator, 6, Us), c.fields) << c.line;
}

TEST(SplitImportLine, CommaSeparatedLevelsReadWholeInEitherLocale)
{
    struct Case {
        const char* line;
        bool oldExport;  // the file was judged an old comma-decimal export
        QStringList us;
        QStringList de;
    } cases[] = {
        // Written with a decimal point.
        {"3/4/2023,10:00:00 AM,50.5", false, Fields({"3/4/2023", "10:00:00 AM", "50.5"}),
         Fields({"3/4/2023", "10:00:00 AM", "50,5"})},
        // Written under a comma locale by earlier versions: the level split in two.
        {"04.03.2023,10:00:00,50,5", true, Fields({"04.03.2023", "10:00:00", "50.5"}),
         Fields({"04.03.2023", "10:00:00", "50,5"})},
        // The same from a table with SPL and Leq, and with the empty cells of a list's table.
        {"04.03.2023,10:00:00,50,5,51,2,", true, Fields({"04.03.2023", "10:00:00", "50.5", "51.2"}),
         Fields({"04.03.2023", "10:00:00", "50,5", "51,2"})},
        {"04.03.2023,10:00:00,50,5,,,,", true, Fields({"04.03.2023", "10:00:00", "50.5", "", "", ""}),
         Fields({"04.03.2023", "10:00:00", "50,5", "", "", ""})},
        // The same line in any other file: each field in its own cell.
        {"04.03.2023,10:00:00,50,5", false, Fields({"04.03.2023", "10:00:00", "50", "5"}),
         Fields({"04.03.2023", "10:00:00", "50", "5"})},
        {"04.03.2023,10:00:00,50.5,5", false, Fields({"04.03.2023", "10:00:00", "50.5", "5"}),
         Fields({"04.03.2023", "10:00:00", "50,5", "5"})},
        // Dates and times keep their points.
        {"4.3.2023,10.00.00,50.5", false, Fields({"4.3.2023", "10.00.00", "50.5"}),
         Fields({"4.3.2023", "10.00.00", "50,5"})},
    };
    for (const Case& c : cases) {
        const QString line = QString::fromUtf8(c.line);
        EXPECT_EQ(SplitImportLine(line, u',', 6, Us, c.oldExport), c.us) << c.line;
        EXPECT_EQ(SplitImportLine(line, u',', 6, De, c.oldExport), c.de) << c.line;
    }
    // TAB-separated text is read as written: it follows the locale already.
    EXPECT_EQ(SplitImportLine(QStringLiteral("a\tb\t50,5"), u'\t', 6, Us, true), Fields({"a", "b", "50,5"}));
}

TEST(IsOldCommaDecimalExport, EveryRowMustHaveTheShape)
{
    const std::vector<std::uint8_t> golden = ReadHexImage("old-comma-locale.csv.hex");
    struct Case {
        const char* what;
        QByteArray text;
        bool old;
    } cases[] = {
        {"an old export of a graph", QByteArray(reinterpret_cast<const char*>(golden.data()), std::ssize(golden)),
         true},
        {"an old export of a table with SPL and Leq",
         "04.03.2023,10:00:00,50,5,51,2,,,\r\n04.03.2023,10:00:01,61,0,55,8,,,\r\n", true},
        {"a whole number and a digit in one row only",
         "2023-03-04,10:00:00,72,8\r\n2023-03-04,10:00:01,72,15\r\n", false},
        {"no date and time in front", "a,b,1,2\r\n", false},
        {"rows of different widths", "04.03.2023,10:00:00,50,5\r\n04.03.2023,10:00:01,50,5,51,2\r\n", false},
        {"a heading", "Date,Time,Level,Tenth\r\n04.03.2023,10:00:00,50,5\r\n", false},
        {"levels with a decimal point", "04.03.2023,10:00:00,50.5\r\n", false},
        {"no rows", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QBuffer file;
        file.setData(c.text);
        file.open(QIODevice::ReadOnly);
        EXPECT_EQ(IsOldCommaDecimalExport(file), c.old);
        EXPECT_EQ(file.pos(), 0) << "the rows are read again from where they start";
    }
}

TEST(ReadImportRows, AHeadingIsRowOneAndALineWithoutSeparatorEnds)
{
    const Rows rows = ReadRows("Date\tTime\tValue\r\n3/4/2023\t10:00:00 AM\t50.5\r\nno separator\r\n"
                               "3/4/2023\t10:00:01 AM\t51.0\r\n",
                               u'\t');
    ASSERT_EQ(rows.count, 2);
    EXPECT_EQ(rows.cells[0], Fields({"Date", "Time", "Value"}));
    EXPECT_EQ(rows.cells[1], Fields({"3/4/2023", "10:00:00 AM", "50.5"}));

    EXPECT_EQ(ReadRows("a\tb\r\n\r\nc\td\r\n", u'\t').count, 1) << "an empty line ends";
    EXPECT_EQ(ReadRows("a,b\r\n", u'\t').count, 0) << "the other separator is no separator";
    const QByteArray cut = "a\tb\r\n" + QByteArray(ImportLineLimit, '\t') + "more\r\nc\td\r\n";
    EXPECT_EQ(ReadRows(cut, u'\t').count, 2) << "the empty line after a cut line ends";
    EXPECT_EQ(ReadRows("a\tb\r\nc\td\r\ne\tf", u'\t', Us, 2).count, 1) << "the store stops it";
}

TEST(ReadImportRows, AFirstLineOfHeadingsGoesToTheHeadings)
{
    QStringList headings;
    const Rows rows = ReadRows("set,time,level_db\n1,2023-03-04 10:00:00,50.5\nset,time,level_db\n", u',', Us, 0,
                               &headings);
    EXPECT_EQ(headings, Fields({"set", "time", "level_db"}));
    ASSERT_EQ(rows.count, 2) << "only the first line is taken for headings";
    EXPECT_EQ(rows.cells[0], Fields({"1", "2023-03-04 10:00:00", "50.5"}));
    EXPECT_EQ(rows.cells[1], Fields({"set", "time", "level_db"}));

    headings.clear();
    EXPECT_EQ(ReadRows("3/4/2023\t10:00:00 AM\t50.5\n", u'\t', Us, 0, &headings).count, 1);
    EXPECT_TRUE(headings.isEmpty());
}

TEST(IsHeadingLine, EveryFieldBeginsWithALetter)
{
    struct Case {
        QStringList fields;
        bool heading;
    } cases[] = {
        {Fields({"Date", "Time", "Value"}), true},
        {Fields({"set", "start", "duration_s", "l5_db", "lden_db"}), true},
        {Fields({"Date", "", "Level"}), true},
        {Fields({"3/4/2023", "10:00:00 AM", "50.5"}), false},
        {Fields({"1", "2023-03-04 10:00:00", "50.5"}), false},
        {Fields({"Date", "Time", "50.5"}), false},
        {Fields({"", "Time"}), false},
        {QStringList{}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsHeadingLine(c.fields), c.heading) << c.fields.join(u',').toStdString();
}

TEST(ReadImportRows, AnOldCommaLocaleFileReadsItsLevelsWhole)
{
    const std::vector<std::uint8_t> image = ReadHexImage("old-comma-locale.csv.hex");
    const QByteArray bytes(reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size()));
    const Rows de = ReadRows(bytes, u',', De);
    ASSERT_EQ(de.count, 3) << "the last line has no line break";
    EXPECT_EQ(de.cells[0], Fields({"04.03.2023", "10:00:00", "50,5"}));
    EXPECT_EQ(de.cells[1], Fields({"04.03.2023", "10:00:01", "61,0"}));
    EXPECT_EQ(de.cells[2], Fields({"04.03.2023", "10:00:02", "72,3"}));
    EXPECT_EQ(ReadRows(bytes, u',', Us).cells[2], Fields({"04.03.2023", "10:00:02", "72.3"}));
}

// The rows come from the bytes of each line as the system's 8-bit text decodes the whole line,
// whatever path a line takes: plain ASCII, other characters, bad bytes, lines after a longer
// one, more fields than the list holds.
TEST(ReadImportRows, ReadsEveryKindOfLineAsItsDecodedText)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        QChar separator;
        const QLocale& locale;
        std::vector<QStringList> rows;
    } cases[] = {
        {"CR LF, LF and no final break", "a,b\r\nc,d\ne,f", u',', Us,
         {Fields({"a", "b"}), Fields({"c", "d"}), Fields({"e", "f"})}},
        {"empty fields and a separator at the end", ",b,,d,\r\n,,\r\n", u',', Us,
         {Fields({"", "b", "", "d"}), Fields({"", ""})}},
        {"fields beyond the list's are dropped", "1,2,3,4,5,6,7,8\r\n1,2,3,4,5,6,\r\n1,2,3,4,5,6,,\r\n", u',', Us,
         {Fields({"1", "2", "3", "4", "5", "6"}), Fields({"1", "2", "3", "4", "5", "6"}),
          Fields({"1", "2", "3", "4", "5", "6"})}},
        {"characters beyond ASCII", "Caf\xC3\xA9,d\xC3\xA9j\xC3\xA0\t\xE2\x82\xAC\r\n", u',', Us,
         {Fields({"Caf\u00e9", "d\u00e9j\u00e0\t\u20ac"})}},
        {"bytes that are no text", "\xFF" "a,b\xC3\r\n", u',', Us, {Fields({"\ufffd" "a", "b\ufffd"})}},
        {"a short line after a longer one",
         "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9,long line,50.5\r\nx,y\r\n", u',', Us,
         {Fields({"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9", "long line", "50.5"}), Fields({"x", "y"})}},
        {"levels in the comma locale", "3/4/2023,10:00:00 AM,50.5,-61.2,7,x.5\r\n", u',', De,
         {Fields({"3/4/2023", "10:00:00 AM", "50,5", "-61,2", "7", "x.5"})}},
        {"TAB-separated levels as written", "3/4/2023\t10:00:00\t50.5\t61,2\r\n", u'\t', De,
         {Fields({"3/4/2023", "10:00:00", "50.5", "61,2"})}},
        {"an old export wider than the list is joined first",
         "04.03.2023,10:00:00,50,5,51,2,52,3,53,4,54,5\r\n", u',', Us,
         {Fields({"04.03.2023", "10:00:00", "50.5", "51.2", "52.3", "53.4"})}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Rows rows = ReadRows(c.bytes, c.separator, c.locale);
        EXPECT_EQ(rows.count, static_cast<int>(c.rows.size()));
        EXPECT_EQ(rows.cells, c.rows);
    }
}

// Spreadsheets save UTF-8 text with a byte order mark in front: it is no part of the headings.
TEST(ReadImportRows, AByteOrderMarkIsNoPartOfTheHeadings)
{
    QStringList headings;
    const Rows rows =
        ReadRows("\xEF\xBB\xBF" "Date,Time,Level\r\n3/4/2023,10:00:00 AM,50.5\r\n", u',', Us, 0, &headings);
    EXPECT_EQ(headings, Fields({"Date", "Time", "Level"}));
    EXPECT_EQ(rows.count, 1);
}

// A CSV of another program: its last two columns hold a whole number and, in some rows, a
// single digit. Every field keeps its own cell, in every row.
TEST(ReadImportRows, ACsvWhoseLastColumnsLookSplitKeepsEveryField)
{
    const Rows rows = ReadRows("2023-03-04,10:00:00,72,8\r\n2023-03-04,10:00:01,72,15\r\n", u',');
    ASSERT_EQ(rows.count, 2);
    EXPECT_EQ(rows.cells[0], Fields({"2023-03-04", "10:00:00", "72", "8"}));
    EXPECT_EQ(rows.cells[1], Fields({"2023-03-04", "10:00:01", "72", "15"}));
    EXPECT_EQ(ReadRows("a,b,1,2\r\n", u',').cells[0], Fields({"a", "b", "1", "2"}));
}

}  // namespace
