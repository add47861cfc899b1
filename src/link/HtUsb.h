#pragma once
#include <cstdint>

// The meter's USB transfer library: eight operations, each returning 0 for success.
// Callers test results for zero only. The process has one current transport.
class HtUsb {
public:
    virtual ~HtUsb() = default;
    // Closes the open device; harmless when none is open.
    virtual std::int32_t CloseDevice() = 0;
    virtual std::int32_t OpenDevice(std::uint16_t vendorId, std::uint16_t productId) = 0;
    // Later writes and reads give up after these times.
    virtual std::int32_t SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) = 0;
    // Sends one 7-byte command frame.
    virtual std::int32_t WriteCommand(std::int32_t count, const std::uint8_t* bytes) = 0;
    // Run between a command's write and the read of its reply.
    virtual std::int32_t PrepareRead() = 0;
    // Fills the buffer with the meter's next 32-byte reply.
    virtual std::int32_t ReadReply(std::int32_t count, std::uint8_t* buffer) = 0;
    // Sends a 32-byte data block (the clock block of the set-clock command).
    virtual std::int32_t WriteData(std::int32_t count, const std::uint8_t* bytes) = 0;
    // Leaves the open device's serial number in the buffer as NUL-terminated text.
    virtual std::int32_t ReadSerialNumber(std::int32_t index, char* buffer, std::int32_t size) = 0;
};

// The link session's transport, chosen once at start (and by tests); nullptr puts back a
// transport with no meter attached. It is reached only through a sequence on the link.
void SetCurrentTransport(HtUsb* transport);
