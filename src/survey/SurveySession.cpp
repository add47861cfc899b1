#include "survey/SurveySession.h"

void SurveySession::Open(Survey opened, const QString& openedPath)
{
    survey = std::move(opened);
    savedExclusions = survey.exclusions;
    savedDetails = survey.details;
    path = openedPath;
    relocated = false;
}

void SurveySession::AddExclusion(Exclusion exclusion) { survey.exclusions.push_back(std::move(exclusion)); }

bool SurveySession::RemoveExclusion(std::size_t index)
{
    if (index >= survey.exclusions.size())
        return false;
    survey.exclusions.erase(survey.exclusions.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

void SurveySession::MarkSaved(const QString& savedPath, const SurveySource& source)
{
    survey.source = source;
    savedExclusions = survey.exclusions;
    savedDetails = survey.details;
    path = savedPath;
    relocated = false;
}
