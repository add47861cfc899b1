#include "files/SaveFilters.h"

#include <gtest/gtest.h>

namespace {

TEST(SaveFilters, CsvIsOfferedOnlyWithADecimalPoint)
{
    EXPECT_EQ(GraphFileFilter(QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("Graph file(*.ghf,only for QX574)|*.GHF|TXT file(*.txt,data seperated "
                             "by tab)|*.TXT|EXCEL file format(*.CSV,seperated by comma)|*.CSV"));
    EXPECT_EQ(GraphFileFilter(QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral("Graph file(*.ghf,only for QX574)|*.GHF|TXT file(*.txt,data seperated "
                             "by tab)|*.TXT"));
}

TEST(SaveFilters, TablesOfferCsvOnlyWithADecimalPoint)
{
    EXPECT_EQ(GridFileFilter(QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("TXT file(*.txt,data seperated by tab)|*.TXT|EXCEL file format(*.csv,"
                             "seperated by comma) |*.CSV"));
    EXPECT_EQ(GridFileFilter(QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral(" TXT file(*.txt,data seperated by tab)|*.TXT"));
}

TEST(SaveFilters, DialogFiltersKeepTheTextsAndOfferLowerCase)
{
    EXPECT_EQ(DialogFilters(QStringLiteral("Graph file(*.ghf,only for QX574)|*.GHF|TXT file|*.TXT")),
              QStringLiteral("Graph file(*.ghf,only for QX574) (*.GHF *.ghf);;TXT file (*.TXT *.txt)"));
}

TEST(SaveFilters, ANameWithoutExtensionTakesTheChosenFiltersOne)
{
    const QString txt = QStringLiteral("TXT file(*.txt,data seperated by tab) (*.TXT *.txt)");
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/d/x"), txt, QStringLiteral("GHF")),
              QStringLiteral("/d/x.TXT"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/d/x"), QString(), QStringLiteral("GHF")),
              QStringLiteral("/d/x.GHF"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/d/x.csv"), txt, QStringLiteral("GHF")),
              QStringLiteral("/d/x.csv"));
}

}  // namespace
