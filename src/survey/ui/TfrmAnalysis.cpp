#include "survey/ui/TfrmAnalysis.h"

#include "graph/ui/GraphCompanion.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmGraph.h"
#include "recording/AnalysedRecording.h"
#include "survey/SurveyMetrics.h"
#include "leq/LevelDistribution.h"
#include "leq/Periods.h"
#include "shell/Formats.h"
#include "survey/SeriesTables.h"
#include "survey/ui/AnalysisTableView.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <span>

namespace {

constexpr int DefaultPeriodMinutes = 15;
constexpr double DefaultClassWidthDb = 1.0;
const double ClassWidths[] = {0.1, 0.2, 0.5, 1.0, 2.0, 5.0};

QString PeriodLengthText(int minutes)
{
    return minutes == 1440 ? QStringLiteral("1 day") : QStringLiteral("%1 min").arg(minutes);
}

QDoubleSpinBox* SpinBox(QWidget* parent, const QString& name, double minimum, double maximum, const QString& suffix)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(minimum, maximum);
    box->setDecimals(1);
    box->setSuffix(suffix);
    box->setKeyboardTracking(false);
    return box;
}

QLineEdit* SpanBox(QWidget* parent, const QString& name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaximumWidth(110);
    box->setToolTip(QStringLiteral("Hours as 07-19, or 07:30-19:00"));
    return box;
}

QLabel* ProblemLabel(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: #b00000;"));
    label->hide();
    return label;
}

void ShowProblem(QLabel* label, const QString& problem)
{
    label->setText(problem);
    label->setVisible(!problem.isEmpty());
}

}  // namespace

