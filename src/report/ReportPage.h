#pragma once
#include "graph/StatisticText.h"
#include "leq/GraphMetrics.h"
#include "recording/Recording.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

struct ChartState;

// A mark on a chart: a text at a level and time, or a cross where the text is empty.
struct ReportMark {
    double time = 0.0;
    double level = 0.0;
    QString text;
    bool cross = false;
    std::uint32_t color = 0xff000000u;  // as charts store colours: alpha, blue, green, red
};

// The time history of a report page. A level at the null level or beyond leaves a gap.
struct ReportChart {
    std::vector<double> times;
    std::vector<float> levels;
    std::vector<float> leq;  // a second curve at the same times (a CAL Leq graph's); empty when none
    std::uint32_t levelColor = 0xff000000u;  // the curves' colours, as the chart keeps them
    std::uint32_t leqColor = 0xff0000ffu;
    double first = 0.0;      // the time span shown
    double last = 0.0;
    double bottom = 30.0;    // the level span shown
    double top = 130.0;
    std::vector<ReportMark> marks;
    std::optional<double> cursorA;  // the cursors' times, when the page shows them
    std::optional<double> cursorB;
    std::vector<std::pair<double, double>> shaded;  // time spans drawn shaded (a survey's exclusions)
    QString levelAxis = QStringLiteral("dB");      // the level axis's name: "LAF (dB)"
};

// The name of a level axis for a recording's levels: "LAF (dB)" for A-weighted FAST levels,
// "LA (dB)" when the response is not known, "dB" when neither is.
QString LevelAxisName(Weighting weighting, Response response);

using ReportFacts = std::vector<std::pair<QString, QString>>;

// One report page as plain values: everything printed on it, worked out before anything is
// drawn, so that the window program and the command line print the same page from the same
// data and a script can check its figures.
struct ReportPage {
    QString title;            // "day.REC \u2013 Data set 1"
    double generated = 0.0;   // when the report was made (days)
    ReportFacts facts;        // label and value, for the page's head
    ReportChart chart;
    StatisticBoxes boxes;
    bool withCursors = false;  // the parts of cursors A and B are printed
    GraphMetrics metrics;
};

// What a graph shows, for its page: caption, its chart (points, marks, spans) and its cursors.
struct ReportGraph {
    QString caption;
    ReportChart chart;
    int cursorA = 0;
    int cursorB = 0;
    bool withCursors = false;
};

// The page of a recording shown as graph shows it: the figures are the recording's (the points
// of the graph's chart), its facts printed in the page's head.
ReportPage MakeReportPage(const ReportGraph& graph, const Recording& recording, double generated);

// A chart's points, marks and spans, as a graph window shows them.
ReportChart ReportChartOf(const ChartState& chart);

// The page of a recording as the DataLogger window shows a set, captioned caption, cursors
// left out.
ReportPage RecordingReportPage(const Recording& recording, const QString& caption, double generated);
