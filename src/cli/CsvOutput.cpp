#include "cli/CsvOutput.h"

#include "shell/CommitSaveFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cstdio>

bool WriteCsvOutput(const QString& path, const std::function<bool(QIODevice&)>& writer, QString* error)
{
    if (path.isEmpty()) {
        QFile out;
        if (out.open(stdout, QIODevice::WriteOnly) && writer(out) && out.flush())
            return true;
        *error = QStringLiteral("Cannot write to standard output: %1").arg(out.errorString());
        return false;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && writer(file) && CommitSaveFile(file))
        return true;
    *error = QStringLiteral("Cannot write the file %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    file.cancelWriting();
    return false;
}
