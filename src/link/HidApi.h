#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The few hidapi calls the real transport makes, on at most one open device, so that a
// test double can stand in for the meter. Results follow hidapi: byte counts or -1.
class HidApi {
public:
    // One device hid_enumerate lists.
    struct Device {
        std::wstring serialNumber;
        std::wstring product;
        std::string path;
    };

    virtual ~HidApi() = default;
    // hid_open of the first device with these ids, or of the one with this serial number when
    // one is given; false when absent or not permitted.
    virtual bool Open(std::uint16_t vendorId, std::uint16_t productId, const std::wstring& serialNumber) = 0;
    virtual void Close() = 0;
    // hid_write: the report id first, then the report's bytes.
    virtual int Write(const std::uint8_t* data, std::size_t length) = 0;
    // hid_read_timeout: 0 when nothing arrived in time, -1 on error.
    virtual int ReadTimeout(std::uint8_t* data, std::size_t length, int milliseconds) = 0;
    // hid_get_serial_number_string; false on error.
    virtual bool SerialNumber(std::wstring& text) = 0;
    // hid_enumerate: the devices attached with these ids, without opening any.
    virtual std::vector<Device> Enumerate(std::uint16_t vendorId, std::uint16_t productId) = 0;
};