TfrmAnalysis::TfrmAnalysis(TfrmGraph& graph, QWidget* parent) : QWidget(parent), source(&graph)
{
    setWindowTitle(QStringLiteral("Analysis"));
    lblGraph = new QLabel(this);
    lblGraph->setObjectName(QStringLiteral("lblGraph"));
    lblGraph->setStyleSheet(QStringLiteral("font-weight: bold;"));
    AnalysisTabs = new QTabWidget(this);
    AnalysisTabs->setObjectName(QStringLiteral("AnalysisTabs"));
    AnalysisTabs->addTab(tabPeriods = BuildPeriods(), QStringLiteral("Periods"));
    AnalysisTabs->addTab(tabDen = BuildDen(), QStringLiteral("Day\u2013Evening\u2013Night"));
    AnalysisTabs->addTab(tabEvents = BuildEvents(), QStringLiteral("Events"));
    AnalysisTabs->addTab(tabDistribution = BuildDistribution(), QStringLiteral("Distribution"));
    AnalysisTabs->addTab(tabExposure = BuildExposure(), QStringLiteral("Exposure"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblGraph);
    lblOffset = new QLabel(this);
    lblOffset->setObjectName(QStringLiteral("lblOffset"));
    lblOffset->setWordWrap(true);
    lblOffset->hide();
    layout->addWidget(lblOffset);
    layout->addWidget(AnalysisTabs, 1);

    ShowSettings(graph.GraphSurvey().analysis);
    recomputeTimer.setSingleShot(true);
    recomputeTimer.setInterval(0);
    connect(&recomputeTimer, &QTimer::timeout, this, &TfrmAnalysis::Recompute);
    // New points: a real-time sample counts itself in the box; a new chart reseats the cursors.
    connect(graph.txtDataNo, &QLineEdit::textChanged, this, &TfrmAnalysis::RecomputeLater);
    connect(&graph, &TfrmGraph::CursorsMoved, this, &TfrmAnalysis::RecomputeLater);
    connect(&graph, &TfrmGraph::SurveyChanged, this, &TfrmAnalysis::RecomputeLater);
    connect(&graph, &QWidget::windowTitleChanged, this, &TfrmAnalysis::RecomputeLater);
    connect(AnalysisTabs, &QTabWidget::currentChanged, this, &TfrmAnalysis::MarkEvents);
    connect(EventsTable->Grid, &StringGrid::CellClicked, this, [this](int, int row) { EventClicked(row); });
    Recompute();
}

TfrmAnalysis::~TfrmAnalysis()
{
    // The marks are this window's: they go with it.
    if (source)
        source->SetEventMarks({});
}

TfrmGraph* TfrmAnalysis::Source() const
{
    return source;
}

QWidget* TfrmAnalysis::BuildPeriods()
{
    auto* tab = new QWidget(this);
    cboPeriodLength = new QComboBox(tab);
    cboPeriodLength->setObjectName(QStringLiteral("cboPeriodLength"));
    for (const int minutes : PeriodMinutes)
        cboPeriodLength->addItem(PeriodLengthText(minutes), minutes);
    lblPeriodsProblem = ProblemLabel(tab, QStringLiteral("lblPeriodsProblem"));
    PeriodsTable = new AnalysisTableView(QStringLiteral("Periods"), tab);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Period length"), tab));
    row->addWidget(cboPeriodLength);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(row);
    layout->addWidget(lblPeriodsProblem);
    layout->addWidget(PeriodsTable, 1);
    connect(cboPeriodLength, &QComboBox::currentIndexChanged, this, &TfrmAnalysis::SettingsChanged);
    return tab;
}

QWidget* TfrmAnalysis::BuildDen()
{
    auto* tab = new QWidget(this);
    txtDay = SpanBox(tab, QStringLiteral("txtDay"));
    txtEvening = SpanBox(tab, QStringLiteral("txtEvening"));
    txtNight = SpanBox(tab, QStringLiteral("txtNight"));
    spnEveningPenalty = SpinBox(tab, QStringLiteral("spnEveningPenalty"), 0.0, 20.0, QStringLiteral(" dB"));
    spnNightPenalty = SpinBox(tab, QStringLiteral("spnNightPenalty"), 0.0, 20.0, QStringLiteral(" dB"));
    spnNightRank = new QSpinBox(tab);
    spnNightRank->setObjectName(QStringLiteral("spnNightRank"));
    spnNightRank->setRange(1, 1000);
    spnNightRank->setKeyboardTracking(false);
    lblDenProblem = ProblemLabel(tab, QStringLiteral("lblDenProblem"));
    DenTable = new AnalysisTableView(QStringLiteral("Den"), tab);
    auto* bounds = new QGridLayout;
    bounds->addWidget(new QLabel(QStringLiteral("Day"), tab), 0, 0);
    bounds->addWidget(txtDay, 0, 1);
    bounds->addWidget(new QLabel(QStringLiteral("Evening"), tab), 0, 2);
    bounds->addWidget(txtEvening, 0, 3);
    bounds->addWidget(new QLabel(QStringLiteral("Night"), tab), 0, 4);
    bounds->addWidget(txtNight, 0, 5);
    bounds->addWidget(new QLabel(QStringLiteral("Evening penalty"), tab), 1, 0);
    bounds->addWidget(spnEveningPenalty, 1, 1);
    bounds->addWidget(new QLabel(QStringLiteral("Night penalty"), tab), 1, 2);
    bounds->addWidget(spnNightPenalty, 1, 3);
    bounds->addWidget(new QLabel(QStringLiteral("Night's n-th highest, n"), tab), 1, 4);
    bounds->addWidget(spnNightRank, 1, 5);
    bounds->setColumnStretch(6, 1);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(bounds);
    layout->addWidget(lblDenProblem);
    layout->addWidget(DenTable, 1);
    for (QLineEdit* box : {txtDay, txtEvening, txtNight})
        connect(box, &QLineEdit::editingFinished, this, &TfrmAnalysis::SettingsChanged);
    for (QDoubleSpinBox* box : {spnEveningPenalty, spnNightPenalty})
        connect(box, &QDoubleSpinBox::valueChanged, this, &TfrmAnalysis::SettingsChanged);
    connect(spnNightRank, &QSpinBox::valueChanged, this, &TfrmAnalysis::SettingsChanged);
    return tab;
}

QWidget* TfrmAnalysis::BuildEvents()
{
    auto* tab = new QWidget(this);
    spnAbove = SpinBox(tab, QStringLiteral("spnAbove"), 20.0, 140.0, QStringLiteral(" dB"));
    spnFor = SpinBox(tab, QStringLiteral("spnFor"), 0.0, 86400.0, QStringLiteral(" s"));
    spnBridge = SpinBox(tab, QStringLiteral("spnBridge"), 0.0, 86400.0, QStringLiteral(" s"));
    lblEventSummary = new QLabel(tab);
    lblEventSummary->setObjectName(QStringLiteral("lblEventSummary"));
    EventsTable = new AnalysisTableView(QStringLiteral("Events"), tab);
    EventsTable->Grid->setToolTip(QStringLiteral("Click an event to put cursors A and B on it"));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("At or above"), tab));
    row->addWidget(spnAbove);
    row->addWidget(new QLabel(QStringLiteral("for at least"), tab));
    row->addWidget(spnFor);
    row->addWidget(new QLabel(QStringLiteral("bridging dips shorter than"), tab));
    row->addWidget(spnBridge);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(row);
    layout->addWidget(lblEventSummary);
    layout->addWidget(EventsTable, 1);
    for (QDoubleSpinBox* box : {spnAbove, spnFor, spnBridge})
        connect(box, &QDoubleSpinBox::valueChanged, this, &TfrmAnalysis::SettingsChanged);
    return tab;
}

