#pragma once
#include "leq/NoiseMetrics.h"

#include <QString>

#include <vector>

// The noise metrics as the window, the clipboard and the report show them: one row per
// measure, its name with its unit and its value in the user's locale (one decimal; counts
// whole). A measure that is not given has an empty value.
struct NoiseMetricsRow {
    QString name;
    QString value;
};
// Where the weighting is known the levels' names carry it (LAeq, LCmax, LA90).
std::vector<NoiseMetricsRow> NoiseMetricsRows(const NoiseMetrics& metrics);

// Why LEX,8h and the dose are left empty for these metrics; empty when they are not.
QString ExposureNote(const NoiseMetrics& metrics);

// A value as a table on the screen or on paper shows it: a dash where none is given, so that
// a blank does not read as a missing figure.
QString ShownFigure(const QString& value);

// The column headings of the two columns of figures.
inline const QString WholeGraphHeading = QStringLiteral("Whole graph");
inline const QString BetweenCursorsHeading = QStringLiteral("Between A and B");

// The headings of the columns with the exclusions left out.
inline const QString WholeKeptHeading = QStringLiteral("Whole, exclusions left out");
inline const QString BetweenKeptHeading = QStringLiteral("A\u2013B, exclusions left out");

// Columns of figures under their headings as TAB-separated lines for a spreadsheet: a heading
// line, the interval line, then one line per measure; every line ends in a line feed.
struct NoiseMetricsColumn {
    QString heading;
    NoiseMetrics metrics;
};
QString NoiseMetricsCopyText(const std::vector<NoiseMetricsColumn>& columns, const QString& intervalText);

// Both columns as TAB-separated lines for a spreadsheet: a heading line, the interval line,
// then one line per measure; every line ends in a line feed.
QString NoiseMetricsCopyText(const NoiseMetrics& whole, const NoiseMetrics& between,
                             const QString& intervalText);
