#pragma once
#include "logger/DataSetTable.h"
#include "logger/UseOfDecodedMemory.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>
#include <vector>

// The data logger's data in the window program: the data sets loaded last, by a download or
// from a collection, the logger memory they were decoded from (which a collection saves byte
// for byte), and whether a download has been kept in a file yet. The main window owns it; the
// DataLogger window, Load Data, File > Open and File > Save work on it.
class DataLoggerSession {
public:
    // A memory decoded once, for the question whether to take it and for taking it.
    struct Decoded {
        DecodedMemory memory;
        DecodedUse use = DecodedUse::NoDataSets;
    };
    static Decoded Decode(std::span<const std::uint8_t> image, double now);

    // When the decoded memory is usable, takes its table and the image it was decoded from in
    // place of what was loaded, with the collection file it was read from (empty for a
    // download); any other use changes nothing. Returns its use.
    DecodedUse Take(std::vector<std::uint8_t> image, Decoded decoded, const QString& file = {});
    // Decodes and takes an image.
    DecodedUse Take(std::vector<std::uint8_t> image, double now);

    const DataSetTable& Table() const { return table; }
    const std::vector<std::uint8_t>& Image() const { return image; }

    // Gives set i a new start time; false, changing nothing, when there is no set i.
    bool ChangeSetTime(int set, double newStart);

    // The collection file that holds the sets as they are: the one opened, or saved to since;
    // empty for a download not saved yet. A survey of a set names it.
    const QString& File() const { return file; }
    void SavedTo(const QString& path)
    {
        file = path;
        unsaved = false;
    }

    // A download not kept in a collection yet: closing its window asks first.
    bool Unsaved() const { return unsaved; }
    void MarkUnsaved() { unsaved = true; }
    void MarkSaved() { unsaved = false; }

private:
    DataSetTable table;
    std::vector<std::uint8_t> image;
    QString file;
    bool unsaved = false;
};
