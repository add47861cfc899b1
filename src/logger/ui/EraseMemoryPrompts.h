#pragma once
#include <QString>

// The question and messages around an erase of the logger memory, the same from the
// Data Logger menu and from the setup window.

// Erasing cannot be undone: true only on an explicit Yes.
bool ConfirmEraseMemory();

// Reports a code of EraseLoggerMemory: successText for 0, the failure's message otherwise,
// and nothing when no reply came at all.
void ShowEraseResult(int code, const QString& successText);
