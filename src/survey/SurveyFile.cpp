#include "survey/SurveyFile.h"

#include "leq/LevelDistribution.h"
#include "leq/Periods.h"
#include "leq/WallClockMs.h"
#include "shell/SaveFile.h"
#include "shell/Formats.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Far beyond any survey; a file this large is something else.
constexpr qint64 MaxSurveyBytes = 64LL * 1024 * 1024;

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

// Reads the fields of a survey and keeps the first that is not what it should be, by its name.
class FieldReader {
public:
    QString problem;

    void Fail(const QString& field, const QString& why)
    {
        if (problem.isEmpty())
            problem = QStringLiteral("%1 (%2)").arg(field, why);
    }
    double Number(const QJsonObject& object, const char* key, const QString& field)
    {
        const QJsonValue value = object.value(QLatin1String(key));
        if (value.isDouble() && std::isfinite(value.toDouble()))
            return value.toDouble();
        Fail(Name(field, key), QStringLiteral("not a number"));
        return 0.0;
    }
    int WholeNumber(const QJsonObject& object, const char* key, const QString& field, int lowest)
    {
        const double value = Number(object, key, field);
        if (value == std::floor(value) && value >= lowest && value <= 1'000'000'000)
            return static_cast<int>(value);
        Fail(Name(field, key), QStringLiteral("not a whole number of %1 or more").arg(lowest));
        return lowest;
    }
    QString Text(const QJsonObject& object, const char* key, const QString& field)
    {
        const QJsonValue value = object.value(QLatin1String(key));
        if (value.isString())
            return value.toString();
        Fail(Name(field, key), QStringLiteral("not a text"));
        return {};
    }
    double Time(const QJsonObject& object, const char* key, const QString& field)
    {
        bool ok = false;
        const double days = ReadIsoDateTime(Text(object, key, field), &ok);
        if (!ok)
            Fail(Name(field, key), QStringLiteral("not a date and time yyyy-MM-ddTHH:mm:ss"));
        return days;
    }
    DaySpan Span(const QJsonObject& object, const char* key, const QString& field, DaySpan otherwise)
    {
        if (!object.contains(QLatin1String(key)))
            return otherwise;
        const std::optional<DaySpan> span = ReadDaySpan(Text(object, key, field));
        if (!span)
            Fail(Name(field, key), QStringLiteral("not hours such as 07-19"));
        return span.value_or(otherwise);
    }
    // A number that may be left out or null.
    std::optional<double> OptionalNumber(const QJsonObject& object, const char* key, const QString& field)
    {
        const QJsonValue value = object.value(QLatin1String(key));
        if (value.isUndefined() || value.isNull())
            return std::nullopt;
        return Number(object, key, field);
    }
    // A text that may be left out.
    QString OptionalText(const QJsonObject& object, const char* key, const QString& field)
    {
        return object.contains(QLatin1String(key)) ? Text(object, key, field) : QString();
    }
    // A time that may be left out, null or empty.
    std::optional<double> OptionalTime(const QJsonObject& object, const char* key, const QString& field)
    {
        const QJsonValue value = object.value(QLatin1String(key));
        if (value.isUndefined() || value.isNull() || (value.isString() && value.toString().isEmpty()))
            return std::nullopt;
        return Time(object, key, field);
    }
    // An object that may be left out.
    QJsonObject OptionalObject(const QJsonObject& object, const char* key, const QString& field)
    {
        return object.contains(QLatin1String(key)) ? Object(object, key, field) : QJsonObject();
    }
    QJsonObject Object(const QJsonObject& object, const char* key, const QString& field)
    {
        const QJsonValue value = object.value(QLatin1String(key));
        if (!value.isObject())
            Fail(Name(field, key), QStringLiteral("not an object"));
        return value.toObject();
    }

public:
    static QString Name(const QString& field, const char* key)
    {
        return field.isEmpty() ? QString::fromLatin1(key) : field + u'.' + QLatin1String(key);
    }
};

bool IsSha256Text(const QString& text)
{
    return text.size() == 64
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit() || (c >= u'a' && c <= u'f'); });
}

// The wall-clock time of a day count as the file writes it, to the millisecond when it has one.
QString IsoTime(double days)
{
    const std::int64_t ms = WallClockMs(days).value_or(0);
    const std::int64_t day = FloorDiv(ms, MsPerDay);
    const std::int64_t rest = ms - day * MsPerDay;
    const QDate date = QDate(1899, 12, 30).addDays(day);
    char text[48];
    const int hours = static_cast<int>(rest / 3'600'000);
    const int minutes = static_cast<int>(rest / 60'000 % 60);
    const int seconds = static_cast<int>(rest / 1000 % 60);
    const int millis = static_cast<int>(rest % 1000);
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", date.year(), date.month(), date.day(), hours,
                  minutes, seconds);
    QString out = QString::fromLatin1(text);
    if (millis != 0)
        out += QStringLiteral(".%1").arg(millis, 3, 10, QChar(u'0'));
    return out;
}

