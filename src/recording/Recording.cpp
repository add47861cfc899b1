#include "recording/Recording.h"

QString RecordingTitle(const QString& caption, const Recording& recording)
{
    const QString named = QStringLiteral(" \u2013 ") + recording.name;
    // A caption that names the recording already (the DataLogger window's) is not named twice.
    return recording.name.isEmpty() || caption.endsWith(named) ? caption : caption + named;
}
