#include "tables/ListGraphPoints.h"

#include "shell/Formats.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

const QLocale Us(QLocale::English, QLocale::UnitedStates);

double At(int s)
{
    return DaysFromDateTime(QDateTime(QDate(2023, 3, 4), QTime(10, 0, s)));
}

TEST(ReadListGraphPoints, TheHeadingsChooseTheColumnsAndUnreadableRowsAreCounted)
{
    struct Case {
        const char* what;
        std::vector<QStringList> rows;
        std::vector<double> times;
        std::vector<float> levels;
        int skipped;
        int firstSkippedRow;
        QString reason;
    } cases[] = {
        {"date and time columns, the level in column 3",
         {{"No", "Date", "Time", "Value"},
          {"1", "3/4/2023", "10:00:00 AM", "50.5"},
          {"2", "3/4/2023", "10:00:01 AM", ""},
          {"3", "3/4/2023", "10:00:02 AM", "1e300"},
          {"4", "3/4/2023", "10:00:03 AM", "52.0"}},
         {At(0), At(3)}, {50.5f, 52.0f}, 2, 2, "'' is not a valid floating point value"},
        {"an LEQ heading takes column 4",
         {{"No", "Date", "Time", "SPL", "LEQ"}, {"1", "3/4/2023", "10:00:00 AM", "50.5", "48.0"}},
         {At(0)}, {48.0f}, 0, 0, ""},
        {"the program's samples CSV",
         {{"No", "set", "time", "level_db"},
          {"1", "1", "2023-03-04 10:00:00", "50.5"},
          {"2", "1", "2023-03-04 25:00:00", "50.5"}},
         {At(0)}, {50.5f}, 1, 2, "'2023-03-04 25:00:00' is not a valid date and time"},
        {"a watch log: only readings",
         {{"No", "time", "record", "level_db"},
          {"1", "2023-03-04 10:00:00.000", "lost", ""},
          {"2", "2023-03-04 10:00:01.000", "reading", "61.0"}},
         {At(1)}, {61.0f}, 0, 0, ""},
    };
    for (const Case& c : cases) {
        const ListGraphPoints points = ReadListGraphPoints(c.rows, Us);
        EXPECT_EQ(points.times, c.times) << c.what;
        EXPECT_EQ(points.levels, c.levels) << c.what;
        EXPECT_EQ(points.skipped, c.skipped) << c.what;
        EXPECT_EQ(points.firstSkippedRow, c.firstSkippedRow) << c.what;
        EXPECT_EQ(points.firstSkippedReason, c.reason) << c.what;
    }
}

}  // namespace
