#include "watch/WatchSpool.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray Header = QByteArrayLiteral("qx574-spool 1\n");
// A record line is far shorter; anything longer is damage, not a record.
constexpr qint64 LongestLine = 64 * 1024;
constexpr qint64 ReadChunk = 16 * 1024;
// Done records are removed once they fill this much and half the file.
constexpr qint64 CompactAfterBytes = 1024 * 1024;

QString SystemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

bool WriteAll(int fd, const char* data, qint64 length)
{
    while (length > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(length));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        length -= written;
    }
    return true;
}

std::optional<std::uint64_t> ReadSeq(const QByteArray& text)
{
    bool ok = false;
    const qulonglong seq = text.toULongLong(&ok);
    return ok && seq > 0 ? std::optional<std::uint64_t>(seq) : std::nullopt;
}

// One line of the file, without its line feed.
struct Line {
    enum Kind { Record, Done, Damaged } kind = Damaged;
    std::uint64_t seq = 0;
    QByteArray topic;
    QByteArray payload;
};

Line ParseLine(const QByteArray& line)
{
    Line parsed;
    if (line.startsWith("A ")) {
        if (const std::optional<std::uint64_t> seq = ReadSeq(line.mid(2))) {
            parsed.kind = Line::Done;
            parsed.seq = *seq;
        }
        return parsed;
    }
    if (!line.startsWith("R "))
        return parsed;
    const qsizetype seqEnd = line.indexOf(' ', 2);
    const qsizetype topicEnd = seqEnd < 0 ? -1 : line.indexOf(' ', seqEnd + 1);
    if (topicEnd <= seqEnd + 1)
        return parsed;
    const std::optional<std::uint64_t> seq = ReadSeq(line.mid(2, seqEnd - 2));
    if (!seq)
        return parsed;
    parsed.kind = Line::Record;
    parsed.seq = *seq;
    parsed.topic = line.mid(seqEnd + 1, topicEnd - seqEnd - 1);
    parsed.payload = line.mid(topicEnd + 1);
    return parsed;
}

bool SameFile(int fd, const QString& path)
{
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::stat(QFile::encodeName(path).constData(), &named) == 0
        && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

}  // namespace

WatchSpool::~WatchSpool() { Close(); }

QString WatchSpool::ErrorText(const QString& what) const
{
    return QStringLiteral("Cannot write the spool %1: %2").arg(QDir::toNativeSeparators(path), what);
}

bool WatchSpool::Open(const QString& name, qint64 bound, QString* error)
{
    Close();
    path = name;
    maxBytes = bound;
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        *error = ErrorText(QStringLiteral("its folder cannot be made"));
        return false;
    }
    // The lock is the file's, so it goes with the process however that ends; a file renamed
    // over it meanwhile is opened again.
    for (int attempt = 0; attempt < 3 && fd < 0; ++attempt) {
        fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        if (fd < 0) {
            *error = ErrorText(SystemError(errno));
            return false;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            fd = -1;
            *error = QStringLiteral("The spool %1 is in use by another qx574 watch.").arg(QDir::toNativeSeparators(path));
            return false;
        }
        if (!SameFile(fd, path)) {
            ::close(fd);
            fd = -1;
        }
    }
    if (fd < 0) {
        *error = ErrorText(QStringLiteral("it keeps being replaced"));
        return false;
    }
    if (!Scan(error)) {
        ::close(fd);
        fd = -1;
        return false;
    }
    if (pendingOffset > CompactAfterBytes)
        Compact();
    return true;
}

