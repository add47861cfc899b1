#include "HexImage.h"
#include "PdfReader.h"
#include "ProgramFixture.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>

#include <chrono>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <gtest/gtest.h>

// Files in and out of the command line as a Unix program handles them: pipes, devices and "-"
// are streams, and a command writes all of its outputs or none. Every pipe and device is made
// in the test's own folder.

namespace {

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

mode_t Kind(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? (info.st_mode & S_IFMT) : 0;
}

class CommandFilesTest : public ProgramTest {
protected:
    QString golden;
    QByteArray samples;  // what convert writes of the golden collection

    void SetUp() override
    {
        const std::vector<std::uint8_t> image = ReadHexImage("memory_back_to_back.hex");
        golden = Path("golden.REC");
        WriteTestFile(golden, QByteArray(reinterpret_cast<const char*>(image.data()), std::ssize(image)));
        ASSERT_EQ(Run({"convert", golden}), 0) << err.toStdString();
        samples = outBytes;
    }

    QString MakeFifo(const char* name) const
    {
        const QString path = Path(name);
        EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        return path;
    }
    // Runs the program while another thread is at the far end of the pipe; a program that
    // never opens the pipe does not leave that thread waiting.
    template <typename FarEnd>
    auto RunWithFarEnd(const QStringList& arguments, const QString& fifo, int farEndMode, FarEnd farEnd,
                       int* status)
    {
        auto far = std::async(std::launch::async, farEnd);
        *status = Run(arguments);
        if (far.wait_for(std::chrono::seconds(10)) != std::future_status::ready)
            ::close(::open(QFile::encodeName(fifo).constData(), farEndMode | O_NONBLOCK));
        return far.get();
    }
};

}  // namespace

TEST_F(CommandFilesTest, APipeAndADeviceAreWrittenToNotReplaced)
{
    const QString fifo = MakeFifo("out.fifo");
    int status = -1;
    const QByteArray got = RunWithFarEnd({"convert", golden, "--csv", fifo}, fifo, O_WRONLY,
                                         [&] { return Read(fifo); }, &status);
    EXPECT_EQ(status, 0) << err.toStdString();
    EXPECT_EQ(got, samples) << "the reader on the pipe receives every byte";
    EXPECT_EQ(Kind(fifo), static_cast<mode_t>(S_IFIFO));

    // A device like /dev/null, made here (as the superuser) so that no system file is at stake.
    const QString null = Path("null");
    if (::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        EXPECT_EQ(Run({"convert", golden, "--csv", null, "--sets", null}), 0) << err.toStdString();
        EXPECT_EQ(Kind(null), static_cast<mode_t>(S_IFCHR));
    } else {
        std::printf("note: no device node could be made here (not root); the pipe stands for it\n");
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden).size(), Kind(null) ? 3 : 2)
        << "nothing was made beside them";
}

TEST_F(CommandFilesTest, DashIsStandardOutputForEveryOutput)
{
    ASSERT_EQ(Run({"convert", golden, "--sets", Path("sets.csv")}), 0);
    const QByteArray sets = Read(Path("sets.csv"));
    ASSERT_EQ(Run({"convert", golden, "--csv", "-", "--sets", "-"}), 0) << err.toStdString();
    EXPECT_EQ(outBytes, samples + sets);

    ASSERT_EQ(Run({"download", "--simulate", "--out", "-"}), 0) << err.toStdString();
    EXPECT_EQ(outBytes.size(), (static_cast<unsigned char>(outBytes[12]) << 8 | static_cast<unsigned char>(outBytes[13])) + 257)
        << "a whole collection";
    EXPECT_TRUE(err.contains("written to standard output")) << err.toStdString();

    // A PDF, which is written in one pass, goes down a pipe as well.
    ASSERT_EQ(Run({"report", golden, "--pdf", "-"}), 0) << err.toStdString();
    EXPECT_TRUE(outBytes.startsWith("%PDF"));
    WriteTestFile(Path("piped.pdf"), outBytes);
    EXPECT_EQ(PdfPageCount(Path("piped.pdf")), 4);

    ASSERT_EQ(Run({"watch", "--simulate", "--every", "0.5", "--duration", "1", "--out", "-"}), 0) << err.toStdString();
    EXPECT_TRUE(out.startsWith("time,record,level_db,")) << out.toStdString();
    EXPECT_FALSE(QFile::exists(Path("-")));
}

TEST_F(CommandFilesTest, StandardInputAndAPipeAreReadAsStreams)
{
    ASSERT_EQ(Run({"convert", "-"}, golden), 0) << err.toStdString();
    EXPECT_EQ(outBytes, samples);
    ASSERT_EQ(Run({"report", "-", "--csv", Path("r.csv")}, golden), 0) << err.toStdString();

    const QString fifo = MakeFifo("in.fifo");
    int status = -1;
    RunWithFarEnd({"convert", fifo}, fifo, O_RDONLY,
                  [&] {
                      QFile writer(fifo);
                      return writer.open(QIODevice::WriteOnly) && writer.write(Read(golden)) > 0;
                  },
                  &status);
    EXPECT_EQ(status, 0) << err.toStdString();
    EXPECT_EQ(outBytes, samples);

    // A stream is bounded as a file is: no more than the largest collection is ever held.
    const QString null = Path("zero");
    if (::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, makedev(1, 5)) == 0) {
        EXPECT_EQ(Run({"convert", null}), 5);
        EXPECT_TRUE(err.contains("too large")) << err.toStdString();
    }
}

TEST_F(CommandFilesTest, AFailedCommandLeavesNoneOfItsFilesAndEveryEarlierFileAsItWas)
{
    struct Case {
        QStringList arguments;
        QStringList written;  // outputs that could have been written before the failing one
    } cases[] = {
        {{"convert", golden, "--csv", Path("written.csv"), "--sets", Path("nowhere/x.csv")}, {Path("written.csv")}},
        {{"convert", golden, "--csv", Path("nowhere/x.csv"), "--sets", Path("written.csv")}, {Path("written.csv")}},
        {{"download", "--simulate", "--out", Path("X.REC"), "--csv", Path("nowhere/x.csv")}, {Path("X.REC")}},
        {{"report", golden, "--csv", Path("r.csv"), "--pdf", Path("nowhere/x.pdf")}, {Path("r.csv")}},
        {{"convert", golden, "--csv", "-", "--sets", Path("nowhere/x.csv")}, {}},
    };
    for (const bool earlier : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.arguments.join(' ').toStdString() + (earlier ? " over earlier files" : ""));
            for (const QString& path : c.written) {
                QFile::remove(path);
                if (earlier)
                    WriteTestFile(path, "yesterday's file");
            }
            EXPECT_EQ(Run(c.arguments), 5);
            EXPECT_TRUE(err.contains("nowhere")) << err.toStdString();
            EXPECT_TRUE(outBytes.isEmpty()) << "not even standard output got a part";
            for (const QString& path : c.written)
                EXPECT_EQ(Read(path), earlier ? QByteArray("yesterday's file") : QByteArray("<none>")) << path.toStdString();
        }
    }
    QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    EXPECT_EQ(left.join(u' ').toStdString(), "X.REC golden.REC r.csv written.csv") << "nothing half-made beside them";
}
