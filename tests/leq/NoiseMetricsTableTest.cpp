#include "leq/NoiseMetrics.h"
#include "leq/NoiseMetricsTable.h"
#include "QStringPrinter.h"
#include "shell/Formats.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

namespace {

NoiseMetrics Metrics(const std::vector<float>& levels, double interval)
{
    const double start = DaysFromDateTime(QDateTime(QDate(2024, 5, 17), QTime(9, 0)));
    std::vector<double> times;
    for (std::size_t i = 0; i < levels.size(); ++i)
        times.push_back(start + static_cast<double>(i) * interval * OneSecond);
    return ComputeNoiseMetrics(times, levels, interval);
}

}  // namespace

TEST(NoiseMetricsTable, CopyPutsBothColumnsAsTabSeparatedLines)
{
    // Whole: 80 dB and 90 dB for 30 s each, and one empty point; between: the 90 dB half.
    std::vector<float> levels(30, 80.0f);
    levels.insert(levels.end(), 30, 90.0f);
    levels.push_back(9999.0f);
    const NoiseMetrics whole = Metrics(levels, 1.0);
    const NoiseMetrics between = Metrics(std::vector<float>(30, 90.0f), 1.0);
    EXPECT_EQ(NoiseMetricsCopyText(whole, between, QStringLiteral("Sample interval: 1 s (the recording's interval)")),
              "Noise metrics\tWhole graph\tBetween A and B\n"
              "Sample interval: 1 s (the recording's interval)\n"
              "Valid samples\t60\t30\n"
              "Empty points, left out\t1\t0\n"
              "Outside 20-140 dB, left out\t0\t0\n"
              "Duration T (s)\t60.0\t30.0\n"
              "Leq (dB)\t87.4\t90.0\n"
              "Lmax (dB)\t90.0\t90.0\n"
              "Lmin (dB)\t80.0\t90.0\n"
              "L5 (dB)\t90.0\t90.0\n"
              "L10 (dB)\t90.0\t90.0\n"
              "L50 (dB)\t90.0\t90.0\n"
              "L90 (dB)\t80.0\t90.0\n"
              "L95 (dB)\t80.0\t90.0\n"
              "SEL (dB)\t105.2\t104.8\n"   // 87.4 + 17.8; 90 + 14.8
              "LEX,8h (dB)\t60.6\t60.2\n"  // 87.4 - 26.8; 90 - 29.8
              "Dose (%)\t0.4\t0.3\n"       // 100 x 60/28800 x 10^0.24; 100 x 30/28800 x 10^0.5
              "Lden (dB)\t\t\n");
}

TEST(NoiseMetricsTable, FiguresFollowTheLocaleAndMissingOnesStayEmpty)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::vector<NoiseMetricsRow> rows = NoiseMetricsRows(Metrics({75.5f, 75.5f}, 0.0));
    const std::vector<NoiseMetricsRow> none = NoiseMetricsRows(Metrics({0.0f, 9999.0f}, 1.0));
    QLocale::setDefault(saved);
    ASSERT_EQ(rows.size(), 16u);
    EXPECT_EQ(rows[4].name, "Leq (dB)");
    EXPECT_EQ(rows[4].value, "75,5");
    // Without an interval there is no T, and nothing that rests on it.
    EXPECT_EQ(rows[3].value, "");
    for (std::size_t i : {12u, 13u, 14u})
        EXPECT_EQ(rows[i].value, "") << rows[i].name.toStdString();
    // Without a valid sample, only the counts are given.
    EXPECT_EQ(none[0].value, "0");
    EXPECT_EQ(none[1].value, "1");
    EXPECT_EQ(none[2].value, "1");
    for (std::size_t i = 3; i < none.size(); ++i)
        EXPECT_EQ(none[i].value, "") << none[i].name.toStdString();
}

// LEX,8h and the dose are defined on A-weighted levels: a dBC workshop set gave 82.0 dB and
// 50.2 % as if it were dBA. Where the weighting is known the names carry it.
TEST(NoiseMetricsTable, ExposureOnlyForLevelsNotKnownToBeOtherThanAWeighted)
{
    const std::vector<float> levels(60, 90.0f);
    const double start = DaysFromDateTime(QDateTime(QDate(2024, 5, 17), QTime(9, 0)));
    std::vector<double> times;
    for (std::size_t i = 0; i < levels.size(); ++i)
        times.push_back(start + static_cast<double>(i) * OneSecond);
    struct Case {
        Weighting weighting;
        const char* leqName;
        const char* l90Name;
        bool exposure;
        const char* note;
    } cases[] = {
        {Weighting::A, "LAeq (dB)", "LA90 (dB)", true, ""},
        {Weighting::Unknown, "Leq (dB)", "L90 (dB)", true, ""},
        {Weighting::C, "LCeq (dB)", "LC90 (dB)", false,
         "LEX,8h and dose not given: the levels are C-weighted (dBC) and exposure needs A-weighted levels"},
        {Weighting::Mixed, "Leq (dB)", "L90 (dB)", false,
         "LEX,8h and dose not given: the levels mix A- and C-weighting and exposure needs A-weighted levels"},
    };
    for (const Case& c : cases) {
        const NoiseMetrics metrics = ComputeNoiseMetrics(times, levels, 1.0, c.weighting);
        EXPECT_EQ(metrics.lex8h.has_value(), c.exposure) << c.leqName;
        EXPECT_EQ(metrics.dosePercent.has_value(), c.exposure) << c.leqName;
        EXPECT_TRUE(metrics.leq.has_value() && metrics.sel.has_value()) << "the other figures stay";
        EXPECT_EQ(ExposureNote(metrics), QString::fromLatin1(c.note));
        const std::vector<NoiseMetricsRow> rows = NoiseMetricsRows(metrics);
        const auto named = [&rows](const char* name) {
            return std::any_of(rows.begin(), rows.end(), [&](const NoiseMetricsRow& row) { return row.name == QLatin1String(name); });
        };
        EXPECT_TRUE(named(c.leqName)) << c.leqName;
        EXPECT_TRUE(named(c.l90Name)) << c.l90Name;
        EXPECT_TRUE(named("LEX,8h (dB)") && named("Lden (dB)"));
    }
    // Between the cursors too.
    EXPECT_FALSE(ComputeNoiseMetrics(times, levels, 1.0, 0, 10, Weighting::C).lex8h.has_value());
}
