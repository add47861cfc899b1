#include "graph/ui/PESGraph.h"

#include "files/ChartStateBlock.h"
#include "graph/ui/TfrmCustomize.h"
#include "print/ui/SharedPrinter.h"
#include "shell/ui/Prompts.h"

#include <QPicture>
#include <QPrinter>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include <algorithm>

PESGraph::PESGraph(QWidget* parent) : QWidget(parent), plot(new QCustomPlot(this))
{
    plot->setObjectName(QStringLiteral("Plot"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot);

    // Thin unsmoothed lines draw 100,000 points several times faster.
    plot->setNotAntialiasedElements(QCP::aeAll);
    plot->setAntialiasedElements(QCP::aeNone);
    plot->setPlottingHints(QCP::phCacheLabels | QCP::phFastPolylines);
    plot->setBackground(Qt::white);

    // Every buffered layer, and every run of unbuffered layers between them, costs a paint
    // buffer the size of the plot (6 MB at 1600x1000). The two lines share the top layer's
    // buffer with the zoom rectangle, so that moving either redraws that buffer alone, and
    // everything below is one buffer: two in all.
    lineLayer = plot->layer(QStringLiteral("overlay"));
    lineLayer->setMode(QCPLayer::lmBuffered);

    QFont titleFont = font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    titleFont.setBold(true);
    mainTitle = new QCPTextElement(plot, QString(), titleFont);
    subTitle = new QCPTextElement(plot, QString(), font());
    plot->plotLayout()->setRowSpacing(0);

    for (int i = 0; i < 2; ++i) {
        const QColor color = i == 0 ? QColor(0, 0, 230) : QColor(220, 0, 0);
        vertLines[i] = new QCPItemStraightLine(plot);
        vertLines[i]->setLayer(lineLayer);
        vertLines[i]->setPen(QPen(color, 1));
        vertLines[i]->point1->setTypeY(QCPItemPosition::ptAxisRectRatio);
        vertLines[i]->point2->setTypeY(QCPItemPosition::ptAxisRectRatio);
        vertLabels[i] = new QCPItemText(plot);
        vertLabels[i]->setLayer(lineLayer);
        vertLabels[i]->setColor(color);
        vertLabels[i]->setPadding(QMargins(3, 2, 3, 2));
        vertLabels[i]->setBrush(QBrush(QColor(255, 255, 255, 220)));
        vertLabels[i]->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
        vertLabels[i]->setTextAlignment(Qt::AlignLeft);
    }

    connect(plot, &QCustomPlot::afterLayout, this, &PESGraph::UpdateThinning);

    plot->setSelectionRectMode(QCP::srmCustom);
    connect(plot->selectionRect(), &QCPSelectionRect::accepted, this,
            [this](const QRect& rect, QMouseEvent*) { ZoomTo(rect); });
    connect(plot, &QCustomPlot::mousePress, this, &PESGraph::MousePressed);
    connect(plot, &QCustomPlot::mouseMove, this, &PESGraph::MouseMoved);
    connect(plot, &QCustomPlot::mouseRelease, this, &PESGraph::MouseReleased);
    connect(plot, &QCustomPlot::mouseWheel, this, &PESGraph::WheelTurned);

    SetSize(1, 0);
}

ChartState& PESGraph::State()
{
    MarkAll();
    return state;
}

void PESGraph::SetManualX(double minimum, double maximum)
{
    state.ManualMinX = minimum;
    state.ManualMaxX = maximum;
    rangesDirty = true;
}

void PESGraph::MarkAll()
{
    lookDirty = rangesDirty = annotationsDirty = linesDirty = true;
    std::fill(fullSync.begin(), fullSync.end(), true);
}

void PESGraph::SetSize(int subsets, int points)
{
    SetChartSize(state, subsets, points);
    MarkAll();
}

double PESGraph::XDataII(int subset, int point) const
{
    if (subset < 0 || subset >= state.Subsets || point < 0 || point >= state.Points)
        return 0.0;
    return state.XDataII[static_cast<std::size_t>(subset) * state.Points + point];
}

float PESGraph::YData(int subset, int point) const
{
    if (subset < 0 || subset >= state.Subsets || point < 0 || point >= state.Points)
        return static_cast<float>(state.NullDataValueY);
    return state.YData[static_cast<std::size_t>(subset) * state.Points + point];
}

const double* PESGraph::XSubset(int subset) const
{
    return state.XDataII.data() + static_cast<std::size_t>(std::clamp(subset, 0, state.Subsets - 1)) * state.Points;
}

const float* PESGraph::YSubset(int subset) const
{
    return state.YData.data() + static_cast<std::size_t>(std::clamp(subset, 0, state.Subsets - 1)) * state.Points;
}

void PESGraph::SetPoint(int subset, int point, double x, float y)
{
    if (subset < 0 || subset >= state.Subsets || point < 0 || point >= state.Points)
        return;
    const std::size_t at = static_cast<std::size_t>(subset) * state.Points + point;
    state.XDataII[at] = x;
    state.YData[at] = y;
    const auto s = static_cast<std::size_t>(subset);
    if (s < syncedUpTo.size()) {
        if (point < syncedUpTo[s])
            fullSync[s] = true;
        else
            setUpTo[s] = std::max(setUpTo[s], point + 1);
    }
    rangesDirty = true;
}

void PESGraph::AppendPoint(int subset, double x, float y)
{
    if (subset < 0 || subset >= state.Subsets || state.Points >= MaxPoints)
        return;
    const auto null = static_cast<float>(state.NullDataValueY);
    if (state.Subsets == 1) {
        state.XDataII.push_back(0.0);
        state.YData.push_back(null);
    } else {
        // Subset-major storage: every subset grows by one point at its own end.
        for (int s = state.Subsets; s >= 1; --s) {
            const auto end = static_cast<std::ptrdiff_t>(s) * state.Points;
            state.XDataII.insert(state.XDataII.begin() + end, 0.0);
            state.YData.insert(state.YData.begin() + end, null);
        }
    }
    ++state.Points;
    SetPoint(subset, state.Points - 1, x, y);
}

void PESGraph::SetSubsetData(int subset, const double* x, const float* y, int count)
{
    if (subset < 0 || subset >= state.Subsets || count <= 0)
        return;
    count = std::min(count, state.Points);
    const std::size_t at = static_cast<std::size_t>(subset) * state.Points;
    std::copy(x, x + count, state.XDataII.begin() + static_cast<std::ptrdiff_t>(at));
    std::copy(y, y + count, state.YData.begin() + static_cast<std::ptrdiff_t>(at));
    if (static_cast<std::size_t>(subset) < fullSync.size())
        fullSync[static_cast<std::size_t>(subset)] = true;
    rangesDirty = true;
}

void PESGraph::SetGraphAnnotation(int index, const GraphAnnotation& annotation)
{
    if (!EnsureAnnotation(state, index))
        return;
    state.GraphAnnotations[static_cast<std::size_t>(index)] = annotation;
    annotationsDirty = true;
}

GraphAnnotation PESGraph::GraphAnnotationAt(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= state.GraphAnnotations.size())
        return {};
    return state.GraphAnnotations[static_cast<std::size_t>(index)];
}

