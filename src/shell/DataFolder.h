#pragma once
#include <QString>

// The per-user data folder: documents + "/QX574/", created when missing. When it cannot
// be created the documents folder itself, and an empty text when there is none.
QString DetermineDataFolder();

// Where the file dialogs start: the data folder, or the program's writable folder when
// there is none.
QString FileDialogFolder();
