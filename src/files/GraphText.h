#pragma once
#include <QByteArray>
#include <QChar>
#include <QLocale>
#include <QString>

#include <functional>
#include <optional>

class QIODevice;

// One exported point: date, separator, time, separator, level, CR LF; the date-time is
// display-rounded and follows the locale, as does the level in TAB-separated text. In
// comma-separated text the level always has a '.' decimal separator.
QString GraphTextLine(double time, float level, QChar separator, const QLocale& locale = QLocale());

// The items an export covers, 1-based and inclusive; from > to means none.
struct ExportRange {
    int from = 1;
    int to = 0;
};

// The range the user chose in the range window: everything, or the two boxes as integers
// (absolute values, swapped when reversed, to lowered to the last item, from 0 raised
// to 1). Nothing when a box is not an integer.
std::optional<ExportRange> ChooseExportRange(bool all, const QString& fromText,
                                             const QString& toText, int lastItem);

// Writes the lines of points from..to of one subset, stopping at the first time that is
// exactly 0 (points not yet filled). keepGoing is asked after each line with the count
// written so far; false stops. Returns the lines written, or -1 when writing failed.
int WriteGraphTextLines(QIODevice& file, const double* times, const float* levels, int points,
                        ExportRange range, QChar separator,
                        const std::function<bool(int)>& keepGoing,
                        const QLocale& locale = QLocale());
