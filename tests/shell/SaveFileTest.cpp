#include "shell/SaveFile.h"
#include "TestFiles.h"

#include "FullDisk.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>

#include <future>
#include <thread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

namespace {

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

bool Save(SaveFile& file, const QByteArray& bytes)
{
    return file.Open() && file.Device().write(bytes) == bytes.size() && file.Commit();
}

bool Save(const QString& path, const QByteArray& bytes)
{
    SaveFile file(path);
    return Save(file, bytes);
}

mode_t Kind(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? (info.st_mode & S_IFMT) : 0;
}

// Everything a reader gets from fd until the writer closes, read while the writer writes.
std::future<QByteArray> ReadAllOf(int fd)
{
    return std::async(std::launch::async, [fd] {
        QByteArray got;
        char buffer[4096];
        ssize_t n = 0;
        while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
            got.append(buffer, n);
        return got;
    });
}

// More than a pipe holds at once, each byte telling its place.
QByteArray ManyBytes()
{
    QByteArray bytes(200000, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>('a' + i % 26);
    return bytes;
}

}  // namespace

// What a save had put under its name whenever it asked the system to sync: the seam is the
// system's own fdatasync and fsync, which this test program defines in front of the C
// library's and passes on.
namespace {
struct SyncSeen {
    bool folder = false;
    QByteArray targetHeld;
};
std::vector<SyncSeen>* syncsSeen = nullptr;
QString syncTarget;

void SeeSync(int fd)
{
    if (!syncsSeen)
        return;
    struct stat info {};
    ::fstat(fd, &info);
    syncsSeen->push_back({S_ISDIR(info.st_mode), Read(syncTarget)});
}
}  // namespace

extern "C" int fdatasync(int fd)
{
    SeeSync(fd);
    return static_cast<int>(::syscall(SYS_fdatasync, fd));
}

extern "C" int fsync(int fd)
{
    SeeSync(fd);
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

TEST(SaveFile, ReplacesTheFileOnlyWhenEveryByteWasWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("saved.txt"));
    WriteTestFile(path, "the previous file");
    const QByteArray text(4000, 'x');  // small enough to wait in the file's buffer until the end

    {
        SaveFile file(path);
        ASSERT_TRUE(file.Open());
        ASSERT_EQ(file.Device().write(text), text.size());
        FullDisk disk(100);
        EXPECT_FALSE(file.Commit());
        EXPECT_FALSE(file.ErrorString().isEmpty());
    }
    EXPECT_EQ(Read(path), "the previous file");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"saved.txt"})
        << "nothing of the new file is left";

    {
        SaveFile uncommitted(path);
        ASSERT_TRUE(uncommitted.Open());
        uncommitted.Device().write(text);
        ASSERT_TRUE(uncommitted.Ready());
    }
    EXPECT_EQ(Read(path), "the previous file") << "a save readied but not committed is no save";

    EXPECT_TRUE(Save(path, text));
    EXPECT_EQ(Read(path), text);

    SaveFile unopened(dir.filePath(QStringLiteral("never.txt")));
    EXPECT_FALSE(unopened.Commit());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("never.txt"))));
    SaveFile folder(dir.path());
    EXPECT_FALSE(folder.Open());
}

// After a power cut a name holds the whole old file or the whole new one: the data are synced
// before the new file takes the name, and the folder that records the name after.
TEST(SaveFile, SyncsTheDataBeforeTheNameAndTheFolderAfter)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("day.csv"));
    for (const char* before : {"", "the old file"}) {
        SCOPED_TRACE(*before ? "over an old file" : "a new file");
        if (*before)
            WriteTestFile(path, before);
        std::vector<SyncSeen> seen;
        syncTarget = path;
        syncsSeen = &seen;
        const bool saved = Save(path, "the new file");
        syncsSeen = nullptr;
        ASSERT_TRUE(saved);
        ASSERT_FALSE(seen.empty());
        EXPECT_FALSE(seen.front().folder);
        EXPECT_EQ(seen.front().targetHeld, *before ? QByteArray(before) : QByteArray("<none>"))
            << "the data were synced before the new file had the name";
        EXPECT_TRUE(seen.back().folder);
        EXPECT_EQ(seen.back().targetHeld, "the new file") << "the folder was synced after the rename";
    }
}

// A pipe, a terminal or a device is written to, never replaced by a regular file; each is made
// in a temporary folder for the test.
TEST(SaveFile, APipeATerminalAndADeviceAreWrittenDirectly)
{
    QTemporaryDir dir;
    const QByteArray bytes = ManyBytes();

    const QString fifo = dir.filePath(QStringLiteral("out.fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    std::future<QByteArray> reader = std::async(std::launch::async, [&] {
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_RDONLY);
        QByteArray got = ReadAllOf(fd).get();
        ::close(fd);
        return got;
    });
    EXPECT_TRUE(Save(fifo, bytes));
    EXPECT_EQ(reader.get(), bytes) << "the reader on the pipe gets every byte";
    EXPECT_EQ(Kind(fifo), static_cast<mode_t>(S_IFIFO));

    // A terminal: the far side of a pseudo-terminal, raw so that it passes bytes as they are.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    termios raw{};
    ::tcgetattr(master, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(master, TCSANOW, &raw);
    const QString terminal = QString::fromLocal8Bit(::ptsname(master));
    const QByteArray line = "a line on a terminal\n";
    {
        SaveFile file(terminal);
        EXPECT_TRUE(Save(file, line));
        EXPECT_TRUE(file.IsStream());
    }
    QByteArray shown(line.size(), '\0');
    EXPECT_EQ(::read(master, shown.data(), static_cast<std::size_t>(shown.size())), line.size());
    EXPECT_EQ(shown, line);
    ::close(master);

    // A device like /dev/null, made here so that no system file is at stake.
    const QString null = dir.filePath(QStringLiteral("null"));
    if (::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        std::printf("note: no device node could be made here (not root); the terminal stood for it\n");
        return;
    }
    EXPECT_TRUE(Save(null, bytes));
    EXPECT_EQ(Kind(null), static_cast<mode_t>(S_IFCHR));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden).size(), 2)
        << "nothing was made beside them";
}
