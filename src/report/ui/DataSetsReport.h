#pragma once
#include "recording/Recording.h"

#include <QString>

#include <vector>

class QIODevice;

// The report of every set of a collection, one page each, as the DataLogger window shows the set.
// source names the collection on the pages. Written into out; false when the PDF could not be
// written. Draws no window, so that it needs no display.
bool WriteDataSetsReport(const std::vector<Recording>& sets, const QString& source, QIODevice& out);
