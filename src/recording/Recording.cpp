#include "recording/Recording.h"

QString RecordingTitle(const QString& caption, const Recording& recording)
{
    return recording.name.isEmpty() ? caption : caption + QStringLiteral(" \u2013 ") + recording.name;
}