QWidget* TfrmAnalysis::BuildDistribution()
{
    auto* tab = new QWidget(this);
    cboClassWidth = new QComboBox(tab);
    cboClassWidth->setObjectName(QStringLiteral("cboClassWidth"));
    for (const double width : ClassWidths)
        cboClassWidth->addItem(OneDecimalText(width) + QStringLiteral(" dB"), width);
    DistributionPlot = new QCustomPlot(tab);
    DistributionPlot->setObjectName(QStringLiteral("DistributionPlot"));
    DistributionPlot->setMinimumHeight(220);
    DistributionPlot->xAxis->setLabel(QStringLiteral("Level (dB)"));
    DistributionPlot->yAxis->setLabel(QStringLiteral("Time in class (%)"));
    DistributionPlot->yAxis2->setLabel(QStringLiteral("At or above (%)"));
    DistributionPlot->yAxis2->setVisible(true);
    DistributionPlot->yAxis2->setRange(0.0, 100.0);
    auto* bars = new QCPBars(DistributionPlot->xAxis, DistributionPlot->yAxis);
    bars->setName(QStringLiteral("Time in class"));
    bars->setPen(QPen(QColor(40, 90, 170)));
    bars->setBrush(QColor(70, 130, 210, 160));
    QCPGraph* cumulative = DistributionPlot->addGraph(DistributionPlot->xAxis, DistributionPlot->yAxis2);
    cumulative->setName(QStringLiteral("At or above"));
    cumulative->setPen(QPen(QColor(200, 60, 30), 2));
    HistogramTable = new AnalysisTableView(QStringLiteral("Histogram"), tab);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Class width"), tab));
    row->addWidget(cboClassWidth);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(row);
    layout->addWidget(DistributionPlot, 3);
    layout->addWidget(HistogramTable, 2);
    connect(cboClassWidth, &QComboBox::currentIndexChanged, this, &TfrmAnalysis::SettingsChanged);
    return tab;
}

QWidget* TfrmAnalysis::BuildExposure()
{
    auto* tab = new QWidget(this);
    ExposureTable = new AnalysisTableView(QStringLiteral("Exposure"), tab);
    lblVerdict = new QLabel(tab);
    lblVerdict->setObjectName(QStringLiteral("lblVerdict"));
    lblVerdict->setWordWrap(true);
    lblVerdict->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(lblVerdict);
    layout->addWidget(ExposureTable, 1);
    return tab;
}

