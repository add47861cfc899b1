#pragma once
#include "files/ChartState.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The chart's state block: magic "QXCS", a version, then every field of ChartState.
QByteArray StoreChartState(const ChartState& state);

// Rebuilds a chart from a block. Every count is checked against the bytes present before
// anything is allocated; a damaged block gives no state and a reason in *error.
std::optional<ChartState> LoadChartState(const QByteArray& block, QString* error = nullptr);
