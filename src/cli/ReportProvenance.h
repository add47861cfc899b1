#pragma once
#include "report/SurveyReport.h"

#include <QJsonObject>
#include <QString>

#include <optional>

struct ReportSource;

// Where a survey's report comes from: its recording's and survey file's names and SHA-256,
// the time now and the computer's time zone. Nothing, with a message naming the file, when a
// file cannot be read.
std::optional<SurveyProvenance> ReadProvenance(const QString& surveyPath, const ReportSource& source,
                                               QString* error);

// The same as the JSON of qx574 report writes it.
QJsonObject ProvenanceJson(const SurveyProvenance& provenance);

// The recording as a survey's report takes it: the survey's set, its levels with the offset.
SurveyRecording RecordingOf(const ReportSource& source);
