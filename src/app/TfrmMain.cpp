#include "TfrmMain.h"

#include "AppState.h"
#include "Bitmaps.h"
#include "Clock.h"
#include "CommandTable.h"
#include "DataFolder.h"
#include "FloatExceptions.h"
#include "Folders.h"
#include "GraphFileCommands.h"
#include "GraphHooks.h"
#include "MeterLink.h"
#include "MeterStatus.h"
#include "Prompts.h"
#include "RealTimeGraph.h"
#include "SaveFilters.h"
#include "RealTimeRun.h"
#include "Settings.h"
#include "SharedPrinter.h"
#include "ShowMeterStatus.h"
#include "TfrmAbout.h"
#include "TfrmGraph.h"
#include "TfrmOpenSave.h"
#include "TfrmPanel.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

TfrmMain* frmMain = nullptr;

TfrmMain::TfrmMain(QWidget* parent)
    : QMainWindow(parent),
      mdiArea(new QMdiArea(this)),
      mainTimer(new QTimer(this)),
      maxMinTimer(new QTimer(this)),
      realTimeTimer(new QTimer(this))
{
    frmMain = this;
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("QX574"));
    setWindowIcon(QIcon(QStringLiteral(":/glyphs/app.png")));

    mdiArea->setObjectName(QStringLiteral("ClientArea"));
    mdiArea->setFrameShape(QFrame::NoFrame);
    mdiArea->setBackground(QColor(0x5f, 0x67, 0x70));
    setCentralWidget(mdiArea);

    mainTimer->setObjectName(QStringLiteral("MainTimer"));
    mainTimer->setInterval(500);
    App.MainTimer = mainTimer;
    connect(mainTimer, &QTimer::timeout, this, &TfrmMain::MainTimerTimer);
    maxMinTimer->setObjectName(QStringLiteral("MaxMinTimer"));
    maxMinTimer->setInterval(500);
    App.MaxMinTimer = maxMinTimer;
    connect(maxMinTimer, &QTimer::timeout, this, &TfrmMain::MaxMinTimerTimer);
    realTimeTimer->setObjectName(QStringLiteral("RealTime_Timer"));
    realTimeTimer->setInterval(1000);
    connect(realTimeTimer, &QTimer::timeout, this, &TfrmMain::RealTime_TimerTimer);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &TfrmMain::SubWindowActivated);
    SetGraphHooks();

    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    // The child windows go with the frame; their activation must not reach a half-destroyed frame.
    disconnect(mdiArea, nullptr, this, nullptr);
    GraphHooks().CheckRealTimeGraphItem = [](bool) {};
    GraphHooks().RealTimeGraphClosed = [] {};
    GraphHooks().EnableOutputToGraph = [](bool) {};
    if (frmMain == this)
        frmMain = nullptr;
}

QAction* TfrmMain::AddItem(QMenu* menu, const QString& caption, const QString& name)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

