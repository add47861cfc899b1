#include "recording/DecodedCollection.h"

#include "files/CollectionFile.h"
#include "link/MemoryImage.h"
#include "logger/DecodeMemoryImage.h"
#include "logger/UseOfDecodedMemory.h"
#include "shell/Clock.h"

#include <QFile>

#include <unistd.h>

namespace {

DecodedCollection Problem(RecordingProblem::Kind kind, const QString& message)
{
    DecodedCollection decoded;
    decoded.problem = RecordingProblem{kind, message};
    return decoded;
}

}  // namespace

DecodedCollection DecodeCollection(std::span<const std::uint8_t> image, const QString& source)
{
    DecodedMemory decoded = DecodeMemoryImage(image, ReadMemoryEnd(image), CurrentClock().Now());
    switch (UseOfDecodedMemory(decoded)) {
    case DecodedUse::NoDataSets:
        return Problem(RecordingProblem::Kind::NoData,
                       QStringLiteral("There was not any data recorded in momery of meter ! (%1)").arg(source));
    case DecodedUse::CannotBeDecoded:
        return Problem(RecordingProblem::Kind::NoData,
                       QStringLiteral("%1 cannot be decoded: error code=%2").arg(source).arg(decoded.result));
    case DecodedUse::NoSamples:
        return Problem(RecordingProblem::Kind::NoData,
                       QStringLiteral("There was not any data recorded in momery of meter ! (%1 holds no samples)")
                           .arg(source));
    case DecodedUse::Usable: break;
    }
    DecodedCollection usable;
    usable.warnings = DecodeWarnings(decoded, source);
    usable.table = std::move(decoded.table);
    return usable;
}

DecodedCollection ReadCollectionTable(const QString& path, InputKinds kinds)
{
    QFile file;
    QString error;
    const bool opened = path == QLatin1String("-") ? file.open(STDIN_FILENO, QIODevice::ReadOnly)
                                                   : OpenInputFile(file, path, kinds, &error);
    std::optional<QByteArray> bytes;
    if (opened)
        bytes = ReadCollection(file, InputName(path), &error);
    else if (error.isEmpty())
        error = QStringLiteral("Cannot read standard input: %1").arg(file.errorString());
    if (!bytes)
        return Problem(RecordingProblem::Kind::Unreadable, error);
    return DecodeCollection(ImageBytes(*bytes), InputName(path));
}
