#pragma once
#include "link/MeterFrames.h"

#include <QString>

// When a meter counts as lost: the one rule of the connection monitor and of `qx574 watch`.
// A status poll counts as answered only when its reply arrived and carries the status markers:
// a meter that answers with anything else gives no level, which for the panel, a graph or a
// log is as good as no answer. Five unanswered polls in a row lose the meter; one answered
// poll starts the count again.
class MeterPresence {
public:
    static constexpr int FailedPollsToLose = 5;

    enum class Poll { Answered, NoReply, NotAStatus };
    // How a poll went: replyRead tells whether the 32 bytes came back at all.
    static Poll Classify(bool replyRead, const ReplyFrame& reply);

    // Counts one poll; true when it is the one that loses the meter (the count then starts again).
    bool LosesMeter(Poll poll);

    int FailedPolls() const { return failedPolls; }
    // Why the meter was lost, by the last unanswered poll: "the meter did not answer 5 polls in a row".
    QString LostReason() const;
    void Reset() { failedPolls = 0; last = Poll::Answered; }

private:
    int failedPolls = 0;
    Poll last = Poll::Answered;
};
