#include "logger/SetRecordingInterval.h"

#include "link/CommandTable.h"
#include "link/ExchangeSteps.h"
#include "link/LinkSession.h"
#include "link/LoggerMemory.h"

#include <algorithm>

namespace {

bool IsDigits(const QString& text)
{
    return !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// One 'W' exchange: the byte goes to the EEPROM address, the reply echoes 02 'W'.
int WriteIntervalByte(HtUsb& usb, CommandFrame& command, ReplyFrame& reply, int address,
                      int value, const SequenceCodes& codes)
{
    FrameCommand(command, Cmd::WriteEeprom);
    command[2] = 0x00;
    command[3] = 0x00;
    command[4] = static_cast<std::uint8_t>(address);
    command[5] = static_cast<std::uint8_t>(value);
    if (const int code = WriteFrame(usb, command, codes); code != 0)
        return code;
    if (const int code = ReadFrame(usb, reply, codes); code != 0)
        return code;
    return CheckEcho(reply, command, 2, codes);
}

}  // namespace

std::optional<int> IntervalFromInput(const QString& minutes, const QString& seconds)
{
    if (!IsDigits(minutes) || !IsDigits(seconds))
        return std::nullopt;
    // A run of digits too long for an int is as invalid as a letter.
    bool minutesOk = false;
    bool secondsOk = false;
    const long long interval = minutes.toInt(&minutesOk) * 60LL + seconds.toInt(&secondsOk);
    if (!minutesOk || !secondsOk || interval > MaxRecordingInterval)
        return std::nullopt;
    return static_cast<int>(interval);
}

int SetRecordingInterval(LinkSequence& link, int seconds)
{
    HtUsb& usb = link.Usb();
    CommandFrame& command = link.Command();
    ReplyFrame& reply = link.Reply();
    if (seconds < 0 || seconds > MaxRecordingInterval)
        return IntervalCode::InvalidInput;
    // Open the meter; the interval is two bytes, high first, and the high byte of an
    // interval of 60 s or less is 0.
    int code = OpenMeter(usb, ExchangeTimeoutMs, IntervalCodes);
    if (code == 0)
        code = WriteIntervalByte(usb, command, reply, LoggerLayout::IntervalOffset, 0, IntervalCodes);
    if (code == 0)
        code = WriteIntervalByte(usb, command, reply, LoggerLayout::IntervalOffset + 1, seconds,
                                 EepromCodes);
    usb.CloseDevice();
    return code;
}

QString RecordingIntervalMessage(int code)
{
    switch (code) {
    case 0:
        return QStringLiteral("Recording Interval Setup Successfully, turn off and turn on the meter to effective ");
    case IntervalCode::InvalidInput: return QStringLiteral("Invalid Input");
    case IntervalCode::Open: return QStringLiteral("fail to open device");
    case IntervalCode::Timeouts: return QStringLiteral("fail to set timeout");
    case IntervalCode::WriteHigh:
    case IntervalCode::WriteLow: return QStringLiteral("fail to write command to device");
    case IntervalCode::ReadHigh:
    case IntervalCode::Echo:
    case IntervalCode::ReadLow:
        return QStringLiteral("no response from device, error code=") + QString::number(code);
    default: return {};
    }
}
