#include "logger/EepromByte.h"

#include "link/CommandTable.h"
#include "link/ExchangeSteps.h"
#include "link/LinkSession.h"
#include "link/MeterBytes.h"

#include <limits>

namespace {

constexpr int AddressOffset = 2;
constexpr int AddressWidth = 3;
constexpr int DataByte = 5;
constexpr int ReadValueByte = 6;

std::optional<long long> ReadWholeNumber(const QString& text)
{
    const QString number = text.trimmed();
    bool ok = false;
    long long value = 0;
    if (number.startsWith(u'$'))
        value = number.mid(1).toLongLong(&ok, 16);
    else if (number.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        value = number.mid(2).toLongLong(&ok, 16);
    else
        value = number.toLongLong(&ok, 10);
    return ok ? std::optional(value) : std::nullopt;
}

// Steps 1-3 and steps 4-7 with the frame as the caller filled it: write, read, and the reply
// must begin with the first echoed bytes of the frame. The device is closed on every way out.
int Exchange(HtUsb& usb, const CommandFrame& command, ReplyFrame& reply, int echoed)
{
    int code = OpenMeter(usb, ExchangeTimeoutMs, EepromCodes);
    if (code == 0)
        code = WriteFrame(usb, command, EepromCodes);
    if (code == 0)
        code = ReadFrame(usb, reply, EepromCodes);
    if (code == 0)
        code = CheckEcho(reply, command, echoed, EepromCodes);
    usb.CloseDevice();
    return code;
}

}  // namespace

std::optional<std::uint32_t> ReadEepromAddress(const QString& text)
{
    const std::optional<long long> value = ReadWholeNumber(text);
    if (!value || *value < 0 || *value > MaxEepromAddress)
        return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

std::optional<std::uint8_t> ReadEepromData(const QString& text)
{
    // The frame has room for one byte. A value beyond it once wrote its low 8 bits (256 wrote 0,
    // -1 wrote 255) into a dialog that can overwrite calibration bytes: it is refused instead.
    const std::optional<long long> value = ReadWholeNumber(text);
    if (!value || *value < 0 || *value > 0xFF)
        return std::nullopt;
    return static_cast<std::uint8_t>(*value);
}

QString InvalidEepromAddressMessage(const QString& text)
{
    return QStringLiteral("'%1' is not a valid EEPROM address: enter a number from 0 to %2")
        .arg(text.trimmed())
        .arg(MaxEepromAddress);
}

QString InvalidEepromDataMessage(const QString& text)
{
    return QStringLiteral("'%1' is not a valid EEPROM data byte: enter a number from 0 to 255").arg(text.trimmed());
}

int WriteEepromByte(LinkSequence& link, std::uint32_t address, std::uint8_t data)
{
    if (address > MaxEepromAddress)
        return EepromCode::InvalidAddress;
    CommandFrame& command = link.Command();
    FrameCommand(command, Cmd::WriteEeprom);
    PutBigEndian(command, AddressOffset, address, AddressWidth);
    command[DataByte] = data;
    return Exchange(link.Usb(), command, link.Reply(), 7);
}

EepromReadResult ReadEepromByte(LinkSequence& link, std::uint32_t address)
{
    if (address > MaxEepromAddress)
        return {EepromCode::InvalidAddress};
    CommandFrame& command = link.Command();
    FrameCommand(command, Cmd::ReadEeprom);
    PutBigEndian(command, AddressOffset, address, AddressWidth);
    const int code = Exchange(link.Usb(), command, link.Reply(), 2);
    return {code, code == 0 ? link.Reply()[ReadValueByte] : std::uint8_t{0}};
}

QString EepromErrorMessage(int code) { return QStringLiteral("Error Code=") + QString::number(code); }
