#pragma once
#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

#include <span>

class Console;

// A command of qx574, its usage standing beside the routine that runs it, so that what
// `qx574 CMD --help` prints is the command's own.
struct Command {
    const char* name;
    // The command with every option it takes and the form of each value, one or more lines.
    const char* usage;
    // What it does, one line in the program's usage.
    const char* summary;
    // What each of its options does.
    const char* options;
    // It talks to a meter, so --simulate, --serial and --usb-log choose which.
    bool onMeter;
    // The options its parser takes, as the parser itself defines them.
    QList<QCommandLineOption> (*optionList)();
    // Runs it with its arguments (the program's name first, the command's left out); an
    // ExitStatus.
    int (*run)(const QStringList& arguments, Console& console);
};

// The word before a command's name that asks for its usage: qx574 help CMD.
inline constexpr char HelpWord[] = "help";

// download, convert, report, watch and meters, in the order the usage lists them.
std::span<const Command> Commands();

// The command of that name; none when there is none.
const Command* FindCommand(const QString& name);

// What `qx574 CMD --help` and `qx574 help CMD` print: the usage lines, what the command does,
// its options and the exit statuses.
QString CommandUsage(const Command& command);

// The usage lines of a command, each indented as the usage prints it.
QString CommandUsageLines(const Command& command);

// The exit statuses of every command.
QString ExitStatusText();
