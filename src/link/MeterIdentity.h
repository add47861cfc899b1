#pragma once
#include <QString>

#include <optional>

class LinkSequence;

// What a command says when no meter answers.
inline constexpr char NoConnectionText[] = "There is no connection with meter !";

// As the connection monitor identifies the meter: it answers 'K' and names itself "574". None
// when it does; otherwise what a command tells the user, so that every command that talks to
// the meter refuses one in the same words.
std::optional<QString> MeterIdentityProblem(LinkSequence& link);
