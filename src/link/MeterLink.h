#pragma once
#include <cstdint>

class LinkSession;

// The short exchanges of the connection monitor and the panel keys, each opening and closing
// the meter itself, over the session's frames.

// One command, one reply read into the session's reply frame; true when the reply was read.
bool ExchangeCommand(LinkSession& link, std::uint8_t command);
// One command without a reply (the panel keys); true when the meter was opened.
bool SendCommand(LinkSession& link, std::uint8_t command);
// The sequenced status request of the connection monitor; true when the reply was read.
bool PollStatus(LinkSession& link);

// Puts a meter that is out of step back in step after a failed or cancelled sequence: 'Q' on
// whatever the device is now, without opening it anew and without reading a reply.
void Resynchronise(LinkSession& link);
