#include "HtUsb.h"

namespace {

// Stands in until a transport is chosen: no meter is ever attached.
class NoMeter final : public HtUsb {
public:
    std::int32_t CloseDevice() override { return 0; }
    std::int32_t OpenDevice(std::uint16_t, std::uint16_t) override { return 1; }
    std::int32_t SetTimeouts(std::uint32_t, std::uint32_t) override { return 1; }
    std::int32_t WriteCommand(std::int32_t, const std::uint8_t*) override { return 1; }
    std::int32_t PrepareRead() override { return 0; }
    std::int32_t ReadReply(std::int32_t, std::uint8_t*) override { return 1; }
    std::int32_t WriteData(std::int32_t, const std::uint8_t*) override { return 1; }
    std::int32_t ReadSerialNumber(std::int32_t, char*, std::int32_t) override { return 1; }
};

NoMeter noMeter;
HtUsb* current = &noMeter;

}  // namespace

HtUsb& CurrentTransport() { return *current; }

void SetCurrentTransport(HtUsb* transport) { current = transport ? transport : &noMeter; }
