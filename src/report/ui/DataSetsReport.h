#pragma once
#include "logger/DataSetTable.h"

#include <QString>

// The report of every set of a table, one page each, as the DataLogger window shows the set.
// source names the collection on the pages. Written atomically; false with a message naming
// the file. Draws no window, so that it needs no display.
bool WriteDataSetsReport(const DataSetTable& table, const QString& source, const QString& path, QString* error);
