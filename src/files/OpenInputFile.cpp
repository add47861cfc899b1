#include "files/OpenInputFile.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Refuse(int fd, QString* error, const QString& text)
{
    if (fd >= 0)
        ::close(fd);
    *error = text;
    return false;
}

}  // namespace

bool OpenInputFile(QFile& file, const QString& path, InputKinds kinds, QString* error)
{
    const QString shown = QDir::toNativeSeparators(path);
    const bool regularOnly = kinds == InputKinds::RegularFiles;
    const auto cannotOpen = [&](const QString& why) { return QStringLiteral("Cannot open the file %1: %2.").arg(shown, why); };
    const auto systemError = [] { return QString::fromLocal8Bit(std::strerror(errno)); };
    // Without O_NONBLOCK, opening a pipe waits for its writer: refusing it must not.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | (regularOnly ? O_NONBLOCK : 0));
    if (fd < 0)
        return Refuse(fd, error, cannotOpen(systemError()));
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return Refuse(fd, error, cannotOpen(systemError()));
    if (S_ISDIR(info.st_mode))
        return Refuse(fd, error, QStringLiteral("%1 is a folder, not a file.").arg(shown));
    if (regularOnly && !S_ISREG(info.st_mode))
        return Refuse(fd, error, QStringLiteral("%1 is a pipe or a device, not a file stored on a disk: it is not opened.").arg(shown));
    if (regularOnly)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return Refuse(fd, error, cannotOpen(file.errorString()));
    return true;
}
