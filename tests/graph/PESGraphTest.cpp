#include "graph/ui/PESGraph.h"

#include "FakePrompts.h"
#include "files/ChartStateBlock.h"
#include "graph/ui/TfrmCustomize.h"
#include "print/ui/SharedPrinter.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <qcustomplot.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

class PESGraphTest : public ::testing::Test {
protected:
    PESGraphTest()
    {
        chart.resize(800, 500);
        chart.show();
    }

    // What the plot was handed for a subset: (key, value) with NaN for gaps.
    std::vector<std::pair<double, double>> Drawn(int subset = 0)
    {
        std::vector<std::pair<double, double>> points;
        const auto data = chart.Plot()->graph(subset)->data();
        for (auto it = data->constBegin(); it != data->constEnd(); ++it)
            points.emplace_back(it->key, it->value);
        return points;
    }

    PESGraph chart;
};

TEST_F(PESGraphTest, PreparedPointsAreEmptyAndAccessIsBounded)
{
    chart.SetSize(2, 3);
    EXPECT_EQ(chart.XDataII(1, 2), 0.0);
    EXPECT_EQ(chart.YData(1, 2), 9999.0f);
    EXPECT_EQ(chart.XDataII(2, 0), 0.0);
    EXPECT_EQ(chart.YData(0, 3), 9999.0f);
    chart.SetPoint(5, 0, 1.0, 1.0f);  // ignored
    chart.SetPoint(0, -1, 1.0, 1.0f);
    chart.Refresh();
    EXPECT_TRUE(Drawn(0).empty());
}

TEST_F(PESGraphTest, NullPointsAreGapsAndFilledPointsAppend)
{
    chart.SetSize(1, 6);
    chart.Refresh();
    chart.SetPoint(0, 0, 10.0, 50.0f);
    chart.SetPoint(0, 1, 11.0, 9999.0f);
    chart.SetPoint(0, 2, 12.0, 52.0f);
    chart.Refresh();
    auto drawn = Drawn();
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_TRUE(std::isnan(drawn[1].second));
    // Filling the next empty point, as real time does, adds it to what is drawn.
    chart.SetPoint(0, 3, 13.0, 53.0f);
    chart.Refresh();
    drawn = Drawn();
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_EQ(drawn[3], std::make_pair(13.0, 53.0));
    // Changing an earlier point rebuilds.
    chart.SetPoint(0, 0, 10.0, 40.0f);
    chart.AppendPoint(0, 20.0, 60.0f);
    chart.Refresh();
    drawn = Drawn();
    ASSERT_EQ(drawn.size(), 7u);  // 4 filled, two empty points as gaps, the appended point
    EXPECT_EQ(drawn[0], std::make_pair(10.0, 40.0));
    EXPECT_EQ(drawn.back(), std::make_pair(20.0, 60.0));
    EXPECT_EQ(chart.Points(), 7);
}

// Only the points set since the last redraw are looked at past what was drawn: a point filled
// beyond empty ones brings them in as gaps, and one emptied again brings nothing.
TEST_F(PESGraphTest, PointsSetPastTheDrawnOnesAppendUpToTheLastFilled)
{
    chart.SetSize(1, 1000);
    chart.SetPoint(0, 0, 10.0, 50.0f);
    chart.Refresh();
    ASSERT_EQ(Drawn().size(), 1u);

    chart.SetPoint(0, 3, 13.0, 53.0f);
    chart.SetPoint(0, 7, 17.0, 57.0f);
    chart.SetPoint(0, 7, 0.0, 9999.0f);  // emptied again before the redraw
    chart.Refresh();
    auto drawn = Drawn();
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_TRUE(std::isnan(drawn[1].second));
    EXPECT_TRUE(std::isnan(drawn[2].second));
    EXPECT_EQ(drawn[3], std::make_pair(13.0, 53.0));

    chart.SetPoint(0, 999, 99.0, 60.0f);
    chart.Refresh();
    drawn = Drawn();
    ASSERT_EQ(drawn.size(), 1000u);
    EXPECT_EQ(drawn.back(), std::make_pair(99.0, 60.0));
    chart.Refresh();
    EXPECT_EQ(Drawn().size(), 1000u);
}

