#include "watch/WatchOutput.h"

#include <QDir>

#include <unistd.h>

bool WatchOutput::Open(const QString& name, const QByteArray& header, QString* error)
{
    path = name == QStringLiteral("-") ? QString() : name;
    bool opened = false;
    if (path.isEmpty()) {
        opened = file.open(STDOUT_FILENO, QIODevice::WriteOnly);
    } else {
        file.setFileName(path);
        opened = file.open(QIODevice::WriteOnly | QIODevice::Append);
    }
    if (!opened) {
        *error = ErrorText();
        return false;
    }
    // A file appended to by an earlier run has its header already; so has standard output
    // appended to a file (>>).
    return file.size() > 0 || header.isEmpty() || Write(header, error);
}

bool WatchOutput::Write(const QByteArray& line, QString* error)
{
    if (file.write(line) == line.size() && file.flush())
        return true;
    *error = ErrorText();
    return false;
}

QString WatchOutput::ErrorText() const
{
    if (path.isEmpty())
        return QStringLiteral("Cannot write to standard output: %1").arg(file.errorString());
    return QStringLiteral("Cannot write the file %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
}
