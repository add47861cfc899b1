#include "cli/ReportProvenance.h"

#include "cli/ReportSource.h"
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

}  // namespace

std::optional<SurveyProvenance> ReadProvenance(const QString& surveyPath, const ReportSource& source, QString* error)
{
    SurveyProvenance provenance;
    provenance.sourceName = QFileInfo(source.recordingPath).fileName();
    provenance.surveyName = QFileInfo(surveyPath).fileName();
    const std::optional<QString> sourceSha = FileSha256(source.recordingPath, error);
    const std::optional<QString> surveySha = sourceSha ? FileSha256(surveyPath, error) : std::nullopt;
    if (!surveySha)
        return std::nullopt;
    provenance.sourceSha256 = *sourceSha;
    provenance.surveySha256 = *surveySha;
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

SurveyRecording RecordingOf(const ReportSource& source)
{
    SurveyRecording recording;
    if (source.sets.empty())
        return recording;
    const ReportSet& set = source.sets.front();
    recording.times = source.Times(set);
    recording.levels = source.Levels(set);
    recording.intervalSeconds = set.intervalSeconds;
    recording.weighting = set.weighting;
    recording.response = set.response;
    recording.range = set.range;
    return recording;
}
