#include "cli/DecodedForOutput.h"

#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "files/CollectionFile.h"
#include "files/OpenInputFile.h"
#include "link/MemoryImage.h"
#include "logger/DecodeMemoryImage.h"
#include "logger/UseOfDecodedMemory.h"
#include "shell/Clock.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

QString InputName(const QString& path)
{
    return path == QStringLiteral("-") ? QStringLiteral("standard input") : QDir::toNativeSeparators(path);
}

std::optional<DataSetTable> ReadCollectionForOutput(const QString& path, Console& console, int* status)
{
    QFile file;
    QString error;
    const bool opened = path == QStringLiteral("-") ? file.open(STDIN_FILENO, QIODevice::ReadOnly)
                                                    : OpenInputFile(file, path, InputKinds::AlsoStreams, &error);
    std::optional<QByteArray> bytes;
    if (opened)
        bytes = ReadCollection(file, InputName(path), &error);
    else if (error.isEmpty())
        error = QStringLiteral("Cannot read standard input: %1").arg(file.errorString());
    if (!bytes) {
        console.Line(error);
        *status = ExitStatus::File;
        return std::nullopt;
    }
    return DecodeForOutput(ImageBytes(*bytes), InputName(path), console, status);
}

std::optional<DataSetTable> DecodeForOutput(std::span<const std::uint8_t> image, const QString& source,
                                            Console& console, int* status)
{
    DecodedMemory decoded = DecodeMemoryImage(image, ReadMemoryEnd(image), CurrentClock().Now());
    switch (UseOfDecodedMemory(decoded)) {
    case DecodedUse::NoDataSets:
        console.Line(QStringLiteral("There was not any data recorded in momery of meter ! (%1)").arg(source));
        *status = ExitStatus::NoData;
        return std::nullopt;
    case DecodedUse::CannotBeDecoded:
        console.Line(QStringLiteral("%1 cannot be decoded: error code=%2").arg(source).arg(decoded.result));
        *status = ExitStatus::NoData;
        return std::nullopt;
    case DecodedUse::NoSamples:
        console.Line(QStringLiteral("There was not any data recorded in momery of meter ! (%1 holds no samples)")
                         .arg(source));
        *status = ExitStatus::NoData;
        return std::nullopt;
    case DecodedUse::Usable: break;
    }
    if (decoded.result == DecodeResult::MarkerMisplaced)
        console.Line(QStringLiteral("Warning: %1: a recording's markers are not where expected (code 33); "
                                    "its samples are kept as found.").arg(source));
    if (decoded.result == DecodeResult::EndBeyondMemoryEnd)
        console.Line(QStringLiteral("Warning: %1: a recording runs past the end of the used memory (code 34); "
                                    "its samples are kept as found.").arg(source));
    if (decoded.samplesHeld < std::ssize(decoded.table->levels))
        console.Line(QStringLiteral("Warning: %1 ends before the last samples its recordings count; "
                                    "those are written as 0.").arg(source));
    *status = ExitStatus::Ok;
    return std::move(decoded.table);
}
