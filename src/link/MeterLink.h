#pragma once
#include <cstdint>

class LinkSequence;

// The short exchanges of the connection monitor and the panel keys, each opening and closing
// the meter itself, over the sequence's frames.

// One command, one reply read into the sequence's reply frame; true when the reply was read.
bool ExchangeCommand(LinkSequence& link, std::uint8_t command);
// One command without a reply (the panel keys); true when the meter was opened.
bool SendCommand(LinkSequence& link, std::uint8_t command);
// The sequenced status request of the connection monitor; true when the reply was read.
bool PollStatus(LinkSequence& link);

// Puts a meter that is out of step back in step after a failed or cancelled sequence: 'Q' on
// whatever the device is now, without opening it anew and without reading a reply.
void Resynchronise(LinkSequence& link);

// A live LEQ measurement keeps the meter open from its start to its end: close whatever is
// open, open it and set both time-outs; a failure here shows as failed polls.
void OpenMeterForPolls(LinkSequence& link, std::uint32_t timeoutMs);
// One status request on the meter left open, without a sequence number; true when the reply
// was read.
bool PollOpenMeter(LinkSequence& link);
