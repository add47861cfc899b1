#pragma once
#include "link/HtUsb.h"

#include <QStringList>

#include <array>
#include <cstdint>
#include <deque>
#include <vector>

// A transport that records every operation as a line of text and answers from a script:
// each read takes the next queued reply (or fails when none is queued).
class FakeTransport final : public HtUsb {
public:
    using Reply = std::array<std::uint8_t, 32>;

    QStringList calls;
    std::deque<Reply> replies;
    std::vector<std::array<std::uint8_t, 7>> written;  // every command frame written
    bool openFails = false;
    bool timeoutsFail = false;
    bool writeFails = false;
    bool open = false;

    std::int32_t CloseDevice() override;
    std::int32_t OpenDevice(std::uint16_t vendorId, std::uint16_t productId) override;
    std::int32_t SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) override;
    std::int32_t WriteCommand(std::int32_t count, const std::uint8_t* bytes) override;
    std::int32_t PrepareRead() override;
    std::int32_t ReadReply(std::int32_t count, std::uint8_t* buffer) override;
    std::int32_t WriteData(std::int32_t count, const std::uint8_t* bytes) override;
    std::int32_t ReadSerialNumber(std::int32_t index, char* buffer, std::int32_t size) override;

    // A reply with the status markers and, when given, the model number in bytes 23-25.
    static Reply StatusReply(const char* model = nullptr);
};

// Installs a FakeTransport as the current transport for the scope of a test.
class ScopedFakeTransport {
public:
    ScopedFakeTransport() { SetCurrentTransport(&usb); }
    ~ScopedFakeTransport() { SetCurrentTransport(nullptr); }
    ScopedFakeTransport(const ScopedFakeTransport&) = delete;
    ScopedFakeTransport& operator=(const ScopedFakeTransport&) = delete;
    FakeTransport usb;
};
