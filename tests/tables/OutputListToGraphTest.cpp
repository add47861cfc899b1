#include "tables/ui/OutputListToGraph.h"

#include "files/ChartState.h"
#include "files/ui/ExportGridText.h"
#include "files/ui/TfrmScope.h"
#include "graph/GraphStatistics.h"
#include "graph/ui/ExportGraphText.h"
#include "graph/ui/GraphServices.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/PrepareChart.h"
#include "graph/ui/TfrmGraph.h"
#include "HexImage.h"
#include "ListWindowFixture.h"
#include "shell/ui/StringGrid.h"
#include "tables/ui/ImportText.h"
#include "tables/ui/TfrmList.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <array>
#include <memory>

namespace {

class OutputListToGraphTest : public ListWindowTest {
protected:
    // A list as an import leaves it: one row per {time, level, second value}.
    void FillList(const std::vector<std::array<QString, 4>>& rows)
    {
        StringGrid& grid = *list.Grid1;
        grid.SetRowCount(static_cast<int>(rows.size()) + 1);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const int row = static_cast<int>(i) + 1;
            grid.SetCell(0, row, QString::number(row));
            for (int column = 0; column < 4; ++column)
                grid.SetCell(column + 1, row, rows[i][static_cast<std::size_t>(column)]);
        }
    }

    std::unique_ptr<TfrmGraph> Graph(const TfrmList& from)
    {
        return std::unique_ptr<TfrmGraph>(OutputListToGraph(from, NoGraphServices()));
    }

    static std::vector<double> Times(const PESGraph& chart)
    {
        return {chart.XSubset(0), chart.XSubset(0) + chart.Points()};
    }
    static std::vector<float> Levels(const PESGraph& chart)
    {
        return {chart.YSubset(0), chart.YSubset(0) + chart.Points()};
    }

    // The range window answered with All.
    void AnswerAll()
    {
        fake.prompts.onModal = [](QDialog& dialog) {
            dynamic_cast<TfrmScope&>(dialog).radAll->setChecked(true);
            return static_cast<int>(QDialog::Accepted);
        };
    }

    TfrmList list;
};

const float Null = static_cast<float>(NullValue);

TEST_F(OutputListToGraphTest, AnEmptyListHasNoDataToGraph)
{
    EXPECT_EQ(Graph(list), nullptr);
    EXPECT_EQ(fake.prompts.Messages(), QStringList{QStringLiteral("No data to graph !")});
}

TEST_F(OutputListToGraphTest, EveryRowBecomesAPointOfTheListsCaption)
{
    list.setWindowTitle(QStringLiteral("/data/a.txt"));
    FillList({{"3/4/2023", "10:00:00 AM", "50.5", ""},
              {"3/4/2023", "10:00:01 AM", "61.0", ""},
              {"3/4/2023", "10:00:02 AM", "55.0", ""}});
    // The progress window while the points are made.
    QString caption, status;
    int maximum = -1;
    bool cancelShown = true;
    QTimer::singleShot(0, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* scope = qobject_cast<TfrmScope*>(top); scope && scope->isVisible()) {
                caption = scope->windowTitle();
                status = scope->SText1->text();
                maximum = scope->Progress1->maximum();
                cancelShown = scope->findChild<QPushButton*>(QStringLiteral("btnCancel"))->isVisible();
            }
    });
    const auto graph = Graph(list);
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(caption, QStringLiteral("Graphing Progress"));
    EXPECT_EQ(status, QStringLiteral("graphing....."));
    EXPECT_EQ(maximum, 3);
    EXPECT_FALSE(cancelShown);

    const PESGraph& chart = *graph->PESGraph1;
    EXPECT_EQ(graph->Caption(), QStringLiteral("/data/a.txt"));
    EXPECT_EQ(Times(chart), (std::vector<double>{At(10, 0, 0), At(10, 0, 1), At(10, 0, 2)}));
    EXPECT_EQ(Levels(chart), (std::vector<float>{50.5f, 61.0f, 55.0f}));
    EXPECT_EQ(chart.State().ManualMinX, At(10, 0, 0));
    EXPECT_EQ(chart.State().ManualMaxX, At(10, 0, 2));
    EXPECT_EQ(chart.State().ManualMaxY, 130.0);
    EXPECT_EQ(graph->txtDataNo->text(), QStringLiteral("3"));
    EXPECT_EQ(graph->txtMax->text(), QStringLiteral("61.0"));
}

TEST_F(OutputListToGraphTest, OnlyAnLeqHeadingTakesTheSecondValue)
{
    FillList({{"3/4/2023", "10:00:00 AM", "50.5", "48.0"}, {"3/4/2023", "10:00:01 AM", "61.0", "58.2"}});
    struct Case {
        const char* heading;
        std::vector<float> levels;
    } cases[] = {{"LEQ", {48.0f, 58.2f}}, {"Leq", {50.5f, 61.0f}}, {"", {50.5f, 61.0f}}};
    for (const Case& c : cases) {
        list.Grid1->SetCell(4, 0, QString::fromLatin1(c.heading));
        const auto graph = Graph(list);
        ASSERT_NE(graph, nullptr);
        EXPECT_EQ(Levels(*graph->PESGraph1), c.levels) << c.heading;
    }
}

