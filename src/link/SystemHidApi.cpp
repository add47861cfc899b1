#include "link/SystemHidApi.h"

#include <hidapi.h>

#include <array>
#include <cwchar>

SystemHidApi::~SystemHidApi()
{
    Close();
    hid_exit();
}

bool SystemHidApi::Open(std::uint16_t vendorId, std::uint16_t productId, const std::wstring& serialNumber)
{
    Close();
    device = hid_open(vendorId, productId, serialNumber.empty() ? nullptr : serialNumber.c_str());
    return device != nullptr;
}

void SystemHidApi::Close()
{
    if (device)
        hid_close(device);
    device = nullptr;
}

int SystemHidApi::Write(const std::uint8_t* data, std::size_t length)
{
    return device ? hid_write(device, data, length) : -1;
}

int SystemHidApi::ReadTimeout(std::uint8_t* data, std::size_t length, int milliseconds)
{
    return device ? hid_read_timeout(device, data, length, milliseconds) : -1;
}

bool SystemHidApi::SerialNumber(std::wstring& text)
{
    std::array<wchar_t, 128> buffer{};
    if (!device || hid_get_serial_number_string(device, buffer.data(), buffer.size()) != 0)
        return false;
    text.assign(buffer.data(), wcsnlen(buffer.data(), buffer.size()));
    return true;
}

std::vector<HidApi::Device> SystemHidApi::Enumerate(std::uint16_t vendorId, std::uint16_t productId)
{
    std::vector<Device> devices;
    hid_device_info* const list = hid_enumerate(vendorId, productId);
    for (const hid_device_info* info = list; info; info = info->next)
        devices.push_back({info->serial_number ? info->serial_number : L"",
                           info->product_string ? info->product_string : L"", info->path ? info->path : ""});
    hid_free_enumeration(list);
    return devices;
}
