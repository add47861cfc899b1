#include "app/ProgramOptions.h"
#include "app/WindowsModule.h"
#include "cli/CommandLine.h"
#include "cli/CommandWords.h"
#include "cli/ReportDrawing.h"
#include "shell/Folders.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <optional>

namespace {

QStringList Arguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
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

// Qt's platform plugin ends the process when it finds no window system, with a message about
// plugins that tells a user of the commands nothing. Qt's own -platform option stands for
// QT_QPA_PLATFORM.
bool HasDisplay(const QStringList& arguments)
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!qEnvironmentVariableIsEmpty(name))
            return true;
    return arguments.contains(QStringLiteral("-platform")) || arguments.contains(QStringLiteral("--platform"));
}

}  // namespace

int main(int argc, char* argv[])
{
    // A report names the program's version; the subcommands set the other names themselves.
    QCoreApplication::setApplicationVersion(QStringLiteral(QX574_VERSION));
    const QStringList arguments = Arguments(argc, argv);
    const FirstWord first =
        ClassifyFirstWord(arguments, [](const QString& word) { return QFileInfo(word).isFile(); });
    if (first == FirstWord::NotACommand)
        return RefuseNotACommand(arguments[1]);
    if (first == FirstWord::Command) {
        // The subcommands run on Qt Core without a display; the windows' drawing is loaded only
        // to draw a report's pages, off the screen. Without it, report --pdf says it cannot draw.
        if (DrawsReportPages(argc, argv)) {
            QString error;
            if (const std::optional<WindowsModule> module = LoadWindowsModule(&error))
                module->installReportDrawing(InstalledReportDrawing());
            else
                std::fprintf(stderr, "%s\n", qPrintable(error));
        }
        return RunCommandLine(argc, argv);
    }
    if (const std::optional<int> answered = AnswerWithoutDisplay(argc, argv))
        return *answered;
    if (!HasDisplay(arguments)) {
        std::fprintf(stderr, "The window program needs a display (DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM); "
                             "the commands work without one: qx574 --help lists them.\n");
        return 1;
    }

    QString error;
    const std::optional<WindowsModule> module = LoadWindowsModule(&error);
    if (!module) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return module->runWindowProgram(argc, argv);
}
