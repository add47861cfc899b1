#pragma once
#include "logger/DataSetTable.h"
#include "recording/Recording.h"

#include <QString>

#include <vector>

// Set i (from 0) of a decoded logger memory as a recording named "Data set i+1", with its
// interval, weighting, response and range; sourceFile names the file it was read from (empty
// while in none). Nothing is read outside the table.
Recording RecordingOfSet(const DataSetTable& table, int set, const QString& sourceFile);
// Every set of the table, in order.
std::vector<Recording> RecordingsOf(const DataSetTable& table, const QString& sourceFile);
