#pragma once
#include "leq/SurveySeries.h"
#include "leq/Weighting.h"

#include <QString>

#include <optional>

// The daily exposure of T seconds at Leq: LEX,8h = Leq + 10 log10(T / 8 h); and its noise dose
// against 85 dB for 8 hours (3 dB exchange), in %.
double Lex8h(double leq, double seconds);
double Dose85Percent(double leq, double seconds);

struct OccupationalExposure {
    std::optional<double> lex8h;
    std::optional<double> dose85Percent;
    // OSHA, criterion 90 dB with a 5 dB exchange: the permissible-exposure dose over the
    // samples at or above 90 dB with its TWA, and the hearing-conservation dose over those at
    // or above 80 dB (whose action level is a dose of 50 %).
    std::optional<double> oshaDosePercent;
    std::optional<double> oshaTwaDb;  // none for a dose of 0
    std::optional<double> hcDosePercent;
    // LEX,8h against the EU's 80 / 85 / 87 dB(A) in words, with what the figures cannot say;
    // when nothing is given, why.
    QString verdict;
};

// The exposure of the valid samples outside the exclusions. Needs A-weighted levels and a
// known interval: C-weighted or mixed levels give every figure empty and the reason.
OccupationalExposure ComputeOccupationalExposure(const SurveySeries& series, Weighting weighting,
                                                 Response response);
