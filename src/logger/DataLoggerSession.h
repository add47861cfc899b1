#pragma once
#include "logger/DataSetTable.h"
#include "logger/UseOfDecodedMemory.h"

#include <cstdint>
#include <span>
#include <vector>

// The data logger's data in the window program: the data sets loaded last, by a download or
// from a collection, the logger memory they were decoded from (which a collection saves byte
// for byte), and whether a download has been kept in a file yet. The main window owns it; the
// DataLogger window, Load Data, File > Open and File > Save work on it.
class DataLoggerSession {
public:
    // Decodes a logger memory; when UseOfDecodedMemory finds it usable, takes its table and the
    // image in place of what was loaded. Any other use changes nothing.
    DecodedUse Take(std::vector<std::uint8_t> image, double now);
    // What Take would make of an image, changing nothing.
    static DecodedUse UseOf(std::span<const std::uint8_t> image, double now);

    const DataSetTable& Table() const { return table; }
    const std::vector<std::uint8_t>& Image() const { return image; }
    int MemoryEnd() const { return memoryEnd; }

    // Gives set i a new start time; false, changing nothing, when there is no set i.
    bool ChangeSetTime(int set, double newStart);

    // A download not kept in a collection yet: closing its window asks first.
    bool Unsaved() const { return unsaved; }
    void MarkUnsaved() { unsaved = true; }
    void MarkSaved() { unsaved = false; }

private:
    DataSetTable table;
    std::vector<std::uint8_t> image;
    int memoryEnd = 0;
    bool unsaved = false;
};
