#pragma once
#include "logger/DataSetTable.h"

#include <cstdint>
#include <vector>

class QMdiArea;
class TfrmGraph;

// The data sets loaded last, by a download or from a collection, which the DataLogger window
// lists and shows, and the logger memory they were decoded from, which a collection saves.
extern DataSetTable DataSets;
extern std::vector<std::uint8_t> DataSetsMemory;

// The "DataLogger" graph window with its data set list: restored when it exists, else made
// at the top left of the area, as wide as it and 60 pixels less high, its chart ready for
// 500 points from now on. Its rows show their set when clicked, and their pop-up entry gives
// a set another start time.
TfrmGraph& OpenDataLoggerWindow(QMdiArea& area);

// Makes these the loaded data sets, refills the window's list and shows set 0.
void ShowDataSets(TfrmGraph& window, DataSetTable table, std::vector<std::uint8_t> memory);

// Puts set i into the window's chart, statistics boxes and slider.
void ShowDataSet(TfrmGraph& window, int set);
// The same from another table than the loaded one (a report of a collection).
void ShowDataSet(TfrmGraph& window, const DataSetTable& table, int set);

// Asks for a new start time of set i; on OK moves the set's times, its row and its chart.
void ChangeDataSetTime(TfrmGraph& window, int set);
