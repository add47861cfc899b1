#pragma once
#include <QString>

// Asks for the name of a file to save with the given filter (stored "text|pattern|..." form).
// A name typed without an extension gets the chosen filter's one, or defaultExtension; when
// that final name is an existing file the user is asked before it is replaced, since the
// dialog only asked about the name as typed. Empty when the user cancelled or said No.
QString AskSaveFileName(const QString& caption, const QString& storedFilter,
                        const QString& defaultExtension);