TEST_F(PESGraphTest, AppendingToOneOfTwoSubsetsKeepsTheOther)
{
    chart.SetSize(2, 2);
    const double x[] = {1.0, 2.0};
    const float y[] = {10.0f, 20.0f};
    chart.SetSubsetData(1, x, y, 2);
    chart.AppendPoint(0, 3.0, 30.0f);
    EXPECT_EQ(chart.Points(), 3);
    EXPECT_EQ(chart.XDataII(1, 1), 2.0);
    EXPECT_EQ(chart.YData(1, 2), 9999.0f);
    EXPECT_EQ(chart.YData(0, 2), 30.0f);
}

// A long series as a chart of a day's logging or a long real-time run holds it.
class LongSeriesTest : public PESGraphTest {
protected:
    static constexpr double Start = 45000.0;
    static constexpr double Second = 1.0 / 86400.0;

    static float Level(int i)
    {
        return static_cast<float>(60.0 + 20.0 * std::sin(i * 0.002) + 9.0 * std::sin(i * 1.3) +
                                  ((i * 7919) % 97 == 0 ? 25.0 : 0.0));
    }

    void Fill(int capacity, int count)
    {
        chart.SetSize(1, capacity);
        ChartState& s = chart.State();
        s.ManualScaleControlY = sgManualMinAndMax;
        s.ManualMinY = 20.0;
        s.ManualMaxY = 130.0;
        s.ManualScaleControlX = sgManualMinAndMax;
        chart.SetManualX(Start, Start + capacity * Second);
        for (int i = 0; i < count; ++i)
            chart.SetPoint(0, i, Start + i * Second, Level(i));
    }

    QImage Picture() { return chart.Plot()->toPixmap().toImage(); }

    // The picture the plot draws when handed every point the chart holds.
    QImage PictureOfEveryPoint()
    {
        QVector<QCPGraphData> every;
        for (int i = 0; i < chart.Points() && chart.XDataII(0, i) != 0.0; ++i)
            every.append(QCPGraphData(chart.XDataII(0, i), chart.YData(0, i)));
        chart.Plot()->graph(0)->data()->set(every, true);
        return Picture();
    }

    // The plot is handed a few points a pixel column, not the series.
    void ExpectThinned()
    {
        EXPECT_LE(Drawn().size(), 4u * (chart.PlotArea().width() + 4));
    }
};

TEST_F(LongSeriesTest, IsDrawnAsFromEveryPointInEveryView)
{
    constexpr int Count = 30'000;
    Fill(Count, Count);
    chart.Refresh();
    struct View {
        const char* name;
        double from, to;  // seconds from the start
        QSize size;
    };
    const View views[] = {
        {"the whole series", 0, Count, {800, 500}},
        {"a part, points off both sides", 9'000, 21'000, {800, 500}},
        {"another plot size", 0, Count, {640, 420}},
    };
    for (const View& view : views) {
        chart.resize(view.size);
        chart.SetManualX(Start + view.from * Second, Start + view.to * Second);
        chart.Refresh();
        ExpectThinned();
        const QImage thinned = Picture();
        EXPECT_TRUE(thinned == PictureOfEveryPoint()) << view.name;
    }
    // The chart itself still holds every point, for cursors, statistics and files.
    EXPECT_EQ(chart.Points(), Count);
    EXPECT_EQ(chart.YData(0, Count - 1), Level(Count - 1));
}

TEST_F(LongSeriesTest, ARealTimeRunAddsItsSamplesToTheThinnedSeries)
{
    Fill(40'000, 30'000);
    chart.Refresh();
    ExpectThinned();
    for (int i = 30'000; i < 30'040; ++i) {
        chart.SetPoint(0, i, Start + i * Second, Level(i) + 30.0f);
        chart.Refresh();
    }
    ExpectThinned();
    EXPECT_EQ(Drawn().back(), std::make_pair(Start + 30'039 * Second, static_cast<double>(Level(30'039) + 30.0f)));
    const QImage thinned = Picture();
    EXPECT_TRUE(thinned == PictureOfEveryPoint());
}

