#pragma once
#include <QString>

class TfrmList;

// Reads a text file into a new list window captioned with the file's full path: comma-separated
// for the extension ".csv", TAB-separated otherwise, one row per line until the end, a line
// without the separator or Cancel on the "Open Progress" window (the rows read so far stay);
// a window closed while it reads ends it as Cancel does, and closes once it has returned.
// A first line of headings (the program's own CSV files have one) gives the list its
// headings instead of a row. Otherwise a file with a second value in column 4 (written from
// the LEQ window) gets the headings "SPL" and "Leq". The window is not yet placed anywhere; the caller shows it. None, with an
// error naming the file, when the file cannot be read, is not a regular file or holds no row;
// none either when the user cancelled before the first row.
TfrmList* ImportText(const QString& path, const QString& extension);
