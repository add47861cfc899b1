#pragma once
#include <QString>

#include <functional>
#include <vector>

class QIODevice;

// One output of a command: its name as the command line gave it ("-" for standard output)
// and what goes into it.
struct CommandOutput {
    QString path;
    std::function<bool(QIODevice&)> write;
};

// The outputs of a command, all or none. Every output is opened before anything is written,
// so one that cannot be created fails the command with nothing written; files are written
// and synced under temporary names first and streams (standard output, pipes, devices) last,
// as a stream cannot take back what it was given; the files take their names only when
// everything was written. A failure leaves no file of the command and every file it would
// have replaced as it was; false with a message naming the output.
bool WriteCommandOutputs(const std::vector<CommandOutput>& outputs, QString* error);
