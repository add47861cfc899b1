#include "files/GridText.h"

#include "HexImage.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

const QLocale Us(QLocale::English, QLocale::UnitedStates);
const QLocale De(QLocale::German, QLocale::Germany);

QStringList Row(std::initializer_list<const char*> texts)
{
    QStringList row;
    for (const char* text : texts)
        row << QString::fromUtf8(text);
    return row;
}

TEST(GridTextLine, WritesColumnsOneToLastEachFollowedByTheSeparator)
{
    struct Case {
        QStringList row;
        int columns;
        QChar separator;
        QLocale locale;
        const char* line;
    } cases[] = {
        {Row({"1", "a", "b", "c"}), 4, u'\t', Us, "a\tb\tc\t\r\n"},
        {Row({"1", "a"}), 4, u'\t', Us, "a\t\t\t\r\n"},                  // missing cells are empty
        {Row({"7", "3/4/2023", "10:00:00 AM", "50.5"}), 4, u',', Us, "3/4/2023,10:00:00 AM,50.5,\r\n"},
        // Under a comma locale a CSV gets decimal points; the TAB text keeps the locale's.
        {Row({"1", "04.03.2023", "10:00:00", "50,5", "-3,25", "12"}), 6, u',', De,
         "04.03.2023,10:00:00,50.5,-3.25,12,\r\n"},
        {Row({"1", "04.03.2023", "10:00:00", "50,5"}), 4, u'\t', De, "04.03.2023\t10:00:00\t50,5\t\r\n"},
        {Row({"1", "a,b", ",5", "5,"}), 4, u',', De, "a,b,,5,5,,\r\n"},  // not numbers: as they are
        {Row({"1", "only"}), 1, u'\t', Us, "\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GridTextLine(c.row, c.columns, c.separator, c.locale), QString::fromUtf8(c.line)) << c.line;
}

TEST(WriteGridTextLines, WritesTheChosenRowsWithoutTheHeading)
{
    const std::vector<QStringList> rows = {
        Row({"No", "Date", "Time", "SPL", "Leq"}),
        Row({"1", "04.03.2023", "10:00:00", "50,5", "50,5"}),
        Row({"2", "04.03.2023", "10:00:01", "61,0", "55,8"}),
        Row({"3", "04.03.2023", "10:00:02", "70,0", "62,1"}),
    };
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_EQ(WriteGridTextLines(buffer, rows, 7, ExportRange{1, 2}, u',', nullptr, De), 2);
    const std::vector<std::uint8_t> golden = ReadHexImage("leq-table-de.csv.hex");
    EXPECT_EQ(buffer.data(), QByteArray(reinterpret_cast<const char*>(golden.data()),
                                        static_cast<qsizetype>(golden.size())));

    QBuffer stopped;
    stopped.open(QIODevice::WriteOnly);
    EXPECT_EQ(WriteGridTextLines(stopped, rows, 3, ExportRange{1, 3}, u'\t', [](int lines) { return lines < 2; }, De), 2);
    EXPECT_EQ(stopped.data(), QByteArray("04.03.2023\t10:00:00\t\r\n04.03.2023\t10:00:01\t\r\n"));

    QBuffer none;
    none.open(QIODevice::WriteOnly);
    EXPECT_EQ(WriteGridTextLines(none, rows, 3, ExportRange{1, 0}, u'\t', nullptr, De), 0);
    EXPECT_EQ(WriteGridTextLines(none, rows, 3, ExportRange{3, 99}, u'\t', nullptr, De), 1) << "to is kept inside";
}

}  // namespace
