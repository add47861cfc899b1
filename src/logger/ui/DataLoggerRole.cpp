#include "logger/ui/DataLoggerRole.h"

#include "logger/DataLoggerSession.h"

QString DataLoggerRole::UnsavedQuestion() const
{
    return session.Unsaved() ? QStringLiteral("Save DataLogger Data ?") : QString();
}

void DataLoggerRole::MarkSaved() { session.MarkSaved(); }

void DataLoggerRole::Closed() { session.MarkSaved(); }
