#pragma once
#include <QString>

// Asks for the name of a file to save with the given filter (stored "text|pattern|..." form).
// A name typed without an extension gets the chosen filter's one, or defaultExtension; when
// that final name is an existing file the user is asked before it is replaced, since the
// dialog only asked about the name as typed. The dialog starts at suggested (a whole path: the
// file the data came from, with the extension this save gives it) when there is one, else in
// the documents folder. Empty when the user cancelled or said No.
QString AskSaveFileName(const QString& caption, const QString& storedFilter,
                        const QString& defaultExtension, const QString& suggested = {});

// The name a save suggests for data that came from file: the same folder and name with
// extension; empty when file is.
QString SuggestedFileName(const QString& file, const QString& extension);
