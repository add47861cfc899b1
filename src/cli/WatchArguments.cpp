#include "cli/WatchArguments.h"

#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/MeterArguments.h"
#include "cli/UsageError.h"
#include "cli/WithMeter.h"
#include "watch/WatchMeter.h"
#include "watch/WatchSpool.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>

#include <cmath>
#include <optional>

namespace {

constexpr qint64 SmallestSpoolBytes = 64 * 1000;

// A number of seconds as whole milliseconds; none when it is not a positive number or
// rounds to nothing. Ten years is plenty for any of them.
std::optional<std::int64_t> Milliseconds(const QString& seconds)
{
    bool ok = false;
    const double value = seconds.toDouble(&ok);
    if (!ok || !(value > 0.0 && value <= 10.0 * 366 * 86400))
        return std::nullopt;
    const std::int64_t ms = std::llround(value * 1000.0);
    return ms > 0 ? std::optional<std::int64_t>(ms) : std::nullopt;
}

// The tags of the line protocol the records carry themselves.
const QStringList OwnTags = {QStringLiteral("meter"), QStringLiteral("weighting"), QStringLiteral("response"),
                             QStringLiteral("range"), QStringLiteral("event")};

// --tag key=value: none, with the reason, when it is not one the line protocol can carry.
std::optional<std::pair<QString, QString>> ParseTag(const QString& text, QString* why)
{
    const qsizetype equals = text.indexOf(u'=');
    const QString key = text.left(equals);
    const QString value = equals < 0 ? QString() : text.mid(equals + 1);
    if (equals <= 0 || value.isEmpty()) {
        *why = QStringLiteral("--tag needs key=value: %1").arg(text);
        return std::nullopt;
    }
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c == u'\\') {
            *why = QStringLiteral("--tag holds no control character or backslash: %1").arg(text);
            return std::nullopt;
        }
    if (OwnTags.contains(key) || key.startsWith(u'_')) {
        *why = QStringLiteral("--tag %1 is a tag of the records themselves").arg(key);
        return std::nullopt;
    }
    return std::pair{key, value};
}

std::optional<QString> ReadPasswordFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Cannot read the password file %1: %2").arg(QDir::toNativeSeparators(path),
                                                                             file.errorString());
        return std::nullopt;
    }
    // The first line; its line feed is no part of the password.
    QByteArray line = file.readLine(4096);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

int ExitStatusOf(WatchEnd end)
{
    switch (end) {
    case WatchEnd::Done:
        return ExitStatus::Ok;
    case WatchEnd::NoMeter:
        return ExitStatus::NoMeter;
    case WatchEnd::CannotWrite:
        break;
    }
    return ExitStatus::File;
}

struct WatchOptionSet {
    MeterOptionSet meter;
    QCommandLineOption every{QStringLiteral("every"), QString(), QStringLiteral("seconds"), QStringLiteral("1")};
    QCommandLineOption duration{QStringLiteral("duration"), QString(), QStringLiteral("seconds")};
    QCommandLineOption leq{QStringLiteral("leq"), QString(), QStringLiteral("seconds")};
    QCommandLineOption format{QStringLiteral("format"), QString(), QStringLiteral("format"), QStringLiteral("csv")};
    QCommandLineOption out{QStringLiteral("out"), QString(), QStringLiteral("file")};
    QCommandLineOption tag{QStringLiteral("tag"), QString(), QStringLiteral("key=value")};
    QCommandLineOption mqtt{QStringLiteral("mqtt"), QString(), QStringLiteral("url")};
    QCommandLineOption caFile{QStringLiteral("mqtt-cafile"), QString(), QStringLiteral("file")};
    QCommandLineOption passwordFile{QStringLiteral("mqtt-password-file"), QString(), QStringLiteral("file")};
    QCommandLineOption haDiscovery{QStringLiteral("ha-discovery")};
    QCommandLineOption spool{QStringLiteral("spool"), QString(), QStringLiteral("file")};
    QCommandLineOption spoolMax{QStringLiteral("spool-max"), QString(), QStringLiteral("size"), QStringLiteral("100MB")};

    QList<QCommandLineOption> All() const
    {
        QList<QCommandLineOption> all = meter.All();
        all << every << duration << leq << format << out << tag << mqtt << caFile << passwordFile << haDiscovery
            << spool << spoolMax;
        return all;
    }
};

}  // namespace

