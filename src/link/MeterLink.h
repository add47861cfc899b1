#pragma once
#include <cstdint>

// The main window's exchanges with the meter, through the current transport and the
// Command and Reply buffers of AppState.

// One command, one reply read into Reply; true when the reply was read.
bool ExchangeCommand(std::uint8_t command);
// One command without a reply (the panel keys); true when the meter was opened.
bool SendCommand(std::uint8_t command);
// The sequenced status request of the connection monitor; true when the reply was read.
bool PollStatus();
// Lets a running status poll finish (at most 2.5 s) and then stops MainTimer.
void StopPolling();
