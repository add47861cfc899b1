#include "FakeTransport.h"

#include <algorithm>
#include <cstring>

namespace {

QString Hex(const std::uint8_t* bytes, std::int32_t count)
{
    QStringList parts;
    for (std::int32_t i = 0; i < count; ++i)
        parts << QStringLiteral("%1").arg(bytes[i], 2, 16, QLatin1Char('0'));
    return parts.join(u' ');
}

}  // namespace

std::int32_t FakeTransport::CloseDevice()
{
    calls << QStringLiteral("close");
    open = false;
    return 0;
}

std::int32_t FakeTransport::OpenDevice(std::uint16_t vendorId, std::uint16_t productId)
{
    calls << QStringLiteral("open %1 %2").arg(vendorId, 4, 16, QLatin1Char('0')).arg(productId, 4, 16, QLatin1Char('0'));
    open = !openFails;
    return openFails ? 1 : 0;
}

std::int32_t FakeTransport::SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs)
{
    calls << QStringLiteral("timeouts %1 %2").arg(readMs).arg(writeMs);
    return timeoutsFail ? 1 : 0;
}

std::int32_t FakeTransport::WriteCommand(std::int32_t count, const std::uint8_t* bytes)
{
    calls << QStringLiteral("write ") + Hex(bytes, count);
    if (count == 7) {
        std::array<std::uint8_t, 7> frame{};
        std::copy(bytes, bytes + 7, frame.begin());
        written.push_back(frame);
    }
    return writeFails ? 1 : 0;
}

std::int32_t FakeTransport::PrepareRead()
{
    calls << QStringLiteral("prepare");
    return 0;
}

std::int32_t FakeTransport::ReadReply(std::int32_t count, std::uint8_t* buffer)
{
    calls << QStringLiteral("read %1").arg(count);
    if (replies.empty() || count != 32)
        return 1;
    std::memcpy(buffer, replies.front().data(), 32);
    replies.pop_front();
    return 0;
}

std::int32_t FakeTransport::WriteData(std::int32_t count, const std::uint8_t* bytes)
{
    calls << QStringLiteral("data ") + Hex(bytes, count);
    return writeFails ? 1 : 0;
}

std::int32_t FakeTransport::ReadSerialNumber(std::int32_t, char* buffer, std::int32_t size)
{
    calls << QStringLiteral("serial");
    if (size > 0)
        std::snprintf(buffer, static_cast<std::size_t>(size), "%s", "FAKE0001");
    return 0;
}

FakeTransport::Reply FakeTransport::StatusReply(const char* model)
{
    Reply reply{};
    reply[0] = 0x02;
    reply[31] = 0x03;
    if (model)
        std::memcpy(&reply[23], model, 3);
    return reply;
}