void TfrmMain::BuildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    connect(AddItem(file, QStringLiteral("&Open"), QStringLiteral("Open1")), &QAction::triggered,
            this, &TfrmMain::Open1Click);
    connect(AddItem(file, QStringLiteral("&Save"), QStringLiteral("Save1")), &QAction::triggered,
            this, &TfrmMain::Save1Click);
    AddItem(file, QStringLiteral("&Print"), QStringLiteral("Print1"));
    connect(AddItem(file, QStringLiteral("&Printer Setup"), QStringLiteral("PrinterSetup1")),
            &QAction::triggered, this, &TfrmMain::PrinterSetup1Click);
    file->addSeparator();
    connect(AddItem(file, QStringLiteral("E&xit"), QStringLiteral("Exit1")), &QAction::triggered,
            this, &TfrmMain::Exit1Click);

    QMenu* realTime = bar->addMenu(QStringLiteral("Real Time"));
    realTime->setObjectName(QStringLiteral("RealTime1"));
    QAction* run = AddItem(realTime, QStringLiteral("Run"), QStringLiteral("Run1"));
    run->setEnabled(false);
    connect(run, &QAction::triggered, this, &TfrmMain::btnRunClick);
    QAction* stop = AddItem(realTime, QStringLiteral("Stop"), QStringLiteral("Stop1"));
    stop->setEnabled(false);
    connect(stop, &QAction::triggered, this, &TfrmMain::btnStopClick);
    QMenu* option = realTime->addMenu(QStringLiteral("Option"));
    option->setObjectName(QStringLiteral("Option1"));
    d1 = AddItem(option, QStringLiteral("discard float error"), QStringLiteral("d1"));
    d1->setCheckable(true);
    d1->setChecked(true);
    connect(d1, &QAction::triggered, this, &TfrmMain::d1Click);

    QMenu* dataLogger = bar->addMenu(QStringLiteral("&Data Logger"));
    dataLogger->setObjectName(QStringLiteral("DataLogger1"));
    AddItem(dataLogger, QStringLiteral("Load Data"), QStringLiteral("LoadData1"));
    AddItem(dataLogger, QStringLiteral("Erase Memory"), QStringLiteral("EraseMemory1"));
    AddItem(dataLogger, QStringLiteral("Setup"), QStringLiteral("Setup1"));

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("View1"));
    QAction* controlPanel =
        AddItem(view, QStringLiteral("&Control Panel"), QStringLiteral("ControlPanel1"));
    controlPanel->setCheckable(true);
    controlPanel->setChecked(true);
    connect(controlPanel, &QAction::triggered, this, &TfrmMain::ControlPanel1Click);
    QAction* realTimeGraph =
        AddItem(view, QStringLiteral("Real Time &Graph"), QStringLiteral("RealTimeGraph1"));
    realTimeGraph->setCheckable(true);
    realTimeGraph->setChecked(true);
    connect(realTimeGraph, &QAction::triggered, this, &TfrmMain::RealTimeGraph1Click);

    windowMenu = bar->addMenu(QStringLiteral("&Window"));
    windowMenu->setObjectName(QStringLiteral("Window1"));
    connect(windowMenu, &QMenu::aboutToShow, this, &TfrmMain::FillWindowMenu);
    FillWindowMenu();

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    connect(AddItem(help, QStringLiteral("&Contents"), QStringLiteral("Contents1")),
            &QAction::triggered, this, &TfrmMain::Contents1Click);
    connect(AddItem(help, QStringLiteral("&About"), QStringLiteral("About1")),
            &QAction::triggered, this, &TfrmMain::About1Click);

    QAction* leq = bar->addAction(QStringLiteral("LEQ"));
    leq->setObjectName(QStringLiteral("LEQ1"));
}

// Tile, Cascade and one entry per open child window, rebuilt whenever the menu opens.
void TfrmMain::FillWindowMenu()
{
    windowMenu->clear();
    connect(AddItem(windowMenu, QStringLiteral("&Tile"), QStringLiteral("Tile1")),
            &QAction::triggered, mdiArea, &QMdiArea::tileSubWindows);
    connect(AddItem(windowMenu, QStringLiteral("&Cascade"), QStringLiteral("Cascade1")),
            &QAction::triggered, mdiArea, &QMdiArea::cascadeSubWindows);
    const QList<QMdiSubWindow*> windows = mdiArea->subWindowList();
    if (!windows.isEmpty())
        windowMenu->addSeparator();
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QAction* item = windowMenu->addAction(
            QStringLiteral("&%1 %2").arg(number++).arg(window->windowTitle()));
        item->setCheckable(true);
        item->setChecked(window == mdiArea->activeSubWindow());
        connect(item, &QAction::triggered, window, [this, window] {
            window->showNormal();
            mdiArea->setActiveSubWindow(window);
        });
    }
}

QToolButton* TfrmMain::AddToolButton(const QString& name, const QString& hint,
                                     const QString& glyph)
{
    auto* button = new QToolButton(panel1);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setIcon(QIcon(QStringLiteral(":/glyphs/") + glyph + QStringLiteral(".png")));
    button->setIconSize(QSize(24, 24));
    button->setAutoRaise(true);
    button->setFixedSize(32, 32);
    panel1->addWidget(button);
    return button;
}

