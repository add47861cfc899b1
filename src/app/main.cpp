#include "app/TfrmMain.h"
#include "cli/CommandLine.h"
#include "cli/ReportDrawing.h"
#include "link/LinkSession.h"
#include "link/MeterTransport.h"
#include "report/ui/DataSetsReport.h"
#include "report/ui/DrawSurveyReport.h"
#include "shell/Folders.h"
#include "shell/ui/OffscreenApplication.h"
#include "shell/ui/TfrmAbout.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QPushButton>
#include <QScreen>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

QStringList Arguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// The program's options, added to a parser.
struct ProgramOptions {
    explicit ProgramOptions(QCommandLineParser& parser)
        : help(parser.addHelpOption()), version(parser.addVersionOption())
    {
        parser.setApplicationDescription(QStringLiteral("Sound level meter companion"));
        parser.addOption(simulate);
        parser.addOption(serial);
        parser.addOption(usbLog);
        parser.addPositionalArgument(QStringLiteral("files"),
                                     QStringLiteral("Graph files (.ghf) and data set collections (.REC) to open."),
                                     QStringLiteral("[files...]"));
    }

    const QCommandLineOption help;
    const QCommandLineOption version;
    const QCommandLineOption simulate{QStringLiteral("simulate"),
                                      QStringLiteral("Talk to a simulated meter instead of the real one.")};
    const QCommandLineOption serial{QStringLiteral("serial"),
                                    QStringLiteral("Talk to the meter with serial number <serial number> among several."),
                                    QStringLiteral("serial number")};
    const QCommandLineOption usbLog{QStringLiteral("usb-log"),
                                    QStringLiteral("Write all USB traffic with the meter to <file>."),
                                    QStringLiteral("file")};
};

void SetProgramNames()
{
    QCoreApplication::setOrganizationName(QStringLiteral("QX574"));
    QCoreApplication::setApplicationName(QStringLiteral("QX574"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QX574_VERSION));
}

// --help and --version are answered before any window system is reached, so that they work
// without a display. Faults in the options are left to the windowed pass, after the window
// system has taken its own options (-platform, -style, ...) out of the arguments.
std::optional<int> AnswerWithoutDisplay(int argc, char* argv[])
{
    QCoreApplication core(argc, argv);
    SetProgramNames();
    QCommandLineParser parser;
    const ProgramOptions options(parser);
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(options.help) || parser.isSet(QStringLiteral("help-all"))) {
        std::printf("%s\n%s\n\nHelp page: %s\n", qPrintable(parser.helpText()), qPrintable(UsageText()),
                    qPrintable(ShippedFilesFolder() + QStringLiteral("QX574Help.htm")));
        return 0;
    }
    if (parser.isSet(options.version)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[])
{
    // The subcommands run without windows and need no display; a report's pages are drawn
    // with the windows' own drawing, off the screen.
    InstalledReportDrawing() = {MakeOffscreenApplication, WriteDataSetsReport, WriteSurveyReportPdf};
    // A report names the program's version; the subcommands set the other names themselves.
    QCoreApplication::setApplicationVersion(QStringLiteral(QX574_VERSION));
    if (IsSubcommand(Arguments(argc, argv)))
        return RunCommandLine(argc, argv);
    if (const std::optional<int> answered = AnswerWithoutDisplay(argc, argv))
        return *answered;

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

    auto* splash = new TfrmAbout;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->BitBtn1()->hide();
    splash->show();
    splash->repaint();
    QApplication::processEvents();

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
