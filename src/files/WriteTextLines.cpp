#include "files/WriteTextLines.h"

#include <QByteArray>
#include <QIODevice>

namespace {

constexpr qsizetype BlockBytes = 64 * 1024;

bool WriteAll(QIODevice& file, QByteArray& pending)
{
    const bool ok = file.write(pending) == pending.size();
    pending.clear();
    return ok;
}

}  // namespace

int WriteTextLines(QIODevice& file, int count, const std::function<std::optional<QString>(int)>& line,
                   const std::function<bool(int)>& keepGoing)
{
    QByteArray pending;
    int written = 0;
    for (int i = 0; i < count; ++i) {
        const std::optional<QString> text = line(i);
        if (!text)
            break;
        pending += text->toLocal8Bit();
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
