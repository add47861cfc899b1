#pragma once

class Console;
class LinkSequence;

// What a subcommand says when no meter answers.
inline constexpr char NoConnectionText[] = "There is no connection with meter !";

// As the connection monitor: the meter answers 'K' and names itself "574". Returns an
// ExitStatus; a refusal is told on the console.
int IdentifyMeter(LinkSequence& link, Console& console);
