#include "graph/ui/TfrmGraph.h"

#include "graph/SamplingRate.h"
#include "graph/ui/ChartFile.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/PrepareChart.h"
#include "graph/ui/ToolCursors.h"
#include "graph/ui/Tslider2.h"
#include "recording/ChartRecording.h"
#include "shell/Clock.h"
#include "shell/FloatExceptions.h"
#include "shell/Formats.h"
#include "shell/Settings.h"
#include "shell/ui/LongTask.h"
#include "shell/ui/Prompts.h"
#include "shell/ui/StringGrid.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolButton>
#include <qcustomplot.h>

#include <utility>

TfrmGraph::TfrmGraph(const GraphServices& services, QWidget* parent)
    : QWidget(parent), services(&services), role(std::make_unique<GraphRole>())
{
    BuildControls();
    setWindowTitle(QStringLiteral("Graph"));
    connect(PESGraph1, &PESGraph::OnCustomizeDlg, this, &TfrmGraph::PESGraph1CustomizeDlg);
    connect(PESGraph1, &PESGraph::OnZoomIn, this, &TfrmGraph::PESGraph1ZoomIn);
    connect(PESGraph1, &PESGraph::OnMouseMove, this, &TfrmGraph::PESGraph1MouseMove);
    connect(PESGraph1, &PESGraph::OnClick, this, &TfrmGraph::PESGraph1Click);
    connect(ToolButton13, &QToolButton::clicked, this, &TfrmGraph::ToolButton13Click);
    // The plot area is known once the chart has laid itself out.
    connect(PESGraph1->Plot(), &QCustomPlot::afterLayout, this, &TfrmGraph::FormResize);
    FormCreate();
}

QMdiSubWindow* TfrmGraph::ShowInArea(QMdiArea* area)
{
    QMdiSubWindow* window = area->addSubWindow(this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    const QMargins frame = window->contentsMargins();
    window->resize(1152 + frame.left() + frame.right(), 699 + frame.top() + frame.bottom());
    const QRect space = area->viewport()->rect();
    window->move(std::max(0, (space.width() - window->width()) / 2),
                 std::max(0, (space.height() - window->height()) / 2));
    window->show();
    return window;
}

QMdiSubWindow* TfrmGraph::ShowInArea(QMdiArea* area, const QRect& geometry)
{
    QMdiSubWindow* window = ShowInArea(area);
    window->setGeometry(geometry);
    return window;
}

TfrmGraph::~TfrmGraph() = default;

void TfrmGraph::ShowRecording(Recording shown)
{
    recording = std::move(shown);
    const int count = static_cast<int>(recording.Count());
    if (PESGraph1->Points() < count)
        PESGraph1->SetSize(std::max(1, PESGraph1->Subsets()), count);
    PESGraph1->SetSubsetData(0, recording.times.data(), recording.levels.data(), count);
    PESGraph1->State().Facts = FactsOf(recording);
}

void TfrmGraph::BeginRecording(Recording facts, int capacity)
{
    recording = std::move(facts);
    recording.times.clear();
    recording.levels.clear();
    PESGraph1->SetSize(PESGraph1->Subsets(), capacity);
    PESGraph1->State().Facts = FactsOf(recording);
}

bool TfrmGraph::AppendSample(double time, float level)
{
    const auto index = static_cast<int>(recording.Count());
    if (index >= PESGraph1->Points())
        return false;
    recording.times.push_back(time);
    recording.levels.push_back(level);
    PESGraph1->SetPoint(0, index, time, level);
    return true;
}

void TfrmGraph::SetRecordingSource(const QString& file, int set)
{
    recording.sourceFile = file;
    recording.set = set;
}

std::pair<int, int> TfrmGraph::CursorPoints() const { return {Slider1->Value1(), Slider1->Value2()}; }

void TfrmGraph::MoveCursors(int pointA, int pointB)
{
    SetSlider(Slider1->Minimum(), Slider1->Maximum(), pointA, pointB);
}

void TfrmGraph::SetRole(std::unique_ptr<GraphRole> newRole)
{
    role = std::move(newRole);
    pnlDataSets->setVisible(IsDataLoggerWindow());
    tbntSep3->setVisible(IsRealTimeWindow());
    tbntClrAction->setVisible(IsRealTimeWindow());
}

void TfrmGraph::FormCreate()
{
    const char* headings[] = {"Set", "DATE", "TIME", "Rate", "Nums", "A/C", "Fa/Sl", "LEVEL"};
    const int widths[] = {25, 60, 60, 40, 40, 40, 40, 60};
    for (int column = 0; column < 8; ++column) {
        Grid2->SetCell(column, 0, QString::fromLatin1(headings[column]));
        Grid2->SetCell(column, 1, QString());
        Grid2->SetColWidth(column, widths[column]);
    }
}

void TfrmGraph::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shownOnce)
        return;
    shownOnce = true;
    FormShow();
}

void TfrmGraph::FormShow()
{
    ToolButton6->setChecked(true);
    PESGraph1->SetArrowCursor(1);
    ToolButton4->setChecked(true);
    Tools.ToolMode = NormalPointer;
    if (services->DiscardFloatError())
        MaskFloatExceptions();
    // Rewriting the items must not replace the rate the window already shows.
    const QString shown = txtSamplingRate->currentText();
    const int rates[] = {1, 2, 5, 10, 20, 30};
    for (int i = 0; i < 6 && i < txtSamplingRate->count(); ++i)
        txtSamplingRate->setItemText(i, OneDecimalText(rates[i]));
    txtSamplingRate->setEditText(shown);
    RedrawChart();
}