void TfrmMain::BuildToolBar()
{
    panel1 = new QToolBar(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFixedHeight(36);
    panel1->setMovable(false);
    panel1->setFloatable(false);
    panel1->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, panel1);

    connect(AddToolButton(QStringLiteral("SpeedButton1"), QStringLiteral("Open File"), QStringLiteral("open")),
            &QToolButton::clicked, this, &TfrmMain::Open1Click);
    connect(AddToolButton(QStringLiteral("SpeedButton2"), QStringLiteral("Save to file"), QStringLiteral("save")),
            &QToolButton::clicked, this, &TfrmMain::Save1Click);
    AddToolButton(QStringLiteral("btnPrint"), QStringLiteral("Print"), QStringLiteral("print"));
    panel1->addSeparator();
    AddToolButton(QStringLiteral("btnDataLogger"), QStringLiteral("Data Logger"),
                  QStringLiteral("datalogger"));
    AddToolButton(QStringLiteral("btnOutputToGraph"), QStringLiteral("Output Tabular to graph"),
                  QStringLiteral("output"))
        ->setEnabled(false);
    panel1->addSeparator();
    QToolButton* run = AddToolButton(QStringLiteral("btnRun"),
                                     QStringLiteral("Start Graphing Real Time Data"), QStringLiteral("run"));
    run->setEnabled(false);
    connect(run, &QToolButton::clicked, this, &TfrmMain::btnRunClick);
    QToolButton* stop = AddToolButton(QStringLiteral("btnStop"),
                                      QStringLiteral("Stop Graphing Real Time Data"), QStringLiteral("stop"));
    stop->setEnabled(false);
    connect(stop, &QToolButton::clicked, this, &TfrmMain::btnStopClick);
    panel1->addSeparator();
    connect(AddToolButton(QStringLiteral("SpeedButton8"), QStringLiteral("Help"),
                          QStringLiteral("help")),
            &QToolButton::clicked, this, &TfrmMain::Contents1Click);
}

void TfrmMain::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    const int widths[3] = {100, 150, 50};
    for (int i = 0; i < 3; ++i) {
        statusPanels[i] = new QLabel(bar);
        statusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        statusPanels[i]->setFixedWidth(widths[i]);
        statusPanels[i]->setFrameShape(QFrame::StyledPanel);
        statusPanels[i]->setFrameShadow(QFrame::Sunken);
        bar->addWidget(statusPanels[i]);
    }
}

QToolButton* TfrmMain::ToolButton(const QString& name) const
{
    return panel1->findChild<QToolButton*>(name);
}

QString TfrmMain::StatusText(int panel) const { return statusPanels[panel]->text(); }

void TfrmMain::ShowConnectionText(const QString& text)
{
    statusPanels[0]->clear();
    statusPanels[1]->setText(text);
}

void TfrmMain::FormCreate()
{
    LoadSettings(App);
    d1->setChecked(App.DiscardFloatError);
    LoadBitmaps(App);
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!firstShowDone) {
        firstShowDone = true;
        FormShow();
    }
}

