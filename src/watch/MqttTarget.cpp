#include "watch/MqttTarget.h"

#include <QUrl>

namespace {

constexpr int MqttPort = 1883;
constexpr int MqttsPort = 8883;

QString TopicLevel(const QString& text)
{
    QString level = text;
    for (QChar& c : level)
        if (c == u'/' || c == u'+' || c == u'#' || c.unicode() < 0x20)
            c = u'_';
    return level.isEmpty() ? QStringLiteral("_") : level;
}

}  // namespace

QString MqttTarget::Shown() const
{
    QUrl url;
    url.setScheme(tls ? QStringLiteral("mqtts") : QStringLiteral("mqtt"));
    url.setUserName(user);
    url.setHost(host);
    url.setPort(port);
    url.setPath(u'/' + prefix);
    return url.toString();
}

std::optional<MqttTarget> ParseMqttUrl(const QString& text, QString* error)
{
    const QUrl url(text, QUrl::StrictMode);
    const QString shown = url.isValid() ? url.toString(QUrl::RemovePassword) : QStringLiteral("the --mqtt address");
    const auto fail = [&](const QString& why) {
        *error = QStringLiteral("%1: %2").arg(shown, why);
        return std::nullopt;
    };
    if (!url.isValid())
        return fail(QStringLiteral("not an address; it reads mqtt://[user[:password]@]host[:port]/topic-prefix"));
    MqttTarget target;
    if (url.scheme() == QLatin1String("mqtts"))
        target.tls = true;
    else if (url.scheme() != QLatin1String("mqtt"))
        return fail(QStringLiteral("the address starts with mqtt:// or mqtts://"));
    target.host = url.host();
    if (target.host.isEmpty())
        return fail(QStringLiteral("no host"));
    target.port = url.port(target.tls ? MqttsPort : MqttPort);
    target.user = url.userName();
    target.password = url.password();
    target.prefix = url.path();
    while (target.prefix.startsWith(u'/'))
        target.prefix.remove(0, 1);
    while (target.prefix.endsWith(u'/'))
        target.prefix.chop(1);
    if (target.prefix.isEmpty())
        return fail(QStringLiteral("no topic prefix after the host (mqtt://host/noise)"));
    if (target.prefix.contains(u'+') || target.prefix.contains(u'#'))
        return fail(QStringLiteral("a topic prefix holds no + or #"));
    if (url.hasQuery() || url.hasFragment())
        return fail(QStringLiteral("nothing may follow the topic prefix"));
    return target;
}

QByteArray MeterTopic(const MqttTarget& target, const QString& serial, const char* kind)
{
    return (target.prefix + u'/' + TopicLevel(serial) + u'/' + QLatin1String(kind)).toUtf8();
}