bool WatchSpool::Scan(QString* error)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        *error = ErrorText(SystemError(errno));
        return false;
    }
    size = st.st_size;
    if (size == 0) {
        if (!AppendBytes(Header) || ::fdatasync(fd) != 0) {
            *error = ErrorText(SystemError(errno));
            return false;
        }
        pendingOffset = sendOffset = size;
        return true;
    }
    const Text first = LineAt(0);
    if (!first.whole || first.text + '\n' != Header) {
        *error = QStringLiteral("The file %1 is no spool of qx574 watch; it is left as it is.")
                     .arg(QDir::toNativeSeparators(path));
        return false;
    }

    // First pass: the highest numbers, and where the last whole line ends. A number no meter
    // reaches, or a note of records done beyond the last record (but for the note a compacted
    // file starts with, which keeps the count), is damage: taken, it would stop the numbers.
    constexpr std::uint64_t LargestSeq = std::uint64_t{1} << 62;
    qint64 offset = Header.size();
    std::uint64_t lastRecord = 0;
    while (offset < size) {
        const Text text = LineAt(offset);
        if (text.cut)
            break;  // the last line, cut short by a crash
        const Line line = text.whole ? ParseLine(text.text) : Line();
        const bool first = offset == static_cast<qint64>(Header.size());
        if (line.kind == Line::Record && line.seq < LargestSeq) {
            lastSeq = std::max(lastSeq, line.seq);
            lastRecord = std::max(lastRecord, line.seq);
        } else if (line.kind == Line::Done && line.seq < LargestSeq && (first || line.seq <= lastRecord)) {
            doneThrough = std::max(doneThrough, line.seq);
            lastSeq = std::max(lastSeq, line.seq);
        } else {
            ++damagedLines;
        }
        offset = text.next;
    }
    if (offset < size) {
        // Appends go after the last whole line, not after a half one.
        if (::ftruncate(fd, offset) != 0) {
            *error = ErrorText(SystemError(errno));
            return false;
        }
        size = offset;
        readBuffer.clear();
    }

    // Second pass: the first record not done.
    pendingOffset = size;
    for (offset = Header.size(); offset < size;) {
        const Text text = LineAt(offset);
        const Line line = text.whole ? ParseLine(text.text) : Line();
        if (line.kind == Line::Record && line.seq > doneThrough && line.seq < LargestSeq) {
            if (pendingOffset == size)
                pendingOffset = offset;
            ++pending;
        }
        offset = text.next;
    }
    sendOffset = pendingOffset;
    return true;
}

