#pragma once
#include "logger/DataSetTable.h"

#include <QString>

class QIODevice;

// The report of every set of a table, one page each, as the DataLogger window shows the set.
// source names the collection on the pages. Written into out; false when the PDF could not be
// written. Draws no window, so that it needs no display.
bool WriteDataSetsReport(const DataSetTable& table, const QString& source, QIODevice& out);
