#pragma once
#include "link/HtUsb.h"
#include "link/MeterFrames.h"

#include <cstdint>

// The failure code each step of one sequence returns; 0 means the step has no code there.
struct SequenceCodes {
    int open;
    int timeouts;
    int write;
    int read;
    int reply;
};

// Failure codes of the meter sequences.
constexpr SequenceCodes DownloadCodes{117, 118, 119, 120, 121};
constexpr SequenceCodes EraseCodes{803, 804, 805, 806, 807};
constexpr SequenceCodes IntervalCodes{703, 704, 705, 706, 707};
constexpr SequenceCodes EepromCodes{703, 704, 708, 709, 707};
constexpr SequenceCodes ClockCodes{201, 202, 203, 0, 0};
constexpr SequenceCodes InformationCodes{903, 904, 905, 906, 0};
// The simple exchanges report success as a bool; any nonzero code is a failure to them.
constexpr SequenceCodes BoolCodes{1, 1, 1, 1, 1};

// Steps 1-3 of every sequence: close what an earlier sequence left open, open the meter,
// set both time-outs. Returns 0 or the open or time-out code.
int OpenMeter(HtUsb& usb, std::uint32_t timeoutMs, const SequenceCodes& codes);

// Step 4: frame byte 0, the command byte and byte 6 are set; the data bytes keep what
// the buffer held unless the caller has set them.
void FrameCommand(CommandFrame& frame, std::uint8_t command);
int WriteFrame(HtUsb& usb, const CommandFrame& frame, const SequenceCodes& codes);

// Steps 5-6: prepare, then read the 32-byte reply into the buffer.
int ReadFrame(HtUsb& usb, ReplyFrame& reply, const SequenceCodes& codes);

// Step 7 for the commands whose reply begins with an echo of the first count frame bytes.
int CheckEcho(const ReplyFrame& reply, const CommandFrame& frame, int count,
              const SequenceCodes& codes);