// A bad row in the middle once cut the statistics off at it while the chart drew on; now
// every figure works on the rows that read, and the user hears of the others.
TEST_F(OutputListToGraphTest, RowsThatDoNotReadAreLeftOutCountedAndTheFirstNamed)
{
    std::vector<std::array<QString, 4>> rows;
    for (int s = 0; s < 12; ++s)
        rows.push_back({"3/4/2023", QStringLiteral("10:00:%1 AM").arg(s, 2, 10, QChar(u'0')),
                        s == 11 ? QStringLiteral("90.0") : QStringLiteral("60.0"), ""});
    rows[9][1] = QStringLiteral("25:61:00 AM");  // row 10
    rows[10][2] = QStringLiteral("loud");         // row 11
    FillList(rows);
    list.firstLine = 2;  // the file began with headings
    const auto graph = Graph(list);
    ASSERT_NE(graph, nullptr);

    const PESGraph& chart = *graph->PESGraph1;
    std::vector<double> times;
    for (int s : {0, 1, 2, 3, 4, 5, 6, 7, 8, 11})
        times.push_back(At(10, 0, s));
    EXPECT_EQ(Times(chart), times);
    EXPECT_EQ(Levels(chart).back(), 90.0f);
    EXPECT_EQ(graph->txtDataNo->text(), QStringLiteral("10")) << "the statistics see every point the chart draws";
    EXPECT_EQ(graph->txtMax->text(), QStringLiteral("90.0"));
    EXPECT_EQ(chart.State().ManualMaxX, At(10, 0, 11));
    EXPECT_EQ(fake.prompts.TakeMessages(),
              QStringList{QStringLiteral("Rows that could not be read, left out of the graph: 2. The first is "
                                         "line 11: '3/4/2023 25:61:00 AM' is not a valid date and time")});
}

// A bad first or last row once left an empty window dated 1899; now they are left out like
// any other, and only a list of which nothing reads is refused, leaving no window behind.
TEST_F(OutputListToGraphTest, OnlyAListOfWhichNoRowReadsIsRefusedAndLeavesNoWindow)
{
    const std::array<QString, 4> good = {"3/4/2023", "10:00:00 AM", "50.5", ""};
    const std::array<QString, 4> bad = {"3/4/2023", "25:00:00 AM", "50.5", ""};
    FillList({bad, good, bad});
    const auto graph = Graph(list);
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(Times(*graph->PESGraph1), std::vector<double>{At(10, 0, 0)});
    EXPECT_EQ(fake.prompts.TakeMessages().size(), 1);

    list.setWindowTitle(QStringLiteral("/data/bad.csv"));
    FillList({bad, bad});
    const int windowsBefore = static_cast<int>(QApplication::topLevelWidgets().size());
    EXPECT_EQ(Graph(list), nullptr);
    EXPECT_EQ(static_cast<int>(QApplication::topLevelWidgets().size()), windowsBefore);
    EXPECT_EQ(fake.prompts.TakeErrors(),
              QStringList{QStringLiteral("No row of /data/bad.csv can be graphed. Line 1: "
                                         "'3/4/2023 25:00:00 AM' is not a valid date and time")});
}

// The program's own CSV files begin with headings and carry ISO times: they graph as they are.
TEST_F(OutputListToGraphTest, TheProgramsOwnCsvFilesGraphPastTheirHeadings)
{
    struct Case {
        const char* name;
        const char* text;
        std::vector<float> levels;
    } cases[] = {
        {"samples.csv",
         "set,time,level_db,interval_s,weighting,response,range\n"
         "1,2023-03-04 10:00:00,50.5,1,dBA,FAST,30-130\n"
         "1,2023-03-04 10:00:01,61.0,1,dBA,FAST,30-130\n",
         {50.5f, 61.0f}},
        {"watch.csv",
         "time,record,level_db,weighting,response\n"
         "2023-03-04 10:00:00.000,reading,50.5,dBA,FAST\n"
         "2023-03-04 10:00:01.000,lost,,,\n"
         "2023-03-04 10:00:01.000,reading,61.0,dBA,FAST\n",
         {50.5f, 61.0f}},
        {"hand.csv", "Date,Time,Level\n3/4/2023,10:00:00 AM,50.5\n3/4/2023,10:00:01 AM,61.0\n", {50.5f, 61.0f}},
    };
    for (const Case& c : cases) {
        const QString path = WriteFile(QString::fromLatin1(c.name), QByteArray(c.text));
        const std::unique_ptr<TfrmList> imported(ImportText(path, QStringLiteral(".csv")));
        ASSERT_NE(imported, nullptr) << c.name;
        EXPECT_EQ(imported->Grid1->RowCount(), QByteArray(c.text).count('\n')) << c.name << ": the headings are no row";
        const auto graph = Graph(*imported);
        ASSERT_NE(graph, nullptr) << c.name;
        EXPECT_EQ(Times(*graph->PESGraph1), (std::vector<double>{At(10, 0, 0), At(10, 0, 1)})) << c.name;
        EXPECT_EQ(Levels(*graph->PESGraph1), c.levels) << c.name;
        EXPECT_TRUE(fake.prompts.TakeErrors().isEmpty()) << c.name;
        EXPECT_TRUE(fake.prompts.TakeMessages().isEmpty()) << c.name;
    }
}

