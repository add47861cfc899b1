#include "TfrmMain.h"

#include "AppState.h"
#include "Bitmaps.h"
#include "Clock.h"
#include "DataFolder.h"
#include "FloatExceptions.h"
#include "Folders.h"
#include "GraphFileCommands.h"
#include "GraphHooks.h"
#include "Prompts.h"
#include "RealTimeGraph.h"
#include "SaveFilters.h"
#include "Settings.h"
#include "SharedPrinter.h"
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
