#include "app/TfrmMain.h"

#include "files/SaveFilters.h"
#include "files/ui/ExportGridText.h"
#include "files/ui/TfrmOpenSave.h"
#include "graph/ui/ChartFile.h"
#include "graph/ui/GraphWindowCommands.h"
#include "graph/ui/TfrmGraph.h"
#include "leq/ui/LeqGraph.h"
#include "leq/ui/TfrmLEQ.h"
#include "leq/ui/TfrmNoiseMetrics.h"
#include "link/LinkSession.h"
#include "link/MeterMonitor.h"
#include "logger/ui/DataLoggerWindow.h"
#include "logger/ui/DataSetCollection.h"
#include "logger/ui/TfrmSetup.h"
#include "panel/ui/TfrmPanel.h"
#include "print/ui/SharedPrinter.h"
#include "realtime/ui/RealTimeGraph.h"
#include "recording/FileKind.h"
#include "survey/ui/EditGraphSurveyDetails.h"
#include "survey/ui/SaveGraphReport.h"
#include "shell/Clock.h"
#include "shell/DataFolder.h"
#include "shell/FloatExceptions.h"
#include "shell/Folders.h"
#include "shell/Settings.h"
#include "shell/ui/LongTask.h"
#include "shell/ui/Prompts.h"
#include "shell/ui/TfrmAbout.h"
#include "survey/ui/GraphExclusions.h"
#include "survey/ui/OpenSurvey.h"
#include "survey/ui/TfrmAnalysis.h"
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

TfrmMain::TfrmMain(QWidget* parent)
    : QMainWindow(parent),
      mdiArea(new QMdiArea(this)),
      monitor(new MeterMonitor(Link(), this)),
      maxMinTimer(new QTimer(this)),
      realTimeTimer(new QTimer(this)),
      leqTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("QX574"));
    setWindowIcon(QIcon(QStringLiteral(":/glyphs/app.png")));

    mdiArea->setObjectName(QStringLiteral("ClientArea"));
    mdiArea->setFrameShape(QFrame::NoFrame);
    mdiArea->setBackground(QColor(0x5f, 0x67, 0x70));
    setCentralWidget(mdiArea);

    connect(monitor, &MeterMonitor::ConnectedChanged, this, &TfrmMain::ShowConnection);
    connect(monitor, &MeterMonitor::StatusRead, this, &TfrmMain::ShowMeterStatus);
    connect(monitor, &MeterMonitor::Ticked, this, &TfrmMain::UpdateCommandStates);
    connect(&Link(), &LinkSession::BusyChanged, this, &TfrmMain::UpdateCommandStates);
    maxMinTimer->setObjectName(QStringLiteral("MaxMinTimer"));
    maxMinTimer->setInterval(500);
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
    SetGraphServices();
    FormCreate();
    UpdateCommandStates();
}

TfrmMain::~TfrmMain()
{
    // The child windows go with the frame; neither their activation nor the link's news may
    // reach a half-destroyed frame.
    disconnect(mdiArea, nullptr, this, nullptr);
    disconnect(&Link(), nullptr, this, nullptr);
    // Windows that outlive this destructor's body (the frame deletes its children last) must not
    // reach the objects they were given: they close first.
    QList<QPointer<QMdiSubWindow>> windows;
    for (QMdiSubWindow* window : mdiArea->subWindowList())
        windows << window;
    for (const QPointer<QMdiSubWindow>& window : windows)
        delete window.data();
}

QTimer* TfrmMain::MainTimer() const { return monitor->Timer(); }
void TfrmMain::SetSplash(TfrmAbout* window) { splash = window; }
TfrmPanel* TfrmMain::Panel() const { return panel; }
TfrmGraph* TfrmMain::RealTimeGraph() const { return realTimeGraph; }
TfrmGraph* TfrmMain::DataLoggerGraph() const { return dataLoggerGraph; }
TfrmLEQ* TfrmMain::LeqWindow() const { return leqWindow; }
TfrmSetup* TfrmMain::SetupWindow() const { return setupWindow; }

