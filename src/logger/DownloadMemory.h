#pragma once
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class LinkSequence;

// Failure codes of a download.
namespace DownloadCode {
constexpr int Open = 117;
constexpr int Timeouts = 118;
constexpr int WriteStart = 119;        // 'P'
constexpr int ReadHeader = 120;
constexpr int HeaderMarkers = 121;     // the header lacks 4 at byte 0 and 5 at byte 31
constexpr int Length = 122;            // kept for its place in the table: a length always comes
constexpr int WriteNextBlock = 123;    // 'p'
constexpr int ReadBlock = 124;
constexpr int WriteEnd = 125;          // 'q'
constexpr int ShortTransfer = 126;     // fewer bytes received than still outstanding
}  // namespace DownloadCode

// Told how far the transfer is, first with 0 bytes received once the length is known, then
// after every block; false stops the transfer as the user asked.
using DownloadFeedback = std::function<bool(int received, int length)>;

struct DownloadResult {
    int code = 0;           // 0 or a DownloadCode
    bool cancelled = false;  // stopped through the feedback; no code, no image
    std::vector<std::uint8_t> image;  // the memory fetched, present only for code 0
};

// "time left m:ss" (or h:mm:ss) estimated from the pace of the blocks received so far, as
// a transfer of received of length bytes has taken elapsedSeconds; empty until the pace is known.
QString DownloadTimeLeftText(double elapsedSeconds, int received, int length);

// Fetches the logger memory 32 bytes at a time: 'P' with its header page, 'p' for each further
// block, 'q' at the end. The frames carry the session's command data bytes as they are. After a
// failure or a cancel the caller resynchronises the meter (the device is left as the sequence
// left it).
DownloadResult DownloadMemory(LinkSequence& link, const DownloadFeedback& feedback);
