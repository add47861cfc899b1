#include "survey/SurveyReport.h"
#include "shell/Formats.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

double At(const char* text) { return ReadIsoDateTime(QString::fromLatin1(text), nullptr); }

// A night of one-second samples at 50 dB from 22:00, with a loud second (80 dB) every
// `loudEvery` seconds: each an event of its own.
struct Night {
    ::Recording recording;
    explicit Night(int seconds, int loudEvery)
    {
        recording.intervalSeconds = 1.0;
        recording.weighting = Weighting::A;
        recording.response = Response::Fast;
        recording.range = MeterRanges[3];
        for (int i = 0; i < seconds; ++i) {
            recording.times.push_back(At("2024-05-06 22:00:00") + i * OneSecond);
            recording.levels.push_back(i % loudEvery == loudEvery - 1 ? 80.0f : 50.0f);
        }
        recording.start = recording.times.front();
    }
    const ::Recording& Recording() const { return recording; }
};

std::vector<const ReportBlock*> AllBlocks(const SurveyReport& report)
{
    std::vector<const ReportBlock*> all;
    for (const ReportSheet& page : report.pages)
        for (const ReportBlock& block : page.blocks)
            all.push_back(&block);
    return all;
}

QString FactOf(const SurveyReport& report, const QString& label)
{
    for (const ReportBlock* block : AllBlocks(report))
        if (const auto* list = std::get_if<ReportFactList>(block))
            for (const auto& [name, value] : list->facts)
                if (name == label)
                    return value;
    return QStringLiteral("(no such fact)");
}

std::vector<const ReportGrid*> GridsNamed(const ReportSheet& page, const QString& heading)
{
    std::vector<const ReportGrid*> grids;
    for (const ReportBlock& block : page.blocks)
        if (const auto* grid = std::get_if<ReportGrid>(&block); grid && grid->heading == heading)
            grids.push_back(grid);
    return grids;
}

SurveyProvenance SomeProvenance()
{
    return {QStringLiteral("night.csv"), QString(64, u'a'), QStringLiteral("night.qxs"), QString(64, u'b'),
            At("2024-05-08 09:00:00"), QStringLiteral("Europe/London (UTC+01:00)"), QStringLiteral("QX574 1.0")};
}

}  // namespace

// A survey without details still makes every part of the report, each empty field "not
// recorded", and no page holds more than its room.
TEST(SurveyReport, WithoutDetailsEveryPartSaysNotRecorded)
{
    const Night night(3600, 600);
    Survey survey;
    const SurveyReport report =
        MakeSurveyReport(survey, night.Recording(), SurveyReportDefaults(survey), SomeProvenance());
    EXPECT_EQ(report.header, "Noise survey");
    for (const char* label : {"Project", "Client", "Operator", "Instrument", "Serial number", "IEC 61672-1 class",
                              "Last verification", "Calibrator", "Check before", "Check after",
                              "Drift (after \u2212 before)", "Position", "Notes (source, conditions, weather)"})
        EXPECT_EQ(FactOf(report, QString::fromUtf8(label)), "not recorded") << label;
    EXPECT_EQ(FactOf(report, "Calibration offset"), "none");
    EXPECT_EQ(FactOf(report, "Start"), "2024-05-06 22:00:00");
    EXPECT_EQ(FactOf(report, "End"), "2024-05-06 23:00:00");
    EXPECT_EQ(FactOf(report, "Recording SHA-256"), QString(64, u'a'));

    // The time history has a page of its own.
    int historyPages = 0;
    for (const ReportSheet& page : report.pages) {
        double used = 0.0;
        for (const ReportBlock& block : page.blocks)
            used += BlockHeightMm(block);
        EXPECT_LE(used, ReportLayout::BottomMm - ReportLayout::TopMm);
        if (std::any_of(page.blocks.begin(), page.blocks.end(),
                        [](const ReportBlock& b) { return std::holds_alternative<ReportTimeHistory>(b); })) {
            ++historyPages;
            for (const ReportBlock& block : page.blocks)
                EXPECT_TRUE(std::holds_alternative<ReportTimeHistory>(block) || std::holds_alternative<ReportHeading>(block)
                            || std::holds_alternative<ReportText>(block));
        }
    }
    EXPECT_EQ(historyPages, 1);
}

// 120 events run over two pages: the rest under the same heading and column names, marked
// as continued, every event once and in order; each marked on the time history.
TEST(SurveyReport, AnEventListOverTwoPagesRepeatsItsHeading)
{
    const Night night(120 * 30, 30);
    Survey survey;
    survey.analysis.events = EventSettings{70.0, 1.0, 0.0};
    const SurveyReport report =
        MakeSurveyReport(survey, night.Recording(), SurveyReportDefaults(survey), SomeProvenance());
    std::vector<const ReportGrid*> parts;
    for (const ReportSheet& page : report.pages) {
        const std::vector<const ReportGrid*> here = GridsNamed(page, QStringLiteral("Events"));
        EXPECT_LE(here.size(), 1u);
        parts.insert(parts.end(), here.begin(), here.end());
    }
    ASSERT_GE(parts.size(), 2u);
    int next = 1;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        EXPECT_EQ(parts[i]->continued, i > 0);
        EXPECT_EQ(parts[i]->columns, parts[0]->columns);
        EXPECT_FALSE(parts[i]->rows.empty());
        for (const QStringList& row : parts[i]->rows)
            EXPECT_EQ(row[0], QStringLiteral("E%1").arg(next++));
    }
    EXPECT_EQ(next, 121);
    EXPECT_EQ(parts[0]->rows[0][1], "2024-05-06 22:00:29");
    EXPECT_EQ(parts[0]->rows[0][5], "80.0");

    for (const ReportBlock* block : AllBlocks(report)) {
        if (const auto* history = std::get_if<ReportTimeHistory>(block)) {
            EXPECT_EQ(history->chart.marks.size(), 120u);
        }
    }
}