QList<QCommandLineOption> WatchOptionList() { return WatchOptionSet().All(); }

int RunWatchArguments(const QStringList& arguments, Console& console)
{
    const WatchOptionSet set;
    const QString command = QStringLiteral("watch");
    QCommandLineParser parser;
    parser.addOptions(set.All());
    if (!parser.parse(arguments))
        return UsageError(console, parser.errorText(), command);
    if (!parser.positionalArguments().isEmpty())
        return UsageError(console, QStringLiteral("watch takes no file name but --out's."), command);

    WatchOptions options;
    options.out = parser.value(set.out);
    const std::optional<std::int64_t> everyMs = Milliseconds(parser.value(set.every));
    // The connection monitor's own cadence is the fastest the meter is asked.
    if (!everyMs || *everyMs < 500)
        return UsageError(console, QStringLiteral("--every needs a number of seconds, 0.5 or more."), command);
    options.everyMs = *everyMs;
    if (parser.isSet(set.duration)) {
        const std::optional<std::int64_t> ms = Milliseconds(parser.value(set.duration));
        if (!ms)
            return UsageError(console, QStringLiteral("--duration needs a positive number of seconds."), command);
        options.durationMs = *ms;
    }
    if (parser.isSet(set.leq)) {
        const std::optional<std::int64_t> ms = Milliseconds(parser.value(set.leq));
        if (!ms || *ms < options.everyMs)
            return UsageError(console, QStringLiteral("--leq needs a number of seconds, no fewer than --every's."),
                              command);
        options.leqMs = *ms;
    }
    if (parser.value(set.format) == QStringLiteral("jsonl"))
        options.style.format = WatchFormat::Jsonl;
    else if (parser.value(set.format) == QStringLiteral("influx"))
        options.style.format = WatchFormat::Influx;
    else if (parser.value(set.format) != QStringLiteral("csv"))
        return UsageError(console, QStringLiteral("--format is csv, jsonl or influx."), command);
    for (const QString& text : parser.values(set.tag)) {
        QString why;
        const std::optional<std::pair<QString, QString>> parsed = ParseTag(text, &why);
        if (!parsed)
            return UsageError(console, why, command);
        options.style.tags.append(*parsed);
    }

    std::optional<MqttFeedRequest> mqttFeed;
    if (parser.isSet(set.mqtt)) {
        QString why;
        std::optional<MqttTarget> target = ParseMqttUrl(parser.value(set.mqtt), &why);
        if (!target)
            return UsageError(console, QStringLiteral("--mqtt ") + why, command);
        target->caFile = parser.value(set.caFile);
        if (!target->caFile.isEmpty() && !target->tls)
            return UsageError(console, QStringLiteral("--mqtt-cafile is for mqtts:// addresses."), command);
        if (parser.isSet(set.passwordFile)) {
            const std::optional<QString> password = ReadPasswordFile(parser.value(set.passwordFile), &why);
            if (!password) {
                console.Line(why);
                return ExitStatus::File;
            }
            target->password = *password;
        }
        mqttFeed = MqttFeedRequest{*target, parser.isSet(set.haDiscovery), std::nullopt};
        if (parser.isSet(set.spool))
            mqttFeed->spool = parser.value(set.spool);
        // Records go to the broker, and to a file or standard output only when --out says so.
        options.writeOut = parser.isSet(set.out);
    } else {
        for (const QCommandLineOption* only :
             {&set.caFile, &set.passwordFile, &set.haDiscovery, &set.spool, &set.spoolMax})
            if (parser.isSet(*only))
                return UsageError(console, QStringLiteral("--%1 goes with --mqtt.").arg(only->names().front()),
                                  command);
    }
    const std::optional<qint64> spoolBytes = ParseByteSize(parser.value(set.spoolMax));
    if (!spoolBytes || *spoolBytes < SmallestSpoolBytes)
        return UsageError(console, QStringLiteral("--spool-max needs a size of 64kB or more, such as 100MB."),
                          command);
    if (mqttFeed)
        mqttFeed->spoolBytes = *spoolBytes;

    return WithMeter(set.meter.Read(parser), console, [&](LinkSequence& link, const QString& serialNumber) {
        return ExitStatusOf(WatchMeter(options, mqttFeed, link, serialNumber, [&](const QString& line) {
            console.Line(line);
        }));
    });
}
