#pragma once
#include <QString>

#include <ostream>

// Lets a failing comparison show a text as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
