#pragma once
#include <QDate>
#include <QString>

#include <optional>

// What a survey was measured with, by whom, where and why: the facts a signed report states.
// Every field may be left empty ("not recorded").

// A calibrator check: the level the meter read on the calibrator, and when.
struct CalibrationCheck {
    std::optional<double> time;     // wall-clock days
    std::optional<double> levelDb;
    bool operator==(const CalibrationCheck&) const = default;
};

enum class SurveyPurpose { NotRecorded, Environmental, Occupational };

struct SurveyDetails {
    QString project, client, site, position, operatorName, reportId;
    QString picture;  // a file in the survey file's folder, by name
    struct Instrument {
        QString model, serial;
        std::optional<int> iecClass;  // IEC 61672-1 class: 1 or 2
        QDate verified;               // last verification; null when not recorded
        bool operator==(const Instrument&) const = default;
    } instrument;
    struct Calibrator {
        QString model, serial;
        std::optional<double> referenceDb;
        bool operator==(const Calibrator&) const = default;
    } calibrator;
    CalibrationCheck before, after;
    // Added to every level the analysis takes; the recording keeps the levels as measured.
    double offsetDb = 0.0;
    SurveyPurpose purpose = SurveyPurpose::NotRecorded;
    QString notes;

    bool operator==(const SurveyDetails&) const = default;
    bool IsEmpty() const { return *this == SurveyDetails{}; }
};

// A drift beyond this (either way) makes the measurement questionable.
inline constexpr double DriftLimitDb = 0.5;

// after - before, to the hundredth of a dB; none unless both checks have a level.
std::optional<double> CalibrationDrift(const SurveyDetails& details);
// Whether a drift lies beyond DriftLimitDb.
bool IsDriftFlagged(double driftDb);

// "environmental", "occupational" or empty, as the survey file writes it; and back (none for
// any other text).
QString PurposeText(SurveyPurpose purpose);
std::optional<SurveyPurpose> ReadPurpose(const QString& text);

// A level with its sign, one decimal: "+0.5 dB", "-0.2 dB".
QString SignedDbText(double db);
