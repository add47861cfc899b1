#include "files/GraphFile.h"

#include "files/OpenInputFile.h"
#include "shell/SaveFile.h"

#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstring>

namespace {

void Report(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

}  // namespace

bool WriteGraphBlock(const QString& path, const QByteArray& block, QString* error)
{
    // An existing file stays untouched when the new one cannot be finished.
    SaveFile file(path);
    const auto size = static_cast<std::uint32_t>(block.size());
    char header[4];
    std::memcpy(header, &size, sizeof header);
    const bool written = file.Open() && file.Device().write(header, 4) == 4
        && file.Device().write(block) == block.size() && file.Commit();
    if (!written)
        Report(error, QStringLiteral("Cannot write the file %1.").arg(Shown(path)));
    return written;
}

std::optional<QByteArray> ReadGraphBlock(const QString& path, QString* error)
{
    QFile file;
    QString refused;
    if (!OpenInputFile(file, path, InputKinds::RegularFiles, &refused)) {
        Report(error, refused);
        return std::nullopt;
    }
    const QString damaged = QStringLiteral("The file %1 is not a valid graph file.").arg(Shown(path));
    std::uint32_t size = 0;
    if (file.read(reinterpret_cast<char*>(&size), 4) != 4 || size > MaxGraphBlockSize
        || size > file.size() - 4) {
        Report(error, damaged);
        return std::nullopt;
    }
    QByteArray block = file.read(size);
    if (block.size() != static_cast<qsizetype>(size)) {
        Report(error, damaged);
        return std::nullopt;
    }
    return block;
}

QString DamagedGraphFileText(const QString& path, const QString& reason)
{
    return QStringLiteral("The file %1 is not a valid graph file (%2).").arg(Shown(path), reason);
}
