#pragma once
#include "files/OpenInputFile.h"
#include "logger/DataSetTable.h"
#include "recording/RecordingProblem.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <span>

// A logger memory decoded as Load Data and File > Open decode it, for the command line: the
// table when UseOfDecodedMemory finds it usable, with the warnings of what was damaged; else a
// problem saying why (NoData), naming source.
struct DecodedCollection {
    std::optional<DataSetTable> table;
    QStringList warnings;
    std::optional<RecordingProblem> problem;
};
DecodedCollection DecodeCollection(std::span<const std::uint8_t> image, const QString& source);

// The same for a collection file. Besides a file, path may name a pipe or a device (as kinds
// allows), or be "-" for standard input. What cannot be read is an Unreadable problem.
DecodedCollection ReadCollectionTable(const QString& path, InputKinds kinds);
