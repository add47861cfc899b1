#include "shell/ui/OffscreenApplication.h"

#include <QGuiApplication>

std::unique_ptr<QCoreApplication> MakeOffscreenApplication(int& argc, char** argv)
{
    // Read once, when the application is made; a -platform argument still wins.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}