void TfrmMain::FormCreate()
{
    const ProgramSettings settings = LoadSettings();
    run.Rate = settings.RealTimeRate;
    discardFloatError = settings.DiscardFloatError;
    d1->setChecked(discardFloatError);
    bitmaps = LoadLcdBitmaps();
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
    DetermineDataFolder();
    CreatePanel();
    panel->SetNoConnectionVisible(true);
    ShowConnectionText(QStringLiteral("Off Connection"));
    DataLogger1->menuAction()->setVisible(true);
    btnDataLogger->setVisible(true);
    // The monitor starts half a second after the window shows; the windows draw meanwhile.
    CurrentClock().SingleShot(500, this, [this] {
        MainTimer()->start();
        if (splash) {
            splash->Label4()->clear();
            splash->close();
        }
    });
    CreateRealTimeGraph();
    PlaceRealTimeGraph();
    Setup1->setVisible(false);
    if (panel)
        panel->ShowPowerOnPattern();
    UpdateCommandStates();
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (exiting) {
        event->accept();
        return;
    }
    // A download holds the DataLogger window on its stack: it stops, and the program closes after.
    if (PutOffWhileLongTask(*this, true, [this] { close(); }) || !CloseChildWindows()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

// Each child window asks its own question about unsaved measurements before the program
// ends, every one before any window closes, so that a Cancel leaves them all as they were;
// false when the user kept one open.
bool TfrmMain::CloseChildWindows()
{
    QList<QPointer<QMdiSubWindow>> closing;
    for (QMdiSubWindow* window : mdiArea->subWindowList()) {
        if (qobject_cast<TfrmPanel*>(window->widget()))
            continue;
        if (auto* graph = qobject_cast<TfrmGraph*>(window->widget()); graph && !graph->FormCloseQuery())
            return false;
        closing << window;
    }
    for (const QPointer<QMdiSubWindow>& window : closing) {
        if (!window)
            continue;  // went with the window it belonged to
        if (auto* graph = qobject_cast<TfrmGraph*>(window->widget()))
            graph->CloseAnswered();
        else
            window->close();
    }
    return true;
}

void TfrmMain::FormClose()
{
    SaveSettings({run.Rate, discardFloatError});
    for (int slot = 0; slot <= 15; ++slot)
        bitmaps[static_cast<std::size_t>(slot)] = QImage();
}

void TfrmMain::CreatePanel()
{
    panel = new TfrmPanel(bitmaps, *maxMinTimer);
    QMdiSubWindow* frame = mdiArea->addSubWindow(panel, Qt::SubWindow | Qt::FramelessWindowHint);
    frame->setObjectName(QStringLiteral("PanelWindow"));
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->move(0, 0);
    frame->show();
    // A panel made while the meter is away says so, as the status bar does.
    panel->SetNoConnectionVisible(!monitor->Connected());
    ControlPanel1->setChecked(true);
    QAction* item = ControlPanel1;  // the panel may outlive the frame's own members
    connect(panel, &QObject::destroyed, item, [item] { item->setChecked(false); });
    connect(panel, &TfrmPanel::Minimised, item, [item] { item->setChecked(false); });
}

void TfrmMain::ControlPanel1Click()
{
    if (panel) {
        auto* frame = qobject_cast<QMdiSubWindow*>(panel->parentWidget());
        frame->showNormal();
        mdiArea->setActiveSubWindow(frame);
        ControlPanel1->setChecked(true);
    } else {
        CreatePanel();
    }
}

void TfrmMain::SetGraphServices()
{
    graphServices.Save = [this](TfrmGraph& window) { return SaveWindow(window); };
    graphServices.CalLeq = [](TfrmGraph& source) { CalLeqGraph(source); };
    graphServices.NoiseMetrics = [](TfrmGraph& source) { ShowNoiseMetrics(source); };
    graphServices.Report = [](TfrmGraph& source) { SaveGraphReport(source); };
    graphServices.Analysis = [](TfrmGraph& source) { ShowAnalysis(source); };
    graphServices.SurveyDetails = [](TfrmGraph& source) { EditGraphSurveyDetails(source); };
    graphServices.Exclude = [](TfrmGraph& source) { ExcludeBetweenGraphCursors(source); };
    graphServices.Exclusions = [](TfrmGraph& source) { ShowGraphExclusions(source); };
    graphServices.DiscardFloatError = [this] { return discardFloatError; };
}

TfrmGraph& TfrmMain::OpenDataLoggerGraph()
{
    return OpenDataLoggerWindow(*mdiArea, dataLoggerGraph, dataLogger, graphServices);
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
        if (!SaveCollection(dataLogger))
            return false;
        // A survey of the shown set names the collection from now on.
        window.SetRecordingSource(dataLogger.File(), window.ShownRecording().set);
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
    case TfrmOpenSave::SetsResult: OpenCollection(dataLogger, [this]() -> TfrmGraph& { return OpenDataLoggerGraph(); }); break;
    case TfrmOpenSave::SingleResult: OpenSingleFile(); break;
    default: break;
    }
}

void TfrmMain::OpenSingleFile()
{
    QString selected;
    const QString path = CurrentPrompts().OpenFileName(
        QStringLiteral("Open"), FileDialogFolder(), DialogFilters(GraphFileFilter() + u'|' + SurveyFileFilter()),
        &selected);
    switch (KindOfFileName(path)) {
    case FileKind::Graph: OpenGraphFile(path); break;
    case FileKind::Survey: OpenSurveyFile(path); break;
    case FileKind::TabText:
    case FileKind::CommaText: OpenTextFile(path); break;
    case FileKind::Collection:
    case FileKind::Other: break;  // nothing chosen, or a kind this choice does not read
    }
}

void TfrmMain::OpenGraphFile(const QString& path)
{
    if (TfrmGraph* graph = OpenGraphWindow(path, graphServices))
        graph->ShowInArea(mdiArea, QRect(0, 0, mdiArea->width(), mdiArea->height() - 40));
}

void TfrmMain::OpenSurveyFile(const QString& path)
{
    if (TfrmGraph* graph = OpenSurveyWindow(path, graphServices))
        graph->ShowInArea(mdiArea, QRect(0, 0, mdiArea->width(), mdiArea->height() - 40));
}

void TfrmMain::OpenFiles(const QStringList& paths)
{
    for (const QString& path : paths) {
        switch (KindOfFileName(path)) {
        case FileKind::Graph: OpenGraphFile(path); break;
        case FileKind::Survey: OpenSurveyFile(path); break;
        case FileKind::TabText:
        case FileKind::CommaText: OpenTextFile(path); break;
        case FileKind::Collection:
            OpenCollectionFile(path, dataLogger, [this]() -> TfrmGraph& { return OpenDataLoggerGraph(); });
            break;
        case FileKind::Other:
            CurrentPrompts().ShowError(
                QStringLiteral("%1 is not a graph file (.ghf), a data set collection (.REC), a survey (.qxs) or a text "
                               "file (.txt, .csv).")
                    .arg(QDir::toNativeSeparators(path)));
            break;
        }
    }
}

void TfrmMain::Contents1Click()
{
    CurrentPrompts().OpenWithDefaultProgram(ShippedFilesFolder() + QStringLiteral("QX574Help.htm"));
}

void TfrmMain::About1Click()
{
    if (!aboutBox) {
        aboutBox = new TfrmAbout(this);
        aboutBox->setAttribute(Qt::WA_DeleteOnClose);
    }
    CurrentPrompts().RunModal(*aboutBox);
    // Closing the box frees it, so the next Help > About builds a fresh one.
    delete aboutBox.data();
}

void TfrmMain::d1Click()
{
    if (discardFloatError) {
        ClearFloatExceptionFlags();
        discardFloatError = false;
    } else {
        MaskFloatExceptions();
        discardFloatError = true;
    }
    d1->setChecked(discardFloatError);
}

void TfrmMain::Exit1Click()
{
    // Leaves without the close handler, so the settings are not written; unsaved
    // measurements still get their windows' questions.
    if (PutOffWhileLongTask(*this, true, [this] { Exit1Click(); }) || !CloseChildWindows())
        return;
    exiting = true;
    QCoreApplication::exit(0);
}

void TfrmMain::PrinterSetup1Click() { CurrentPrompts().PrinterSetupDialog(SharedPrinter()); }