// The details as printed: the drift beyond 0.5 dB flagged, in the summary too; the offset on
// every page's header and in the details; exclusions with the time they remove.
TEST(SurveyReport, DriftOffsetAndExclusionsArePrinted)
{
    const Night night(3600, 600);
    Survey survey;
    survey.details.project = QStringLiteral("Mill Lane");
    survey.details.before = {At("2024-05-06 21:55:00"), 94.0};
    survey.details.after = {At("2024-05-06 23:05:00"), 94.7};
    survey.details.offsetDb = 0.5;
    survey.details.instrument.iecClass = 2;
    survey.exclusions = {{At("2024-05-06 22:10:00"), At("2024-05-06 22:12:30"), QStringLiteral("dog barking")}};
    const SurveyReport report =
        MakeSurveyReport(survey, night.Recording(), SurveyReportDefaults(survey), SomeProvenance());
    EXPECT_EQ(report.header, "Mill Lane \u00b7 levels include a calibration offset of +0.5 dB");
    EXPECT_EQ(FactOf(report, "Drift (after \u2212 before)"), "+0.7 dB \u2013 FLAGGED: beyond \u00b10.5 dB");
    EXPECT_EQ(FactOf(report, "Check before"), "94.0 dB at 2024-05-06 21:55:00");
    EXPECT_EQ(FactOf(report, "IEC 61672-1 class"), "Class 2");
    EXPECT_TRUE(FactOf(report, "Calibration offset").startsWith("+0.5 dB, added to every level"));
    QStringList warnings;
    const ReportGrid* exclusions = nullptr;
    for (const ReportBlock* block : AllBlocks(report)) {
        if (const auto* text = std::get_if<ReportText>(block); text && text->style == ReportText::Style::Warning)
            warnings << text->text;
        if (const auto* grid = std::get_if<ReportGrid>(block); grid && grid->heading == "Exclusions")
            exclusions = grid;
    }
    EXPECT_TRUE(warnings.filter("calibration offset of +0.5 dB").size() == 1) << warnings.join('\n').toStdString();
    EXPECT_TRUE(warnings.filter("drifted by +0.7 dB").size() == 1) << warnings.join('\n').toStdString();
    EXPECT_TRUE(warnings.filter("has changed since the survey was saved").isEmpty()) << "no SHA-256 saved: no warning";
    ASSERT_TRUE(exclusions);

    // A recording whose SHA-256 is not the one the survey saved is said to have changed, as the
    // command line says on opening the survey.
    survey.source.sha256 = QString(64, u'c');
    QStringList changed;
    const SurveyReport report2 =
        MakeSurveyReport(survey, night.Recording(), SurveyReportDefaults(survey), SomeProvenance());
    for (const ReportBlock* block : AllBlocks(report2))
        if (const auto* text = std::get_if<ReportText>(block); text && text->style == ReportText::Style::Warning)
            changed << text->text;
    EXPECT_EQ(changed.filter("has changed since the survey was saved").size(), 1) << changed.join('\n').toStdString();
    EXPECT_EQ(exclusions->rows.at(0), (QStringList{"2024-05-06 22:10:00", "2024-05-06 22:12:30", "150.0 s", "dog barking"}));
}

// Tables are split where they run out of room, at least three rows with their heading.
TEST(SurveyReport, PagesTakeWhatFitsAndNoMore)
{
    ReportGrid grid{QStringLiteral("T"), {QStringLiteral("a")}, {1.0}, {}};
    for (int i = 0; i < 200; ++i)
        grid.rows.push_back({QString::number(i)});
    const std::vector<ReportSheet> pages = LayOutPages({ReportHeading{QStringLiteral("H")}, grid});
    const double room = ReportLayout::BottomMm - ReportLayout::TopMm;
    std::size_t rows = 0;
    for (const ReportSheet& page : pages) {
        double used = 0.0;
        for (const ReportBlock& block : page.blocks)
            used += BlockHeightMm(block);
        EXPECT_LE(used, room);
        for (const ReportBlock& block : page.blocks)
            if (const auto* part = std::get_if<ReportGrid>(&block))
                rows += part->rows.size();
    }
    EXPECT_EQ(rows, 200u);
    EXPECT_GE(pages.size(), 4u);
    // A heading at the foot of a page goes with its text to the next.
    std::vector<ReportBlock> blocks;
    for (int i = 0; i < 33; ++i)  // 33 x 7.2 mm: room for the heading alone, not for its text
        blocks.push_back(ReportText{QStringLiteral("line")});
    blocks.push_back(ReportHeading{QStringLiteral("Last")});
    blocks.push_back(ReportText{QString(400, u'x')});
    const std::vector<ReportSheet> laid = LayOutPages(blocks);
    ASSERT_EQ(laid.size(), 2u);
    EXPECT_TRUE(std::holds_alternative<ReportHeading>(laid[1].blocks.front()));
}
