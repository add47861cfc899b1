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

TEST(SaveFilters, NamesRouteByTheirLowerCasedExtension)
{
    struct Case {
        const char* name;
        GraphFileKind kind;
    } cases[] = {
        {"/a/b.ghf", GraphFileKind::Graph}, {"/a/B.GHF", GraphFileKind::Graph},
        {"/a/b.txt", GraphFileKind::Tab},   {"/a/b.TxT", GraphFileKind::Tab},
        {"/a/b.csv", GraphFileKind::Comma}, {"/a/b.CSV", GraphFileKind::Comma},
        {"/a/b.qxs", GraphFileKind::Survey}, {"/a/b.QXS", GraphFileKind::Survey},
        {"/a/b.dat", GraphFileKind::Other}, {"/a/ghf", GraphFileKind::Other},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KindOfGraphFileName(QString::fromLatin1(c.name)), c.kind) << c.name;
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
