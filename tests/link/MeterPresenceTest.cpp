#include "link/MeterPresence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Poll = MeterPresence::Poll;

ReplyFrame StatusLike(bool markers)
{
    ReplyFrame reply{};
    reply[0] = markers ? 0x02 : 0x06;
    reply[31] = 0x03;
    return reply;
}

}  // namespace

TEST(MeterPresence, ARepliedFrameCountsOnlyWithTheStatusMarkers)
{
    EXPECT_EQ(MeterPresence::Classify(true, StatusLike(true)), Poll::Answered);
    EXPECT_EQ(MeterPresence::Classify(true, StatusLike(false)), Poll::NotAStatus);
    EXPECT_EQ(MeterPresence::Classify(false, StatusLike(true)), Poll::NoReply);
}

TEST(MeterPresence, FiveUnansweredPollsInARowLoseTheMeter)
{
    const Poll A = Poll::Answered, N = Poll::NoReply, S = Poll::NotAStatus;
    struct Case {
        std::vector<Poll> polls;
        int lostAt;  // index of the poll that loses the meter, -1 for none
        const char* reason;
    } cases[] = {
        {{N, N, N, N}, -1, nullptr},
        {{N, N, N, N, N}, 4, "the meter did not answer 5 polls in a row"},
        {{S, S, S, S, S}, 4, "the meter's replies were not status replies 5 polls in a row"},
        {{N, N, N, N, A, N, N, N, N}, -1, nullptr},  // an answer starts the count again
        {{N, S, N, S, N}, 4, "the meter did not answer 5 polls in a row"},  // named by the last
    };
    for (const Case& c : cases) {
        MeterPresence presence;
        int lostAt = -1;
        for (std::size_t i = 0; i < c.polls.size(); ++i)
            if (presence.LosesMeter(c.polls[i]) && lostAt < 0)
                lostAt = static_cast<int>(i);
        EXPECT_EQ(lostAt, c.lostAt);
        if (c.reason) {
            EXPECT_EQ(presence.LostReason().toStdString(), std::string(c.reason));
        }
    }
}
