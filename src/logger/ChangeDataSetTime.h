#pragma once
#include "logger/DataSetTable.h"

// Gives set i a new start time and moves its sample times with it; the other sets and all
// levels stay. False, changing nothing, when there is no set i.
bool ChangeDataSetTime(DataSetTable& table, int set, double newStart);
