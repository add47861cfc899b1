#pragma once
#include "leq/LevelDistribution.h"

#include <QRectF>

#include <vector>

class QPainter;

// Draws the distribution of levels into a box of the painter's device: a bar for each class
// (the share of samples in it, left axis) and the cumulative curve (the share at or above
// the class, right axis), the levels along the bottom.
void DrawDistributionChart(QPainter& painter, const QRectF& box, const std::vector<DistributionRow>& rows);
