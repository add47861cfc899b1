#pragma once
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// Colours as the chart stores them: alpha in the top byte, then blue, green, red.
constexpr std::uint32_t PEargb(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return a << 24 | b << 16 | g << 8 | r;
}

constexpr double NullValue = 9999.0;

// Values of the chart's enumerated settings.
enum ManualScale : std::int32_t { sgNoManualScale = 0, sgManualMinAndMax = 3 };
enum GridStyleKind : std::int32_t { sgThin = 0, sgThick = 1, sgDot = 2, sgDash = 3, sgNoGrid = 4 };
enum ViewingStyleKind : std::int32_t { sgColor = 0, sgMonochrome = 1 };
enum DateTimeModeKind : std::int32_t { sgNoDateTime = 0, sgVBDateTime = 1 };
enum ZoomingKind : std::int32_t { sgNoZooming = 0, sgHorzZooming = 1, sgVertZooming = 2, sgHorzPlusVertZooming = 3 };
enum DataLabelsKind : std::int32_t { sgNoDataLabels = 0 };

// Line types: 0 thin solid, 1 dash, 2 dot, 3 dash-dot, 4 medium solid, 5 thick solid.
constexpr std::int32_t LineTypeCount = 6;

// A mark on the chart: type 0 text only, 2 cross. Type 0 with empty text shows nothing.
struct GraphAnnotation {
    std::int32_t Type = 0;
    double X = 0.0;
    double Y = 0.0;
    QString Text;
    std::uint32_t Color = PEargb(255, 0, 0, 0);
    bool operator==(const GraphAnnotation&) const = default;
};

// How the first subset's levels were measured, as far as the graph's maker knew: a graph file
// keeps it so that a report of the file names the weighting its levels carry. The codes are the
// file's own: 0 not known, 1 A or FAST, 2 C or SLOW, 3 mixed.
struct RecordingFacts {
    std::int32_t Weighting = 0;
    std::int32_t Response = 0;
    std::int32_t RangeLowDb = 0;   // 0 and 0: the range is not known
    std::int32_t RangeHighDb = 0;
    double IntervalSeconds = 0.0;  // 0: not known
    bool IsEmpty() const { return *this == RecordingFacts{}; }
    bool operator==(const RecordingFacts&) const = default;
};

// The chart's whole state: data, scales, look, annotations, switches and the facts of its
// levels. The widget draws it; graph files and the template store it.
struct ChartState {
    std::int32_t Subsets = 1;
    std::int32_t Points = 0;
    // Subset-major: point i of subset s is at s * Points + i.
    std::vector<double> XDataII;
    std::vector<float> YData;
    double NullDataValueY = NullValue;

    std::int32_t ManualScaleControlX = sgNoManualScale;
    std::int32_t ManualScaleControlY = sgNoManualScale;
    double ManualMinX = 0.0;
    double ManualMaxX = 1.0;
    double ManualMinY = 0.0;
    double ManualMaxY = 100.0;

    QString MainTitle;
    QString SubTitle;
    QString XAxisLabel;
    QString YAxisLabel;
    std::vector<QString> SubsetLabels;
    std::vector<std::uint32_t> SubsetColors;
    std::vector<std::int32_t> SubsetLineTypes;
    std::uint32_t YAxisColor = PEargb(255, 0, 0, 0);
    std::int32_t GridStyle = sgDot;
    std::int32_t ViewingStyle = sgColor;
    std::int32_t DateTimeMode = sgVBDateTime;
    bool UsingXDataII = true;
    std::int32_t AllowZooming = sgHorzPlusVertZooming;
    bool ScrollingHorzZoom = true;
    bool ScrollingVertZoom = true;
    std::int32_t ArrowCursor = 1;
    std::int32_t AllowDataLabels = sgNoDataLabels;
    std::int32_t WorkingAxis = 0;

    bool PrepareImages = true;
    bool SubsetByPoint = false;
    bool AllowPopup = false;
    bool NoHelp = true;

    std::vector<GraphAnnotation> GraphAnnotations;  // by index; grows when an index is set
    bool ShowGraphAnnotations = true;
    bool AllowGraphAnnotHotSpots = true;
    std::int32_t GraphAnnotationTextSize = 100;
    std::array<double, 2> VertLineAnnotation{0.0, 0.0};
    std::array<QString, 2> VertLineAnnotationText;
    bool ShowVertLineAnnotations = true;
    bool AllowVertLineAnnotHotSpots = true;
    std::int32_t LineAnnotationTextSize = 100;

    // Which pages the customization dialog offers.
    bool AllowTitlesDialog = true;
    bool AllowSubsetsPage = true;
    bool AllowStylePage = true;

    RecordingFacts Facts;

    bool operator==(const ChartState&) const = default;
};

// Sets the numbers of subsets and points and empties every point (X 0.0, Y null);
// the per-subset look grows with the subsets and keeps what it had.
void SetChartSize(ChartState& state, std::int32_t subsets, std::int32_t points);
// Grows the annotation table so that index exists; false for a negative or absurd index.
bool EnsureAnnotation(ChartState& state, int index);

constexpr std::int32_t MaxSubsets = 64;
constexpr std::int32_t MaxPoints = 4'000'000;
constexpr int MaxAnnotations = 100'000;