std::vector<Exclusion> ReadExclusions(const QJsonObject& root, FieldReader& read)
{
    std::vector<Exclusion> exclusions;
    const QJsonValue value = root.value(QLatin1String("exclusions"));
    if (value.isUndefined())
        return exclusions;
    if (!value.isArray()) {
        read.Fail(QStringLiteral("exclusions"), QStringLiteral("not a list"));
        return exclusions;
    }
    const QJsonArray list = value.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString field = QStringLiteral("exclusions[%1]").arg(i + 1);
        if (!list[i].isObject()) {
            read.Fail(field, QStringLiteral("not an object"));
            continue;
        }
        const QJsonObject object = list[i].toObject();
        Exclusion exclusion;
        exclusion.from = read.Time(object, "from", field);
        exclusion.to = read.Time(object, "to", field);
        if (object.contains(QLatin1String("reason")))
            exclusion.reason = read.Text(object, "reason", field);
        if (read.problem.isEmpty() && !(*WallClockMs(exclusion.from) < *WallClockMs(exclusion.to)))
            read.Fail(field, QStringLiteral("it does not end after it starts"));
        exclusions.push_back(exclusion);
    }
    return exclusions;
}

SurveyAnalysis ReadAnalysis(const QJsonObject& root, FieldReader& read)
{
    SurveyAnalysis analysis;
    if (!root.contains(QLatin1String("analysis")))
        return analysis;
    const QJsonObject a = read.Object(root, "analysis", {});
    const QString field = QStringLiteral("analysis");
    if (a.contains(QLatin1String("period_minutes"))) {
        analysis.periodMinutes = read.WholeNumber(a, "period_minutes", field, 1);
        if (!IsPeriodLength(*analysis.periodMinutes))
            read.Fail(QStringLiteral("analysis.period_minutes"), QStringLiteral("not 1, 5, 10, 15, 30, 60 or 1440"));
    }
    if (a.contains(QLatin1String("den"))) {
        const QJsonObject d = read.Object(a, "den", field);
        const QString den = QStringLiteral("analysis.den");
        DenSettings settings;
        settings.day = read.Span(d, "day", den, settings.day);
        settings.evening = read.Span(d, "evening", den, settings.evening);
        settings.night = read.Span(d, "night", den, settings.night);
        if (d.contains(QLatin1String("evening_penalty_db")))
            settings.eveningPenaltyDb = read.Number(d, "evening_penalty_db", den);
        if (d.contains(QLatin1String("night_penalty_db")))
            settings.nightPenaltyDb = read.Number(d, "night_penalty_db", den);
        if (d.contains(QLatin1String("night_rank")))
            settings.nightRank = read.WholeNumber(d, "night_rank", den, 1);
        if (const QString problem = DenSettingsProblem(settings); !problem.isEmpty())
            read.Fail(den, problem);
        analysis.den = settings;
    }
    if (a.contains(QLatin1String("events"))) {
        const QJsonObject e = read.Object(a, "events", field);
        const QString events = QStringLiteral("analysis.events");
        EventSettings settings;
        settings.aboveDb = read.Number(e, "above_db", events);
        settings.minSeconds = read.Number(e, "for_s", events);
        if (e.contains(QLatin1String("bridge_s")))
            settings.bridgeSeconds = read.Number(e, "bridge_s", events);
        if (settings.minSeconds < 0.0 || settings.bridgeSeconds < 0.0)
            read.Fail(events, QStringLiteral("a negative number of seconds"));
        analysis.events = settings;
    }
    if (a.contains(QLatin1String("histogram_width_db"))) {
        analysis.histogramWidthDb = read.Number(a, "histogram_width_db", field);
        if (!IsClassWidth(*analysis.histogramWidthDb))
            read.Fail(QStringLiteral("analysis.histogram_width_db"), QStringLiteral("not 0.1 to 5.0 in steps of 0.1"));
    }
    return analysis;
}

CalibrationCheck ReadCheck(const QJsonObject& calibration, const char* key, FieldReader& read)
{
    const QString field = FieldReader::Name(QStringLiteral("details.calibration"), key);
    const QJsonObject object = read.OptionalObject(calibration, key, QStringLiteral("details.calibration"));
    return {read.OptionalTime(object, "time", field), read.OptionalNumber(object, "level_db", field)};
}

