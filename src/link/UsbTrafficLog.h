#pragma once
#include "link/HtUsb.h"

#include <QFile>
#include <QString>

// A transport that passes every operation on to another and writes it, with its result,
// its bytes in hex and a time stamp, to a file flushed line by line: what a user sends
// back when a meter misbehaves. One line per operation:
//   2026-03-09 14:05:07.250 WriteCommand 7 -> 0 : 02 41 00 00 00 2A 03
//   2026-03-09 14:05:07.262 ReadReply 32 -> 0 : 02 19 ...
// Bytes read are written only when the read succeeded.
class UsbTrafficLog final : public HtUsb {
public:
    UsbTrafficLog(HtUsb& inner, const QString& fileName);

    // False when the file could not be made; the operations still reach the meter.
    bool IsOpen() const { return file.isOpen(); }
    QString ErrorText() const { return file.errorString(); }

    std::int32_t CloseDevice() override;
    std::int32_t OpenDevice(std::uint16_t vendorId, std::uint16_t productId) override;
    std::int32_t SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) override;
    std::int32_t WriteCommand(std::int32_t count, const std::uint8_t* bytes) override;
    std::int32_t PrepareRead() override;
    std::int32_t ReadReply(std::int32_t count, std::uint8_t* buffer) override;
    std::int32_t WriteData(std::int32_t count, const std::uint8_t* bytes) override;
    std::int32_t ReadSerialNumber(std::int32_t index, char* buffer, std::int32_t size) override;

private:
    std::int32_t Log(const QString& operation, std::int32_t result, const QString& data = {});

    HtUsb& inner;
    QFile file;
};

// The bytes as two-digit upper-case hex separated by blanks; nothing for a count outside
// 1..64 or a null pointer, so a wrong count never reads outside a frame.
QString HexBytes(const std::uint8_t* bytes, std::int32_t count);