void PESGraph::SetVertLineAnnotation(int line, double x, const QString& text)
{
    if (line < 0 || line > 1)
        return;
    state.VertLineAnnotation[static_cast<std::size_t>(line)] = x;
    state.VertLineAnnotationText[static_cast<std::size_t>(line)] = text;
    linesDirty = true;
}

void PESGraph::SetShadedSpans(std::vector<ShadedSpan> spans)
{
    if (spans == shadedSpans)
        return;
    shadedSpans = std::move(spans);
    shadingDirty = true;
}

void PESGraph::SetShowVertLineAnnotations(bool show)
{
    state.ShowVertLineAnnotations = show;
    linesDirty = true;
}

void PESGraph::Refresh()
{
    SyncData();
    const bool full = lookDirty || rangesDirty || annotationsDirty || shadingDirty;
    if (shadingDirty)
        BuildShading();
    if (lookDirty)
        ApplyLook();
    if (rangesDirty)
        ApplyRanges();
    if (annotationsDirty)
        BuildAnnotations();
    if (linesDirty || full)
        PlaceVertLines();
    if (full)
        plot->replot();
    else if (linesDirty)
        lineLayer->replot();
    lookDirty = rangesDirty = annotationsDirty = linesDirty = shadingDirty = false;
}

void PESGraph::ReinitAndReset()
{
    MarkAll();
    Refresh();
}

void PESGraph::SetViewingStyle(int style)
{
    state.ViewingStyle = style;
    lookDirty = annotationsDirty = true;
}

bool PESGraph::Customize()
{
    TfrmCustomize dialog(state, this);
    dialogResult = CurrentPrompts().RunModal(dialog) == QDialog::Accepted ? 1 : 0;
    if (dialogResult == 1) {
        dialog.ApplyTo(state);
        MarkAll();
        Refresh();
    }
    emit OnCustomizeDlg();
    return dialogResult == 1;
}

QPicture PESGraph::Picture(QSize size)
{
    if (size.isEmpty())
        size = plot->size();
    QPicture picture;
    QCPPainter recorder;
    if (!recorder.begin(&picture))
        return picture;
    recorder.setMode(QCPPainter::pmVectorized);
    recorder.setMode(QCPPainter::pmNoCaching);
    // The curves' cosmetic pens, one screen pixel wide whatever the scale, would shrink to one
    // dot of a printer's or a PDF's resolution: on paper they keep the width they have on the
    // screen, scaled with the chart.
    std::vector<QPen> screenPens;
    for (QCPGraph* graph : graphs) {
        screenPens.push_back(graph->pen());
        QPen paper = graph->pen();
        paper.setCosmetic(false);
        graph->setPen(paper);
    }
    plot->toPainter(&recorder, size.width(), size.height());
    recorder.end();
    for (std::size_t i = 0; i < graphs.size(); ++i)
        graphs[i]->setPen(screenPens[i]);
    // Drawing at another size laid the chart out for it; the screen gets its own layout back.
    if (size != plot->size())
        plot->replot();
    return picture;
}

bool PESGraph::PrintDialog()
{
    if (!CurrentPrompts().PrintDialog(SharedPrinter()))
        return false;
    const std::unique_ptr<QPrinter> job = PrinterForOnePrintout();
    QPrinter& printer = *job;
    const QPicture picture = Picture();
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // A picture plays back at its own size in inches; it is scaled from there to fill the page.
    const QRectF page = printer.pageRect(QPrinter::Inch);
    const double scale = std::min(page.width() * picture.logicalDpiX() / std::max(1, plot->width()),
                                  page.height() * picture.logicalDpiY() / std::max(1, plot->height()));
    painter.scale(scale, scale);
    painter.drawPicture(0, 0, picture);
    return painter.end();
}

QByteArray PESGraph::StoreState() const
{
    return StoreChartState(state);
}

bool PESGraph::LoadState(const QByteArray& block, QString* error)
{
    std::optional<ChartState> loaded = LoadChartState(block, error);
    if (!loaded)
        return false;
    state = std::move(*loaded);
    zoomStack.clear();
    MarkAll();
    return true;
}
