#pragma once
#include "leq/DayEveningNight.h"
#include "leq/ExceedanceEvents.h"
#include "leq/Exclusions.h"
#include "survey/SurveyDetails.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <vector>

// A survey file (.qxs) is JSON:
//   {"format": "qx574-survey", "version": 1,
//    "source": {"path": "night.REC", "set": 1, "sha256": "<64 hex digits>"},
//    "exclusions": [{"from": "2024-05-06T12:00:00", "to": "...", "reason": "dog barking"}],
//    "analysis": {"period_minutes": 15,
//                 "den": {"day": "07-19", "evening": "19-23", "night": "23-07",
//                         "evening_penalty_db": 5, "night_penalty_db": 10, "night_rank": 10},
//                 "events": {"above_db": 65, "for_s": 10, "bridge_s": 0},
//                 "histogram_width_db": 1.0},
//    "details": {"project": "", "client": "", "site": "", "position": "", "operator": "",
//                "report_id": "", "picture": "site.jpg",
//                "instrument": {"model": "", "serial": "", "class": 1, "verified": "2024-01-31"},
//                "calibrator": {"model": "", "serial": "", "reference_db": 94.0},
//                "calibration": {"before": {"time": "2024-05-06T22:40:00", "level_db": 94.0},
//                                "after": {"time": "...", "level_db": 94.1}},
//                "offset_db": 0, "purpose": "environmental", "notes": ""}}
// The source's path is relative to the survey file's folder; its set is 1 unless it is a
// collection; its SHA-256 may be left out by a script that writes a survey by hand. Times are
// wall-clock ISO 8601, with milliseconds when they have any; a UTC offset after them is
// ignored. Every analysis and details field is optional; a number of the details may be null
// (not recorded), its class is 1 or 2 and its purpose "environmental", "occupational" or "". Fields this program does not know, at any level
// of the file, are kept when it is saved again.

inline constexpr int SurveyVersion = 1;

struct SurveySource {
    QString path;    // as written: relative to the survey file's folder
    int set = 1;
    QString sha256;  // lowercase hex; empty when not given
};

// The analysis settings a survey holds; what it does not hold is none.
struct SurveyAnalysis {
    std::optional<int> periodMinutes;
    std::optional<DenSettings> den;
    std::optional<EventSettings> events;
    std::optional<double> histogramWidthDb;
};

struct Survey {
    SurveySource source;
    std::vector<Exclusion> exclusions;
    SurveyAnalysis analysis;
    SurveyDetails details;
    QJsonObject read;  // the whole file as read, so that what it holds beyond the above survives
};

// A survey read from its file; nothing, with a message naming the file, when it cannot be
// read, is no JSON, is not a survey, is of another version, names no source or holds a value
// that is not what its field takes.
std::optional<Survey> ReadSurveyFile(const QString& path, QString* error);
// The same from the file's bytes; path names it in messages.
std::optional<Survey> ParseSurvey(const QByteArray& bytes, const QString& path, QString* error);

// The file's JSON: what survey.read held, with every known field replaced by survey's.
QByteArray SurveyJson(const Survey& survey);
// The details as the file writes them.
QJsonObject SurveyDetailsJson(const SurveyDetails& details);
// Replaces the file atomically; false with a message naming the file.
bool WriteSurveyFile(const QString& path, const Survey& survey, QString* error);

// The source's absolute path, from the survey file's folder.
QString SurveySourcePath(const QString& surveyPath, const SurveySource& source);
// The source's path as a survey at surveyPath writes it.
QString RelativeSourcePath(const QString& surveyPath, const QString& sourcePath);
// The SHA-256 of a file in lowercase hex; nothing, with a message naming it, when it cannot be read.
std::optional<QString> FileSha256(const QString& path, QString* error);
