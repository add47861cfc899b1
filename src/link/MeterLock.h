#pragma once
#include <QString>

#include <memory>

// One program at a time talks to a meter: a second one polling it would take replies meant
// for the first. The lock is a file lock in the user's runtime folder, named after the
// meter's serial number, and goes with the process however it ends.
class MeterLock {
public:
    // Takes the meter with this serial number for this process; nothing, with the reason in
    // *error, when another process has it.
    static std::unique_ptr<MeterLock> Take(const QString& serialNumber, QString* error);
    ~MeterLock();
    MeterLock(const MeterLock&) = delete;
    MeterLock& operator=(const MeterLock&) = delete;

private:
    explicit MeterLock(int fd) : fd(fd) {}
    int fd;
};

// The folder of the locks: $XDG_RUNTIME_DIR/qx574, or a folder of the user's own under the
// temporary folder when the session has no runtime folder.
QString MeterLockFolder();
