#include "files/WriteTextLines.h"

#include <QIODevice>

namespace {

constexpr qsizetype BlockBytes = 64 * 1024;

bool WriteAll(QIODevice& file, QByteArray& pending)
{
    const bool ok = file.write(pending) == pending.size();
    pending.resize(0);  // keeps the block's memory for the next one
    return ok;
}

}  // namespace

int WriteTextLines(QIODevice& file, int count, const std::function<bool(int, QByteArray&)>& appendLine,
                   const std::function<bool(int)>& keepGoing)
{
    QByteArray pending;
    pending.reserve(BlockBytes + 1024);
    int written = 0;
    for (int i = 0; i < count; ++i) {
        if (!appendLine(i, pending))
            break;
        ++written;
        const bool stop = keepGoing && !keepGoing(written);
        if ((pending.size() >= BlockBytes || stop) && !WriteAll(file, pending))
            return -1;
        if (stop)
            return written;
    }
    if (!pending.isEmpty() && !WriteAll(file, pending))
        return -1;
    return written;
}
