#include "watch/HomeAssistantDiscovery.h"

#include "files/WatchLogFields.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Home Assistant's ids hold letters, digits, '_' and '-' only.
QString ObjectId(const QString& serial)
{
    QString id = serial;
    for (QChar& c : id)
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != u'_' && c != u'-')
            c = u'_';
    return QStringLiteral("qx574_") + id;
}

DiscoveryMessage Sensor(const MqttTarget& target, const QString& serial, const QString& model, bool aWeighting,
                        const char* sensor, const QString& name, const char* kind, const char* field)
{
    const QString id = ObjectId(serial) + u'_' + QLatin1String(sensor);
    const QString weighted = aWeighting ? name : name + QStringLiteral(" (C-weighted)");
    const QJsonObject device{
        {QStringLiteral("identifiers"), QJsonArray{ObjectId(serial)}},
        {QStringLiteral("name"), QStringLiteral("Sound level meter %1").arg(serial)},
        {QStringLiteral("model"), model},
        {QStringLiteral("serial_number"), serial},
    };
    const QJsonObject config{
        {QStringLiteral("name"), weighted},
        {QStringLiteral("unique_id"), id},
        {QStringLiteral("object_id"), id},
        {QStringLiteral("state_topic"), QString::fromUtf8(MeterTopic(target, serial, kind))},
        {QStringLiteral("value_template"), QStringLiteral("{{ value_json.%1 }}").arg(QLatin1String(field))},
        {QStringLiteral("device_class"), QStringLiteral("sound_pressure")},
        {QStringLiteral("unit_of_measurement"), aWeighting ? QStringLiteral("dBA") : QStringLiteral("dB")},
        {QStringLiteral("state_class"), QStringLiteral("measurement")},
        {QStringLiteral("availability_topic"), QString::fromUtf8(MeterTopic(target, serial, "status"))},
        {QStringLiteral("payload_available"), QStringLiteral("online")},
        {QStringLiteral("payload_not_available"), QStringLiteral("offline")},
        {QStringLiteral("device"), device},
    };
    return {QStringLiteral("homeassistant/sensor/%1/config").arg(id).toUtf8(),
            QJsonDocument(config).toJson(QJsonDocument::Compact)};
}

}  // namespace

std::vector<DiscoveryMessage> HomeAssistantDiscovery(const MqttTarget& target, const QString& serial,
                                                     const QString& model, bool aWeighting, bool withLeq)
{
    std::vector<DiscoveryMessage> messages{
        Sensor(target, serial, model, aWeighting, "level", QStringLiteral("Sound level"), ReadingRecordName,
               NameOf(RecordField::LevelDb))};
    if (withLeq)
        messages.push_back(Sensor(target, serial, model, aWeighting, "leq", QStringLiteral("Leq"), "leq",
                                  NameOf(RecordField::LeqDb)));
    return messages;
}