// Graph -> text file -> list -> graph gives the same times and levels, in a point locale and a
// comma locale, as TAB and as comma-separated text.
TEST_F(OutputListToGraphTest, AGraphSavedAsTextComesBackAsTheSameGraph)
{
    const std::vector<float> levels = {50.5f, 61.0f, 72.3f, 9.9f, 129.9f};
    struct Case {
        QLocale locale;
        const char* name;
        QChar separator;
    } cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), "us.txt", u'\t'},
        {QLocale(QLocale::English, QLocale::UnitedStates), "us.csv", u','},
        {QLocale(QLocale::German, QLocale::Germany), "de.txt", u'\t'},
        {QLocale(QLocale::German, QLocale::Germany), "de.csv", u','},
    };
    for (const Case& c : cases) {
        QLocale::setDefault(c.locale);
        TfrmGraph source;
        const int count = static_cast<int>(levels.size());
        const QDateTime start(QDate(2023, 3, 4), QTime(23, 59, 58));  // across midnight
        PrepareChart(*source.PESGraph1, 1, 130.0f, 30.0f, DaysFromDateTime(start.addSecs(count - 1)),
                     DaysFromDateTime(start), count);
        for (int i = 0; i < count; ++i)
            source.PESGraph1->SetPoint(0, i, DaysFromDateTime(start.addSecs(i)), levels[static_cast<std::size_t>(i)]);
        const QString path = Path(QString::fromLatin1(c.name));
        AnswerAll();
        ASSERT_TRUE(ExportGraphText(*source.PESGraph1, path, c.separator)) << c.name;

        const std::unique_ptr<TfrmList> imported(ImportText(path, QStringLiteral(".") + path.right(3)));
        ASSERT_NE(imported, nullptr) << c.name;
        const auto graph = Graph(*imported);
        ASSERT_NE(graph, nullptr) << c.name;
        EXPECT_EQ(Times(*graph->PESGraph1), Times(*source.PESGraph1)) << c.name;
        EXPECT_EQ(Levels(*graph->PESGraph1), levels) << c.name;
    }
}

TEST_F(OutputListToGraphTest, AListSavedAsCsvUnderACommaLocaleReadsBackAsTheSameList)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    FillList({{"04.03.2023", "10:00:00", "50,5", "50,5"}, {"04.03.2023", "10:00:01", "61,0", "57,9"}});
    list.Grid1->SetCell(3, 0, QStringLiteral("SPL"));
    list.Grid1->SetCell(4, 0, QStringLiteral("Leq"));
    AnswerAll();
    fake.prompts.fileNames = {Path(QStringLiteral("table.csv"))};
    ASSERT_TRUE(ExportGridText(*list.Grid1));
    const std::unique_ptr<TfrmList> imported(ImportText(Path(QStringLiteral("table.csv")), QStringLiteral(".csv")));
    ASSERT_NE(imported, nullptr);
    ASSERT_EQ(imported->Grid1->RowCount(), list.Grid1->RowCount());
    for (int row = 0; row < list.Grid1->RowCount(); ++row)
        for (int column = 0; column < 7; ++column)
            EXPECT_EQ(imported->Grid1->Cell(column, row), list.Grid1->Cell(column, row)) << column << ", " << row;
}

TEST_F(OutputListToGraphTest, AnOldCommaLocaleCsvGraphsItsWholeLevels)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::vector<std::uint8_t> image = ReadHexImage("old-comma-locale.csv.hex");
    const QString path = WriteFile(QStringLiteral("old.csv"),
                                   QByteArray(reinterpret_cast<const char*>(image.data()),
                                              static_cast<qsizetype>(image.size())));
    const std::unique_ptr<TfrmList> imported(ImportText(path, QStringLiteral(".csv")));
    ASSERT_NE(imported, nullptr);
    EXPECT_EQ(imported->Grid1->Cell(3, 1), QStringLiteral("50,5"));
    EXPECT_EQ(imported->Grid1->Cell(0, 0), QStringLiteral("No"));
    EXPECT_EQ(imported->Grid1->Cell(3, 0), QStringLiteral("Value")) << "the halves are no second value";
    const auto graph = Graph(*imported);
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(Levels(*graph->PESGraph1), (std::vector<float>{50.5f, 61.0f, 72.3f}));
    EXPECT_EQ(Times(*graph->PESGraph1), (std::vector<double>{At(10, 0, 0), At(10, 0, 1), At(10, 0, 2)}));
}

}  // namespace
