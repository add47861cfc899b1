#include "files/GraphText.h"

#include "shell/Formats.h"

#include <QBuffer>
#include <QDateTime>

#include <gtest/gtest.h>

namespace {

double At(int h, int m, int s, int ms)
{
    return DaysFromDateTime(QDateTime(QDate(2023, 3, 4), QTime(h, m, s, ms)));
}

TEST(GraphTextLine, FollowsTheLocaleAndRoundsForDisplay)
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German, QLocale::Germany);
    struct Case {
        double time;
        float level;
        QChar separator;
        QLocale locale;
        QString line;
    } cases[] = {
        {At(12, 0, 0, 501), 85.25f, u'\t', us, QStringLiteral("3/4/2023\t12:00:01 PM\t85.3\r\n")},
        {At(12, 0, 1, 400), 85.35f, u',', us, QStringLiteral("3/4/2023,12:00:01 PM,85.3\r\n")},
        {At(12, 0, 0, 500), 60.0f, u'\t', us, QStringLiteral("3/4/2023\t12:00:00 PM\t60.0\r\n")},
        {At(23, 59, 59, 600), 40.0f, u'\t', us, QStringLiteral("3/5/2023\t12:00:00 AM\t40.0\r\n")},
        {At(9, 5, 7, 0), 72.5f, u',', de, QStringLiteral("04.03.2023,09:05:07,72.5\r\n")},
        {At(9, 5, 7, 0), 72.5f, u'\t', de, QStringLiteral("04.03.2023\t09:05:07\t72,5\r\n")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GraphTextLine(c.time, c.level, c.separator, c.locale), c.line) << c.line.toStdString();
}

TEST(ChooseExportRange, AppliesTheRangeRules)
{
    struct Case {
        bool all;
        const char* from;
        const char* to;
        int last;
        int wantFrom;
        int wantTo;
    } cases[] = {
        {true, "x", "y", 500, 1, 500},
        {false, "3", "7", 500, 3, 7},
        {false, "7", "3", 500, 3, 7},      // swapped
        {false, "-4", "-9", 500, 4, 9},    // absolute values
        {false, "10", "9999", 500, 10, 500},
        {false, "0", "0", 500, 1, 0},      // nothing
        {false, "0", "5", 500, 1, 5},
        {false, "600", "700", 500, 501, 500},
        {false, " 2 ", "4", 10, 2, 4},
    };
    for (const Case& c : cases) {
        const auto range = ChooseExportRange(c.all, QString::fromLatin1(c.from),
                                             QString::fromLatin1(c.to), c.last);
        ASSERT_TRUE(range.has_value()) << c.from << ".." << c.to;
        EXPECT_EQ(range->from, c.wantFrom) << c.from << ".." << c.to;
        EXPECT_EQ(range->to, c.wantTo) << c.from << ".." << c.to;
    }
    EXPECT_FALSE(ChooseExportRange(false, QStringLiteral("1.5"), QStringLiteral("4"), 9));
    EXPECT_FALSE(ChooseExportRange(false, QStringLiteral("1"), QString(), 9));
}

class WriteLinesTest : public ::testing::Test {
protected:
    int Write(ExportRange range, std::function<bool(int)> keepGoing = {})
    {
        buffer.setData(QByteArray());
        buffer.open(QIODevice::WriteOnly);
        const int written = WriteGraphTextLines(buffer, times.data(), levels.data(),
                                                static_cast<int>(times.size()), range, u'\t',
                                                keepGoing);
        buffer.close();
        return written;
    }
    int Lines() const { return static_cast<int>(buffer.data().count("\r\n")); }

    std::vector<double> times;
    std::vector<float> levels;
    QBuffer buffer;
};

TEST_F(WriteLinesTest, AZeroTimeEndsTheData)
{
    times.assign(500, 0.0);
    levels.assign(500, 9999.0f);
    for (int i = 0; i < 120; ++i) {
        times[i] = At(10, 0, 0, 0) + i * OneSecond;
        levels[i] = 50.0f;
    }
    EXPECT_EQ(Write({1, 500}), 120);
    EXPECT_EQ(Lines(), 120);
    EXPECT_TRUE(buffer.data().startsWith("3/4/2023\t10:00:00 AM\t50.0\r\n"));
}

TEST_F(WriteLinesTest, RangeAndCancel)
{
    for (int i = 0; i < 10; ++i) {
        times.push_back(At(10, 0, i, 0));
        levels.push_back(static_cast<float>(i));
    }
    EXPECT_EQ(Write({3, 4}), 2);
    EXPECT_EQ(buffer.data(), QByteArray("3/4/2023\t10:00:02 AM\t2.0\r\n3/4/2023\t10:00:03 AM\t3.0\r\n"));
    EXPECT_EQ(Write({1, 0}), 0);
    EXPECT_TRUE(buffer.data().isEmpty());
    // Cancel after the fourth line keeps the four lines already written.
    EXPECT_EQ(Write({1, 10}, [](int written) { return written < 4; }), 4);
    EXPECT_EQ(Lines(), 4);
    // A range reaching past the points is cut at the last point.
    EXPECT_EQ(Write({9, 20}), 2);
}

// Each line is the date, time and level texts the locale gives them, whatever the locale
// writes (a decimal comma, a 24-hour clock, AM/PM first, other digits), across a day's end.
TEST_F(WriteLinesTest, EveryLineIsTheLocalesTextsInEveryLocale)
{
    for (int i = 0; i < 40; ++i) {
        times.push_back(At(23, 59, 40, 300) + i * 0.7 * OneSecond);
        levels.push_back(55.0f + 0.25f * static_cast<float>(i));
    }
    const QLocale locales[] = {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany),
                               QLocale(QLocale::Korean, QLocale::SouthKorea), QLocale(QLocale::Arabic, QLocale::Egypt)};
    for (const QLocale& locale : locales) {
        for (const QChar separator : {u'\t', u','}) {
            SCOPED_TRACE(locale.name().toStdString() + (separator == u',' ? " csv" : " txt"));
            QString expected;
            for (std::size_t i = 0; i < times.size(); ++i)
                expected += DateText(times[i], locale) + separator + TimeText(times[i], locale) + separator
                    + OneDecimalText(levels[i], separator == u',' ? QLocale::c() : locale) + QStringLiteral("\r\n");
            buffer.setData(QByteArray());
            buffer.open(QIODevice::WriteOnly);
            EXPECT_EQ(WriteGraphTextLines(buffer, times.data(), levels.data(), static_cast<int>(times.size()),
                                          {1, 40}, separator, {}, locale),
                      40);
            buffer.close();
            EXPECT_EQ(buffer.data(), expected.toLocal8Bit());
        }
    }
}

TEST_F(WriteLinesTest, AFailingDeviceIsReported)
{
    times = {At(10, 0, 0, 0)};
    levels = {1.0f};
    buffer.setData(QByteArray());
    buffer.open(QIODevice::ReadOnly);
    EXPECT_EQ(WriteGraphTextLines(buffer, times.data(), levels.data(), 1, {1, 1}, u'\t', {}), -1);
}

}  // namespace