WatchSpool::Text WatchSpool::LineAt(qint64 offset)
{
    const qint64 at = offset - readBufferOffset;
    if (at >= 0 && at < readBuffer.size()) {
        const qsizetype end = readBuffer.indexOf('\n', at);
        if (end >= 0)
            return {readBuffer.mid(at, end - at), offset + (end - at) + 1, true, false};
    }
    // Read from offset on, more each time, until a line feed is in what was read.
    for (qint64 want = ReadChunk;; want *= 2) {
        want = std::min(want, size - offset);
        if (want <= 0)
            return {{}, size, false, true};
        QByteArray chunk(want, Qt::Uninitialized);
        qint64 got = 0;
        while (got < want) {
            const ssize_t n = ::pread(fd, chunk.data() + got, static_cast<size_t>(want - got), offset + got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += n;
        }
        chunk.truncate(got);
        readBuffer = chunk;
        readBufferOffset = offset;
        const qsizetype end = readBuffer.indexOf('\n');
        if (end >= 0)
            return {end <= LongestLine ? readBuffer.left(end) : QByteArray(), offset + end + 1, end <= LongestLine, false};
        if (got < want || offset + got >= size)
            return {{}, size, false, true};  // no line feed up to the end: a line cut short
    }
}

bool WatchSpool::AppendBytes(const QByteArray& bytes)
{
    if (!WriteAll(fd, bytes.constData(), bytes.size()))
        return false;
    size += bytes.size();
    return true;
}

std::optional<qint64> WatchSpool::Append(std::uint64_t seq, const QByteArray& topic, const QByteArray& payload,
                                         QString* error)
{
    if (fd < 0) {
        *error = ErrorText(QStringLiteral("it is not open"));
        return std::nullopt;
    }
    QByteArray line;
    line.reserve(payload.size() + topic.size() + 32);
    line += "R ";
    line += QByteArray::number(static_cast<qulonglong>(seq));
    line += ' ';
    line += topic;
    line += ' ';
    // A line feed would end the entry early; messages are single lines already.
    line += QByteArray(payload).replace('\n', ' ');
    line += '\n';
    qint64 dropped = 0;
    if (size + line.size() > maxBytes)
        dropped = DropOldest(line.size());
    const qint64 before = size;
    if (!AppendBytes(line) || ::fdatasync(fd) != 0) {
        const int why = errno;
        // A part written stays a damaged line at worst; the next open passes over it.
        if (size != before || ::ftruncate(fd, before) == 0)
            size = before;
        *error = ErrorText(SystemError(why));
        return std::nullopt;
    }
    lastSeq = std::max(lastSeq, seq);
    ++pending;
    return dropped;
}

qint64 WatchSpool::DropOldest(qint64 bytesNeeded)
{
    // Room for the new line and a sixteenth more, so that a full spool is not written anew
    // for every record.
    const qint64 target = maxBytes - bytesNeeded - maxBytes / 16;
    const qint64 kept = Header.size() + 32;  // the header and the line of the numbers done
    qint64 dropped = 0;
    qint64 offset = pendingOffset;
    while (offset < size && kept + (size - offset) > target) {
        const Text text = LineAt(offset);
        const Line line = text.whole ? ParseLine(text.text) : Line();
        offset = text.next;
        if (line.kind == Line::Record && line.seq > doneThrough) {
            doneThrough = line.seq;
            ++dropped;
            --pending;
        }
    }
    pendingOffset = offset;
    sendOffset = std::max(sendOffset, pendingOffset);
    while (!handed.empty() && handed.front().seq <= doneThrough)
        handed.pop_front();
    Compact();
    return dropped;
}

std::optional<WatchSpool::Entry> WatchSpool::Next()
{
    while (fd >= 0 && sendOffset < size) {
        const Text text = LineAt(sendOffset);
        Line line = text.whole ? ParseLine(text.text) : Line();
        const qint64 end = text.next;
        sendOffset = end;
        if (line.kind != Line::Record || line.seq <= doneThrough)
            continue;
        handed.push_back({line.seq, end});
        return Entry{line.seq, std::move(line.topic), std::move(line.payload)};
    }
    return std::nullopt;
}

void WatchSpool::Done(std::uint64_t seq)
{
    bool any = false;
    while (!handed.empty() && handed.front().seq <= seq) {
        doneThrough = std::max(doneThrough, handed.front().seq);
        pendingOffset = handed.front().end;
        handed.pop_front();
        --pending;
        any = true;
    }
    if (!any)
        return;
    // Not synced: a note lost with the computer only sends a record twice, which its
    // number tells. A note cut short (a full disk) is taken back, so that the next record does
    // not follow a fragment on its line and read back as damage.
    const qint64 before = size;
    if (!AppendBytes("A " + QByteArray::number(static_cast<qulonglong>(doneThrough)) + '\n')
        && ::ftruncate(fd, before) == 0)
        size = before;
    if (pendingOffset > std::min(CompactAfterBytes, maxBytes / 4) && pendingOffset > size / 2)
        Compact();
}

void WatchSpool::Rewind()
{
    handed.clear();
    sendOffset = pendingOffset;
}

void WatchSpool::Compact()
{
    const QString newPath = path + QStringLiteral(".new");
    const QByteArray newName = QFile::encodeName(newPath);
    const int out = ::open(newName.constData(), O_RDWR | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0600);
    if (out < 0)
        return;  // the file stays as it is, only longer
    ::flock(out, LOCK_EX | LOCK_NB);
    const QByteArray head = Header + "A " + QByteArray::number(static_cast<qulonglong>(doneThrough)) + '\n';
    bool ok = WriteAll(out, head.constData(), head.size());
    QByteArray chunk(ReadChunk * 4, Qt::Uninitialized);
    for (qint64 offset = pendingOffset; ok && offset < size;) {
        const ssize_t n = ::pread(fd, chunk.data(), static_cast<size_t>(std::min<qint64>(chunk.size(), size - offset)),
                                  offset);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0 && WriteAll(out, chunk.constData(), n);
        offset += n;
    }
    ok = ok && ::fdatasync(out) == 0 && ::rename(newName.constData(), QFile::encodeName(path).constData()) == 0;
    if (!ok) {
        ::close(out);
        ::unlink(newName.constData());
        return;
    }
    // The rename itself is kept by syncing the folder.
    const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    ::close(fd);
    fd = out;
    const qint64 shift = head.size() - pendingOffset;
    size += shift;
    pendingOffset += shift;
    sendOffset += shift;
    for (Handed& h : handed)
        h.end += shift;
    readBuffer.clear();
}

void WatchSpool::Close()
{
    if (fd < 0)
        return;
    ::fdatasync(fd);
    ::close(fd);
    fd = -1;
    handed.clear();
    readBuffer.clear();
}

std::optional<qint64> ParseByteSize(const QString& text)
{
    static const QRegularExpression size(QStringLiteral("^\\s*(\\d+(?:\\.\\d+)?)\\s*([kKMG]?)(i?)B?\\s*$"));
    const QRegularExpressionMatch match = size.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const bool binary = !match.captured(3).isEmpty();
    const QString unit = match.captured(2).toUpper();
    if (binary && unit.isEmpty())
        return std::nullopt;
    const double base = binary ? 1024.0 : 1000.0;
    const int power = unit == QLatin1String("K") ? 1 : unit == QLatin1String("M") ? 2 : unit == QLatin1String("G") ? 3 : 0;
    double bytes = match.captured(1).toDouble();
    for (int i = 0; i < power; ++i)
        bytes *= base;
    if (!(bytes >= 1.0 && bytes < 1e15))
        return std::nullopt;
    return static_cast<qint64>(bytes);
}
