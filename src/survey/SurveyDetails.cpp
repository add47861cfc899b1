#include "survey/SurveyDetails.h"

#include <cmath>

std::optional<double> CalibrationDrift(const SurveyDetails& details)
{
    if (!details.before.levelDb || !details.after.levelDb)
        return std::nullopt;
    // To the hundredth, so that 94.3 - 93.8 is 0.5 and not a hair above it.
    return std::round((*details.after.levelDb - *details.before.levelDb) * 100.0) / 100.0;
}

bool IsDriftFlagged(double driftDb) { return std::fabs(driftDb) > DriftLimitDb; }

QString PurposeText(SurveyPurpose purpose)
{
    switch (purpose) {
    case SurveyPurpose::Environmental: return QStringLiteral("environmental");
    case SurveyPurpose::Occupational: return QStringLiteral("occupational");
    case SurveyPurpose::NotRecorded: break;
    }
    return {};
}

std::optional<SurveyPurpose> ReadPurpose(const QString& text)
{
    for (SurveyPurpose purpose : {SurveyPurpose::NotRecorded, SurveyPurpose::Environmental, SurveyPurpose::Occupational})
        if (text == PurposeText(purpose))
            return purpose;
    return std::nullopt;
}

QString SignedDbText(double db)
{
    const double rounded = std::round(db * 10.0) / 10.0;
    return QStringLiteral("%1%2 dB").arg(rounded > 0.0 ? QStringLiteral("+") : QString(),
                                         QString::number(rounded == 0.0 ? 0.0 : rounded, 'f', 1));
}
