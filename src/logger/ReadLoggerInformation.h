#pragma once
#include "link/MeterFrames.h"

#include <QLocale>
#include <QString>

#include <optional>

class LinkSequence;

// Failure codes of reading the logger information.
namespace InformationCode {
constexpr int Open = 903;
constexpr int Timeouts = 904;
constexpr int Write = 905;
constexpr int Read = 906;
constexpr int SerialNumber = 907;
}  // namespace InformationCode

// What the logger information reply tells, as the setup window shows it.
struct LoggerInformation {
    QString firmwareVersion;  // "1.12"
    QString meterTime;        // "MM/DD/20YY   hh:mm:ss"
    QString interval;         // seconds
    QString dataSets;
    QString memoryAvailable;  // samples that still fit
    QString calibration94;    // tenths of a dB: "-0.3"
    QString calibration70;    // m / 256 and m: "1.64  (420)"
    QString serialNumber;     // from the device, not the reply
};

// The texts of a 'Y' reply; the serial number is left empty.
LoggerInformation DecodeLoggerInformation(const ReplyFrame& reply, const QLocale& locale = QLocale());

struct LoggerInformationResult {
    int code = 0;  // 0 or an InformationCode
    // Present once the reply was read, also when the serial number could not be.
    std::optional<LoggerInformation> information;
};

// Asks the meter for its logger information with the fixed 'Y' frame, reading the reply into
// the sequence's frame, then reads the device's serial number. The device is left open, as the
// next sequence closes it first.
LoggerInformationResult ReadLoggerInformation(LinkSequence& link);

// The message that reports a code of the sequence above; empty for none.
QString LoggerInformationMessage(int code);
