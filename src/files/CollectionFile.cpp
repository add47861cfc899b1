#include "files/CollectionFile.h"

#include "files/OpenInputFile.h"
#include "link/MemoryImage.h"
#include "shell/SaveFile.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace {

// What the file carries after the last used byte.
constexpr qint64 BytesAfterMemoryEnd = 256;

void Report(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

bool WriteWhole(const QString& path, const QByteArray& bytes, QString* error)
{
    QString why;
    if (SaveWholeFile(path, bytes, &why))
        return true;
    Report(error, QStringLiteral("Cannot write the file %1: %2.").arg(Shown(path), why));
    return false;
}

}  // namespace

QByteArray CollectionBytes(std::span<const std::uint8_t> image)
{
    const qint64 length = ReadMemoryEnd(image) + 1 + BytesAfterMemoryEnd;
    QByteArray bytes(length, '\0');
    const auto held = static_cast<std::size_t>(std::min<qint64>(length, std::ssize(image)));
    std::copy_n(image.begin(), held, bytes.begin());
    return bytes;
}

bool WriteCollection(const QString& path, std::span<const std::uint8_t> image, QString* error)
{
    return WriteWhole(path, CollectionBytes(image), error);
}

bool CopyCollection(const QString& from, const QString& to, QString* error)
{
    const std::optional<QByteArray> bytes = ReadCollection(from, error);
    return bytes && WriteWhole(to, *bytes, error);
}

std::optional<QByteArray> ReadCollection(const QString& path, QString* error)
{
    QFile file;
    QString refused;
    if (!OpenInputFile(file, path, InputKinds::RegularFiles, &refused)) {
        Report(error, refused);
        return std::nullopt;
    }
    return ReadCollection(file, Shown(path), error);
}

std::optional<QByteArray> ReadCollection(QFileDevice& file, const QString& name, QString* error)
{
    // Read at most one byte more than the limit, so a device or a huge file costs no more.
    QByteArray bytes = file.read(MaxCollectionSize + 1);
    if (bytes.size() > MaxCollectionSize) {
        Report(error, QStringLiteral("The file %1 is too large for a data set collection.").arg(name));
        return std::nullopt;
    }
    if (file.error() != QFileDevice::NoError) {
        Report(error, QStringLiteral("Cannot read the file %1: %2.").arg(name, file.errorString()));
        return std::nullopt;
    }
    return bytes;
}
