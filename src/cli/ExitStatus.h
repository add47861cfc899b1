#pragma once

// The exit statuses of the subcommands.
namespace ExitStatus {
constexpr int Ok = 0;        // usable data were written
constexpr int Usage = 1;     // the command line is wrong; the usage is printed
constexpr int NoMeter = 2;   // no meter answers, it is not a 574, or it is recording
constexpr int Transfer = 3;  // a transfer failed (117-126)
constexpr int NoData = 4;    // the memory holds no recording (31) or cannot be decoded (32)
constexpr int File = 5;      // a file cannot be read or written
}  // namespace ExitStatus
