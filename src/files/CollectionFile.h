#pragma once
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>

class QFileDevice;

// A data set collection (".REC") and the working file hold the logger memory as it was
// downloaded, with no header of their own: always memoryEnd + 257 bytes, memoryEnd being
// the 24-bit number in bytes 11-13.

// The largest such file: the largest memoryEnd a header can hold, plus 257.
constexpr qint64 MaxCollectionSize = 0xFFFFFF + 257;

// The bytes of the file for an image; bytes the image does not hold are written as 0.
QByteArray CollectionBytes(std::span<const std::uint8_t> image);

// Replaces the file with the image's collection bytes, leaving any previous file whole when
// the new one cannot be finished; false with a message naming the file.
bool WriteCollection(const QString& path, std::span<const std::uint8_t> image, QString* error);

// Copies a collection byte for byte, with the same guarantee for the target.
bool CopyCollection(const QString& from, const QString& to, QString* error);

// The whole file, as the window program opens it: empty for a 0-byte file (nothing to show);
// nothing, with a message naming the file, when it cannot be read, is not a regular file or
// is larger than any collection can be.
std::optional<QByteArray> ReadCollection(const QString& path, QString* error);

// The same from an open file, pipe or device, read to its end but never past the largest
// collection there can be. name names it in messages.
std::optional<QByteArray> ReadCollection(QFileDevice& file, const QString& name, QString* error);
