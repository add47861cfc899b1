#include "link/UsbTrafficLog.h"

#include "shell/Clock.h"
#include "shell/Formats.h"

#include <cstring>

namespace {

constexpr std::int32_t MaxLoggedBytes = 64;

QString TimeStamp()
{
    return DateTimeFromDays(CurrentClock().Now()).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
}

QString Hex16(std::uint16_t value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

QString HexBytes(const std::uint8_t* bytes, std::int32_t count)
{
    if (!bytes || count < 1 || count > MaxLoggedBytes)
        return {};
    QString text;
    for (std::int32_t i = 0; i < count; ++i) {
        if (i > 0)
            text += u' ';
        text += QStringLiteral("%1").arg(bytes[i], 2, 16, QLatin1Char('0')).toUpper();
    }
    return text;
}

UsbTrafficLog::UsbTrafficLog(HtUsb& inner, const QString& fileName) : inner(inner), file(fileName)
{
    if (file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        file.write(QStringLiteral("%1 QX574 USB traffic log\n").arg(TimeStamp()).toUtf8());
        file.flush();
    }
}

std::int32_t UsbTrafficLog::CloseDevice()
{
    return Log(QStringLiteral("CloseDevice"), inner.CloseDevice());
}

std::int32_t UsbTrafficLog::OpenDevice(std::uint16_t vendorId, std::uint16_t productId)
{
    return Log(QStringLiteral("OpenDevice %1 %2").arg(Hex16(vendorId), Hex16(productId)),
               inner.OpenDevice(vendorId, productId));
}

std::int32_t UsbTrafficLog::SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs)
{
    return Log(QStringLiteral("SetTimeouts %1 %2").arg(readMs).arg(writeMs),
               inner.SetTimeouts(readMs, writeMs));
}

std::int32_t UsbTrafficLog::WriteCommand(std::int32_t count, const std::uint8_t* bytes)
{
    return Log(QStringLiteral("WriteCommand %1").arg(count), inner.WriteCommand(count, bytes),
               HexBytes(bytes, count));
}

std::int32_t UsbTrafficLog::PrepareRead()
{
    return Log(QStringLiteral("PrepareRead"), inner.PrepareRead());
}

std::int32_t UsbTrafficLog::ReadReply(std::int32_t count, std::uint8_t* buffer)
{
    const std::int32_t result = inner.ReadReply(count, buffer);
    return Log(QStringLiteral("ReadReply %1").arg(count), result,
               result == 0 ? HexBytes(buffer, count) : QString());
}

std::int32_t UsbTrafficLog::WriteData(std::int32_t count, const std::uint8_t* bytes)
{
    return Log(QStringLiteral("WriteData %1").arg(count), inner.WriteData(count, bytes),
               HexBytes(bytes, count));
}

std::int32_t UsbTrafficLog::ReadSerialNumber(std::int32_t index, char* buffer, std::int32_t size)
{
    const std::int32_t result = inner.ReadSerialNumber(index, buffer, size);
    QString text;
    if (result == 0 && buffer && size > 0)
        text = QLatin1Char('"') + QString::fromLatin1(buffer, static_cast<qsizetype>(strnlen(buffer, static_cast<std::size_t>(size)))) + QLatin1Char('"');
    return Log(QStringLiteral("ReadSerialNumber %1 %2").arg(index).arg(size), result, text);
}

std::int32_t UsbTrafficLog::Log(const QString& operation, std::int32_t result, const QString& data)
{
    if (!file.isOpen())
        return result;
    QString line = QStringLiteral("%1 %2 -> %3").arg(TimeStamp(), operation).arg(result);
    if (!data.isEmpty())
        line += QStringLiteral(" : ") + data;
    file.write((line + u'\n').toUtf8());
    file.flush();
    return result;
}
