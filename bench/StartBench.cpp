// The window program's start, as main() makes it on the simulated meter: from the splash to
// the main window drawn, and on to the monitor running after the start's half-second wait;
// against a bare main window with the same menus, tool bar and status bar, drawn once.
#include "app/TfrmMain.h"
#include "link/LinkSession.h"
#include "link/SimulatedMeter.h"
#include "shell/Folders.h"
#include "shell/ui/TfrmAbout.h"
#include "PlainRatio.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Notes the first time a window is drawn.
class FirstPaint : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// Lets the event loop run until done() or five seconds have passed. It sleeps between events
// (a timer wakes it to look again), so that the processor time measured is the program's and
// not this loop's spinning through the start's half-second wait.
template <typename Done>
void RunUntil(Done done)
{
    QTimer wake;
    wake.start(5);
    QElapsedTimer limit;
    limit.start();
    while (!done() && limit.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

std::unique_ptr<QMainWindow> BareMainWindow()
{
    auto window = std::make_unique<QMainWindow>();
    window->setWindowTitle(QStringLiteral("QX574"));
    window->setCentralWidget(new QMdiArea);
    const char* menus[][6] = {{"&File", "&Open", "&Save", "&Print", "&Printer Setup", "E&xit"},
                              {"Real Time", "Run", "Stop", "Option", nullptr, nullptr},
                              {"&Data Logger", "Load Data", "Erase Memory", "Setup", nullptr, nullptr},
                              {"&View", "&Control Panel", "Real Time &Graph", nullptr, nullptr, nullptr},
                              {"&Window", "&Tile", "&Cascade", nullptr, nullptr, nullptr},
                              {"&Help", "&Contents", "&About", nullptr, nullptr, nullptr},
                              {"LEQ", nullptr, nullptr, nullptr, nullptr, nullptr}};
    for (const auto& menu : menus) {
        QMenu* items = window->menuBar()->addMenu(QString::fromLatin1(menu[0]));
        for (int i = 1; i < 6 && menu[i]; ++i)
            items->addAction(QString::fromLatin1(menu[i]));
    }
    QToolBar* tools = window->addToolBar(QStringLiteral("Panel1"));
    for (int i = 0; i < 8; ++i)
        tools->addAction(QStringLiteral("Tool %1").arg(i));
    for (int i = 0; i < 3; ++i)
        window->statusBar()->addWidget(new QLabel(QStringLiteral("Status")));
    return window;
}

void BM_StartWindowProgram(benchmark::State& state)
{
    QTemporaryDir dir;
    SetProgramFolder(dir.filePath(QStringLiteral("program")));
    SetDocumentsFolder(dir.filePath(QStringLiteral("documents")));
    SetSettingsFile(dir.filePath(QStringLiteral("settings.conf")));
    SimulatedMeter meter;
    Link().SetTransport(&meter);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    double shown = 0.0, started = 0.0, cpu = 0.0, bareShown = 0.0, bareCpu = 0.0;
    for (auto _ : state) {
        QElapsedTimer wall;
        wall.start();
        const double cpu0 = ProcessCpuSeconds();
        TfrmAbout* splash = ShowSplash();
        {
            TfrmMain window;
            window.SetSplash(splash);
            FirstPaint paint;
            window.installEventFilter(&paint);
            window.setGeometry(screen);
            window.showMaximized();
            RunUntil([&] { return paint.painted; });
            shown += wall.nsecsElapsed() * 1e-9;
            RunUntil([&] { return window.MainTimer()->isActive(); });
            started += wall.nsecsElapsed() * 1e-9;
            cpu += ProcessCpuSeconds() - cpu0;
            state.SetIterationTime(wall.nsecsElapsed() * 1e-9);
            window.MainTimer()->stop();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        wall.restart();
        const double bare0 = ProcessCpuSeconds();
        {
            std::unique_ptr<QMainWindow> bare = BareMainWindow();
            FirstPaint paint;
            bare->installEventFilter(&paint);
            bare->setGeometry(screen);
            bare->showMaximized();
            RunUntil([&] { return paint.painted; });
            bareShown += wall.nsecsElapsed() * 1e-9;
            bareCpu += ProcessCpuSeconds() - bare0;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["shown_ms"] = 1000.0 * shown / n;
    state.counters["started_ms"] = 1000.0 * started / n;
    state.counters["cpu_ms"] = 1000.0 * cpu / n;
    state.counters["bare_shown_ms"] = 1000.0 * bareShown / n;
    state.counters["bare_cpu_ms"] = 1000.0 * bareCpu / n;
    state.counters["shown_ratio"] = bareShown > 0.0 ? shown / bareShown : 0.0;
    Link().SetTransport(nullptr);
    SetProgramFolder({});
    SetDocumentsFolder({});
    SetSettingsFile({});
}
BENCHMARK(BM_StartWindowProgram)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
