#include "app/TfrmMain.h"

#include "files/SaveFilters.h"
#include "files/ui/ExportGridText.h"
#include "files/ui/TfrmOpenSave.h"
#include "graph/ui/ChartFile.h"
#include "graph/ui/GraphHooks.h"
#include "graph/ui/GraphWindowCommands.h"
#include "graph/ui/TfrmGraph.h"
#include "leq/ui/LeqGraph.h"
#include "leq/ui/TfrmLEQ.h"
#include "leq/ui/TfrmNoiseMetrics.h"
#include "link/LinkSession.h"
#include "logger/ui/DataSetCollection.h"
#include "panel/ui/TfrmPanel.h"
#include "print/ui/SharedPrinter.h"
#include "realtime/ui/RealTimeGraph.h"
#include "report/ui/SaveGraphReport.h"
#include "shell/AppState.h"
#include "shell/Clock.h"
#include "shell/DataFolder.h"
#include "shell/FloatExceptions.h"
#include "shell/Folders.h"
#include "shell/Settings.h"
#include "shell/ui/AppWindows.h"
#include "shell/ui/Bitmaps.h"
#include "shell/ui/Prompts.h"
#include "shell/ui/TfrmAbout.h"
#include "tables/ui/TfrmList.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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
      realTimeTimer(new QTimer(this)),
      leqTimer(new QTimer(this))
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
    Link().SetMonitorTimer(mainTimer);
    connect(mainTimer, &QTimer::timeout, this, &TfrmMain::MainTimerTimer);
    maxMinTimer->setObjectName(QStringLiteral("MaxMinTimer"));
    maxMinTimer->setInterval(500);
    Windows.MaxMinTimer = maxMinTimer;
    connect(maxMinTimer, &QTimer::timeout, this, &TfrmMain::MaxMinTimerTimer);
    realTimeTimer->setObjectName(QStringLiteral("RealTime_Timer"));
    realTimeTimer->setInterval(1000);
    connect(realTimeTimer, &QTimer::timeout, this, &TfrmMain::RealTime_TimerTimer);
    leqTimer->setObjectName(QStringLiteral("LEQTimer"));
    leqTimer->setInterval(40);
    connect(leqTimer, &QTimer::timeout, this, &TfrmMain::LEQTimerTimer);
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &TfrmMain::UpdateCommandStates);
    SetGraphHooks();
    FormCreate();
    UpdateCommandStates();
}

TfrmMain::~TfrmMain()
{
    // The child windows go with the frame; their activation must not reach a half-destroyed frame.
    disconnect(mdiArea, nullptr, this, nullptr);
    GraphHooks() = GraphWindowHooks();
    if (Link().MonitorTimer() == mainTimer)
        Link().SetMonitorTimer(nullptr);
    if (frmMain == this)
        frmMain = nullptr;
}

void TfrmMain::FormCreate()
{
    LoadSettings(App);
    d1->setChecked(App.DiscardFloatError);
    LoadBitmaps(Windows);
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
    Windows.Panel->SetNoConnectionVisible(true);
    ShowConnectionText(QStringLiteral("Off Connection"));
    DataLogger1->menuAction()->setVisible(true);
    btnDataLogger->setVisible(true);
    // The monitor starts half a second after the window shows; the windows draw meanwhile.
    CurrentClock().SingleShot(500, this, [this] {
        mainTimer->start();
        if (frmAbout) {
            frmAbout->Label4()->clear();
            frmAbout->close();
        }
    });
    CreateRealTimeGraph(*mdiArea);
    PlaceRealTimeGraph();
    Setup1->setVisible(false);
    if (Windows.Panel)
        Windows.Panel->ShowPowerOnPattern();
    UpdateCommandStates();
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
        Windows.Bitmaps[static_cast<std::size_t>(slot)] = QImage();
}

void TfrmMain::CreatePanel()
{
    auto* panel = new TfrmPanel;
    QMdiSubWindow* frame = mdiArea->addSubWindow(panel, Qt::SubWindow | Qt::FramelessWindowHint);
    frame->setObjectName(QStringLiteral("PanelWindow"));
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->move(0, 0);
    frame->show();
    Windows.Panel = panel;
    // A panel made while the meter is away says so, as the status bar does.
    panel->SetNoConnectionVisible(!App.Connected);
    ControlPanel1->setChecked(true);
    QAction* item = ControlPanel1;  // the panel may outlive the frame's own members
    connect(panel, &QObject::destroyed, item, [item] { item->setChecked(false); });
    connect(panel, &TfrmPanel::Minimised, item, [item] { item->setChecked(false); });
}

void TfrmMain::ControlPanel1Click()
{
    if (Windows.Panel) {
        auto* frame = qobject_cast<QMdiSubWindow*>(Windows.Panel->parentWidget());
        frame->showNormal();
        mdiArea->setActiveSubWindow(frame);
        ControlPanel1->setChecked(true);
    } else {
        CreatePanel();
    }
}

