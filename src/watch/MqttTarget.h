#pragma once
#include <QString>

#include <optional>

// Where qx574 watch publishes: mqtt://[user[:password]@]host[:port]/topic-prefix, or mqtts://
// for TLS.
struct MqttTarget {
    bool tls = false;
    QString host;
    int port = 1883;
    QString user;
    QString password;
    QString prefix;  // without a slash at either end
    QString caFile;  // mqtts: the certificates to trust; the system's when empty

    // The address without the password, for messages and logs.
    QString Shown() const;
};

// None, with the reason in *error (which never repeats a password), when url is not one.
std::optional<MqttTarget> ParseMqttUrl(const QString& url, QString* error);

// The topic of a meter's records of one kind (reading, leq, event, status): PREFIX/SERIAL/kind,
// with the characters a topic level cannot hold (/ + #) in the serial number made '_'.
QByteArray MeterTopic(const MqttTarget& target, const QString& serial, const char* kind);
