#pragma once
#include "link/HidApi.h"
#include "link/HtUsb.h"

#include <string>
#include <utility>

// The real meter over hidapi. The meter uses unnumbered HID reports: every write is report
// id 0x00 followed by the frame, every reply a 32-byte input report.
class HidapiTransport final : public HtUsb {
public:
    static constexpr int CommandLength = 7;
    static constexpr int BlockLength = 32;
    static constexpr std::size_t ReportBufferLength = 64;  // the kernel drops what does not fit

    // serialNumber: the meter to open among several; the first attached when empty.
    explicit HidapiTransport(HidApi& hid, std::wstring serialNumber = {})
        : hid(hid), serialNumber(std::move(serialNumber))
    {
    }

    std::int32_t CloseDevice() override;
    std::int32_t OpenDevice(std::uint16_t vendorId, std::uint16_t productId) override;
    std::int32_t SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) override;
    std::int32_t WriteCommand(std::int32_t count, const std::uint8_t* bytes) override;
    std::int32_t PrepareRead() override;
    std::int32_t ReadReply(std::int32_t count, std::uint8_t* buffer) override;
    std::int32_t WriteData(std::int32_t count, const std::uint8_t* bytes) override;
    std::int32_t ReadSerialNumber(std::int32_t index, char* buffer, std::int32_t size) override;

    // The meter opened from now on: the one with this serial number, or the first when empty.
    void SetSerialNumber(std::wstring serial) { serialNumber = std::move(serial); }

    bool IsOpen() const { return open; }
    int ReadTimeoutMs() const { return readTimeoutMs; }

private:
    std::int32_t WriteReport(const std::uint8_t* bytes, int length);
    void DiscardQueuedInput();

    HidApi& hid;
    std::wstring serialNumber;
    bool open = false;
    int readTimeoutMs = 1000;
};
