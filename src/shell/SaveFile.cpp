#include "shell/SaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString SystemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

// Whether path names something that exists and is neither a regular file nor a folder.
bool IsSpecialFile(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISREG(info.st_mode)
        && !S_ISDIR(info.st_mode);
}

// The rename is recorded in the folder: until the folder is synced, a power cut may forget it.
bool SyncFolderOf(const QString& path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(QFileInfo(path).canonicalFilePath()).path());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Some file systems cannot sync a folder and say so with EINVAL; they need not.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return synced;
}

}  // namespace

SaveFile::SaveFile(const QString& path) : path(path) {}

SaveFile SaveFile::StandardOutput()
{
    SaveFile file(QString{});
    file.standardOutput = true;
    return file;
}

SaveFile::SaveFile(SaveFile&&) noexcept = default;
SaveFile& SaveFile::operator=(SaveFile&&) noexcept = default;
// The QSaveFile removes a temporary file that was never committed.
SaveFile::~SaveFile() = default;

bool SaveFile::Fail(const QString& why)
{
    error = why;
    if (atomic)
        atomic->cancelWriting();
    return false;
}

bool SaveFile::Open()
{
    if (standardOutput || IsSpecialFile(path)) {
        direct = std::make_unique<QFile>(path);
        const bool opened = standardOutput ? direct->open(STDOUT_FILENO, QIODevice::WriteOnly)
                                           : direct->open(QIODevice::WriteOnly);
        return opened || Fail(direct->errorString());
    }
    atomic = std::make_unique<QSaveFile>(path);
    return atomic->open(QIODevice::WriteOnly) || Fail(atomic->errorString());
}

QFileDevice& SaveFile::Device()
{
    if (direct)
        return *direct;
    return *atomic;
}

bool SaveFile::Ready()
{
    if (ready)
        return true;
    QFileDevice* device = direct ? static_cast<QFileDevice*>(direct.get()) : atomic.get();
    if (!device || !device->isOpen())
        return Fail(QStringLiteral("the file is not open"));
    // QSaveFile's commit checks the writes it was given but not the writing out of its last
    // buffered bytes: on a full disk it would put a cut file in the old one's place.
    if (device->error() != QFileDevice::NoError || !device->flush())
        return Fail(device->errorString());
    // A new file must not appear under its name before its data are on the disk.
    if (atomic && ::fdatasync(atomic->handle()) != 0)
        return Fail(SystemError());
    ready = true;
    return true;
}

bool SaveFile::Commit()
{
    if (!Ready())
        return false;
    if (direct) {
        direct->close();
        return direct->error() == QFileDevice::NoError || Fail(direct->errorString());
    }
    if (!atomic->commit())
        return Fail(atomic->errorString());
    return SyncFolderOf(path) || Fail(SystemError());
}

bool SaveWholeFile(const QString& path, const QByteArray& bytes, QString* why)
{
    SaveFile file(path);
    if (file.Open() && file.Device().write(bytes) == bytes.size() && file.Commit())
        return true;
    if (why)
        *why = file.ErrorString();
    return false;
}
