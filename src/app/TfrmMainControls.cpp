// The main window's menus, tool bar and status bar.
#include "app/TfrmMain.h"

#include "graph/ui/TfrmGraph.h"
#include "leq/ui/TfrmLEQ.h"
#include "link/LinkSession.h"
#include "link/MeterMonitor.h"
#include "logger/ui/TfrmSetup.h"
#include "panel/ui/TfrmPanel.h"
#include "tables/ui/TfrmList.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

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
    Open1 = AddItem(file, QStringLiteral("&Open"), QStringLiteral("Open1"));
    connect(Open1, &QAction::triggered, this, &TfrmMain::Open1Click);
    Save1 = AddItem(file, QStringLiteral("&Save"), QStringLiteral("Save1"));
    connect(Save1, &QAction::triggered, this, &TfrmMain::Save1Click);
    Print1 = AddItem(file, QStringLiteral("&Print"), QStringLiteral("Print1"));
    connect(Print1, &QAction::triggered, this, &TfrmMain::btnPrintClick);
    PrinterSetup1 = AddItem(file, QStringLiteral("&Printer Setup"), QStringLiteral("PrinterSetup1"));
    connect(PrinterSetup1, &QAction::triggered, this, &TfrmMain::PrinterSetup1Click);
    file->addSeparator();
    Exit1 = AddItem(file, QStringLiteral("E&xit"), QStringLiteral("Exit1"));
    connect(Exit1, &QAction::triggered, this, &TfrmMain::Exit1Click);

    QMenu* realTime = bar->addMenu(QStringLiteral("Real Time"));
    realTime->setObjectName(QStringLiteral("RealTime1"));
    Run1 = AddItem(realTime, QStringLiteral("Run"), QStringLiteral("Run1"));
    connect(Run1, &QAction::triggered, this, &TfrmMain::btnRunClick);
    Stop1 = AddItem(realTime, QStringLiteral("Stop"), QStringLiteral("Stop1"));
    connect(Stop1, &QAction::triggered, this, &TfrmMain::btnStopClick);
    QMenu* option = realTime->addMenu(QStringLiteral("Option"));
    option->setObjectName(QStringLiteral("Option1"));
    d1 = AddItem(option, QStringLiteral("discard float error"), QStringLiteral("d1"));
    d1->setCheckable(true);
    d1->setChecked(true);
    connect(d1, &QAction::triggered, this, &TfrmMain::d1Click);

    DataLogger1 = bar->addMenu(QStringLiteral("&Data Logger"));
    DataLogger1->setObjectName(QStringLiteral("DataLogger1"));
    LoadData1 = AddItem(DataLogger1, QStringLiteral("Load Data"), QStringLiteral("LoadData1"));
    connect(LoadData1, &QAction::triggered, this, &TfrmMain::LoadData1Click);
    EraseMemory1 = AddItem(DataLogger1, QStringLiteral("Erase Memory"), QStringLiteral("EraseMemory1"));
    connect(EraseMemory1, &QAction::triggered, this, &TfrmMain::EraseMemory1Click);
    Setup1 = AddItem(DataLogger1, QStringLiteral("Setup"), QStringLiteral("Setup1"));
    connect(Setup1, &QAction::triggered, this, &TfrmMain::Setup1Click);

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("View1"));
    ControlPanel1 = AddItem(view, QStringLiteral("&Control Panel"), QStringLiteral("ControlPanel1"));
    ControlPanel1->setCheckable(true);
    ControlPanel1->setChecked(true);
    connect(ControlPanel1, &QAction::triggered, this, &TfrmMain::ControlPanel1Click);
    RealTimeGraph1 = AddItem(view, QStringLiteral("Real Time &Graph"), QStringLiteral("RealTimeGraph1"));
    RealTimeGraph1->setCheckable(true);
    RealTimeGraph1->setChecked(true);
    connect(RealTimeGraph1, &QAction::triggered, this, &TfrmMain::RealTimeGraph1Click);

    windowMenu = bar->addMenu(QStringLiteral("&Window"));
    windowMenu->setObjectName(QStringLiteral("Window1"));
    connect(windowMenu, &QMenu::aboutToShow, this, &TfrmMain::FillWindowMenu);
    FillWindowMenu();

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    Contents1 = AddItem(help, QStringLiteral("&Contents"), QStringLiteral("Contents1"));
    connect(Contents1, &QAction::triggered, this, &TfrmMain::Contents1Click);
    About1 = AddItem(help, QStringLiteral("&About"), QStringLiteral("About1"));
    connect(About1, &QAction::triggered, this, &TfrmMain::About1Click);

    LEQ1 = bar->addAction(QStringLiteral("LEQ"));
    LEQ1->setObjectName(QStringLiteral("LEQ1"));
    connect(LEQ1, &QAction::triggered, this, &TfrmMain::LEQ1Click);
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

    SpeedButton1 = AddToolButton(QStringLiteral("SpeedButton1"), QStringLiteral("Open File"), QStringLiteral("open"));
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmMain::Open1Click);
    SpeedButton2 = AddToolButton(QStringLiteral("SpeedButton2"), QStringLiteral("Save to file"), QStringLiteral("save"));
    connect(SpeedButton2, &QToolButton::clicked, this, &TfrmMain::Save1Click);
    btnPrint = AddToolButton(QStringLiteral("btnPrint"), QStringLiteral("Print"), QStringLiteral("print"));
    connect(btnPrint, &QToolButton::clicked, this, &TfrmMain::btnPrintClick);
    panel1->addSeparator();
    btnDataLogger = AddToolButton(QStringLiteral("btnDataLogger"), QStringLiteral("Data Logger"),
                                  QStringLiteral("datalogger"));
    connect(btnDataLogger, &QToolButton::clicked, this, &TfrmMain::LoadData1Click);
    btnOutputToGraph = AddToolButton(QStringLiteral("btnOutputToGraph"),
                                     QStringLiteral("Output Tabular to graph"), QStringLiteral("output"));
    connect(btnOutputToGraph, &QToolButton::clicked, this, &TfrmMain::btnOutputToGraphClick);
    panel1->addSeparator();
    btnRun = AddToolButton(QStringLiteral("btnRun"), QStringLiteral("Start Graphing Real Time Data"),
                           QStringLiteral("run"));
    connect(btnRun, &QToolButton::clicked, this, &TfrmMain::btnRunClick);
    btnStop = AddToolButton(QStringLiteral("btnStop"), QStringLiteral("Stop Graphing Real Time Data"),
                            QStringLiteral("stop"));
    connect(btnStop, &QToolButton::clicked, this, &TfrmMain::btnStopClick);
    panel1->addSeparator();
    SpeedButton8 = AddToolButton(QStringLiteral("SpeedButton8"), QStringLiteral("Help"), QStringLiteral("help"));
    connect(SpeedButton8, &QToolButton::clicked, this, &TfrmMain::Contents1Click);
    BuildSetupButton();
}

