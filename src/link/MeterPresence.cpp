#include "link/MeterPresence.h"

#include "link/MeterStatus.h"

MeterPresence::Poll MeterPresence::Classify(bool replyRead, const ReplyFrame& reply)
{
    if (!replyRead)
        return Poll::NoReply;
    return HasStatusMarkers(reply) ? Poll::Answered : Poll::NotAStatus;
}

bool MeterPresence::LosesMeter(Poll poll)
{
    if (poll == Poll::Answered) {
        failedPolls = 0;
        return false;
    }
    last = poll;
    if (++failedPolls < FailedPollsToLose)
        return false;
    failedPolls = 0;
    return true;
}

QString MeterPresence::LostReason() const
{
    const QString why = last == Poll::NotAStatus ? QStringLiteral("the meter's replies were not status replies")
                                                 : QStringLiteral("the meter did not answer");
    return QStringLiteral("%1 %2 polls in a row").arg(why).arg(FailedPollsToLose);
}
