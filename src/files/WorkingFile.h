#pragma once
#include <QString>

#include <cstdint>
#include <span>

// The working file keeps the last memory loaded (downloaded or opened), for saving as a
// collection: "temp/DataSetsTemp.tmp" in the data folder, or in the program's writable
// folder when there is no data folder.
QString WorkingFolder(const QString& dataFolder);
QString WorkingFilePath(const QString& dataFolder);

// Writes the image's collection bytes to the working file, creating its folder; false with a
// message naming the folder or the file that failed.
bool WriteWorkingFile(const QString& dataFolder, std::span<const std::uint8_t> image,
                      QString* error);
