#pragma once
#include "logger/DataSetTable.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <span>

class Console;

// Decodes a logger memory for the command line: the table when its data are usable (a
// damaged recording is reported as a warning), else nothing with the reason on the console
// and *status set to ExitStatus::NoData. source names the memory in messages.
std::optional<DataSetTable> DecodeForOutput(std::span<const std::uint8_t> image, const QString& source,
                                            Console& console, int* status);

// The same for a collection, decoded as File > Open decodes it. Besides a file, path may name
// a pipe or a device, read as a stream, or be "-" for standard input. Anything that cannot be
// read gives nothing with ExitStatus::File.
std::optional<DataSetTable> ReadCollectionForOutput(const QString& path, Console& console, int* status);

// How messages and report pages name what path gives: "standard input" for "-".
QString InputName(const QString& path);
