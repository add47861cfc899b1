#pragma once

#include <QString>

class PESGraph;

// Prepares the chart of a new graph window: the template (TemplatePath()) when there is
// one, else the default look; then subsets, points (all empty) and
// the level scale; the time scale too unless earliest is 0.
void PrepareChart(PESGraph& chart, int subsets, float top, float bottom, double latest,
                  double earliest, int points);
// The same without the template and without the look.
void ResetChart(PESGraph& chart, int subsets, float top, float bottom, double latest,
                double earliest, int points);