void TfrmMain::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    const int widths[3] = {100, 150, 50};
    for (int i = 0; i < 3; ++i) {
        statusPanels[i] = new QLabel(bar);
        statusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        // At least its width, and wider for a text that needs more.
        statusPanels[i]->setMinimumWidth(widths[i]);
        statusPanels[i]->setFrameShape(QFrame::StyledPanel);
        statusPanels[i]->setFrameShadow(QFrame::Sunken);
        bar->addWidget(statusPanels[i]);
    }
}

QString TfrmMain::StatusText(int panel) const { return statusPanels[panel]->text(); }

void TfrmMain::ShowConnectionText(const QString& text)
{
    statusPanels[0]->clear();
    statusPanels[1]->setText(text);
}

WindowKind TfrmMain::ActiveWindowKind() const
{
    const QMdiSubWindow* current = mdiArea->currentSubWindow();
    QWidget* widget = current ? current->widget() : nullptr;
    if (!widget)
        return WindowKind::None;
    if (qobject_cast<TfrmPanel*>(widget))
        return WindowKind::Panel;
    if (const auto* graph = qobject_cast<TfrmGraph*>(widget)) {
        if (graph->IsRealTimeWindow())
            return WindowKind::RealTimeGraph;
        if (graph->IsDataLoggerWindow())
            return WindowKind::DataLoggerGraph;
        return WindowKind::Graph;
    }
    if (qobject_cast<TfrmSetup*>(widget))
        return WindowKind::Setup;
    if (qobject_cast<TfrmList*>(widget))
        return WindowKind::List;
    if (qobject_cast<TfrmLEQ*>(widget))
        return WindowKind::Leq;
    return WindowKind::None;
}

CommandFacts TfrmMain::CurrentFacts() const
{
    CommandFacts facts;
    facts.connected = monitor->Connected();
    facts.realTimeRunning = run.Running;
    facts.recording = monitor->Recording();
    facts.linkBusy = Link().Busy();
    facts.leqMeasuring = leqWindow && leqWindow->Measuring();
    facts.active = ActiveWindowKind();
    return facts;
}

void TfrmMain::UpdateCommandStates()
{
    const CommandStates states = DecideCommandStates(CurrentFacts());
    Save1->setEnabled(states.save);
    SpeedButton2->setEnabled(states.save);
    Print1->setEnabled(states.print);
    btnPrint->setEnabled(states.print);
    DataLogger1->menuAction()->setEnabled(states.dataLoggerMenu);
    LoadData1->setEnabled(states.loadData);
    btnDataLogger->setEnabled(states.loadData);
    EraseMemory1->setEnabled(states.eraseMemory);
    Setup1->setEnabled(states.setup);
    Button1->setEnabled(states.setup);
    Run1->setEnabled(states.run);
    btnRun->setEnabled(states.run);
    Stop1->setEnabled(states.stop);
    btnStop->setEnabled(states.stop);
    btnOutputToGraph->setEnabled(states.outputToGraph);
    LEQ1->setEnabled(states.leq);
    if (realTimeGraph)
        realTimeGraph->tbntClr->setEnabled(states.clear);
}
