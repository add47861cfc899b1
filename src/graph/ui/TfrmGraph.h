#pragma once
#include "graph/GraphRecording.h"
#include "graph/StatisticText.h"
#include "graph/ui/GraphRole.h"
#include "graph/ui/GraphServices.h"
#include "graph/ui/GraphTools.h"
#include "report/SurveyFile.h"

#include <QString>
#include <QWidget>

#include <memory>
#include <utility>
#include <vector>

class PESGraph;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class QSplitter;
class QToolBar;
class QToolButton;
class StringGrid;
class Tslider2;

// The captions of the special graph windows.
inline const QString RealTimeCaption = QStringLiteral("Real-Time Graph");
inline const QString DataLoggerCaption = QStringLiteral("DataLogger");

// The graph window: one series of levels over time in a chart, with whole-graph statistics,
// two cursors carried by the slider with their statistics, zoom and the pointer readout.
// What else a window is for is its role: the real-time graph's and the DataLogger window's own.
class TfrmGraph : public QWidget {
    Q_OBJECT
public:
    explicit TfrmGraph(const GraphServices& services = NoGraphServices(), QWidget* parent = nullptr);
    ~TfrmGraph() override;

    // Puts the window into the area as a child window that frees itself when closed,
    // client area 1152 x 699, centred, shown.
    QMdiSubWindow* ShowInArea(QMdiArea* area);
    // The same at a given place and size of the child window (a graph opened from a file).
    QMdiSubWindow* ShowInArea(QMdiArea* area, const QRect& geometry);

    QString Caption() const { return windowTitle(); }
    bool IsDataLoggerWindow() const { return role->WindowKind() == GraphRole::Kind::DataLogger; }
    bool IsRealTimeWindow() const { return role->WindowKind() == GraphRole::Kind::RealTime; }
    // Gives the window its role: the data set list shows for the DataLogger window, Clear for
    // the real-time graph.
    void SetRole(std::unique_ptr<GraphRole> newRole);
    GraphRole& Role() const { return *role; }
    const GraphServices& Services() const { return *services; }

    // Recomputes the whole-graph statistics from subset 0 and resets the slider (which
    // re-seats both cursors).
    void RefreshStatistics();
    // Fills the three rows of statistics between the cursors.
    void UpdateCursorStatistics();
    // Sets the slider's range and values; both cursors follow.
    void SetSlider(int minimum, int maximum, int value1, int value2);
    // Applies the chart's changes and redraws; failures are ignored.
    void RedrawChart();
    // The texts of every statistics box.
    StatisticBoxes Statistics() const;

    // The survey of this graph: its source, its exclusions, the Analysis window's settings and
    // the survey's details, in one value that a survey file keeps and the analysis reads.
    const Survey& GraphSurvey() const { return survey; }
    // A survey opened from its file: nothing of it is unsaved.
    void SetSurvey(Survey opened);
    void AddExclusion(Exclusion exclusion);
    void RemoveExclusion(std::size_t index);
    void SetAnalysisSettings(const SurveyAnalysis& analysis);
    void SetSurveyDetails(SurveyDetails details);
    // The exclusions or the details differ from those last saved or opened.
    bool SurveyUnsaved() const { return survey.exclusions != savedExclusions || survey.details != savedDetails; }
    // The graph is a survey, whose report is the survey's: it was saved as one or opened from
    // one, or it holds exclusions or details.
    bool HasSurvey() const
    {
        return !surveyPath.isEmpty() || !survey.exclusions.empty() || !survey.details.IsEmpty();
    }
    // A survey file at path took them, naming source as the recording.
    void MarkSurveySaved(const QString& path, const SurveySource& source);
    // The survey file the graph was last saved to or opened from; empty when none.
    QString SurveyPath() const { return surveyPath; }
    // Spans the Analysis window marks on the chart (the events it found), over the exclusions'
    // shading; none clears them.
    void SetEventMarks(std::vector<std::pair<double, double>> spans);
    // The levels' interval: the recording's when known, else the spacing of the points.
    double IntervalSeconds() const;

    // Window events
    void FormCreate();
    void FormShow();
    void FormResize();
    void pnlGraphResize();
    bool FormCloseQuery();
    void FormClose();
    // Closes the window whose question FormCloseQuery has already asked, without asking again.
    void CloseAnswered();

