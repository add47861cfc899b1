#include "report/ReportPage.h"

#include "files/ChartState.h"
#include "logger/DataSetTable.h"
#include "recording/RecordingsOfTable.h"
#include "shell/Formats.h"

#include <QDate>
#include <QDateTime>

#include <gtest/gtest.h>

namespace {

double At(int h, int m, int s) { return DaysFromDateTime(QDateTime(QDate(2021, 3, 1), QTime(h, m, s))); }

// One recording of three samples a second apart at 70, 71 and 72 dB, A-weighted, FAST.
DataSetTable ThreeSamples()
{
    DataSetTable table;
    table.sets.push_back({At(7, 0, 0), 1, 3, 0x0F, 256, 278, 2, 0, 71.0});
    table.levels = {70.0f, 71.0f, 72.0f};
    table.times = {At(7, 0, 0), At(7, 0, 1), At(7, 0, 2)};
    return table;
}

}  // namespace

TEST(ReportPage, ADataSetsPageHoldsItsFiguresAsTheWindowShowsThem)
{
    const ReportPage page =
        RecordingReportPage(RecordingOfSet(ThreeSamples(), 0, QString()), QStringLiteral("day.REC"), At(12, 0, 0));
    EXPECT_EQ(page.title, QStringLiteral("day.REC \u2013 Data set 1"));
    ASSERT_GE(page.facts.size(), 4u);
    EXPECT_EQ(page.facts[0].second, DateTimeText(At(7, 0, 0)));
    EXPECT_EQ(page.facts[1].second, QStringLiteral("1 s (the recording's interval)"));
    EXPECT_EQ(page.facts[2].second, QStringLiteral("3"));
    EXPECT_EQ(page.facts[3], std::make_pair(QStringLiteral("Frequency weighting"), QStringLiteral("dBA")));

    // The boxes as the DataLogger window fills them for the set.
    EXPECT_EQ(page.boxes.samplingRate, QStringLiteral("1"));
    EXPECT_EQ(page.boxes.dataNo, QStringLiteral("3"));
    EXPECT_EQ(page.boxes.avgAll, QStringLiteral("71.0"));
    EXPECT_EQ(page.boxes.max, QStringLiteral("72.0"));
    EXPECT_EQ(page.boxes.maxTime, DateTimeText(At(7, 0, 2)));
    EXPECT_TRUE(page.boxes.cursorA.isEmpty()) << "a set's page leaves the cursors out";
    EXPECT_FALSE(page.withCursors);
    EXPECT_FALSE(page.chart.cursorA.has_value());

    // Leq = 10 lg((10^7.0 + 10^7.1 + 10^7.2) / 3) = 10 lg(1.28127e7) = 71.08 dB.
    ASSERT_TRUE(page.metrics.whole.leq.has_value());
    EXPECT_NEAR(*page.metrics.whole.leq, 71.076, 0.001);
    EXPECT_EQ(page.chart.levels.size(), 3u);
    EXPECT_DOUBLE_EQ(page.chart.first, At(7, 0, 0));
    EXPECT_NEAR(page.chart.last, At(7, 0, 3), 1e-9) << "the span reaches the end of the last sample";
}

// A C-weighted set's page leaves LEX,8h and the dose out and says why in its head.
TEST(ReportPage, ACWeightedSetsPageGivesNoExposureAndSaysWhy)
{
    DataSetTable table = ThreeSamples();
    table.sets[0].flags = 0x0D;  // FAST, C-weighted
    const ReportPage page = RecordingReportPage(RecordingOfSet(table, 0, QString()), QStringLiteral("day.REC"), At(12, 0, 0));
    EXPECT_FALSE(page.metrics.whole.lex8h.has_value());
    EXPECT_FALSE(page.metrics.whole.dosePercent.has_value());
    EXPECT_EQ(page.metrics.whole.weighting, Weighting::C);
    EXPECT_EQ(page.facts.back(), std::make_pair(QStringLiteral("LEX,8h and dose"),
                                                QStringLiteral("not given: the levels are C-weighted (dBC) and "
                                                               "exposure needs A-weighted levels")));
    const ReportPage a =
        RecordingReportPage(RecordingOfSet(ThreeSamples(), 0, QString()), QStringLiteral("day.REC"), At(12, 0, 0));
    EXPECT_TRUE(a.metrics.whole.lex8h.has_value());
    EXPECT_NE(a.facts.back().first, QStringLiteral("LEX,8h and dose"));
}