SurveyDetails ReadDetails(const QJsonObject& root, FieldReader& read)
{
    SurveyDetails details;
    if (!root.contains(QLatin1String("details")))
        return details;
    const QString field = QStringLiteral("details");
    const QJsonObject d = read.Object(root, "details", {});
    details.project = read.OptionalText(d, "project", field);
    details.client = read.OptionalText(d, "client", field);
    details.site = read.OptionalText(d, "site", field);
    details.position = read.OptionalText(d, "position", field);
    details.operatorName = read.OptionalText(d, "operator", field);
    details.reportId = read.OptionalText(d, "report_id", field);
    details.picture = read.OptionalText(d, "picture", field);
    details.notes = read.OptionalText(d, "notes", field);

    const QString instrumentField = QStringLiteral("details.instrument");
    const QJsonObject instrument = read.OptionalObject(d, "instrument", field);
    details.instrument.model = read.OptionalText(instrument, "model", instrumentField);
    details.instrument.serial = read.OptionalText(instrument, "serial", instrumentField);
    if (const std::optional<double> iecClass = read.OptionalNumber(instrument, "class", instrumentField)) {
        if (*iecClass == 1.0 || *iecClass == 2.0)
            details.instrument.iecClass = static_cast<int>(*iecClass);
        else
            read.Fail(QStringLiteral("details.instrument.class"), QStringLiteral("not 1 or 2"));
    }
    if (const QString verified = read.OptionalText(instrument, "verified", instrumentField); !verified.isEmpty()) {
        details.instrument.verified = QDate::fromString(verified, Qt::ISODate);
        if (!details.instrument.verified.isValid())
            read.Fail(QStringLiteral("details.instrument.verified"), QStringLiteral("not a date yyyy-MM-dd"));
    }

    const QString calibratorField = QStringLiteral("details.calibrator");
    const QJsonObject calibrator = read.OptionalObject(d, "calibrator", field);
    details.calibrator.model = read.OptionalText(calibrator, "model", calibratorField);
    details.calibrator.serial = read.OptionalText(calibrator, "serial", calibratorField);
    details.calibrator.referenceDb = read.OptionalNumber(calibrator, "reference_db", calibratorField);

    const QJsonObject calibration = read.OptionalObject(d, "calibration", field);
    details.before = ReadCheck(calibration, "before", read);
    details.after = ReadCheck(calibration, "after", read);

    details.offsetDb = read.OptionalNumber(d, "offset_db", field).value_or(0.0);
    if (std::fabs(details.offsetDb) > 20.0)
        read.Fail(QStringLiteral("details.offset_db"), QStringLiteral("not -20 to +20 dB"));
    const QString purpose = read.OptionalText(d, "purpose", field);
    if (const std::optional<SurveyPurpose> known = ReadPurpose(purpose))
        details.purpose = *known;
    else
        read.Fail(QStringLiteral("details.purpose"), QStringLiteral("not \"environmental\" or \"occupational\""));
    return details;
}

// Starts from what the file held under key, so that fields this program does not know stay.
QJsonObject Kept(const QJsonObject& object, const char* key)
{
    return object.value(QLatin1String(key)).toObject();
}

QJsonObject AnalysisJson(const SurveyAnalysis& analysis, QJsonObject a)
{
    const auto set = [&a](const char* key, const auto& value, auto write) {
        if (value)
            a.insert(QLatin1String(key), write(*value));
        else
            a.remove(QLatin1String(key));
    };
    set("period_minutes", analysis.periodMinutes, [](int minutes) { return QJsonValue(minutes); });
    set("den", analysis.den, [&a](const DenSettings& s) {
        QJsonObject d = Kept(a, "den");
        d.insert(QStringLiteral("day"), DaySpanText(s.day));
        d.insert(QStringLiteral("evening"), DaySpanText(s.evening));
        d.insert(QStringLiteral("night"), DaySpanText(s.night));
        d.insert(QStringLiteral("evening_penalty_db"), s.eveningPenaltyDb);
        d.insert(QStringLiteral("night_penalty_db"), s.nightPenaltyDb);
        d.insert(QStringLiteral("night_rank"), s.nightRank);
        return QJsonValue(d);
    });
    set("events", analysis.events, [&a](const EventSettings& s) {
        QJsonObject e = Kept(a, "events");
        e.insert(QStringLiteral("above_db"), s.aboveDb);
        e.insert(QStringLiteral("for_s"), s.minSeconds);
        e.insert(QStringLiteral("bridge_s"), s.bridgeSeconds);
        return QJsonValue(e);
    });
    set("histogram_width_db", analysis.histogramWidthDb, [](double width) { return QJsonValue(width); });
    return a;
}

