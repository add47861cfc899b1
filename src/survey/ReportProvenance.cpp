#include "survey/ReportProvenance.h"

#include "shell/Clock.h"
#include "shell/Formats.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QTimeZone>

namespace {

// "Europe/London (UTC+01:00)": the zone's name and its offset at the time.
QString TimeZoneText(const QDateTime& at)
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(zone.id()), zone.displayName(at, QTimeZone::OffsetName));
}


// The file's name and SHA-256 into *name and *sha256; a path not given is a file not saved.
bool NameAndSha256(const QString& path, QString* name, QString* sha256, QString* error)
{
    if (path.isEmpty()) {
        *name = NotSavedInAFile;
        return true;
    }
    const std::optional<QString> sha = FileSha256(path, error);
    if (!sha)
        return false;
    *name = QFileInfo(path).fileName();
    *sha256 = *sha;
    return true;
}

}  // namespace

std::optional<SurveyProvenance> ReadProvenance(const QString& surveyPath, const QString& recordingPath, QString* error)
{
    SurveyProvenance provenance;
    if (!NameAndSha256(recordingPath, &provenance.sourceName, &provenance.sourceSha256, error)
        || !NameAndSha256(surveyPath, &provenance.surveyName, &provenance.surveySha256, error))
        return std::nullopt;
    provenance.generated = CurrentClock().Now();
    const QDateTime wallClock = DateTimeFromDays(provenance.generated);
    provenance.timeZone = TimeZoneText(QDateTime(wallClock.date(), wallClock.time()));
    const QString version = QCoreApplication::applicationVersion();
    provenance.program = version.isEmpty() ? QStringLiteral("QX574") : QStringLiteral("QX574 ") + version;
    return provenance;
}

QJsonObject ProvenanceJson(const SurveyProvenance& provenance)
{
    return {{QStringLiteral("source"), provenance.sourceName},
            {QStringLiteral("source_sha256"), provenance.sourceSha256},
            {QStringLiteral("survey"), provenance.surveyName},
            {QStringLiteral("survey_sha256"), provenance.surveySha256},
            {QStringLiteral("generated"), IsoDateTimeText(provenance.generated)},
            {QStringLiteral("time_zone"), provenance.timeZone},
            {QStringLiteral("program"), provenance.program}};
}
