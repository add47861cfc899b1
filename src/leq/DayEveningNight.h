#pragma once
#include "leq/SurveySeries.h"

#include <QString>

#include <optional>
#include <vector>

// A part of the day by the wall clock, in minutes after midnight: [start, end), running
// past midnight when end is not after start (23:00-07:00). Its samples belong to the date on
// which it starts.
struct DaySpan {
    int start = 0;
    int end = 0;
    int Minutes() const { return end > start ? end - start : end + 1440 - start; }
    bool operator==(const DaySpan&) const = default;
};

// "07-19" or "07:30-19:00" (hours 00-24, minutes 00-59); none for anything else or an empty
// span. DaySpanText writes the short form where the minutes are whole hours.
std::optional<DaySpan> ReadDaySpan(const QString& text);
QString DaySpanText(const DaySpan& span);

struct DenSettings {
    DaySpan day{7 * 60, 19 * 60};
    DaySpan evening{19 * 60, 23 * 60};
    DaySpan night{23 * 60, 7 * 60};
    double eveningPenaltyDb = 5.0;
    double nightPenaltyDb = 10.0;
    int nightRank = 10;  // the night's n-th highest sample is given
    // Ldn's two parts and its night's penalty.
    DaySpan ldnDay{7 * 60, 22 * 60};
    DaySpan ldnNight{22 * 60, 7 * 60};
    double ldnNightPenaltyDb = 10.0;
    bool operator==(const DenSettings&) const = default;
};

// Empty when day, evening and night follow one another round the 24 hours and the night's
// rank is at least 1; else what is wrong, in words.
QString DenSettingsProblem(const DenSettings& settings);

// One date's levels. A level is none when its part holds no valid sample; Lden and Ldn are
// none unless every part they take holds samples.
struct DenRow {
    double date = 0.0;  // wall-clock days at the date's midnight
    std::optional<double> lday, levening, lnight, lden, ldn;
    std::optional<double> nightHighest;  // none with fewer than nightRank night samples
    // valid samples x interval / the part's length; 0 when the interval is not known.
    double dayCoverage = 0.0, eveningCoverage = 0.0, nightCoverage = 0.0;
};

// One row per date that holds a valid sample of any of its parts, in date order. Lden is
// 10 log10((hd 10^(Ld/10) + he 10^((Le+Pe)/10) + hn 10^((Ln+Pn)/10)) / 24), h the parts'
// hours; Ldn the same over its two parts. Nothing when DenSettingsProblem finds one.
std::vector<DenRow> ComputeDayEveningNight(const SurveySeries& series, const DenSettings& settings);
