#pragma once
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <deque>
#include <optional>

// The records of qx574 watch that a broker has not yet acknowledged, kept in a file so that
// nothing is lost while the broker is away, nor when the program is killed: each record is
// appended and synced to the disk before it is sent, and sent again after a restart until an
// acknowledgement is noted. The file is text, one entry a line:
//
//   qx574-spool 1                        the first line, naming the format
//   R <seq> <topic> <payload>            a record: its sequence number, topic and message
//   A <seq>                              every record up to <seq> is done (sent or dropped)
//
// Records stand in the order of their sequence numbers, which only grow, so the file also keeps
// the meter's counter across restarts. Done records are removed by writing the rest anew
// beside the file and renaming it over it; when the file would grow past its bound, the oldest
// records are dropped first. A line cut short by a crash is left out when the file is opened.
class WatchSpool {
public:
    struct Entry {
        std::uint64_t seq = 0;
        QByteArray topic;
        QByteArray payload;
    };

    WatchSpool() = default;
    ~WatchSpool();
    WatchSpool(const WatchSpool&) = delete;
    WatchSpool& operator=(const WatchSpool&) = delete;

    // Opens path, or creates it with its folder, and takes it for this process; false with a
    // message naming the file when it cannot, when another process has it, or when it is no
    // spool. maxBytes bounds the file's size.
    bool Open(const QString& path, qint64 maxBytes, QString* error);
    // Lines that could not be read when the file was opened, and were passed over.
    int DamagedLines() const { return damagedLines; }

    // One more than the highest sequence number the file holds; 1 for a new spool.
    std::uint64_t NextSeq() const { return lastSeq + 1; }
    // Records not yet done, and the highest number done (every record up to it is).
    qint64 Pending() const { return pending; }
    std::uint64_t DoneThrough() const { return doneThrough; }

    // Appends a record (seq above every earlier one) and syncs it to the disk. Returns the
    // number of the oldest records dropped to make room (0 as a rule); none, with a message
    // naming the file, when it cannot be written.
    std::optional<qint64> Append(std::uint64_t seq, const QByteArray& topic, const QByteArray& payload,
                                 QString* error);

    // The next record not yet handed out, oldest first; none when every one has been.
    std::optional<Entry> Next();
    // The records handed out up to and including seq are done. Done records that were not
    // handed out (dropped, or of an earlier run) are passed over.
    void Done(std::uint64_t seq);
    // The records handed out but not done are handed out again, from the oldest.
    void Rewind();

    // Syncs the file and lets it go.
    void Close();
    const QString& Path() const { return path; }

private:
    struct Handed {
        std::uint64_t seq;
        qint64 end;  // offset after its line
    };

    // A line of the file without its line feed, and where the next one starts. A line too
    // long to be an entry is not whole; a last line without its line feed is cut.
    struct Text {
        QByteArray text;
        qint64 next = 0;
        bool whole = false;
        bool cut = false;
    };

    bool Scan(QString* error);
    bool AppendBytes(const QByteArray& bytes);
    Text LineAt(qint64 offset);
    qint64 DropOldest(qint64 bytesNeeded);
    void Compact();
    QString ErrorText(const QString& what) const;

    QString path;
    int fd = -1;
    qint64 maxBytes = 0;
    qint64 size = 0;

    std::uint64_t lastSeq = 0;
    std::uint64_t doneThrough = 0;
    qint64 pending = 0;
    qint64 pendingOffset = 0;  // where the first record not done stands, or the end
    qint64 sendOffset = 0;     // where the next record to hand out stands, or the end
    std::deque<Handed> handed;
    int damagedLines = 0;

    // What was last read from the file, to read line after line without a call each.
    QByteArray readBuffer;
    qint64 readBufferOffset = 0;
};

// A size such as 100MB, 64kB, 2GiB or 5000000 (bytes); none when it is not one.
std::optional<qint64> ParseByteSize(const QString& text);