void TfrmAnalysis::ShowSettings(const SurveyAnalysis& analysis)
{
    const DenSettings den = analysis.den.value_or(DenSettings{});
    const EventSettings events = analysis.events.value_or(EventSettings{});
    const int minutes = analysis.periodMinutes.value_or(DefaultPeriodMinutes);
    const double width = analysis.histogramWidthDb.value_or(DefaultClassWidthDb);
    QWidget* controls[] = {cboPeriodLength, txtDay, txtEvening, txtNight, spnEveningPenalty, spnNightPenalty,
                           spnNightRank, spnAbove, spnFor, spnBridge, cboClassWidth};
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QWidget* control : controls)
        blockers.push_back(std::make_unique<QSignalBlocker>(control));
    cboPeriodLength->setCurrentIndex(std::max(0, cboPeriodLength->findData(minutes)));
    txtDay->setText(DaySpanText(den.day));
    txtEvening->setText(DaySpanText(den.evening));
    txtNight->setText(DaySpanText(den.night));
    spnEveningPenalty->setValue(den.eveningPenaltyDb);
    spnNightPenalty->setValue(den.nightPenaltyDb);
    spnNightRank->setValue(den.nightRank);
    spnAbove->setValue(events.aboveDb);
    spnFor->setValue(events.minSeconds);
    spnBridge->setValue(events.bridgeSeconds);
    // A width a script wrote that the list does not hold is added to it.
    int widthIndex = -1;
    for (int i = 0; i < cboClassWidth->count(); ++i)
        if (std::abs(cboClassWidth->itemData(i).toDouble() - width) < 1e-9)
            widthIndex = i;
    if (widthIndex < 0 && IsClassWidth(width)) {
        cboClassWidth->addItem(OneDecimalText(width) + QStringLiteral(" dB"), width);
        widthIndex = cboClassWidth->count() - 1;
    }
    cboClassWidth->setCurrentIndex(widthIndex >= 0 ? widthIndex : cboClassWidth->findData(DefaultClassWidthDb));
}

SurveyAnalysis TfrmAnalysis::Settings() const
{
    SurveyAnalysis analysis;
    analysis.periodMinutes = cboPeriodLength->currentData().toInt();
    const std::optional<DaySpan> day = ReadDaySpan(txtDay->text());
    const std::optional<DaySpan> evening = ReadDaySpan(txtEvening->text());
    const std::optional<DaySpan> night = ReadDaySpan(txtNight->text());
    if (day && evening && night) {
        DenSettings den;
        den.day = *day;
        den.evening = *evening;
        den.night = *night;
        den.eveningPenaltyDb = spnEveningPenalty->value();
        den.nightPenaltyDb = spnNightPenalty->value();
        den.nightRank = spnNightRank->value();
        analysis.den = den;
    }
    analysis.events = EventSettings{spnAbove->value(), spnFor->value(), spnBridge->value()};
    analysis.histogramWidthDb = cboClassWidth->currentData().toDouble();
    return analysis;
}

void TfrmAnalysis::SettingsChanged()
{
    if (!source)
        return;
    SurveyAnalysis analysis = Settings();
    // Spans being typed keep the last good ones in the survey.
    if (!analysis.den)
        analysis.den = source->GraphSurvey().analysis.den;
    source->SetAnalysisSettings(analysis);
    Recompute();
}

