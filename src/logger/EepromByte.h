#pragma once
#include "link/MeterFrames.h"

#include <QString>

#include <cstdint>
#include <optional>

class LinkSequence;

// Failure codes of the EEPROM exchanges.
namespace EepromCode {
constexpr int InvalidAddress = 701;  // nothing sent
constexpr int Open = 703;
constexpr int Timeouts = 704;
constexpr int Write = 708;
constexpr int Read = 709;
constexpr int Echo = 707;
}  // namespace EepromCode

// Addresses travel as 24-bit big-endian numbers.
constexpr std::uint32_t MaxEepromAddress = 0xFFFFFF;

// An address typed by the user: decimal, or hexadecimal after "0x" or "$"; nothing when the
// text is not such a number or does not fit 24 bits.
std::optional<std::uint32_t> ReadEepromAddress(const QString& text);
// A data byte typed by the user: a whole number from 0 to 255, written as the address is;
// nothing when the text is not such a number.
std::optional<std::uint8_t> ReadEepromData(const QString& text);
QString InvalidEepromAddressMessage(const QString& text);
QString InvalidEepromDataMessage(const QString& text);

// Writes one byte: 'W' with the address and the byte in the sequence's frame; the reply must
// echo all seven bytes. Returns 0 or an EepromCode.
int WriteEepromByte(LinkSequence& link, std::uint32_t address, std::uint8_t data);

struct EepromReadResult {
    int code = 0;            // 0 or an EepromCode
    std::uint8_t value = 0;  // the byte read, for code 0
};

// Reads one byte: 'r' with the address in the sequence's frame (byte 5 keeps what it held);
// the reply must echo 02 'r' and carries the byte at 6. Returns 0 or an EepromCode.
EepromReadResult ReadEepromByte(LinkSequence& link, std::uint32_t address);

// Both close the device at the end. They run single short exchanges between monitor ticks,
// so they need the link but leave the monitor running.

// "Error Code=" and the code.
QString EepromErrorMessage(int code);
