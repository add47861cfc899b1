#pragma once
#include "logger/DataSetTable.h"

#include <QLocale>
#include <QString>

#include <array>

// The columns of the data set list: Set, DATE, TIME, Rate, Nums, A/C, Fa/Sl, LEVEL.
constexpr int DataSetListColumns = 8;

// The texts of set `index` (from 0) in its row of the data set list.
std::array<QString, DataSetListColumns> DataSetListCells(const DataSet& set, int index,
                                                         const QLocale& locale = QLocale());

// A start time's cells after a change: the date in the short date format and the time as hh:mm:ss.
QString DataSetDateText(double startTime, const QLocale& locale = QLocale());
QString DataSetTimeText(double startTime);

// Seconds between samples as mm:ss.
QString RateText(int interval);
