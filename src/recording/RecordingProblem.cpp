#include "recording/RecordingProblem.h"

#include <QDir>

QString InputName(const QString& path)
{
    return path == QLatin1String("-") ? QStringLiteral("standard input") : QDir::toNativeSeparators(path);
}
