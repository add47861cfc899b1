#pragma once
#include "graph/StatisticText.h"
#include "graph/ui/GraphRole.h"
#include "graph/ui/GraphServices.h"
#include "graph/ui/GraphTools.h"
#include "recording/Recording.h"
#include "survey/SurveySession.h"

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

// The graph window: it shows one recording, its levels over time in a chart, with whole-graph
// statistics, two cursors carried by the slider with their statistics, zoom and the pointer
// readout, and holds the survey made of it. The recording is the window's data; the chart's
// first series shows its points. What else a window is for is its role: the real-time graph's
// and the DataLogger window's own.
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

    // The recording the window shows, as measured.
    const Recording& ShownRecording() const { return recording; }
    // Shows a recording: its points become the chart's first series (the chart grows to hold
    // them; its look, scales and other series stay).
    void ShowRecording(Recording shown);
    // A recording made while it is shown (the real-time run): its facts, no points yet, the chart
    // emptied with room for capacity points; then its samples one at a time, none past the room.
    void BeginRecording(Recording facts, int capacity);
    bool AppendSample(double time, float level);
    // The recording's levels are now in set of file: a graph file saved for them, a collection.
    void SetRecordingSource(const QString& file, int set);
    // The cursors' points (the slider's values), A then B; moving them keeps the slider's range.
    std::pair<int, int> CursorPoints() const;
    void MoveCursors(int pointA, int pointB);

    // The survey of this graph: its source, its exclusions, the Analysis window's settings and
    // the survey's details, with the file it was last saved to or opened from.
    const SurveySession& Session() const { return session; }
    const Survey& GraphSurvey() const { return session.Value(); }
    // A survey opened from its file at path: nothing of it is unsaved, unless its recording was
    // located elsewhere than the file says.
    void OpenSurvey(Survey opened, const QString& path, bool relocated = false);
    void AddExclusion(Exclusion exclusion);
    void RemoveExclusion(std::size_t index);
    void SetAnalysisSettings(const SurveyAnalysis& analysis);
    void SetSurveyDetails(SurveyDetails details);
    bool SurveyUnsaved() const { return session.Unsaved(); }
    // Another recording is about to take the window's place: a survey with changes not saved is
    // asked about first, as closing does; false when the user cancels. Then the window's survey
    // is a new one, for the recording to come (ResetSurvey, which asks nothing).
    bool LeaveSurvey();
    void ResetSurvey();
    bool HasSurvey() const { return session.HasSurvey(); }
    // A survey file at path took them, naming source as the recording.
    void MarkSurveySaved(const QString& path, const SurveySource& source);
    QString SurveyPath() const { return session.Path(); }
    // Spans the Analysis window marks on the chart (the events it found), over the exclusions'
    // shading; none clears them.
    void SetEventMarks(std::vector<std::pair<double, double>> spans);

    // Window events
    void FormCreate();
    void FormShow();
    void FormResize();
    void pnlGraphResize();
    bool FormCloseQuery();
    // The first half of FormCloseQuery: the role's question of measurements not saved, if any;
    // false when the user cancels.
    bool AskAboutUnsavedData();
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
    Recording recording;
    SurveySession session;
    std::vector<std::pair<double, double>> eventMarks;
};
