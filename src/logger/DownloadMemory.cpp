#include "logger/DownloadMemory.h"

#include "link/CommandTable.h"
#include "link/ExchangeSteps.h"
#include "link/LinkSession.h"
#include "link/LoggerMemory.h"
#include "link/MemoryImage.h"

#include <algorithm>

namespace {

constexpr int BlockSize = 32;

bool HasHeaderMarkers(const ReplyFrame& reply)
{
    return reply[LoggerLayout::HeaderStartOffset] == LoggerLayout::HeaderStartMarker
        && reply[LoggerLayout::HeaderEndOffset] == LoggerLayout::HeaderEndMarker;
}

}  // namespace

DownloadResult DownloadMemory(LinkSequence& link, const DownloadFeedback& feedback)
{
    HtUsb& usb = link.Usb();
    CommandFrame& command = link.Command();
    ReplyFrame& reply = link.Reply();
    DownloadResult result;
    const auto fail = [&result](int code) {
        result.code = code;
        result.image.clear();
        return result;
    };

    // Open the meter and ask for the header page.
    if (const int code = OpenMeter(usb, ExchangeTimeoutMs, DownloadCodes); code != 0)
        return fail(code);
    FrameCommand(command, Cmd::StartDownload);
    if (WriteFrame(usb, command, DownloadCodes) != 0)
        return fail(DownloadCode::WriteStart);
    if (ReadFrame(usb, reply, DownloadCodes) != 0)
        return fail(DownloadCode::ReadHeader);
    if (!HasHeaderMarkers(reply))
        return fail(DownloadCode::HeaderMarkers);

    const int length = DownloadLength(ReadMemoryEnd(reply));
    result.image.reserve(static_cast<std::size_t>(length));
    result.image.insert(result.image.end(), reply.begin(), reply.end());
    if (!feedback(0, length)) {
        result.cancelled = true;
        result.image.clear();
        return result;
    }

    // The rest of the memory, one block per 'p'.
    int received = BlockSize;
    int remaining = length - BlockSize;
    int code = 0;
    while (remaining != 0) {
        FrameCommand(command, Cmd::NextBlock);
        if (WriteFrame(usb, command, DownloadCodes) != 0) {
            usb.CloseDevice();
            code = DownloadCode::WriteNextBlock;
            break;
        }
        if (ReadFrame(usb, reply, DownloadCodes) != 0) {
            usb.CloseDevice();
            code = DownloadCode::ReadBlock;
            break;
        }
        result.image.insert(result.image.end(), reply.begin(), reply.end());
        remaining -= BlockSize;
        received += BlockSize;
        if (!feedback(received, length)) {
            result.cancelled = true;
            result.image.clear();
            return result;
        }
    }

    // All of it arrived: end the download; nothing is read back.
    if (remaining == 0) {
        FrameCommand(command, Cmd::EndDownload);
        if (WriteFrame(usb, command, DownloadCodes) != 0)
            code = DownloadCode::WriteEnd;
    }
    // A transfer that stopped before half the memory had arrived is a short one.
    if (received < remaining)
        code = DownloadCode::ShortTransfer;
    return code == 0 ? result : fail(code);
}

QString DownloadTimeLeftText(double elapsedSeconds, int received, int length)
{
    // The header arrives before the clock starts, so the pace counts the blocks after it.
    const int paced = received - BlockSize;
    if (paced <= 0 || !(elapsedSeconds > 0.0) || length <= received)
        return received >= length && length > 0 ? QStringLiteral("time left 0:00") : QString();
    const double left = elapsedSeconds * (length - received) / paced;
    const auto seconds = static_cast<long long>(std::min(left, 359999.0) + 0.5);
    const QString clock = seconds >= 3600
        ? QStringLiteral("%1:%2:%3").arg(seconds / 3600).arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
              .arg(seconds % 60, 2, 10, QLatin1Char('0'))
        : QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("time left ") + clock;
}
