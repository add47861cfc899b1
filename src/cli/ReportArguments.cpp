#include "cli/ReportArguments.h"

#include "cli/UsageError.h"
#include "leq/LevelDistribution.h"
#include "shell/Formats.h"

#include <QCommandLineParser>

#include <cmath>
#include <tuple>
#include <utility>

namespace {

std::optional<int> PeriodLength(const QString& text)
{
    static const std::pair<const char*, int> lengths[] = {{"1m", 1},   {"5m", 5},   {"10m", 10}, {"15m", 15},
                                                          {"30m", 30}, {"60m", 60}, {"1d", 1440}};
    for (const auto& [name, minutes] : lengths)
        if (text == QLatin1String(name))
            return minutes;
    return std::nullopt;
}

std::optional<double> Number(const QString& text, double lowest)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) && value >= lowest && value <= 1.0e9 ? std::optional<double>(value) : std::nullopt;
}

// FROM/TO/REASON, the times yyyy-MM-dd HH:mm:ss; the reason may hold slashes of its own.
std::optional<Exclusion> ReadExclusion(const QString& text)
{
    const qsizetype first = text.indexOf(u'/');
    const qsizetype second = first < 0 ? -1 : text.indexOf(u'/', first + 1);
    if (second < 0)
        return std::nullopt;
    bool fromOk = false, toOk = false;
    Exclusion exclusion{ReadIsoDateTime(text.left(first), &fromOk),
                        ReadIsoDateTime(text.mid(first + 1, second - first - 1), &toOk),
                        text.mid(second + 1).trimmed()};
    if (!fromOk || !toOk || !(exclusion.from < exclusion.to) || exclusion.reason.isEmpty())
        return std::nullopt;
    return exclusion;
}

struct ReportOptionSet {
    QCommandLineOption csv{QStringLiteral("csv"), QString(), QStringLiteral("file")};
    QCommandLineOption pdf{QStringLiteral("pdf"), QString(), QStringLiteral("file")};
    QCommandLineOption json{QStringLiteral("json"), QString(), QStringLiteral("file")};
    QCommandLineOption periods{QStringLiteral("periods"), QString(), QStringLiteral("length")};
    QCommandLineOption den{QStringLiteral("den")};
    QCommandLineOption day{QStringLiteral("day"), QString(), QStringLiteral("hours")};
    QCommandLineOption evening{QStringLiteral("evening"), QString(), QStringLiteral("hours")};
    QCommandLineOption night{QStringLiteral("night"), QString(), QStringLiteral("hours")};
    QCommandLineOption events{QStringLiteral("events")};
    QCommandLineOption above{QStringLiteral("above"), QString(), QStringLiteral("dB")};
    QCommandLineOption duration{QStringLiteral("for"), QString(), QStringLiteral("seconds")};
    QCommandLineOption bridge{QStringLiteral("bridge"), QString(), QStringLiteral("seconds")};
    QCommandLineOption histogram{QStringLiteral("histogram"), QString(), QStringLiteral("dB")};
    QCommandLineOption exposure{QStringLiteral("exposure")};
    QCommandLineOption exclude{QStringLiteral("exclude"), QString(), QStringLiteral("from/to/reason")};

    QList<QCommandLineOption> All() const
    {
        return {csv, pdf, json, periods, den, day, evening, night, events, above, duration, bridge, histogram,
                exposure, exclude};
    }
};

}  // namespace

QList<QCommandLineOption> ReportOptionList() { return ReportOptionSet().All(); }

std::optional<ReportOptions> ReadReportArguments(const QStringList& arguments, QString* problem)
{
    const ReportOptionSet set;
    QCommandLineParser parser;
    parser.addOptions(set.All());
    const auto fail = [problem](const QString& text) {
        *problem = text;
        return std::nullopt;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.positionalArguments().size() != 1)
        return fail(QStringLiteral("report needs one file: a collection, graph, survey or log of qx574 watch."));
    for (const QCommandLineOption* file : {&set.pdf, &set.json})
        if (parser.isSet(*file) && parser.value(*file).isEmpty())
            return fail(QStringLiteral("--%1 needs a file name.").arg(file->names().front()));

    ReportOptions options;
    options.source = parser.positionalArguments().front();
    options.csv = parser.value(set.csv);
    options.pdf = parser.value(set.pdf);
    options.json = parser.value(set.json);
    for (const QString& text : parser.values(set.exclude)) {
        const std::optional<Exclusion> exclusion = ReadExclusion(text);
        if (!exclusion)
            return fail(QStringLiteral("--exclude \"%1\" is not FROM/TO/REASON with FROM before TO, both "
                                       "yyyy-MM-dd HH:mm:ss, and a reason.").arg(text));
        options.exclusions.push_back(*exclusion);
    }
    if (parser.isSet(set.periods)) {
        options.periodMinutes = PeriodLength(parser.value(set.periods));
        if (!options.periodMinutes)
            return fail(QStringLiteral("--periods %1 is not one of 1m, 5m, 10m, 15m, 30m, 60m and 1d.")
                            .arg(parser.value(set.periods)));
    }
    options.den = parser.isSet(set.den);
    for (auto [option, span] : {std::pair{&set.day, &options.day}, std::pair{&set.evening, &options.evening},
                                std::pair{&set.night, &options.night}}) {
        if (!parser.isSet(*option))
            continue;
        if (!options.den)
            return fail(QStringLiteral("--%1 goes with --den.").arg(option->names().front()));
        *span = ReadDaySpan(parser.value(*option));
        if (!*span)
            return fail(QStringLiteral("--%1 %2 is not hours such as 07-19 or 07:30-19:00.")
                            .arg(option->names().front(), parser.value(*option)));
    }
    options.events = parser.isSet(set.events);
    for (auto [option, value, lowest] : {std::tuple{&set.above, &options.aboveDb, -1.0e9},
                                         std::tuple{&set.duration, &options.forSeconds, 0.0},
                                         std::tuple{&set.bridge, &options.bridgeSeconds, 0.0}}) {
        if (!parser.isSet(*option))
            continue;
        if (!options.events)
            return fail(QStringLiteral("--%1 goes with --events.").arg(option->names().front()));
        *value = Number(parser.value(*option), lowest);
        if (!*value)
            return fail(QStringLiteral("--%1 %2 is not a number%3.")
                            .arg(option->names().front(), parser.value(*option),
                                 lowest == 0.0 ? QStringLiteral(" of seconds, 0 or more") : QString()));
    }
    if (parser.isSet(set.histogram)) {
        options.histogramWidthDb = Number(parser.value(set.histogram), 0.0);
        if (!options.histogramWidthDb || !IsClassWidth(*options.histogramWidthDb))
            return fail(QStringLiteral("--histogram %1 is not a class width of 0.1 to 5.0 dB in steps of 0.1.")
                            .arg(parser.value(set.histogram)));
    }
    options.exposure = parser.isSet(set.exposure);
    return options;
}

int RunReportArguments(const QStringList& arguments, Console& console)
{
    QString problem;
    const std::optional<ReportOptions> options = ReadReportArguments(arguments, &problem);
    if (!options)
        return UsageError(console, problem, QStringLiteral("report"));
    return RunReport(*options, console);
}
