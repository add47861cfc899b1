#include "app/ProgramOptions.h"
#include "app/WindowsModule.h"
#include "cli/CommandLine.h"
#include "cli/ReportDrawing.h"
#include "shell/Folders.h"

#include <QCommandLineParser>
#include <QCoreApplication>

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

}  // namespace

int main(int argc, char* argv[])
{
    // A report names the program's version; the subcommands set the other names themselves.
    QCoreApplication::setApplicationVersion(QStringLiteral(QX574_VERSION));
    if (IsSubcommand(Arguments(argc, argv))) {
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

    QString error;
    const std::optional<WindowsModule> module = LoadWindowsModule(&error);
    if (!module) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return module->runWindowProgram(argc, argv);
}