TEST_F(PESGraphTest, ManualScalesAndPixelConversionAgree)
{
    ChartState& s = chart.State();
    s.ManualScaleControlX = sgManualMinAndMax;
    s.ManualMinX = 45000.0;
    s.ManualMaxX = 45000.5;
    s.ManualScaleControlY = sgManualMinAndMax;
    s.ManualMinY = 30.0;
    s.ManualMaxY = 130.0;
    chart.Refresh();
    const QRect area = chart.PlotArea();
    EXPECT_NEAR(chart.PixelToData(area.topLeft()).y(), 130.0, 0.5);
    EXPECT_NEAR(chart.PixelToData(area.topLeft()).x(), 45000.0, 0.002);
    const QPointF data(45000.25, 80.0);
    const QPointF back = chart.PixelToData(chart.DataToPixel(data));
    EXPECT_NEAR(back.x(), data.x(), 1e-9);
    EXPECT_NEAR(back.y(), data.y(), 1e-9);
}

TEST_F(PESGraphTest, RubberBandZoomsAndUndoRestores)
{
    ChartState& s = chart.State();
    s.ManualScaleControlY = sgManualMinAndMax;
    s.ManualMinY = 0.0;
    s.ManualMaxY = 100.0;
    s.ManualScaleControlX = sgManualMinAndMax;
    s.ManualMinX = 0.0;
    s.ManualMaxX = 1.0;
    chart.Refresh();
    QSignalSpy zoomed(&chart, &PESGraph::OnZoomIn);
    QSignalSpy clicked(&chart, &PESGraph::OnClick);
    const QRect area = chart.PlotArea();
    const QPoint from = area.topLeft() + QPoint(area.width() / 4, area.height() / 4);
    const QPoint to = area.center();
    QWidget* plot = chart.Plot();
    QTest::mousePress(plot, Qt::LeftButton, {}, from);
    QTest::mouseMove(plot, to);
    QTest::mouseRelease(plot, Qt::LeftButton, {}, to);
    ASSERT_EQ(zoomed.count(), 1);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_TRUE(chart.Zoomed());
    EXPECT_NEAR(chart.Plot()->xAxis->range().lower, 0.25, 0.01);
    EXPECT_NEAR(chart.Plot()->yAxis->range().upper, 75.0, 1.0);
    chart.UndoZoom();
    EXPECT_FALSE(chart.Zoomed());
    EXPECT_EQ(chart.Plot()->xAxis->range().lower, 0.0);
    EXPECT_EQ(chart.Plot()->yAxis->range().upper, 100.0);

    QTest::mouseClick(plot, Qt::LeftButton, {}, to);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(zoomed.count(), 1);
    EXPECT_EQ(chart.LastMousePos(), to);
}

TEST_F(PESGraphTest, TheWheelScrollsAZoomedChartOnly)
{
    ChartState& s = chart.State();
    s.ManualScaleControlX = sgManualMinAndMax;
    s.ManualMinX = 0.0;
    s.ManualMaxX = 1.0;
    chart.Refresh();
    QWidget* plot = chart.Plot();
    const QPoint at = chart.PlotArea().center();
    auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(at, plot->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(plot, &event);
    };
    wheel(-120, Qt::NoModifier);
    EXPECT_EQ(chart.Plot()->xAxis->range().lower, 0.0);

    QTest::mousePress(plot, Qt::LeftButton, {}, chart.PlotArea().topLeft() + QPoint(5, 5));
    QTest::mouseMove(plot, at);
    QTest::mouseRelease(plot, Qt::LeftButton, {}, at);
    const QCPRange zoomed = chart.Plot()->xAxis->range();
    wheel(-120, Qt::NoModifier);
    EXPECT_NEAR(chart.Plot()->xAxis->range().lower, zoomed.lower + zoomed.size() / 10, 1e-9);
    const QCPRange levels = chart.Plot()->yAxis->range();
    wheel(120, Qt::ShiftModifier);
    EXPECT_NEAR(chart.Plot()->yAxis->range().lower, levels.lower + levels.size() / 10, 1e-9);
}

