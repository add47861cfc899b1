#include "link/HidapiTransport.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

namespace {

constexpr std::int32_t Ok = 0;
constexpr std::int32_t Failed = 1;
constexpr std::uint8_t UnnumberedReport = 0x00;
// A device that never stops sending must not hold a command back for ever.
constexpr int MaxDiscardedReports = 1024;

// Serial numbers are shown as plain text; anything outside printable ASCII becomes '?'.
char SerialCharacter(wchar_t c)
{
    return (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
}

}  // namespace

std::int32_t HidapiTransport::CloseDevice()
{
    if (open)
        hid.Close();
    open = false;
    return Ok;
}

std::int32_t HidapiTransport::OpenDevice(std::uint16_t vendorId, std::uint16_t productId)
{
    CloseDevice();
    open = hid.Open(vendorId, productId, serialNumber);
    return open ? Ok : Failed;
}

std::int32_t HidapiTransport::SetTimeouts(std::uint32_t readMs, std::uint32_t)
{
    // hidraw writes do not time out; only the read time-out is kept.
    if (!open)
        return Failed;
    readTimeoutMs = static_cast<int>(std::min<std::uint32_t>(readMs, INT_MAX));
    return Ok;
}

std::int32_t HidapiTransport::WriteCommand(std::int32_t count, const std::uint8_t* bytes)
{
    if (!open || count != CommandLength || !bytes)
        return Failed;
    // A reply left over from an earlier exchange would be taken for this command's.
    DiscardQueuedInput();
    return WriteReport(bytes, CommandLength);
}

std::int32_t HidapiTransport::PrepareRead()
{
    // Whatever arrived since the write is the reply to it.
    return Ok;
}

std::int32_t HidapiTransport::ReadReply(std::int32_t count, std::uint8_t* buffer)
{
    if (!open || count != BlockLength || !buffer)
        return Failed;
    std::array<std::uint8_t, ReportBufferLength> report{};
    if (hid.ReadTimeout(report.data(), report.size(), readTimeoutMs) != BlockLength)
        return Failed;
    std::memcpy(buffer, report.data(), BlockLength);
    return Ok;
}

std::int32_t HidapiTransport::WriteData(std::int32_t count, const std::uint8_t* bytes)
{
    if (!open || count != BlockLength || !bytes)
        return Failed;
    return WriteReport(bytes, BlockLength);
}

std::int32_t HidapiTransport::ReadSerialNumber(std::int32_t, char* buffer, std::int32_t size)
{
    if (!open || !buffer || size < 1)
        return Failed;
    std::wstring text;
    if (!hid.SerialNumber(text))
        return Failed;
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::transform(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length), buffer,
                   SerialCharacter);
    buffer[length] = '\0';
    return Ok;
}

std::int32_t HidapiTransport::WriteReport(const std::uint8_t* bytes, int length)
{
    std::array<std::uint8_t, ReportBufferLength + 1> report{};
    report[0] = UnnumberedReport;
    std::memcpy(report.data() + 1, bytes, static_cast<std::size_t>(length));
    const int written = hid.Write(report.data(), static_cast<std::size_t>(length) + 1);
    return written == length + 1 ? Ok : Failed;
}

void HidapiTransport::DiscardQueuedInput()
{
    std::array<std::uint8_t, ReportBufferLength> report{};
    for (int i = 0; i < MaxDiscardedReports; ++i) {
        if (hid.ReadTimeout(report.data(), report.size(), 0) <= 0)
            return;
    }
}
