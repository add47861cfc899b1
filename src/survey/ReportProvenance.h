#pragma once
#include "survey/SurveyReport.h"

#include <QJsonObject>
#include <QString>

#include <optional>

// What the provenance names in place of a file the figures are in no file yet (a graph window's
// survey before it is saved, levels recorded live).
inline const QString NotSavedInAFile = QStringLiteral("not saved in a file");

// Where a survey's report comes from: its recording's and survey file's names and SHA-256,
// the time now and the computer's time zone. An empty path is a file not saved. Nothing, with
// a message naming the file, when a file cannot be read.
std::optional<SurveyProvenance> ReadProvenance(const QString& surveyPath, const QString& recordingPath,
                                               QString* error);

// The same as the JSON of qx574 report writes it.
QJsonObject ProvenanceJson(const SurveyProvenance& provenance);