TEST_F(PESGraphTest, StoredStateLoadsBackAndDamagedStateIsRefused)
{
    chart.SetSize(1, 2);
    chart.SetPoint(0, 0, 45000.1, 61.5f);
    chart.SetPoint(0, 1, 45000.2, 62.5f);
    chart.State().MainTitle = QStringLiteral("Workshop");
    chart.SetGraphAnnotation(5, {2, 45000.1, 70.0, QString(), 0xff0000ffu});
    chart.SetVertLineAnnotation(1, 45000.2, QStringLiteral("|tB"));
    const QByteArray block = chart.StoreState();

    PESGraph other;
    ASSERT_TRUE(other.LoadState(block));
    EXPECT_EQ(other.State(), chart.State());
    QString error;
    EXPECT_FALSE(other.LoadState(block.left(block.size() - 1), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(other.State(), chart.State()) << "a refused block leaves the chart as it was";
    EXPECT_EQ(other.GraphAnnotationAt(5).Type, 2);
    EXPECT_EQ(other.GraphAnnotationAt(99).Type, 0);
}

TEST_F(PESGraphTest, ADamagedBlockThatStillLoadsIsDrawnSafely)
{
    chart.SetSize(2, 3);
    for (int i = 0; i < 3; ++i)
        chart.SetPoint(1, i, 45000.0 + i / 86400.0, 50.0f + i);
    chart.SetGraphAnnotation(5, {2, 45000.0, 60.0, QStringLiteral("x"), 0xff0000ffu});
    chart.SetVertLineAnnotation(0, 45000.0, QStringLiteral("|tA"));
    const QByteArray block = chart.StoreState();
    PESGraph other;
    other.resize(400, 300);
    other.show();
    int loaded = 0;
    for (qsizetype at = 8; at < block.size(); ++at) {
        QByteArray damaged = block;
        damaged[at] = '\xff';
        if (!other.LoadState(damaged))
            continue;
        ++loaded;
        other.Refresh();
        other.repaint();
        const QCPRange x = other.Plot()->xAxis->range();
        const QCPRange y = other.Plot()->yAxis->range();
        EXPECT_TRUE(std::isfinite(x.lower) && std::isfinite(x.upper) && x.lower < x.upper) << "byte " << at;
        EXPECT_TRUE(std::isfinite(y.lower) && std::isfinite(y.upper) && y.lower < y.upper) << "byte " << at;
    }
    EXPECT_GT(loaded, 10) << "damaged blocks that still load are drawn";
}

TEST_F(PESGraphTest, CustomizationDialogWritesTheStateOnlyWhenAccepted)
{
    ScopedFakePrompts fake;
    QSignalSpy closed(&chart, &PESGraph::OnCustomizeDlg);
    fake.prompts.onModal = [](QDialog& dialog) {
        auto& customize = dynamic_cast<TfrmCustomize&>(dialog);
        customize.edtMainTitle->setText(QStringLiteral("Night"));
        customize.radMonochrome->setChecked(true);
        customize.cmbSubsetColors[0]->setCurrentIndex(1);
        return int(QDialog::Accepted);
    };
    EXPECT_TRUE(chart.Customize());
    EXPECT_EQ(chart.DialogResult(), 1);
    EXPECT_EQ(chart.State().MainTitle, QStringLiteral("Night"));
    EXPECT_EQ(chart.State().ViewingStyle, sgMonochrome);
    EXPECT_EQ(chart.State().SubsetColors[0], PEargb(255, 198, 0, 0));

    fake.prompts.onModal = [](QDialog& dialog) {
        dynamic_cast<TfrmCustomize&>(dialog).edtMainTitle->setText(QStringLiteral("Lost"));
        return int(QDialog::Rejected);
    };
    EXPECT_FALSE(chart.Customize());
    EXPECT_EQ(chart.DialogResult(), 0);
    EXPECT_EQ(chart.State().MainTitle, QStringLiteral("Night"));
    EXPECT_EQ(closed.count(), 2);
}

TEST_F(PESGraphTest, PageSwitchesChooseTheDialogPages)
{
    ChartState state;
    state.AllowSubsetsPage = false;
    TfrmCustomize dialog(state);
    EXPECT_EQ(dialog.Pages->count(), 2);
}

TEST_F(PESGraphTest, PrintingGoesThroughThePrintDialog)
{
    ScopedFakePrompts fake;
    fake.prompts.printAnswers = {false};
    EXPECT_FALSE(chart.PrintDialog());
    EXPECT_EQ(fake.prompts.printDialogs, 1);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    SharedPrinter().setOutputFormat(QPrinter::PdfFormat);
    SharedPrinter().setOutputFileName(pdf);
    fake.prompts.printAnswers = {true};
    chart.SetSize(1, 2);
    chart.SetPoint(0, 0, 1.0, 50.0f);
    chart.SetPoint(0, 1, 2.0, 60.0f);
    chart.Refresh();
    EXPECT_TRUE(chart.PrintDialog());
    SharedPrinter().setOutputFileName(QString());
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
}

}  // namespace
