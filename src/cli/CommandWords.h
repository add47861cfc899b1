#pragma once
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// What the first word after the program's name asks for, decided before anything is started:
// an unknown word must not start the window program, which cannot say what was meant.
enum class FirstWord {
    Command,        // a command, or help: the command line runs it
    WindowProgram,  // no word, an option or a file to open: the window program starts
    NotACommand,    // any other word: a usage error naming it
};

// Whether the first word is a command or help.
bool IsSubcommand(const QStringList& arguments);

// A word holding a '/', ending in a suffix the window program opens (.ghf, .REC, .qxs, .txt,
// .csv, in either case) or naming an existing file (isFile) is a file to open; a word starting
// with '-' is an option of the window program or of Qt.
FirstWord ClassifyFirstWord(const QStringList& arguments, const std::function<bool(const QString&)>& isFile);

// The command (or help) within two edits of word, the nearest; none when none is that near.
std::optional<QString> NearestCommand(const QString& word);

// The line naming a word that is no command, with the nearest command when one is near.
QString NotACommandText(const QString& word);
