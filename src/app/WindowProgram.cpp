#include "app/WindowProgram.h"

#include "app/ProgramOptions.h"
#include "app/TfrmMain.h"
#include "link/LinkSession.h"
#include "link/MeterTransport.h"
#include "shell/Folders.h"
#include "shell/ui/TfrmAbout.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QScreen>

#include <cstdio>
#include <memory>

int RunWindowProgram(int argc, char** argv)
{
    QApplication application(argc, argv);
    SetProgramNames();
    // Ties the windows to the desktop entry, for their icon and name.
    QGuiApplication::setDesktopFileName(QStringLiteral("qx574"));

    QCommandLineParser parser;
    const ProgramOptions options(parser);
    parser.process(application);

    // The LEQ log goes into temp/, which nothing else creates.
    QDir().mkpath(WritableFilesFolder() + QStringLiteral("temp"));

    QString error;
    const std::unique_ptr<MeterTransport> transport =
        MeterTransport::Open(parser.isSet(options.simulate), parser.value(options.serial), parser.value(options.usbLog),
                             &error);
    if (!transport) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    Link().SetTransport(&transport->Usb());

    TfrmAbout* splash = ShowSplash();

    int result = 0;
    {
        TfrmMain mainWindow;
        mainWindow.SetSplash(splash);
        // The frame has its full size before it is first shown, so that the windows placed
        // then fit it even before a window manager has maximised it.
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            mainWindow.setGeometry(screen->availableGeometry());
        mainWindow.showMaximized();
        mainWindow.OpenFiles(parser.positionalArguments());
        result = QApplication::exec();
    }
    Link().SetTransport(nullptr);
    return result;
}
