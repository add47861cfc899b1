#pragma once
#include "graph/ui/GraphServices.h"
#include "logger/DataLoggerSession.h"
#include "panel/ui/LcdBitmaps.h"
#include "realtime/RealTimeRun.h"
#include "shell/CommandStates.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QPushButton;
class QTimer;
class QToolBar;
class QToolButton;
struct MeterStatus;
class MeterMonitor;
class TfrmAbout;
class TfrmGraph;
class TfrmLEQ;
class TfrmPanel;
class TfrmSetup;

// The multiple-document frame window: menus, tool bar, status bar, settings and start-up. It
// owns what lives longer than one command (the connection monitor, the real-time run, the data
// logger's session, the LCD bitmaps) and the windows it keeps track of, and gives its windows
// the objects they work on.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The splash window, closed once the frame has been shown.
    void SetSplash(TfrmAbout* window);

    MeterMonitor& Monitor() const { return *monitor; }
    RealTimeRun& Run() { return run; }
    DataLoggerSession& DataLogger() { return dataLogger; }
    const LcdBitmaps& Bitmaps() const { return bitmaps; }
    bool DiscardFloatError() const { return discardFloatError; }
    // What it offers the graph windows it makes, for those made elsewhere too.
    const GraphServices& GraphWindowServices() const { return graphServices; }

    // The windows it keeps track of; none while closed.
    TfrmPanel* Panel() const;
    TfrmGraph* RealTimeGraph() const;
    TfrmGraph* DataLoggerGraph() const;
    TfrmLEQ* LeqWindow() const;
    TfrmSetup* SetupWindow() const;

    QMdiArea* MdiArea() const { return mdiArea; }
    QTimer* MainTimer() const;
    QTimer* MaxMinTimer() const { return maxMinTimer; }
    QTimer* RealTime_Timer() const { return realTimeTimer; }
    QToolBar* Panel1() const { return panel1; }
    QString StatusText(int panel) const;
    // Status panel 1 shows the connection state; panel 0 is emptied with every change.
    void ShowConnectionText(const QString& text);

    void FormCreate();
    void FormShow();
    void FormClose();

    // One tick of the connection monitor: identify the meter, then poll its status.
    void MainTimerTimer();
    // Blinks the MAX and MIN words while the meter alternates between them.
    void MaxMinTimerTimer();

    // Real-time graphing: Run, Stop and the sampling tick.
    void btnRunClick();
    void btnStopClick();
    void RealTime_TimerTimer();
    void RealTimeGraph1Click();

    // File > Save and File > Open.
    void Save1Click();
    void Open1Click();
    // Opens the graph files and data set collections given to the program, as File > Open does.
    void OpenFiles(const QStringList& paths);
    // Save for one window: the DataLogger window offers its collection; true when written.
    bool SaveWindow(TfrmGraph& window);

    // Tables and printing: File > Print, "Output Tabular to graph".
    void btnPrintClick();
    void btnOutputToGraphClick();

    // The LEQ window and its 40 ms polls.
    void LEQ1Click();
    void LEQTimerTimer();
    QTimer* LEQTimer() const { return leqTimer; }

    // Data Logger > Load Data and Erase Memory.
    void LoadData1Click();
    void EraseMemory1Click();
    // Data Logger > Setup and the hidden "setup" button: opens the service window, or
    // restores it when it is open.
    void Setup1Click();

    void ControlPanel1Click();
    void Contents1Click();
    void About1Click();
    void d1Click();
    void Exit1Click();
    void PrinterSetup1Click();

    // Enables every command by what is true now: connection, run, link, active window.
    void UpdateCommandStates();
    CommandFacts CurrentFacts() const;

    // Menu items and tool buttons, by their names
    QAction* Open1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* Print1 = nullptr;
    QAction* PrinterSetup1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* Run1 = nullptr;
    QAction* Stop1 = nullptr;
    QAction* d1 = nullptr;
    QMenu* DataLogger1 = nullptr;
    QAction* LoadData1 = nullptr;
    QAction* EraseMemory1 = nullptr;
    QAction* Setup1 = nullptr;
    QAction* ControlPanel1 = nullptr;
    QAction* RealTimeGraph1 = nullptr;
    QAction* Contents1 = nullptr;
    QAction* About1 = nullptr;
    QAction* LEQ1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* btnPrint = nullptr;
    QToolButton* btnDataLogger = nullptr;
    QToolButton* btnOutputToGraph = nullptr;
    QToolButton* btnRun = nullptr;
    QToolButton* btnStop = nullptr;
    QToolButton* SpeedButton8 = nullptr;
    QPushButton* Button1 = nullptr;  // "setup", never shown

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void BuildSetupButton();
    void FillWindowMenu();
    void CreatePanel();
    void ShowConnection(bool connected);
    void ShowMeterStatus(const MeterStatus& status, int levelTenths);
    void SetGraphServices();
    TfrmGraph& OpenDataLoggerGraph();
    void CreateRealTimeGraph();
    WindowKind ActiveWindowKind() const;
    bool CloseChildWindows();
    void OpenSingleFile();
    void OpenGraphFile(const QString& path);
    void OpenSurveyFile(const QString& path);
    void OpenTextFile(const QString& path);
    void PlaceRealTimeGraph();
    QAction* AddItem(QMenu* menu, const QString& caption, const QString& name);
    QToolButton* AddToolButton(const QString& name, const QString& hint, const QString& glyph);

    QMdiArea* mdiArea;
    QToolBar* panel1 = nullptr;
    MeterMonitor* monitor;
    QTimer* maxMinTimer;
    QTimer* realTimeTimer;
    QTimer* leqTimer;
    QLabel* statusPanels[3] = {};
    QMenu* windowMenu = nullptr;
    bool firstShowDone = false;
    bool exiting = false;

    RealTimeRun run;
    DataLoggerSession dataLogger;
    LcdBitmaps bitmaps{};
    bool discardFloatError = true;
    bool blinkOn = false;
    GraphServices graphServices;

    QPointer<TfrmPanel> panel;
    QPointer<TfrmGraph> realTimeGraph;
    QPointer<TfrmGraph> dataLoggerGraph;
    QPointer<TfrmLEQ> leqWindow;
    QPointer<TfrmAbout> aboutBox;
    QPointer<TfrmSetup> setupWindow;
    QPointer<TfrmAbout> splash;
};
