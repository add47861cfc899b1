#include "cli/CommandLine.h"

#include "cli/Commands.h"
#include "cli/CommandWords.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/ReportDrawing.h"
#include "cli/UsageError.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>

namespace {

const QString HelpOption = QStringLiteral("--help");

// Usage asked for is the answer, so it goes to standard output; problems go to the console.
void Print(const QString& text)
{
    const QByteArray bytes = (text + u'\n').toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

// --help among a command's options; what follows "--" is no option.
bool AsksForHelp(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size() && arguments[i] != QStringLiteral("--"); ++i)
        if (arguments[i] == HelpOption)
            return true;
    return false;
}

// qx574 help [COMMAND]
int Help(const QStringList& words, Console& console)
{
    if (words.isEmpty()) {
        Print(UsageText());
        return ExitStatus::Ok;
    }
    if (words.size() > 1)
        return UsageError(console, QStringLiteral("help names one command."), {});
    const Command* command = FindCommand(words.front());
    if (!command)
        return UsageError(console, NotACommandText(words.front()), {});
    Print(CommandUsage(*command));
    return ExitStatus::Ok;
}

// Drawing a report needs the application object the window program makes; everything else
// runs on Qt Core alone.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv)
{
    if (DrawsReportPages(argc, argv) && InstalledReportDrawing().MakeApplication)
        return InstalledReportDrawing().MakeApplication(argc, argv);
    return std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace

QString UsageText()
{
    QString text = QStringLiteral("Usage:\n"
                                  "  qx574 [--simulate] [--serial S] [--usb-log FILE] [FILE...]   the window program\n");
    for (const Command& command : Commands())
        text += CommandUsageLines(command);
    text += QStringLiteral("  qx574 help COMMAND | qx574 COMMAND --help   every option of a command\n"
                           "  qx574 --help | --version\n\n");
    for (const Command& command : Commands())
        text += QString::fromLatin1(command.name).leftJustified(10) + QString::fromUtf8(command.summary) + u'\n';
    return text + u'\n' + ExitStatusText();
}

int RunCommandLine(int argc, char** argv)
{
    const std::unique_ptr<QCoreApplication> application = MakeApplication(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("QX574"));
    QCoreApplication::setApplicationName(QStringLiteral("QX574"));
    Console console;
    QStringList arguments = QCoreApplication::arguments();
    const QString word = arguments.takeAt(1);
    if (word == QLatin1String(HelpWord))
        return Help(arguments.mid(1), console);
    // main() sends only commands and help here.
    const Command& command = *FindCommand(word);
    if (AsksForHelp(arguments)) {
        Print(CommandUsage(command));
        return ExitStatus::Ok;
    }
    return command.run(arguments, console);
}

int RefuseNotACommand(const QString& word)
{
    Console console;
    return UsageError(console, NotACommandText(word), {});
}