    // Tool bar and controls
    void ToolButton1Click();
    void ToolButton2Click();
    void ToolButton4Click();
    void ToolButton5Click();
    void ToolButton9Click();
    void ToolButton6Click();
    void ToolButton13Click();
    void PESGraph1Click();
    void tbntClrClick();
    void UndoZoomClick();
    void Button1Click();
    void Button2Click();
    void PESGraph1CustomizeDlg();
    void PESGraph1ZoomIn();
    void PESGraph1MouseMove();
    void Slider1ValueChange1();
    void txtSamplingRateChange();
    void bunCalLEQClick();
    void btnNoiseMetricsClick();
    void btnReportClick();
    void btnAnalysisClick();
    // "Exclude A\u2013B\u2026": the span from cursor A's sample through cursor B's, with a reason asked.
    void btnExcludeClick();
    // "Exclusions\u2026": the list of exclusions, where one can be removed.
    void btnExclusionsClick();
    // "Survey Details\u2026": the survey's project, instrument, calibration and notes.
    void btnSurveyDetailsClick();

    // Controls, by their names
    QFrame* pnlDataSets;
    StringGrid* Grid2;
    QSplitter* Splitter2;
    QToolBar* ToolBar1;
    QToolButton* ToolButton1;
    QToolButton* ToolButton2;
    QToolButton* ToolButton4;
    QToolButton* ToolButton5;
    QToolButton* ToolButton9;
    QToolButton* ToolButton13;
    QToolButton* ToolButton6;
    QToolButton* ToolButton7;
    QToolButton* tbntClr;
    QAction* tbntSep3;
    QAction* tbntClrAction = nullptr;  // null until the controls exist
    QAction* ToolButton6Action;
    QAction* ToolButton7Action;
    QToolButton* UndoZoom;
    QToolButton* Button1;
    QToolButton* Button2;
    QToolButton* bunCalLEQ;
    QToolButton* btnNoiseMetrics;
    QToolButton* btnReport;
    QToolButton* btnAnalysis;
    QToolButton* btnExclude;
    QToolButton* btnExclusions;
    QToolButton* btnSurveyDetails;
    QFrame* pnlGraphStatistic;
    QLineEdit* txtStartTime;
    QFrame* pnlSamplingRate;
    QComboBox* txtSamplingRate;
    QLineEdit* txtDataNo;
    QLineEdit* txtAvgAll;
    QLineEdit* txtMax;
    QLineEdit* txtMaxTime;
    QLineEdit* txtMin;
    QLineEdit* txtMinTime;
    QSplitter* Splitter1;
    QWidget* pnlGraph;
    QLabel* Panel12;
    PESGraph* PESGraph1;
    QFrame* pnlStatistic;
    QWidget* pnlSlider;
    Tslider2* Slider1;
    QLineEdit* txtCursorA;
    QLineEdit* txtCursorATime;
    QLineEdit* txtCursorB;
    QLineEdit* txtCursorBTime;
    QLineEdit* txtMaxAB;
    QLineEdit* txtMaxABTime;
    QLineEdit* txtMinAB;
    QLineEdit* txtMinABTime;
    QLineEdit* txtAvgAB;

    // Set by the maker when it knows how the levels were recorded (a data set does).
    GraphRecording Recording;
    // The file the levels were read from and their set in it, for a survey to name; empty
    // while they are in no file.
    QString RecordingFile;
    int RecordingSet = 1;
    GraphTools Tools;

signals:
    // For the data-set list: a row of Grid2 became the current one (clicked, or moved to with
    // the keys), or "Change Date & Time" was chosen on it.
    void Grid2Clicked(int row);
    void ChangeDateTimeRequested(int row);
    // The cursors were seated again: moved by the slider, or the points beneath them changed.
    void CursorsMoved();
    // The window closed; it is deleted later.
    void Closed();
    // Exclusions, analysis settings or details changed.
    void SurveyChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    QWidget* BuildGraphStatistic();
    QWidget* BuildCursorStatistic();
    void BuildToolBar();
    void BuildDataSets();
    void ShowCursor(int line, int index, QLineEdit* level, QLineEdit* time);
    void ClearStatistics();
    bool AskToSave(const QString& question);
    bool AskToSaveSurvey();
    void ShowShading();

    const GraphServices* services;
    std::unique_ptr<GraphRole> role;
    bool shownOnce = false;
    bool closeAnswered = false;  // the close under way has had its question
    Survey survey;
    std::vector<Exclusion> savedExclusions;
    SurveyDetails savedDetails;
    QString surveyPath;
    std::vector<std::pair<double, double>> eventMarks;
};