TEST(ReportPage, AChartGivesItsFilledPointsSpansColoursAndShownMarks)
{
    ChartState state;
    SetChartSize(state, 2, 4);
    for (int i = 0; i < 3; ++i) {  // the fourth point is not filled
        state.XDataII[static_cast<std::size_t>(i)] = At(10, 0, i);
        state.YData[static_cast<std::size_t>(i)] = 60.0f + static_cast<float>(i);
        state.YData[static_cast<std::size_t>(4 + i)] = 61.0f;
    }
    state.ManualScaleControlY = sgManualMinAndMax;
    state.ManualMinY = 40.0;
    state.ManualMaxY = 90.0;
    state.SubsetColors = {PEargb(255, 0, 170, 0), PEargb(255, 0, 0, 255)};
    state.GraphAnnotations = {{2, At(10, 0, 1), 70.0, QString(), PEargb(255, 230, 0, 230)},
                              {0, At(10, 0, 2), 65.0, QStringLiteral("door"), PEargb(255, 0, 0, 0)},
                              {0, At(10, 0, 2), 65.0, QString(), PEargb(255, 0, 0, 0)},   // shows nothing
                              {2, 0.0, 0.0, QString(), PEargb(255, 0, 0, 0)}};             // cleared

    ReportChart chart = ReportChartOf(state);
    EXPECT_EQ(chart.times.size(), 3u);
    EXPECT_EQ(chart.leq, (std::vector<float>{61.0f, 61.0f, 61.0f}));
    EXPECT_DOUBLE_EQ(chart.first, At(10, 0, 0));
    EXPECT_DOUBLE_EQ(chart.last, At(10, 0, 2));
    EXPECT_EQ(chart.bottom, 40.0);
    EXPECT_EQ(chart.top, 90.0);
    EXPECT_EQ(chart.levelColor, PEargb(255, 0, 170, 0));
    ASSERT_EQ(chart.marks.size(), 2u);
    EXPECT_TRUE(chart.marks[0].cross);
    EXPECT_EQ(chart.marks[0].color, PEargb(255, 230, 0, 230));
    EXPECT_EQ(chart.marks[1].text, QStringLiteral("door"));

    state.ViewingStyle = sgMonochrome;
    chart = ReportChartOf(state);
    EXPECT_EQ(chart.levelColor, PEargb(255, 0, 0, 0)) << "a chart viewed in black and white prints so";
    EXPECT_EQ(chart.marks[0].color, PEargb(255, 0, 0, 0));
}

TEST(ReportPage, CursorsArePrintedOnlyWhenTheGraphShowsThem)
{
    ReportGraph graph;
    graph.caption = QStringLiteral("a.ghf");
    Recording recording;
    recording.times = {At(9, 0, 0), At(9, 0, 1), At(9, 0, 2), At(9, 0, 3)};
    recording.levels = {50.0f, 80.0f, 60.0f, 55.0f};
    graph.chart.times = recording.times;
    graph.chart.levels = recording.levels;
    graph.cursorA = 2;
    graph.cursorB = 1;
    graph.withCursors = true;
    const ReportPage page = MakeReportPage(graph, recording, 0.0);
    EXPECT_EQ(page.title, QStringLiteral("a.ghf"));
    EXPECT_EQ(page.boxes.cursorA, QStringLiteral("60.0"));
    EXPECT_EQ(page.boxes.maxAB, QStringLiteral("80.0"));
    EXPECT_EQ(page.boxes.avgAB, QStringLiteral("70.0"));
    EXPECT_EQ(page.chart.cursorA, At(9, 0, 2));
    EXPECT_EQ(page.chart.cursorB, At(9, 0, 1));
    ASSERT_TRUE(page.metrics.between.leq.has_value());
    // Between the cursors: 80 and 60 dB, Leq = 10 lg((10^8 + 10^6) / 2) = 77.04 dB.
    EXPECT_NEAR(*page.metrics.between.leq, 77.04, 0.01);

    graph.withCursors = false;
    const ReportPage without = MakeReportPage(graph, recording, 0.0);
    EXPECT_TRUE(without.boxes.cursorA.isEmpty());
    EXPECT_FALSE(without.chart.cursorA.has_value());
}
