#pragma once
#include "files/ChartState.h"
#include "graph/ColumnThinning.h"

#include <QByteArray>
#include <QColor>
#include <QCursor>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QVector>
#include <QWidget>

#include <optional>
#include <vector>

class QCustomPlot;
class QPicture;
class QCPGraph;
class QCPGraphData;
class QCPLayer;
class QCPAbstractItem;
class QCPItemRect;
class QCPItemStraightLine;
class QCPItemText;
class QCPTextElement;
class QCPRange;
class QMouseEvent;
class QWheelEvent;

// The program's chart: keeps its whole state in a ChartState and draws it with QCustomPlot.
// Changes are collected and applied by Refresh(), which redraws only what changed: moving
// the two vertical lines repaints their own layer, not the points.
class PESGraph : public QWidget {
    Q_OBJECT
public:
    explicit PESGraph(QWidget* parent = nullptr);

    // The whole state. The non-const access assumes everything may change.
    const ChartState& State() const { return state; }
    ChartState& State();

    // Data
    int Subsets() const { return state.Subsets; }
    int Points() const { return state.Points; }
    void SetSize(int subsets, int points);  // every point emptied (X 0.0, Y null)
    double XDataII(int subset, int point) const;
    float YData(int subset, int point) const;
    void SetPoint(int subset, int point, double x, float y);
    // Adds one point at the end of every subset; the others' new points are null.
    void AppendPoint(int subset, double x, float y);
    // Bulk set of the first count points of a subset (count is cut at Points).
    void SetSubsetData(int subset, const double* x, const float* y, int count);
    const double* XSubset(int subset) const;
    const float* YSubset(int subset) const;

    // Annotations
    void SetGraphAnnotation(int index, const GraphAnnotation& annotation);
    GraphAnnotation GraphAnnotationAt(int index) const;  // an unused index gives type 0, empty
    void SetVertLineAnnotation(int line, double x, const QString& text);
    void SetShowVertLineAnnotations(bool show);
    // Spans of time shaded behind the points, the full height of the plot: the window's marks
    // of what the analysis leaves out or found, never stored with the chart.
    struct ShadedSpan {
        double from = 0.0;  // days
        double to = 0.0;
        QColor color;
        bool operator==(const ShadedSpan&) const = default;
    };
    void SetShadedSpans(std::vector<ShadedSpan> spans);
    const std::vector<ShadedSpan>& ShadedSpans() const { return shadedSpans; }

    // Commands
    void Refresh();          // apply the changes and redraw what they touch
    void ReinitAndReset();   // rebuild everything from the state
    bool Customize();        // the customization dialog; true when accepted
    int DialogResult() const { return dialogResult; }
    bool PrintDialog();      // print through the print dialog; false when cancelled
    // The chart as vector graphics, laid out at a size in screen pixels (its own when empty),
    // for a page to scale: laid out on a printer directly, it would be measured at the
    // screen's resolution and its texts drawn at the printer's, many times larger.
    QPicture Picture(QSize size = {});
    void UndoZoom();
    bool Zoomed() const { return !zoomStack.empty(); }
    void SetCustomCursor(const QCursor& cursor);  // shown for ArrowCursor values other than 1, 2
    // Look changes that leave the points alone, so that they are not handed over again.
    void SetArrowCursor(int cursor);
    void SetViewingStyle(int style);
    // The manual time scale alone, so that a growing real-time axis does not hand the points
    // over again.
    void SetManualX(double minimum, double maximum);

    // Geometry, in this widget's pixels
    QPoint LastMousePos() const { return lastMousePos; }
    QRect PlotArea() const;
    QPointF PixelToData(QPointF pixel) const;
    QPointF DataToPixel(QPointF data) const;

    // The state block of graph files and the template.
    QByteArray StoreState() const;
    bool LoadState(const QByteArray& block, QString* error = nullptr);

    QCustomPlot* Plot() const { return plot; }

signals:
    void OnClick();
    void OnMouseMove();
    void OnMouseUp();
    void OnZoomIn();
    void OnCustomizeDlg();

private:
    void MarkAll();
    void ApplyLook();
    void ApplyRanges();
    void SyncData();
    void SyncSubset(int subset);
    QVector<QCPGraphData> PlotPoints(int subset, int from, int end, double lastKey, bool& sorted) const;
    void UpdateThinning();
    void ShowThinned(int subset);
    void BuildAnnotations();
    void PlaceVertLines();
    void BuildShading();
    void ApplyCursorShape();
    void ZoomTo(const QRect& rect);
    void MousePressed(QMouseEvent* event);
    void MouseMoved(QMouseEvent* event);
    void MouseReleased(QMouseEvent* event);
    void WheelTurned(QWheelEvent* event);

    ChartState state;
    QCustomPlot* plot;
    QCPLayer* lineLayer = nullptr;
    QCPTextElement* mainTitle = nullptr;
    QCPTextElement* subTitle = nullptr;
    std::vector<QCPGraph*> graphs;
    std::vector<int> syncedUpTo;   // per subset: points already handed to the plot
    std::vector<int> setUpTo;      // per subset: one past the last point set beyond those since
                                   // the last hand-over
    std::vector<bool> fullSync;    // per subset: the plot's copy must be rebuilt
    // Per subset: a long series' times never decrease, and the plot is handed only the points
    // it draws of it; the chart's state keeps every point for every reading.
    std::vector<bool> sortedKeys;
    std::vector<std::optional<ColumnThinning>> thinnings;
    std::vector<QCPAbstractItem*> annotationItems;
    std::vector<ShadedSpan> shadedSpans;
    std::vector<QCPItemRect*> shadingItems;
    QCPItemStraightLine* vertLines[2] = {};
    QCPItemText* vertLabels[2] = {};
    struct Ranges {
        double xLower, xUpper, yLower, yUpper;
    };
    std::vector<Ranges> zoomStack;
    bool lookDirty = true;
    bool rangesDirty = true;
    bool annotationsDirty = true;
    bool linesDirty = true;
    bool shadingDirty = false;
    int dialogResult = 0;
    QPoint lastMousePos;
    QPoint pressPos;
    QCursor customCursor;
};
