#include "cli/CommandOutputs.h"

#include "shell/SaveFile.h"

#include <QDir>
#include <QFileDevice>

#include <csignal>

namespace {

// A reader that goes away fails its output, and so the command, instead of ending the program
// before it can drop its unfinished files.
class BrokenPipeIsAnError {
public:
    BrokenPipeIsAnError()
    {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        sigaction(SIGPIPE, &ignore, &previous);
    }
    ~BrokenPipeIsAnError() { sigaction(SIGPIPE, &previous, nullptr); }
    BrokenPipeIsAnError(const BrokenPipeIsAnError&) = delete;
    BrokenPipeIsAnError& operator=(const BrokenPipeIsAnError&) = delete;

private:
    struct sigaction previous {};
};

bool IsStandardOutput(const QString& path) { return path == QStringLiteral("-"); }

QString Failure(const QString& path, const QString& why)
{
    if (IsStandardOutput(path))
        return QStringLiteral("Cannot write to standard output: %1").arg(why);
    return QStringLiteral("Cannot write the file %1: %2").arg(QDir::toNativeSeparators(path), why);
}

}  // namespace

bool WriteCommandOutputs(const std::vector<CommandOutput>& outputs, QString* error)
{
    const BrokenPipeIsAnError brokenPipe;
    std::vector<SaveFile> files;
    files.reserve(outputs.size());
    for (const CommandOutput& output : outputs) {
        files.push_back(IsStandardOutput(output.path) ? SaveFile::StandardOutput() : SaveFile(output.path));
        if (!files.back().Open()) {
            *error = Failure(output.path, files.back().ErrorString());
            return false;
        }
    }
    for (const bool streams : {false, true}) {
        for (std::size_t i = 0; i < outputs.size(); ++i) {
            SaveFile& file = files[i];
            if (file.IsStream() != streams)
                continue;
            if (!outputs[i].write(file.Device())) {
                *error = Failure(outputs[i].path, file.Device().errorString());
                return false;
            }
            if (!file.Ready()) {
                *error = Failure(outputs[i].path, file.ErrorString());
                return false;
            }
        }
    }
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (!files[i].Commit()) {
            *error = Failure(outputs[i].path, files[i].ErrorString());
            return false;
        }
    }
    return true;
}