void TfrmMain::FormShow()
{
    App.DataFolder = DetermineDataFolder();
    CreatePanel();
    App.Panel->SetNoConnectionVisible(true);
    ShowConnectionText(QStringLiteral("Off Connection"));
    findChild<QMenu*>(QStringLiteral("DataLogger1"))->menuAction()->setVisible(true);
    ToolButton(QStringLiteral("btnDataLogger"))->setVisible(true);
    DelayMs(500);
    mainTimer->start();
    if (frmAbout) {
        frmAbout->Label4()->clear();
        frmAbout->close();
    }
    CreateRealTimeGraph(*mdiArea);
    PlaceRealTimeGraph();
    findChild<QAction*>(QStringLiteral("Setup1"))->setVisible(false);
    if (App.Panel)
        App.Panel->ShowPowerOnPattern();
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (exiting) {
        event->accept();
        return;
    }
    if (!CloseChildWindows()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

// Each child window asks its own question about unsaved measurements before the program
// ends; false when the user kept one open.
bool TfrmMain::CloseChildWindows()
{
    for (QMdiSubWindow* window : mdiArea->subWindowList()) {
        if (qobject_cast<TfrmPanel*>(window->widget()))
            continue;
        if (!window->close())
            return false;
    }
    return true;
}

void TfrmMain::FormClose()
{
    SaveSettings(App);
    for (int slot = 0; slot <= 15; ++slot)
        App.Bitmaps[static_cast<std::size_t>(slot)] = QImage();
}

void TfrmMain::CreatePanel()
{
    auto* panel = new TfrmPanel;
    QMdiSubWindow* frame = mdiArea->addSubWindow(panel, Qt::SubWindow | Qt::FramelessWindowHint);
    frame->setObjectName(QStringLiteral("PanelWindow"));
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->move(0, 0);
    frame->show();
    App.Panel = panel;
    QAction* item = findChild<QAction*>(QStringLiteral("ControlPanel1"));
    item->setChecked(true);
    connect(panel, &QObject::destroyed, item, [item] { item->setChecked(false); });
}

void TfrmMain::ControlPanel1Click()
{
    if (App.Panel) {
        App.Panel->parentWidget()->showNormal();
        findChild<QAction*>(QStringLiteral("ControlPanel1"))->setChecked(true);
    } else {
        CreatePanel();
    }
}

// The table output works on list windows only; activating the panel switches it off.
void TfrmMain::SubWindowActivated()
{
    QMdiSubWindow* active = mdiArea->activeSubWindow();
    if (active && qobject_cast<TfrmPanel*>(active->widget()))
        ToolButton(QStringLiteral("btnOutputToGraph"))->setEnabled(false);
}

void TfrmMain::MainTimerTimer()
{
    App.PollBusy = true;
    if (!App.Connected) {
        if (ExchangeCommand(Cmd::Identify) && IsOurModel(App.Reply))
            ShowConnected();
    } else if (PollStatus()) {
        App.PollFailures = 0;
        // A reply without its markers is not a failure, but it is not shown either.
        if (HasStatusMarkers(App.Reply))
            ShowMeterStatus();
    } else if (++App.PollFailures >= 5) {
        ShowDisconnected();
    }
    App.PollBusy = false;
}

void TfrmMain::ShowConnected()
{
    ShowConnectionText(QStringLiteral("On Connection"));
    App.Connected = true;
    if (App.Panel)
        App.Panel->SetNoConnectionVisible(false);
    QMenu* dataLogger = findChild<QMenu*>(QStringLiteral("DataLogger1"));
    dataLogger->menuAction()->setVisible(true);
    dataLogger->menuAction()->setEnabled(true);
    QToolButton* download = ToolButton(QStringLiteral("btnDataLogger"));
    download->setVisible(true);
    download->setEnabled(true);
    ShowRunButtons(App.RealTimeRunning);
    SetRealTimeClearEnabled(!App.RealTimeRunning);
}

void TfrmMain::ShowDisconnected()
{
    for (const char* name : {"btnRun", "btnStop", "btnDataLogger"})
        ToolButton(QLatin1String(name))->setEnabled(false);
    for (const char* name : {"Run1", "Stop1"})
        findChild<QAction*>(QLatin1String(name))->setEnabled(false);
    findChild<QMenu*>(QStringLiteral("DataLogger1"))->menuAction()->setEnabled(false);
    if (App.Panel)
        App.Panel->SetNoConnectionVisible(true);
    App.Connected = false;
    App.PollFailures = 0;
    ShowConnectionText(QStringLiteral("No Connection"));
}

void TfrmMain::ShowRunButtons(bool running)
{
    ToolButton(QStringLiteral("btnRun"))->setEnabled(!running);
    findChild<QAction*>(QStringLiteral("Run1"))->setEnabled(!running);
    ToolButton(QStringLiteral("btnStop"))->setEnabled(running);
    findChild<QAction*>(QStringLiteral("Stop1"))->setEnabled(running);
}

void TfrmMain::SetRealTimeClearEnabled(bool enabled)
{
    if (App.RealTimeGraph)
        App.RealTimeGraph->tbntClr->setEnabled(enabled);
}

void TfrmMain::SetGraphHooks()
{
    GraphWindowHooks& hooks = GraphHooks();
    hooks.CheckRealTimeGraphItem = [this](bool checked) {
        findChild<QAction*>(QStringLiteral("RealTimeGraph1"))->setChecked(checked);
    };
    hooks.RealTimeGraphClosed = [this] {
        ToolButton(QStringLiteral("btnRun"))->setEnabled(App.Connected);
        findChild<QAction*>(QStringLiteral("Run1"))->setEnabled(App.Connected);
        ToolButton(QStringLiteral("btnStop"))->setEnabled(false);
        findChild<QAction*>(QStringLiteral("Stop1"))->setEnabled(false);
    };
    hooks.EnableOutputToGraph = [this](bool enabled) {
        ToolButton(QStringLiteral("btnOutputToGraph"))->setEnabled(enabled);
    };
}

// Beside the panel, filling the rest of the frame.
void TfrmMain::PlaceRealTimeGraph()
{
    QWidget* frame = App.RealTimeGraph->parentWidget();
    const int panelWidth = App.Panel ? App.Panel->parentWidget()->width() : 0;
    frame->setGeometry(panelWidth, 0, width() - panelWidth - 5,
                       height() - panel1->height() - statusBar()->height() - 40);
    App.RealTimeGraph->setFocus();
}

void TfrmMain::RealTimeGraph1Click()
{
    if (App.RealTimeGraph) {
        App.RealTimeGraph->parentWidget()->showNormal();
        findChild<QAction*>(QStringLiteral("RealTimeGraph1"))->setChecked(true);
    } else {
        CreateRealTimeGraph(*mdiArea);
    }
}

void TfrmMain::btnRunClick()
{
    if (!App.Connected)
        return;
    if (App.RealTimeGraph) {
        TfrmGraph& graph = *App.RealTimeGraph;
        graph.parentWidget()->showNormal();
        if (App.RealTimeRunning || App.RealTimeCount != 0) {
            const Prompts::Answer answer = CurrentPrompts().AskYesNoCancel(
                QStringLiteral("There are datas in Real_Time graph ,it have to reset the graph.\n"
                               "Do you want to save the Real-Time graph ?"));
            graph.setFocus();
            if (answer == Prompts::Answer::Cancel)
                return;
            if (answer == Prompts::Answer::Yes)
                SaveGraph(graph);
        }
    } else {
        CreateRealTimeGraph(*mdiArea);
    }
    const std::optional<RunSetup> setup = AskRunSetup(*App.RealTimeGraph);
    if (!setup || !App.RealTimeGraph)
        return;
    ShowRunButtons(true);
    StartRealTimeRun(*App.RealTimeGraph, *setup);
    realTimeTimer->start();
}

void TfrmMain::btnStopClick()
{
    realTimeTimer->stop();
    App.RealTimeRunning = false;
    ShowRunButtons(false);
    if (App.RealTimeGraph)
        FinishRealTimeRun(*App.RealTimeGraph);
}

void TfrmMain::RealTime_TimerTimer()
{
    if (RealTimeTick())
        btnStopClick();
}

void TfrmMain::Save1Click()
{
    QMdiSubWindow* active = mdiArea->activeSubWindow();
    if (auto* graph = active ? qobject_cast<TfrmGraph*>(active->widget()) : nullptr)
        SaveGraph(*graph);
}

void TfrmMain::Open1Click()
{
    TfrmOpenSave chooser(this);
    chooser.setWindowTitle(QStringLiteral("Open File"));
    chooser.btnOpenSets->setText(QStringLiteral("Open a data set collection file(*.rec)"));
    chooser.btnOpenSingleSet->setText(QLocale().decimalPoint() == QStringLiteral(",")
                                          ? QStringLiteral("Open single data flle(*.TXT,*.GHF)")
                                          : QStringLiteral("Open single data file(*.TXT,*.CSV,*.GHF)"));
    // Collections are read by the data logger's download work, which is not in yet.
    chooser.btnOpenSets->setEnabled(false);
    if (CurrentPrompts().RunModal(chooser) == TfrmOpenSave::SingleResult)
        OpenSingleFile();
}

void TfrmMain::OpenSingleFile()
{
    QString selected;
    const QString path = CurrentPrompts().OpenFileName(
        QStringLiteral("Open"), FileDialogFolder(), DialogFilters(GraphFileFilter()), &selected);
    if (path.isEmpty() || KindOfGraphFileName(path) != GraphFileKind::Graph)
        return;
    if (TfrmGraph* graph = OpenGraphWindow(path))
        graph->ShowInArea(mdiArea, QRect(0, 0, mdiArea->width(), mdiArea->height() - 40));
}

void TfrmMain::MaxMinTimerTimer()
{
    App.BlinkBusy = true;
    App.BlinkOn = !App.BlinkOn;
    if (App.Panel)
        App.Panel->SetMaxMinWords(App.BlinkOn);
    App.BlinkBusy = false;
}

void TfrmMain::Contents1Click()
{
    CurrentPrompts().OpenWithDefaultProgram(ProgramFolder() + QStringLiteral("QX574Help.htm"));
}

void TfrmMain::About1Click()
{
    if (!App.AboutBox) {
        App.AboutBox = new TfrmAbout(this);
        App.AboutBox->setAttribute(Qt::WA_DeleteOnClose);
    }
    CurrentPrompts().RunModal(*App.AboutBox);
    // Closing the box frees it, so the next Help > About builds a fresh one.
    delete App.AboutBox.data();
}

void TfrmMain::d1Click()
{
    if (App.DiscardFloatError) {
        ClearFloatExceptionFlags();
        App.DiscardFloatError = false;
    } else {
        MaskFloatExceptions();
        App.DiscardFloatError = true;
    }
    d1->setChecked(App.DiscardFloatError);
}

void TfrmMain::Exit1Click()
{
    // Leaves without the close handler, so the settings are not written; unsaved
    // measurements still get their windows' questions.
    if (!CloseChildWindows())
        return;
    exiting = true;
    QCoreApplication::exit(0);
}

void TfrmMain::PrinterSetup1Click() { CurrentPrompts().PrinterSetupDialog(SharedPrinter()); }