void TfrmMain::SetGraphHooks()
{
    GraphWindowHooks& hooks = GraphHooks();
    hooks.Save = [this](TfrmGraph& window) { return SaveWindow(window); };
    hooks.CheckRealTimeGraphItem = [this](bool checked) { RealTimeGraph1->setChecked(checked); };
    hooks.CalLeq = [](TfrmGraph& source) { CalLeqGraph(source); };
    hooks.NoiseMetrics = [](TfrmGraph& source) { ShowNoiseMetrics(source); };
    hooks.Report = [](TfrmGraph& source) { SaveGraphReport(source); };
    hooks.RealTimeGraphClosed = [this] {
        realTimeTimer->stop();
        UpdateCommandStates();
    };
}

void TfrmMain::Save1Click()
{
    QMdiSubWindow* current = mdiArea->currentSubWindow();
    QWidget* widget = current ? current->widget() : nullptr;
    if (auto* graph = qobject_cast<TfrmGraph*>(widget))
        SaveWindow(*graph);
    else if (auto* list = qobject_cast<TfrmList*>(widget))
        ExportGridText(*list->Grid1);
    else if (auto* leq = qobject_cast<TfrmLEQ*>(widget))
        ExportGridText(*leq->LEQGrid);
}

bool TfrmMain::SaveWindow(TfrmGraph& window)
{
    if (!window.IsDataLoggerWindow())
        return SaveGraph(window);
    TfrmOpenSave chooser(this);
    chooser.setWindowTitle(QStringLiteral("Save File"));
    switch (CurrentPrompts().RunModal(chooser)) {
    case TfrmOpenSave::SetsResult:
        // Every set is kept now: closing the window has nothing left to ask.
        if (!SaveCollection())
            return false;
        App.DataLoggerUnsaved = false;
        return true;
    case TfrmOpenSave::SingleResult: return SaveGraph(window);
    default: return false;
    }
}

void TfrmMain::Open1Click()
{
    TfrmOpenSave chooser(this);
    chooser.setWindowTitle(QStringLiteral("Open File"));
    chooser.btnOpenSets->setText(QStringLiteral("Open a data set collection file(*.rec)"));
    chooser.btnOpenSingleSet->setText(QLocale().decimalPoint() == QStringLiteral(",")
                                          ? QStringLiteral("Open single data flle(*.TXT,*.GHF)")
                                          : QStringLiteral("Open single data file(*.TXT,*.CSV,*.GHF)"));
    switch (CurrentPrompts().RunModal(chooser)) {
    case TfrmOpenSave::SetsResult: OpenCollection(*mdiArea); break;
    case TfrmOpenSave::SingleResult: OpenSingleFile(); break;
    default: break;
    }
}

void TfrmMain::OpenSingleFile()
{
    QString selected;
    const QString path = CurrentPrompts().OpenFileName(
        QStringLiteral("Open"), FileDialogFolder(), DialogFilters(GraphFileFilter()), &selected);
    switch (KindOfGraphFileName(path)) {
    case GraphFileKind::Graph: OpenGraphFile(path); break;
    case GraphFileKind::Tab:
    case GraphFileKind::Comma: OpenTextFile(path); break;
    case GraphFileKind::Other: break;  // nothing chosen, or a kind Open does not read
    }
}

void TfrmMain::OpenGraphFile(const QString& path)
{
    if (TfrmGraph* graph = OpenGraphWindow(path))
        graph->ShowInArea(mdiArea, QRect(0, 0, mdiArea->width(), mdiArea->height() - 40));
}

void TfrmMain::OpenFiles(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (KindOfGraphFileName(path) == GraphFileKind::Graph)
            OpenGraphFile(path);
        else if (KindOfGraphFileName(path) != GraphFileKind::Other)
            OpenTextFile(path);
        else if (QFileInfo(path).suffix().compare(QStringLiteral("rec"), Qt::CaseInsensitive) == 0)
            OpenCollectionFile(*mdiArea, path);
        else
            CurrentPrompts().ShowError(
                QStringLiteral("%1 is not a graph file (.ghf), a data set collection (.REC) or a text file (.txt, .csv).")
                    .arg(QDir::toNativeSeparators(path)));
    }
}

void TfrmMain::Contents1Click()
{
    CurrentPrompts().OpenWithDefaultProgram(ShippedFilesFolder() + QStringLiteral("QX574Help.htm"));
}

void TfrmMain::About1Click()
{
    if (!Windows.AboutBox) {
        Windows.AboutBox = new TfrmAbout(this);
        Windows.AboutBox->setAttribute(Qt::WA_DeleteOnClose);
    }
    CurrentPrompts().RunModal(*Windows.AboutBox);
    // Closing the box frees it, so the next Help > About builds a fresh one.
    delete Windows.AboutBox.data();
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
