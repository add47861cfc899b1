#pragma once
#include "logger/DataSetTable.h"

class QIODevice;

// Comma-separated files for other programs: '.' as decimal separator in every locale,
// ISO date-times, sets numbered from 1, lines ending in "\n".

// One row per sample of every set:
// set,time,level_db,interval_s,weighting,response,range
bool WriteSamplesCsv(QIODevice& out, const DataSetTable& table);

// One row per set, the extremes with their times (empty for a set without samples):
// set,start,interval_s,samples,weighting,response,range,max_db,max_time,min_db,min_time,mean_db
bool WriteSetTableCsv(QIODevice& out, const DataSetTable& table);