void TfrmGraph::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TfrmGraph::FormResize()
{
    const QRect area = PESGraph1->PlotArea();
    const int left = pnlSlider->mapFrom(this, PESGraph1->mapTo(this, area.topLeft())).x();
    const QRect wanted(left, 0, area.width(), pnlSlider->height());
    if (Slider1->geometry() != wanted)
        Slider1->setGeometry(wanted);
}

void TfrmGraph::pnlGraphResize()
{
    Panel12->adjustSize();
    Panel12->move(PESGraph1->geometry().topLeft());
}

bool TfrmGraph::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pnlGraph && event->type() == QEvent::Resize)
        pnlGraphResize();
    return QWidget::eventFilter(watched, event);
}

void TfrmGraph::RedrawChart()
{
    PESGraph1->Refresh();
}

void TfrmGraph::ToolButton1Click()
{
    pnlGraphStatistic->setVisible(ToolButton1->isChecked());
    pnlGraphResize();
}

void TfrmGraph::ToolButton2Click()
{
    pnlStatistic->setVisible(ToolButton2->isChecked());
    PESGraph1->SetShowVertLineAnnotations(ToolButton2->isChecked());
    RedrawChart();
}

void TfrmGraph::ToolButton4Click()
{
    PESGraph1->SetArrowCursor(1);
    Tools.ToolMode = NormalPointer;
}

void TfrmGraph::ToolButton5Click()
{
    PESGraph1->SetCustomCursor(CrossCursor());
    PESGraph1->SetArrowCursor(0);
    Tools.ToolMode = PlaceCross;
}

void TfrmGraph::ToolButton9Click()
{
    PESGraph1->SetArrowCursor(2);
    Tools.ToolMode = PlaceText;
}

void TfrmGraph::ToolButton6Click()
{
    PESGraph1->SetViewingStyle(ToolButton7->isChecked() ? sgMonochrome : sgColor);
    RedrawChart();
}

void TfrmGraph::tbntClrClick()
{
    setWindowTitle(RealTimeCaption);
    const double now = CurrentClock().Now();
    ResetChart(*PESGraph1, 1, 130.0f, 30.0f, now + 30 * OneSecond, now, 200);
    recording.times.clear();
    recording.levels.clear();
    role->Cleared();
    ChartState& state = PESGraph1->State();
    for (int i = 3; i <= Tools.LastAnnotation && i < static_cast<int>(state.GraphAnnotations.size()); ++i) {
        state.GraphAnnotations[static_cast<std::size_t>(i)].X = 0.0;
        state.GraphAnnotations[static_cast<std::size_t>(i)].Y = 0.0;
    }
    Tools.LastAnnotation = 3;
    RedrawChart();
}

void TfrmGraph::bunCalLEQClick()
{
    services->CalLeq(*this);
}

void TfrmGraph::btnNoiseMetricsClick()
{
    if (services->NoiseMetrics)
        services->NoiseMetrics(*this);
}

void TfrmGraph::btnReportClick()
{
    if (services->Report)
        services->Report(*this);
}

void TfrmGraph::PESGraph1ZoomIn()
{
    UndoZoom->setEnabled(true);
}

void TfrmGraph::UndoZoomClick()
{
    PESGraph1->UndoZoom();
    UndoZoom->setEnabled(false);
}

void TfrmGraph::Button1Click()
{
    PESGraph1->Customize();
}

void TfrmGraph::PESGraph1CustomizeDlg()
{
    if (PESGraph1->DialogResult() != 1)
        return;
    if (CurrentPrompts().AskYesNo(QStringLiteral("Do you want to save the changes ?")) == Prompts::Answer::Yes)
        SaveTemplate(*PESGraph1);
}

void TfrmGraph::txtSamplingRateChange()
{
    bool ok = false;
    const double rate = ReadNumber(txtSamplingRate->currentText(), &ok);
    if (role->ChooseRate(ok && IsValidSamplingRate(rate) ? rate : 0.0))
        return;
    const QString entry = RateSelectionText(static_cast<float>(role->RateShown()));
    if (!entry.isEmpty()) {
        const QSignalBlocker quiet(txtSamplingRate);
        txtSamplingRate->setCurrentIndex(txtSamplingRate->findText(entry));
        txtSamplingRate->setEditText(entry);
    }
    CurrentPrompts().ShowMessage(QStringLiteral("Can not change Sampling Rate while Real-Time is running."));
}

bool TfrmGraph::AskToSave(const QString& question)
{
    switch (CurrentPrompts().AskYesNoCancel(question)) {
    case Prompts::Answer::Cancel:
        return false;
    case Prompts::Answer::No:
        return true;
    case Prompts::Answer::Yes:
        break;
    }
    // A save that wrote nothing keeps the window, its data and its mark.
    if (!services->Save(*this))
        return false;
    role->MarkSaved();
    return true;
}

bool TfrmGraph::AskAboutUnsavedData()
{
    const QString question = role->UnsavedQuestion();
    return question.isEmpty() || AskToSave(question);
}

bool TfrmGraph::FormCloseQuery()
{
    return AskAboutUnsavedData() && (!SurveyUnsaved() || AskToSaveSurvey());
}

void TfrmGraph::FormClose()
{
    role->Closed();
    emit Closed();
}

void TfrmGraph::CloseAnswered()
{
    closeAnswered = true;
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (frame)
        frame->close();
    else
        close();
    closeAnswered = false;
}

void TfrmGraph::closeEvent(QCloseEvent* event)
{
    // The DataLogger window is where a download goes: closing it stops the download.
    if (PutOffClose(*this, IsDataLoggerWindow()) || !(std::exchange(closeAnswered, false) || FormCloseQuery())) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}
