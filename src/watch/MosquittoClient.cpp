#include "watch/MosquittoClient.h"

#include <mosquitto.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace {

constexpr int KeepAliveSeconds = 30;

// libmosquitto is set up once for the process, and taken down when the process ends.
struct Library {
    Library() { mosquitto_lib_init(); }
    ~Library() { mosquitto_lib_cleanup(); }
};

void InitLibrary() { static Library library; }

}  // namespace

MosquittoClient::MosquittoClient() { InitLibrary(); }

MosquittoClient::~MosquittoClient() { Destroy(); }

QString MosquittoClient::ErrorText(int code)
{
    if (code == MOSQ_ERR_ERRNO)
        return QString::fromLocal8Bit(std::strerror(errno));
    return QString::fromUtf8(mosquitto_strerror(code));
}

void MosquittoClient::Destroy()
{
    if (client)
        mosquitto_destroy(client);
    client = nullptr;
    connected = false;
}

bool MosquittoClient::Connect(const MqttTarget& target, const QByteArray& clientId, const Will& will, QString* error)
{
    Destroy();
    happened.clear();
    lostTold = false;
    client = mosquitto_new(clientId.constData(), true, this);
    if (!client) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    mosquitto_connect_callback_set(client, OnConnect);
    mosquitto_disconnect_callback_set(client, OnDisconnect);
    mosquitto_publish_callback_set(client, OnPublish);
    int code = MOSQ_ERR_SUCCESS;
    if (!target.user.isEmpty())
        code = mosquitto_username_pw_set(client, target.user.toUtf8().constData(),
                                         target.password.isEmpty() ? nullptr : target.password.toUtf8().constData());
    if (code == MOSQ_ERR_SUCCESS)
        code = mosquitto_will_set(client, will.topic.constData(), static_cast<int>(will.payload.size()),
                                  will.payload.constData(), 1, true);
    if (code == MOSQ_ERR_SUCCESS && target.tls) {
        if (target.caFile.isEmpty())
            code = mosquitto_int_option(client, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
        else
            code = mosquitto_tls_set(client, target.caFile.toLocal8Bit().constData(), nullptr, nullptr, nullptr, nullptr);
    }
    if (code == MOSQ_ERR_SUCCESS)
        code = mosquitto_connect_async(client, target.host.toUtf8().constData(), target.port, KeepAliveSeconds);
    if (code != MOSQ_ERR_SUCCESS) {
        *error = ErrorText(code);
        Destroy();
        return false;
    }
    return true;
}

std::optional<int> MosquittoClient::Publish(const QByteArray& topic, const QByteArray& payload, bool retain)
{
    if (!client || !connected)
        return std::nullopt;
    int mid = 0;
    const int code = mosquitto_publish(client, &mid, topic.constData(), static_cast<int>(payload.size()),
                                       payload.constData(), 1, retain);
    if (code != MOSQ_ERR_SUCCESS)
        return std::nullopt;
    return mid;
}

bool MosquittoClient::Run(std::uint32_t ms, std::vector<Event>& events)
{
    if (!client || mosquitto_socket(client) < 0) {
        events.insert(events.end(), happened.begin(), happened.end());
        happened.clear();
        return false;
    }
    const int code = mosquitto_loop(client, static_cast<int>(std::min<std::uint32_t>(ms, INT_MAX)), 1);
    if (code != MOSQ_ERR_SUCCESS)
        Lost(ErrorText(code));
    events.insert(events.end(), happened.begin(), happened.end());
    happened.clear();
    return true;
}

void MosquittoClient::Disconnect()
{
    if (client && connected)
        mosquitto_disconnect(client);
    Destroy();
}

void MosquittoClient::Lost(const QString& reason)
{
    connected = false;
    if (lostTold)
        return;
    lostTold = true;
    happened.push_back({Event::Disconnected, 0, reason});
}

void MosquittoClient::OnConnect(mosquitto*, void* self, int code)
{
    auto* me = static_cast<MosquittoClient*>(self);
    if (code != 0) {
        me->Lost(QString::fromUtf8(mosquitto_connack_string(code)));
        return;
    }
    me->connected = true;
    me->happened.push_back({Event::Connected, 0, {}});
}

void MosquittoClient::OnDisconnect(mosquitto*, void* self, int code)
{
    static_cast<MosquittoClient*>(self)->Lost(code == 0 ? QStringLiteral("disconnected") : ErrorText(code));
}

void MosquittoClient::OnPublish(mosquitto*, void* self, int mid)
{
    static_cast<MosquittoClient*>(self)->happened.push_back({Event::Acknowledged, mid, {}});
}
