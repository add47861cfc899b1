#pragma once
#include "link/MeterFrames.h"

#include <QLocale>
#include <QString>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>

// The durations that cmbTimeSelect offers, in their order.
struct LeqDuration {
    const char* text;
    std::int32_t seconds;
};
inline constexpr std::array<LeqDuration, 10> LeqDurations{{
    {"10 sec", 10},
    {"1 minute", 60},
    {"5 minutes", 300},
    {"10 minutes", 600},
    {"15 minutes", 900},
    {"30 minutes", 1800},
    {"1 hour", 3600},
    {"8 hour", 28800},
    {"24 hours", 86400},
    {"Manual", 86400},
}};

// More failed reads than this in one measurement end it.
constexpr std::int32_t LeqMaxFailedReads = 50;
inline constexpr char LeqFailMessage[] = "LEQ fail , try to start again !!";

// One completed second of the table, held as numbers in 16 bytes so that a day of seconds
// stays small; its texts are made when it is shown or saved.
struct LeqRow {
    double time = 0.0;                                   // the clock of the reading that opened the second, in days
    float spl = std::numeric_limits<float>::quiet_NaN(); // the mean level of the second
    float leq = std::numeric_limits<float>::quiet_NaN(); // the LEQ since the start, after this second
    // False for a second without a reading besides the opening one: SPL and Leq stay empty.
    bool HasLevel() const { return !std::isnan(spl); }
};

// The cells of a table row: number, date, time, SPL, Leq (the last two empty without a level).
std::array<QString, 5> LeqRowCells(const LeqRow& row, std::int32_t number,
                                   const QLocale& locale = QLocale());

// The text that Save writes: per row the date, time, SPL and Leq cells, each followed by a TAB,
// then CR LF; no heading and no row numbers.
QString LeqTableText(std::span<const LeqRow> rows, const QLocale& locale = QLocale());

// Hours, minutes and seconds, none zero-padded: 0:0:9. Below zero shows as 0:0:0.
QString TimeLeftText(std::int32_t seconds);

// The state of a live LEQ measurement between two polls.
struct LeqMeasurement {
    bool started = false;                 // a first reading has been taken
    std::uint8_t previousSecondsByte = 0; // raw seconds byte of the last reading
    double previousTime = 0.0;            // clock of the reading that opened the current second;
                                          // the row's date and time texts are made from it
    std::int32_t readingsInSecond = 0;
    std::int64_t readingSum = 0;          // tenths of a dB; a stuck meter clock must not wrap it
    std::int32_t secondCount = 0;         // the n of RunningLeq
    std::int32_t row = 1;                 // the table row the next second fills
    float previousLeq = 0.0f;
    std::int32_t timeLeft = 0;            // seconds still to measure
    std::int32_t failedReads = 0;         // since Start, not only in a row
};

// Start: counters back to their first values and the table's next row 1. The duration is
// that of the chosen cmbTimeSelect item; without one the time left stays as it was.
void StartLeqMeasurement(LeqMeasurement& measurement, std::optional<std::int32_t> seconds);

// What one poll asks of the window.
struct LeqPollResult {
    QString logLine;                      // for LEQ.txt: time TAB level CR LF; empty on a failed read
    std::optional<LeqRow> completedRow;   // a second ended: the table gains this row
    std::int32_t rowNumber = 0;           // ... as row rowNumber (1 for the first)
    std::optional<QString> rateText;      // new text of edtLEQrate
    std::optional<QString> leqText;       // new text of edtLEQValue
    std::optional<QString> timeLeftText;  // new text of edtTimeLeft
    bool ended = false;                   // the measurement is over: stop polling, close the log
    QString message;                      // to show once it has ended; empty for none
};

// One status read of the measurement: readOk tells whether the 32-byte reply arrived (a reply
// without the status markers counts as none), now is the computer's clock (days), whose date
// and time stand in for a meter clock that cannot be read.
LeqPollResult PollLeqMeasurement(LeqMeasurement& measurement, bool readOk, const ReplyFrame& reply,
                                 double now, const QLocale& locale = QLocale());