QJsonValue OrNull(const std::optional<double>& value) { return value ? QJsonValue(*value) : QJsonValue(); }

QJsonObject CheckJson(const CalibrationCheck& check, QJsonObject c)
{
    c.insert(QStringLiteral("time"), check.time ? QJsonValue(IsoTime(*check.time)) : QJsonValue());
    c.insert(QStringLiteral("level_db"), OrNull(check.levelDb));
    return c;
}

QJsonObject DetailsJson(const SurveyDetails& details, QJsonObject d)
{
    d.insert(QStringLiteral("project"), details.project);
    d.insert(QStringLiteral("client"), details.client);
    d.insert(QStringLiteral("site"), details.site);
    d.insert(QStringLiteral("position"), details.position);
    d.insert(QStringLiteral("operator"), details.operatorName);
    d.insert(QStringLiteral("report_id"), details.reportId);
    d.insert(QStringLiteral("picture"), details.picture);
    QJsonObject instrument = Kept(d, "instrument");
    instrument.insert(QStringLiteral("model"), details.instrument.model);
    instrument.insert(QStringLiteral("serial"), details.instrument.serial);
    instrument.insert(QStringLiteral("class"),
                      details.instrument.iecClass ? QJsonValue(*details.instrument.iecClass) : QJsonValue());
    instrument.insert(QStringLiteral("verified"), details.instrument.verified.isValid()
                                                      ? details.instrument.verified.toString(Qt::ISODate)
                                                      : QString());
    d.insert(QStringLiteral("instrument"), instrument);
    QJsonObject calibrator = Kept(d, "calibrator");
    calibrator.insert(QStringLiteral("model"), details.calibrator.model);
    calibrator.insert(QStringLiteral("serial"), details.calibrator.serial);
    calibrator.insert(QStringLiteral("reference_db"), OrNull(details.calibrator.referenceDb));
    d.insert(QStringLiteral("calibrator"), calibrator);
    QJsonObject calibration = Kept(d, "calibration");
    calibration.insert(QStringLiteral("before"), CheckJson(details.before, Kept(calibration, "before")));
    calibration.insert(QStringLiteral("after"), CheckJson(details.after, Kept(calibration, "after")));
    d.insert(QStringLiteral("calibration"), calibration);
    d.insert(QStringLiteral("offset_db"), details.offsetDb);
    d.insert(QStringLiteral("purpose"), PurposeText(details.purpose));
    d.insert(QStringLiteral("notes"), details.notes);
    return d;
}

QJsonArray ExclusionsJson(const std::vector<Exclusion>& exclusions, const QJsonArray& before)
{
    // An exclusion that was in the file keeps the fields it had there.
    std::vector<bool> used(static_cast<std::size_t>(before.size()), false);
    const auto earlier = [&](const Exclusion& exclusion) {
        for (qsizetype i = 0; i < before.size(); ++i) {
            const QJsonObject object = before[i].toObject();
            bool fromOk = false, toOk = false;
            const double from = ReadIsoDateTime(object.value(QLatin1String("from")).toString(), &fromOk);
            const double to = ReadIsoDateTime(object.value(QLatin1String("to")).toString(), &toOk);
            if (!used[static_cast<std::size_t>(i)] && fromOk && toOk && WallClockMs(from) == WallClockMs(exclusion.from)
                && WallClockMs(to) == WallClockMs(exclusion.to)
                && object.value(QLatin1String("reason")).toString() == exclusion.reason) {
                used[static_cast<std::size_t>(i)] = true;
                return object;
            }
        }
        return QJsonObject();
    };
    QJsonArray list;
    for (const Exclusion& exclusion : exclusions) {
        QJsonObject object = earlier(exclusion);
        object.insert(QStringLiteral("from"), IsoTime(exclusion.from));
        object.insert(QStringLiteral("to"), IsoTime(exclusion.to));
        object.insert(QStringLiteral("reason"), exclusion.reason);
        list.append(object);
    }
    return list;
}

}  // namespace

