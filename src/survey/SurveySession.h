#pragma once
#include "survey/SurveyFile.h"

#include <QString>

#include <cstddef>
#include <vector>

// A survey as a window holds it beside the recording it shows: the survey (its source,
// exclusions, analysis settings and details), the file it was last saved to or opened from, and
// what that file holds, so that closing asks only about changes not saved.
class SurveySession {
public:
    const Survey& Value() const { return survey; }
    // A survey opened from its file at path: nothing of it is unsaved.
    void Open(Survey opened, const QString& path);

    void AddExclusion(Exclusion exclusion);
    // False when there is no exclusion index.
    bool RemoveExclusion(std::size_t index);
    void SetAnalysis(const SurveyAnalysis& analysis) { survey.analysis = analysis; }
    void SetDetails(SurveyDetails details) { survey.details = std::move(details); }
    // The recording was found elsewhere than the file says (located by the user): the file must
    // be saved to name it.
    void Relocated() { relocated = true; }

    // A survey file at path took it, naming source as the recording.
    void MarkSaved(const QString& path, const SurveySource& source);
    // The survey file last saved to or opened from; empty when none.
    const QString& Path() const { return path; }

    // The exclusions or the details differ from those last saved or opened, or the recording was
    // located elsewhere since.
    bool Unsaved() const
    {
        return relocated || survey.exclusions != savedExclusions || survey.details != savedDetails;
    }
    // The graph is a survey, whose report is the survey's: it was saved as one or opened from one,
    // or it holds exclusions or details.
    bool HasSurvey() const { return !path.isEmpty() || !survey.exclusions.empty() || !survey.details.IsEmpty(); }

private:
    Survey survey;
    std::vector<Exclusion> savedExclusions;
    SurveyDetails savedDetails;
    QString path;
    bool relocated = false;
};
