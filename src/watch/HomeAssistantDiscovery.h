#pragma once
#include "watch/MqttTarget.h"

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

// Home Assistant's MQTT discovery for one meter: a retained config message per sensor under
// homeassistant/sensor/qx574_SERIAL_<sensor>/config, so that the meter shows up as one device
// with its level (and, when Leq records are written, the interval's Leq) without any set-up.
// The unit follows the meter's weighting: dBA, or dB named as C-weighted.
struct DiscoveryMessage {
    QByteArray topic;
    QByteArray payload;
};

std::vector<DiscoveryMessage> HomeAssistantDiscovery(const MqttTarget& target, const QString& serial,
                                                     const QString& model, bool aWeighting, bool withLeq);
