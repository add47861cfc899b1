#pragma once
#include <QString>

#include <memory>

class QFile;
class QFileDevice;
class QSaveFile;

// A save of a user's file. A regular file, or a new one, is written beside its name under a
// temporary one, its data synced to the disk, then renamed into place and its folder synced:
// after a crash or a power cut the name holds the whole old file or the whole new one, never
// an empty or cut one. A target that exists and is not a regular file (a pipe, a terminal, a
// device such as /dev/null) is written directly: renaming over it would put a regular file
// in its place, and the reader on the other side would get nothing.
//
// Open, write into Device(), then Commit. Ready does all of Commit but the renaming, so that
// a command can ready several files before any of them appears. A save never committed
// leaves the earlier file as it was and nothing beside it.
class SaveFile {
public:
    explicit SaveFile(const QString& path);
    // Standard output, written directly.
    static SaveFile StandardOutput();
    SaveFile(SaveFile&&) noexcept;
    SaveFile& operator=(SaveFile&&) noexcept;
    ~SaveFile();

    bool Open();
    QFileDevice& Device();
    // Written directly: a pipe, a terminal, a device or standard output.
    bool IsStream() const { return direct != nullptr || standardOutput; }

    bool Ready();
    bool Commit();
    // Why the last step failed.
    QString ErrorString() const { return error; }

private:
    bool Fail(const QString& why);

    QString path;
    bool standardOutput = false;
    std::unique_ptr<QSaveFile> atomic;
    std::unique_ptr<QFile> direct;
    bool ready = false;
    QString error;
};

// Saves bytes as the whole of a file. False, with the reason in *why, leaves the file as it was.
bool SaveWholeFile(const QString& path, const QByteArray& bytes, QString* why);
