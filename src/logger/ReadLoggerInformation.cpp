#include "logger/ReadLoggerInformation.h"

#include "link/CommandTable.h"
#include "link/ExchangeSteps.h"
#include "link/LinkSession.h"
#include "link/LoggerMemory.h"
#include "link/MeterBytes.h"
#include "link/MeterReplies.h"

#include <algorithm>
#include <array>

namespace {

// Free space is counted in samples of two bytes below this memory end.
constexpr int RecordableMemoryEnd = 128256;
constexpr int SerialNumberSize = 64;

QString Fixed(double value, int decimals, const QLocale& locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'f', decimals);
}

// A clock byte as its two hexadecimal digits: a BCD byte reads as its decimal value, and a
// byte that is not BCD shows as it came.
QString ClockByte(std::uint8_t byte)
{
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

LoggerInformation DecodeLoggerInformation(const ReplyFrame& reply, const QLocale& locale)
{
    using namespace LoggerLayout;
    const int clock = ReplyLayout::InfoClockOffset;  // year, month, day, hour, minute, second
    LoggerInformation info;
    info.firmwareVersion = Fixed(reply[ReplyLayout::FirmwareByte] * 0.01, 2, locale);
    info.meterTime = ClockByte(reply[clock + 1]) + u'/' + ClockByte(reply[clock + 2]) + QStringLiteral("/20")
                   + ClockByte(reply[clock]) + QStringLiteral("   ") + ClockByte(reply[clock + 3]) + u':'
                   + ClockByte(reply[clock + 4]) + u':' + ClockByte(reply[clock + 5]);
    info.interval = QString::number(reply[IntervalOffset + 1]);
    info.dataSets = QString::number(ReadBigEndian(reply, SetCountOffset, 2));
    // Two bytes a sample; a memory end past the recordable memory leaves no room, not less.
    const auto memoryEnd = static_cast<int>(ReadBigEndian(reply, MemoryEndOffset, 3));
    info.memoryAvailable = QString::number(std::max(0, (RecordableMemoryEnd - memoryEnd) / 2));
    info.calibration94 = Fixed(static_cast<std::int8_t>(reply[Calibration94Offset]) * 0.1, 1, locale);
    const auto calibration70 = ReadBigEndian(reply, Calibration70Offset, 2);
    info.calibration70 = Fixed(calibration70 / 256.0, 2, locale) + QStringLiteral("  (")
                       + QString::number(calibration70) + u')';
    return info;
}

LoggerInformationResult ReadLoggerInformation(LinkSequence& link)
{
    HtUsb& usb = link.Usb();
    ReplyFrame& reply = link.Reply();
    // Open the meter, send 'Y' and read the information block.
    if (const int code = OpenMeter(usb, ExchangeTimeoutMs, InformationCodes); code != 0)
        return {code, std::nullopt};
    if (const int code = WriteFrame(usb, InformationFrame, InformationCodes); code != 0)
        return {code, std::nullopt};
    if (const int code = ReadFrame(usb, reply, InformationCodes); code != 0)
        return {code, std::nullopt};
    LoggerInformation info = DecodeLoggerInformation(reply);

    // The serial number is the device's own, not part of the reply.
    std::array<char, SerialNumberSize> serial{};
    if (usb.ReadSerialNumber(0, serial.data(), SerialNumberSize) != 0)
        return {InformationCode::SerialNumber, info};
    // The text ends at its NUL, or at the buffer's end if the transport wrote none.
    const auto end = std::find(serial.begin(), serial.end(), '\0');
    info.serialNumber = QString::fromUtf8(serial.data(), end - serial.begin());
    return {0, info};
}

QString LoggerInformationMessage(int code)
{
    switch (code) {
    case 0: return QStringLiteral("read data successfully");
    case InformationCode::Open: return QStringLiteral("fail to open device");
    case InformationCode::Timeouts: return QStringLiteral("fail to set timeout");
    case InformationCode::Write: return QStringLiteral("fail to write command to device");
    case InformationCode::SerialNumber: return QStringLiteral("can not read serail number");
    // Emptied boxes alone would not tell the user that the meter did not answer.
    case InformationCode::Read: return QStringLiteral("no response from device, error code=906");
    default: return {};
    }
}