std::optional<Survey> ParseSurvey(const QByteArray& bytes, const QString& path, QString* error)
{
    const auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return std::nullopt;
    };
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parse);
    if (parse.error != QJsonParseError::NoError)
        return fail(QStringLiteral("The file %1 is not a survey file (it is not JSON: %2 at byte %3).")
                        .arg(Shown(path), parse.errorString())
                        .arg(parse.offset));
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(QLatin1String("format")).toString() != QLatin1String("qx574-survey"))
        return fail(QStringLiteral("The file %1 is not a survey file (its \"format\" is not \"qx574-survey\").")
                        .arg(Shown(path)));
    const QJsonValue version = root.value(QLatin1String("version"));
    if (!version.isDouble() || version.toDouble() != SurveyVersion)
        return fail(QStringLiteral("The survey file %1 is of version %2; this program reads version %3.")
                        .arg(Shown(path), version.isDouble() ? QString::number(version.toDouble()) : QStringLiteral("(none)"))
                        .arg(SurveyVersion));
    const QJsonObject source = root.value(QLatin1String("source")).toObject();
    if (source.value(QLatin1String("path")).toString().trimmed().isEmpty())
        return fail(QStringLiteral("The survey file %1 names no source recording (\"source\": {\"path\": ...}).")
                        .arg(Shown(path)));
    FieldReader read;
    Survey survey;
    survey.read = root;
    survey.source.path = source.value(QLatin1String("path")).toString();
    if (source.contains(QLatin1String("set")))
        survey.source.set = read.WholeNumber(source, "set", QStringLiteral("source"), 1);
    if (source.contains(QLatin1String("sha256"))) {
        survey.source.sha256 = read.Text(source, "sha256", QStringLiteral("source")).trimmed().toLower();
        if (!survey.source.sha256.isEmpty() && !IsSha256Text(survey.source.sha256))
            read.Fail(QStringLiteral("source.sha256"), QStringLiteral("not 64 hexadecimal digits"));
    }
    survey.exclusions = ReadExclusions(root, read);
    survey.analysis = ReadAnalysis(root, read);
    survey.details = ReadDetails(root, read);
    if (!read.problem.isEmpty())
        return fail(QStringLiteral("The survey file %1 holds a value that is not valid: %2.").arg(Shown(path), read.problem));
    return survey;
}

QJsonObject SurveyDetailsJson(const SurveyDetails& details) { return DetailsJson(details, {}); }

std::optional<Survey> ReadSurveyFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot open the file %1.").arg(Shown(path));
        return std::nullopt;
    }
    const QByteArray bytes = file.read(MaxSurveyBytes + 1);
    if (bytes.size() > MaxSurveyBytes) {
        if (error)
            *error = QStringLiteral("The file %1 is not a survey file (it is far too large).").arg(Shown(path));
        return std::nullopt;
    }
    return ParseSurvey(bytes, path, error);
}

QByteArray SurveyJson(const Survey& survey)
{
    QJsonObject root = survey.read;
    root.insert(QStringLiteral("format"), QStringLiteral("qx574-survey"));
    root.insert(QStringLiteral("version"), SurveyVersion);
    QJsonObject source = Kept(root, "source");
    source.insert(QStringLiteral("path"), survey.source.path);
    source.insert(QStringLiteral("set"), survey.source.set);
    if (survey.source.sha256.isEmpty())
        source.remove(QStringLiteral("sha256"));
    else
        source.insert(QStringLiteral("sha256"), survey.source.sha256);
    root.insert(QStringLiteral("source"), source);
    root.insert(QStringLiteral("exclusions"),
                ExclusionsJson(survey.exclusions, root.value(QLatin1String("exclusions")).toArray()));
    const QJsonObject analysis = AnalysisJson(survey.analysis, Kept(root, "analysis"));
    root.insert(QStringLiteral("analysis"), analysis);
    // A survey without details is written as before they existed.
    if (root.contains(QLatin1String("details")) || !survey.details.IsEmpty())
        root.insert(QStringLiteral("details"), DetailsJson(survey.details, Kept(root, "details")));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool WriteSurveyFile(const QString& path, const Survey& survey, QString* error)
{
    QString why;
    if (SaveWholeFile(path, SurveyJson(survey), &why))
        return true;
    if (error)
        *error = QStringLiteral("Cannot write the file %1: %2").arg(Shown(path), why);
    return false;
}

QString SurveySourcePath(const QString& surveyPath, const SurveySource& source)
{
    return QDir::cleanPath(QFileInfo(surveyPath).absoluteDir().absoluteFilePath(source.path));
}

QString RelativeSourcePath(const QString& surveyPath, const QString& sourcePath)
{
    return QFileInfo(surveyPath).absoluteDir().relativeFilePath(QFileInfo(sourcePath).absoluteFilePath());
}

std::optional<QString> FileSha256(const QString& path, QString* error)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
        if (error)
            *error = QStringLiteral("Cannot read the file %1.").arg(Shown(path));
        return std::nullopt;
    }
    return QString::fromLatin1(hash.result().toHex());
}