void TfrmAnalysis::Recompute()
{
    recomputeTimer.stop();
    if (!source)
        return;
    const TfrmGraph& graph = *source;
    setWindowTitle(QStringLiteral("Analysis \u2013 ") + graph.Caption());
    const Recording& recording = graph.ShownRecording();
    lblGraph->setText(RecordingTitle(graph.Caption(), recording));
    const QString offset = OffsetNote(graph.GraphSurvey());
    lblOffset->setText(offset);
    lblOffset->setVisible(!offset.isEmpty());
    const AnalysedRecording analysed = Analysed(recording, graph.GraphSurvey().details.offsetDb);
    const SurveySeries series = SeriesOf(analysed, graph.GraphSurvey().exclusions);
    const SurveyAnalysis settings = Settings();

    const int minutes = settings.periodMinutes.value_or(DefaultPeriodMinutes);
    std::optional<ReportTable> periods = PeriodRows(series, minutes);
    ShowProblem(lblPeriodsProblem,
                periods ? QString()
                        : QStringLiteral("The graph spans more than %1 periods of %2; choose longer periods.")
                              .arg(QLocale().toString(MaxPeriodRows), PeriodLengthText(minutes)));
    PeriodsTable->SetTable(periods ? std::move(*periods) : PeriodRows({}, minutes).value_or(ReportTable{}));

    if (settings.den) {
        const QString problem = DenSettingsProblem(*settings.den);
        ShowProblem(lblDenProblem, problem);
        DenTable->SetTable(DenRows(problem.isEmpty() ? series : SurveySeries{}, *settings.den));
    } else {
        ShowProblem(lblDenProblem, QStringLiteral("Give each part of the day as hours like 07-19 or 07:30-19:00."));
        DenTable->SetTable(DenRows({}, DenSettings{}));
    }

    const EventSettings events = settings.events.value_or(EventSettings{});
    EventsTable->SetTable(EventRows(series, events, &found));
    lblEventSummary->setText(
        series.intervalSeconds > 0.0
            ? QStringLiteral("%1 event(s); %2 s at or above %3 dB, %4 % of the %5 s measured")
                  .arg(found.events.size())
                  .arg(OneDecimalText(found.secondsAbove), OneDecimalText(events.aboveDb),
                       found.percentAbove ? OneDecimalText(*found.percentAbove) : QStringLiteral("\u2013"),
                       OneDecimalText(found.measuredSeconds))
            : QStringLiteral("Events need the time between samples, which this graph does not show."));
    MarkEvents();

    HistogramTable->SetTable(HistogramRows(series, settings.histogramWidthDb.value_or(DefaultClassWidthDb)));
    DrawDistribution();

    const ReportTable exposure =
        ExposureRow(series, recording.weighting, recording.response);
    ExposureTable->SetTable(exposure);
    const auto* verdict = std::get_if<QString>(&exposure.rows.front().back());
    lblVerdict->setText(verdict ? *verdict : QString());
}

void TfrmAnalysis::DrawDistribution()
{
    const ReportTable& table = HistogramTable->Table();
    const double width = cboClassWidth->currentData().toDouble();
    QVector<double> centres, percents, lows, cumulative;
    for (const std::vector<ReportCell>& row : table.rows) {
        const double low = std::get<double>(row[0]);
        centres << low + width / 2.0;
        percents << std::get<double>(row[2]);
        lows << low;
        cumulative << std::get<double>(row[3]);
    }
    auto* bars = qobject_cast<QCPBars*>(DistributionPlot->plottable(0));
    bars->setWidth(width);
    bars->setData(centres, percents, true);
    // The cumulative curve at each class's lower bound: the time at or above that level.
    DistributionPlot->graph(0)->setData(lows, cumulative, true);
    if (!table.rows.empty()) {
        DistributionPlot->xAxis->setRange(lows.front() - width, lows.back() + 2.0 * width);
        DistributionPlot->yAxis->setRange(0.0, *std::max_element(percents.begin(), percents.end()) * 1.1 + 0.1);
    }
    DistributionPlot->replot();
}

void TfrmAnalysis::MarkEvents()
{
    if (!source)
        return;
    std::vector<std::pair<double, double>> spans;
    if (AnalysisTabs->currentWidget() == tabEvents)
        for (const ExceedanceEvent& event : found.events)
            spans.emplace_back(event.start, event.end);
    source->SetEventMarks(std::move(spans));
}

void TfrmAnalysis::EventClicked(int row)
{
    if (!source || row < 1 || row > static_cast<int>(found.events.size()))
        return;
    const ExceedanceEvent& event = found.events[static_cast<std::size_t>(row - 1)];
    source->MoveCursors(static_cast<int>(event.first), static_cast<int>(event.last));
}

TfrmAnalysis& ShowAnalysis(TfrmGraph& source)
{
    QWidget* found = FindGraphCompanion(source, [&source](QWidget* window) {
        auto* analysis = qobject_cast<TfrmAnalysis*>(window);
        return analysis && analysis->Source() == &source;
    });
    if (auto* shown = qobject_cast<TfrmAnalysis*>(found)) {
        shown->Recompute();
        RaiseGraphCompanion(source, *shown);
        return *shown;
    }
    auto* analysis = new TfrmAnalysis(source);
    ShowGraphCompanion(source, *analysis, QSize(900, 600));
    return *analysis;
}
