// Shows a graph window with an exclusion and its Analysis window, for looking at them.
#include "graph/ui/GraphServices.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/PrepareChart.h"
#include "graph/ui/TfrmGraph.h"
#include "shell/Formats.h"
#include "survey/ui/TfrmAnalysis.h"

#include <QApplication>
#include <QDateTime>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTimer>

#include <cmath>
#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // survey_demo [tab 0-4]
    const int tab = argc > 1 ? std::atoi(argv[1]) : 0;
    QMainWindow frame;
    auto* area = new QMdiArea(&frame);
    frame.setCentralWidget(area);
    frame.resize(1580, 980);

    static GraphServices services;
    services.Analysis = [](TfrmGraph& graph) { ShowAnalysis(graph); };
    auto* window = new TfrmGraph(services);
    window->setWindowTitle(QStringLiteral("night.ghf"));
    const int points = 8 * 360;  // 8 hours at 10 s from 22:00
    const double step = 10.0;
    const double start = DaysFromDateTime(QDateTime(QDate(2024, 5, 6), QTime(22, 0, 0)));
    PrepareChart(*window->PESGraph1, 1, 130.0f, 30.0f, start + points * step * OneSecond, start, points);
    unsigned seed = 11;
    auto noise = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<double>((seed >> 16) & 0x7fff) / 32768.0 - 0.5;
    };
    Recording recording;
    recording.start = start;
    recording.intervalSeconds = step;
    recording.weighting = Weighting::A;
    recording.response = Response::Fast;
    for (int i = 0; i < points; ++i) {
        const double t = i / static_cast<double>(points);
        double level = 42.0 + 6.0 * std::cos(t * 6.28) + 3.0 * noise();
        if (std::fmod(t * 23.0, 1.0) < 0.08)
            level += 28.0 * std::sin(std::fmod(t * 23.0, 1.0) / 0.08 * 3.14159);
        recording.times.push_back(start + i * step * OneSecond);
        recording.levels.push_back(static_cast<float>(level));
    }
    window->ShowRecording(std::move(recording));
    window->RefreshStatistics();
    window->AddExclusion({start + 3600 * OneSecond * 1.5, start + 3600 * OneSecond * 1.75, QStringLiteral("dog barking")});
    SurveyAnalysis settings;
    settings.events = EventSettings{60.0, 30.0, 20.0};
    window->SetAnalysisSettings(settings);
    window->ShowInArea(area, QRect(0, 0, 1560, 470));
    frame.show();
    QTimer::singleShot(300, window, [window, area, tab] {
        TfrmAnalysis& analysis = ShowAnalysis(*window);
        analysis.parentWidget()->setGeometry(0, 470, 1200, 470);
        analysis.AnalysisTabs->setCurrentIndex(tab);
        Q_UNUSED(area);
    });
    return application.exec();
}
