#include "graph/ui/PrepareChart.h"

#include "graph/ui/ChartFile.h"
#include "graph/ui/PESGraph.h"

#include <QFileInfo>

namespace {

void SizeAndScales(PESGraph& chart, int subsets, float top, float bottom, double latest,
                   double earliest, int points)
{
    ChartState& s = chart.State();
    s.PrepareImages = true;
    s.NullDataValueY = NullValue;
    s.SubsetByPoint = false;
    chart.SetSize(subsets, points);
    s.AllowPopup = false;
    s.NoHelp = true;
    s.ManualScaleControlY = sgManualMinAndMax;
    s.ManualMinY = bottom;
    s.ManualMaxY = top;
    if (earliest != 0.0) {
        s.ManualScaleControlX = sgManualMinAndMax;
        s.ManualMinX = earliest;
        s.ManualMaxX = latest;
    }
    s.AllowDataLabels = sgNoDataLabels;
}

void DefaultLook(ChartState& s)
{
    s.ShowVertLineAnnotations = true;
    s.AllowVertLineAnnotHotSpots = true;
    s.LineAnnotationTextSize = 100;
    s.ShowGraphAnnotations = true;
    s.GraphAnnotationTextSize = 100;
    s.GridStyle = sgDot;
    s.MainTitle.clear();
    s.SubTitle = QStringLiteral(" ");
    s.SubsetLabels.at(0) = QStringLiteral("dB");
    s.DateTimeMode = sgVBDateTime;
    s.UsingXDataII = true;
    s.XAxisLabel = QStringLiteral("Time");
    s.AllowZooming = sgHorzPlusVertZooming;
    s.ScrollingHorzZoom = true;
    s.ScrollingVertZoom = true;
    s.SubsetColors.at(0) = PEargb(255, 0, 0, 0);
    s.SubsetLineTypes.at(0) = 0;
    s.ArrowCursor = 1;
    s.YAxisColor = PEargb(255, 255, 0, 0);
}

void Finish(PESGraph& chart)
{
    chart.State().WorkingAxis = 0;
    chart.State().AllowGraphAnnotHotSpots = true;
    chart.Refresh();
}

}  // namespace

void PrepareChart(PESGraph& chart, int subsets, float top, float bottom, double latest,
                  double earliest, int points)
{
    const bool fromTemplate = QFileInfo::exists(TemplatePath()) && ReadGraphFile(chart, TemplatePath());
    // The template gives the look, never the facts of the graph it was saved from.
    chart.State().Facts = {};
    SizeAndScales(chart, subsets, top, bottom, latest, earliest, points);
    if (!fromTemplate)
        DefaultLook(chart.State());
    Finish(chart);
}

void ResetChart(PESGraph& chart, int subsets, float top, float bottom, double latest,
                double earliest, int points)
{
    SizeAndScales(chart, subsets, top, bottom, latest, earliest, points);
    Finish(chart);
}
