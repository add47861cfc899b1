#pragma once
#include "link/HidApi.h"

struct hid_device_;

// HidApi over the hidraw backend of hidapi.
class SystemHidApi final : public HidApi {
public:
    SystemHidApi() = default;
    ~SystemHidApi() override;
    SystemHidApi(const SystemHidApi&) = delete;
    SystemHidApi& operator=(const SystemHidApi&) = delete;

    bool Open(std::uint16_t vendorId, std::uint16_t productId, const std::wstring& serialNumber) override;
    void Close() override;
    int Write(const std::uint8_t* data, std::size_t length) override;
    int ReadTimeout(std::uint8_t* data, std::size_t length, int milliseconds) override;
    bool SerialNumber(std::wstring& text) override;
    std::vector<Device> Enumerate(std::uint16_t vendorId, std::uint16_t productId) override;

private:
    hid_device_* device = nullptr;
};
