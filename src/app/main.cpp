#include "AppState.h"
#include "CommandLine.h"
#include "LinkSession.h"
#include "MeterTransport.h"
#include "TfrmAbout.h"
#include "TfrmMain.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPushButton>
#include <QScreen>

#include <cstdio>
#include <memory>

namespace {

QStringList Arguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

}  // namespace

int main(int argc, char* argv[])
{
    // The subcommands run without windows and need no display.
    if (IsSubcommand(Arguments(argc, argv)))
        return RunCommandLine(argc, argv);

    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("QX574"));
    QApplication::setApplicationName(QStringLiteral("QX574"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Sound level meter companion"));
    parser.addHelpOption();
    const QCommandLineOption simulate(QStringLiteral("simulate"),
                                      QStringLiteral("Talk to a simulated meter instead of the real one."));
    const QCommandLineOption usbLog(QStringLiteral("usb-log"),
                                    QStringLiteral("Write all USB traffic with the meter to <file>."),
                                    QStringLiteral("file"));
    parser.addOption(simulate);
    parser.addOption(usbLog);
    parser.process(application);

    QString error;
    const std::unique_ptr<MeterTransport> transport =
        MeterTransport::Open(parser.isSet(simulate), parser.value(usbLog), &error);
    if (!transport) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    Link().SetTransport(&transport->Usb());

    frmAbout = new TfrmAbout;
    frmAbout->setAttribute(Qt::WA_DeleteOnClose);
    frmAbout->BitBtn1()->hide();
    frmAbout->show();
    frmAbout->repaint();
    QApplication::processEvents();

    int result = 0;
    {
        TfrmMain mainWindow;
        // The frame has its full size before it is first shown, so that the windows placed
        // then fit it even before a window manager has maximised it.
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            mainWindow.setGeometry(screen->availableGeometry());
        mainWindow.showMaximized();
        result = QApplication::exec();
    }
    App = AppState();
    Link().SetTransport(nullptr);
    return result;
}
