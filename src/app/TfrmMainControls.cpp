// The main window's menus, tool bar and status bar.
#include "TfrmMain.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
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
