#pragma once
#include "files/OpenInputFile.h"
#include "recording/ReadRecordings.h"
#include "recording/Recording.h"
#include "survey/SurveyFile.h"

#include <QString>
#include <QStringList>

#include <optional>

// The one check of a survey's recording, which qx574 report and File > Open of a survey both
// make, in two steps: where the recording the survey names stands, then reading the set it
// names from the file chosen (the named one, or one the user located).

// The recording the survey at surveyPath names: found as it was saved, missing (moved,
// deleted), or changed since (its SHA-256 differs). message says so, naming both files; an
// error names a file whose SHA-256 could not be read.
struct SurveySourceCheck {
    enum class State { Found, Missing, Changed, Unreadable };
    State state = State::Found;
    QString path;     // where the survey says it is
    QString message;  // for Missing, Changed and Unreadable
};
SurveySourceCheck CheckSurveySource(const QString& surveyPath, const Survey& survey);

// The survey's set of the recording file at recordingPath, as measured (the survey's offset is
// the analysis's to add), with the warnings of reading it; a problem, naming the files, when the
// file cannot be read, is a survey itself, or does not hold the set.
struct SurveyRecordingRead {
    std::optional<Recording> recording;
    QStringList warnings;
    std::optional<RecordingProblem> problem;
};
SurveyRecordingRead ReadSurveyRecording(const QString& surveyPath, const Survey& survey, const QString& recordingPath,
                                        InputKinds kinds);
