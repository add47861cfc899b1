#pragma once
#include "link/HtUsb.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// A transport that answers as a traffic log written with --usb-log recorded, so that a field
// report's log replays through the real sequences. Every operation must come in the log's order
// with the log's arguments, and every frame written must be the very bytes logged: anything
// else fails the test, naming the log's line, and the operation fails. A read gives the logged
// result and, when it succeeded, the logged bytes.
// The log's own heading line and lines beginning with '#' (notes added by hand) are skipped.
class ReplayTransport final : public HtUsb {
public:
    // Nothing, with the line that does not read in *error, for a text that is no traffic log.
    static std::optional<ReplayTransport> FromText(const QByteArray& log, QString* error);
    // A log under tests/data.
    static ReplayTransport FromTestData(const char* name);

    // Every logged operation has been asked for.
    bool AllReplayed() const { return next == steps.size(); }
    std::size_t Replayed() const { return next; }

    std::int32_t CloseDevice() override;
    std::int32_t OpenDevice(std::uint16_t vendorId, std::uint16_t productId) override;
    std::int32_t SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) override;
    std::int32_t WriteCommand(std::int32_t count, const std::uint8_t* bytes) override;
    std::int32_t PrepareRead() override;
    std::int32_t ReadReply(std::int32_t count, std::uint8_t* buffer) override;
    std::int32_t WriteData(std::int32_t count, const std::uint8_t* bytes) override;
    std::int32_t ReadSerialNumber(std::int32_t index, char* buffer, std::int32_t size) override;

private:
    struct Step {
        int line = 0;
        QString operation;  // with its arguments: "OpenDevice 04D9 E000", "ReadReply 32"
        std::int32_t result = 0;
        QByteArray data;    // the bytes after " : " (the serial number without its quotes)
    };

    ReplayTransport() = default;
    // The next step, when it is this operation; otherwise the test fails and there is none.
    const Step* Take(const QString& operation);
    std::int32_t Written(const QString& operation, std::int32_t count, const std::uint8_t* bytes);

    std::vector<Step> steps;
    std::size_t next = 0;
};
