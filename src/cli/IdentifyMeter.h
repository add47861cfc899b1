#pragma once
#include "link/MeterIdentity.h"

class Console;
class LinkSequence;

// As the connection monitor: the meter answers 'K' and names itself "574". Returns an
// ExitStatus; a refusal is told on the console.
int IdentifyMeter(LinkSequence& link, Console& console);
