#pragma once
#include "leq/ExceedanceEvents.h"
#include "survey/SurveyFile.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <vector>

class AnalysisTableView;
class QComboBox;
class QCustomPlot;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class TfrmGraph;

// The survey analysis of one graph window: periods, day-evening-night, exceedance events, the
// level distribution and the occupational exposure, over the graph's levels outside its
// exclusions, the same figures as qx574 report gives. It follows the graph (new samples, new
// points, exclusions), keeps its settings in the graph's survey, marks the events on the chart
// while their tab is open, and closes with the graph.
class TfrmAnalysis : public QWidget {
    Q_OBJECT
public:
    explicit TfrmAnalysis(TfrmGraph& source, QWidget* parent = nullptr);
    ~TfrmAnalysis() override;

    TfrmGraph* Source() const;

    // Computes every tab again from the graph as it is now.
    void Recompute();
    // Recomputes soon, once for any number of changes in a row.
    void RecomputeLater() { recomputeTimer.start(); }
    // A row of the events table: cursors A and B move to the event's first and last samples.
    void EventClicked(int row);

    QLabel* lblGraph;
    QLabel* lblOffset;  // says that the levels include the survey's calibration offset, when it has one
    QTabWidget* AnalysisTabs;
    QWidget* tabPeriods;
    QWidget* tabDen;
    QWidget* tabEvents;
    QWidget* tabDistribution;
    QWidget* tabExposure;
    QComboBox* cboPeriodLength;
    AnalysisTableView* PeriodsTable;
    QLabel* lblPeriodsProblem;
    QLineEdit* txtDay;
    QLineEdit* txtEvening;
    QLineEdit* txtNight;
    QDoubleSpinBox* spnEveningPenalty;
    QDoubleSpinBox* spnNightPenalty;
    QSpinBox* spnNightRank;
    QLabel* lblDenProblem;
    AnalysisTableView* DenTable;
    QDoubleSpinBox* spnAbove;
    QDoubleSpinBox* spnFor;
    QDoubleSpinBox* spnBridge;
    QLabel* lblEventSummary;
    AnalysisTableView* EventsTable;
    QComboBox* cboClassWidth;
    QCustomPlot* DistributionPlot;
    AnalysisTableView* HistogramTable;
    AnalysisTableView* ExposureTable;
    QLabel* lblVerdict;

private:
    QWidget* BuildPeriods();
    QWidget* BuildDen();
    QWidget* BuildEvents();
    QWidget* BuildDistribution();
    QWidget* BuildExposure();
    void ShowSettings(const SurveyAnalysis& analysis);
    // The settings as the controls hold them; den is none while a span is not one.
    SurveyAnalysis Settings() const;
    void SettingsChanged();
    void DrawDistribution();
    void MarkEvents();

    QPointer<TfrmGraph> source;
    QTimer recomputeTimer;
    ExceedanceEvents found;
};

// "Analysis" of a graph window: its analysis window, made beside it in the same area or
// brought back when it has one.
TfrmAnalysis& ShowAnalysis(TfrmGraph& source);
