#pragma once
#include "files/GraphText.h"

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QIODevice;

// One grid row as text: the cells of columns 1..columns-1 (the row number in column 0 is
// left out), each followed by the separator, then CR LF. In comma-separated text a cell that
// is a number with the locale's decimal comma is written with a decimal point, so that the
// comma only separates fields.
QString GridTextLine(const QStringList& row, int columns, QChar separator,
                     const QLocale& locale = QLocale());

// Writes the lines of grid rows range.from..range.to; rows[0] is the heading row, which a
// range from 1 leaves out. keepGoing as in WriteTextLines. Returns the lines written, or -1
// when writing failed.
int WriteGridTextLines(QIODevice& file, const std::vector<QStringList>& rows, int columns,
                       ExportRange range, QChar separator,
                       const std::function<bool(int)>& keepGoing,
                       const QLocale& locale = QLocale());
