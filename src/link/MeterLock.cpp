#include "link/MeterLock.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A serial number as a file name: letters, digits, '-' and '_' as they are, anything else
// as its code, so that two serial numbers never share a name.
QString FileNameOf(const QString& serial)
{
    QString name;
    for (const QChar c : serial) {
        if ((c.isLetterOrNumber() && c.unicode() < 0x80) || c == u'-' || c == u'_')
            name += c;
        else
            name += QStringLiteral("%%1").arg(c.unicode(), 4, 16, QChar(u'0'));
    }
    return name;
}

}  // namespace

QString MeterLockFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime))
        return runtime + QStringLiteral("/qx574");
    return QDir::tempPath() + QStringLiteral("/qx574-%1").arg(::getuid());
}

std::unique_ptr<MeterLock> MeterLock::Take(const QString& serialNumber, QString* error)
{
    const QString folder = MeterLockFolder();
    const QByteArray folderName = QFile::encodeName(folder);
    ::mkdir(folderName.constData(), 0700);
    // A folder under the shared temporary folder must be the user's own and no one else's.
    struct stat st {};
    if (::lstat(folderName.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()
        || (st.st_mode & 0077) != 0) {
        *error = QStringLiteral("Cannot lock the meter: %1 is not a private folder of this user.").arg(folder);
        return nullptr;
    }
    const QString path = folder + QStringLiteral("/meter-") + FileNameOf(serialNumber) + QStringLiteral(".lock");
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        *error = QStringLiteral("Cannot lock the meter with %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return nullptr;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        *error = QStringLiteral("The meter %1 is in use by another qx574.").arg(serialNumber);
        return nullptr;
    }
    return std::unique_ptr<MeterLock>(new MeterLock(fd));
}

MeterLock::~MeterLock() { ::close(fd); }
