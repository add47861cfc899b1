#pragma once
#include "leq/DayEveningNight.h"
#include "leq/ExceedanceEvents.h"
#include "leq/OccupationalExposure.h"
#include "report/ReportBlocks.h"
#include "recording/Recording.h"
#include "survey/SurveyFile.h"

#include <QString>

#include <optional>
#include <span>

// The analysis the report gives.
struct SurveyReportSettings {
    int periodMinutes = 15;
    DenSettings den;
    std::optional<EventSettings> events;  // none: no event list
    double histogramWidthDb = 1.0;
    bool exposure = false;  // the occupational block, whatever the survey's purpose
};

// Where the figures come from and when they were made.
struct SurveyProvenance {
    QString sourceName;    // the recording's file name
    QString sourceSha256;
    QString surveyName;    // the survey file's name
    QString surveySha256;
    double generated = 0.0;  // wall-clock days
    QString timeZone;        // the computer's, as a reader knows it: "Europe/London (UTC+01:00)"
    QString program;         // "QX574 1.4.0"
};

// A survey's report of several A4 pages.
struct SurveyReport {
    QString header;  // at the top of every page: the project, and the offset when there is one
    std::vector<ReportSheet> pages;
};

// The report of a survey: title block and summary, measurement details, the time history on
// a page of its own, the period, day-evening-night and event tables, the distribution, the
// exposure for an occupational survey, method and limitations, and provenance. A field the
// survey does not hold says "not recorded". The recording's levels are as measured: the
// survey's calibration offset is added here.
SurveyReport MakeSurveyReport(const Survey& survey, const Recording& recording,
                              const SurveyReportSettings& settings, const SurveyProvenance& provenance);

// The settings a survey's report takes when nothing else is asked for: the survey's own,
// else 15-minute periods, the usual day, evening and night, 1 dB classes and no event list;
// the exposure for an occupational survey.
SurveyReportSettings SurveyReportDefaults(const Survey& survey);

inline const QString NotRecorded = QStringLiteral("not recorded");
