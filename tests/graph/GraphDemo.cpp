// Shows a filled graph window, for looking at it.
#include "graph/ui/ChartFile.h"
#include "graph/ui/ExportGraphText.h"
#include "graph/ui/GraphWindowCommands.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/PrepareChart.h"
#include "graph/ui/TfrmGraph.h"
#include "shell/Formats.h"

#include <QApplication>
#include <QDateTime>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

#include <cmath>
#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // graph_demo [points [seconds-per-point [locale [customize|range]]]]
    const int points = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3600;
    const double step = argc > 2 ? std::atof(argv[2]) : 1.0;
    if (argc > 3)
        QLocale::setDefault(QLocale(QString::fromLatin1(argv[3])));
    QMainWindow frame;
    auto* area = new QMdiArea(&frame);
    frame.setCentralWidget(area);
    frame.resize(1280, 900);

    auto* window = new TfrmGraph;
    window->setWindowTitle(QStringLiteral("Real-Time Graph"));
    const double start = DaysFromDateTime(QDateTime(QDate(2024, 5, 14), QTime(14, 0, 0)));
    PrepareChart(*window->PESGraph1, 1, 130.0f, 30.0f, start + points * step * OneSecond, start, points);
    unsigned seed = 7;
    auto noise = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<double>((seed >> 16) & 0x7fff) / 32768.0 - 0.5;
    };
    for (int i = 0; i < points; ++i) {
        const double t = i / static_cast<double>(points);
        double level = 48.0 + 4.0 * std::sin(t * 9.0) + 3.0 * noise();
        if (std::fmod(t * 7.0, 1.0) < 0.06)
            level += 25.0 * std::sin(std::fmod(t * 7.0, 1.0) / 0.06 * 3.14159);
        window->PESGraph1->SetPoint(0, i, start + i * step * OneSecond, static_cast<float>(level));
    }
    window->PESGraph1->SetGraphAnnotation(5, {2, start + points * 0.3 * step * OneSecond, 95.0, QStringLiteral("door"),
                                              0xff0000c6u});
    window->RefreshStatistics();
    window->ShowInArea(area);
    frame.show();
    const QString dialog = argc > 4 ? QString::fromLatin1(argv[4]) : QString();
    QTimer::singleShot(300, window, [window, dialog] {
        if (dialog == QStringLiteral("customize"))
            window->Button1Click();
        else if (dialog == QStringLiteral("range"))
            ExportGraphText(*window->PESGraph1, QStringLiteral("/tmp/graph_demo.txt"), u'\t');
    });
    return application.exec();
}
