#pragma once
#include "link/HidApi.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <optional>
#include <string>
#include <vector>

// A HID device on a wire: reports already waiting in its input queue, answers that arrive
// when something is written, and a record of every call.
class FakeHidApi final : public HidApi {
public:
    using Report = std::vector<std::uint8_t>;

    bool present = true;
    bool unplugged = false;  // after opening: every write and read fails
    std::optional<int> writeResult;  // what hid_write returns instead of the length
    std::deque<Report> input;        // reports waiting to be read
    std::deque<Report> answers;      // each write puts the next one into the input queue
    std::optional<std::wstring> serial = L"SN0001";

    bool isOpen = false;
    int opens = 0;
    int closes = 0;
    std::uint16_t openedVendor = 0;
    std::uint16_t openedProduct = 0;
    std::vector<Report> writes;
    std::vector<int> readTimeouts;
    std::vector<std::size_t> readLengths;

    std::vector<Device> attached;    // what Enumerate lists
    std::wstring openedSerial;

    bool Open(std::uint16_t vendorId, std::uint16_t productId, const std::wstring& serialNumber) override
    {
        ++opens;
        openedVendor = vendorId;
        openedProduct = productId;
        openedSerial = serialNumber;
        isOpen = present && (serialNumber.empty() || (serial && *serial == serialNumber));
        return isOpen;
    }
    std::vector<Device> Enumerate(std::uint16_t, std::uint16_t) override { return attached; }
    void Close() override
    {
        ++closes;
        isOpen = false;
    }
    int Write(const std::uint8_t* data, std::size_t length) override
    {
        writes.emplace_back(data, data + length);
        if (unplugged)
            return -1;
        if (!answers.empty()) {
            input.push_back(answers.front());
            answers.pop_front();
        }
        return writeResult.value_or(static_cast<int>(length));
    }
    int ReadTimeout(std::uint8_t* data, std::size_t length, int milliseconds) override
    {
        readTimeouts.push_back(milliseconds);
        readLengths.push_back(length);
        if (unplugged)
            return -1;
        if (input.empty())
            return 0;
        const Report report = input.front();
        input.pop_front();
        const std::size_t n = std::min(length, report.size());
        std::memcpy(data, report.data(), n);
        return static_cast<int>(n);
    }
    bool SerialNumber(std::wstring& text) override
    {
        if (unplugged || !serial)
            return false;
        text = *serial;
        return true;
    }
};
