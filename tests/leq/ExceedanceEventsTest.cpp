#include "leq/ExceedanceEvents.h"
#include "SurveyRecording.h"

#include <gtest/gtest.h>

namespace {

struct Event {
    std::size_t first, last;
    double seconds, leq, lmax, sel;
};

void ExpectEvents(const ExceedanceEvents& found, std::initializer_list<Event> expected)
{
    ASSERT_EQ(found.events.size(), expected.size());
    std::size_t k = 0;
    for (const Event& e : expected) {
        const ExceedanceEvent& event = found.events[k++];
        SCOPED_TRACE(k);
        EXPECT_EQ(event.first, e.first);
        EXPECT_EQ(event.last, e.last);
        EXPECT_DOUBLE_EQ(event.seconds, e.seconds);
        EXPECT_DOUBLE_EQ(Shown(event.leq), e.leq);
        EXPECT_DOUBLE_EQ(Shown(event.lmax), e.lmax);
        EXPECT_DOUBLE_EQ(Shown(event.sel), e.sel);
    }
}

}  // namespace

// One second a sample, L = 70 dB, D = 3 s:
//   index  0  1  2  3  4  5  6  7  8  9 10 11 12
//   dB    60 75 75 65 75 75 60 60 80 80 80 80 60
TEST(ExceedanceEvents, DipsShorterThanTheBridgeBelongToTheEvent)
{
    SurveyRecording recording("2024-05-06 12:00:00", 1.0);
    recording.Add({60, 75, 75, 65, 75, 75, 60, 60, 80, 80, 80, 80, 60});

    // G = 2 s: the 1 s dip at 3 is bridged, the 2 s dip at 6-7 ends the event.
    // Leq of 1-5 = 10 log10((4 x 10^7.5 + 10^6.5) / 5) = 10 log10(2.593e7) = 74.1;
    // SEL 74.14 + 10 log10(5) = 81.1. Event 8-11: 80 dB, SEL 80 + 10 log10(4) = 86.0.
    const ExceedanceEvents bridged = FindExceedanceEvents(recording.Series(), {70.0, 3.0, 2.0});
    ExpectEvents(bridged, {{1, 5, 5.0, 74.1, 75.0, 81.1}, {8, 11, 4.0, 80.0, 80.0, 86.0}});
    EXPECT_EQ(IsoDateTimeText(bridged.events[0].start), "2024-05-06 12:00:01");
    EXPECT_EQ(IsoDateTimeText(bridged.events[0].end), "2024-05-06 12:00:06");  // the last sample's second ends
    // 8 loud samples of 13 measured: 8 s, 61.5 %.
    EXPECT_DOUBLE_EQ(bridged.secondsAbove, 8.0);
    EXPECT_DOUBLE_EQ(bridged.measuredSeconds, 13.0);
    EXPECT_DOUBLE_EQ(Shown(bridged.percentAbove), 61.5);

    // G = 0: every dip ends an event; 1-2 and 4-5 last 2 s, shorter than D.
    ExpectEvents(FindExceedanceEvents(recording.Series(), {70.0, 3.0, 0.0}), {{8, 11, 4.0, 80.0, 80.0, 86.0}});

    // G = 3 s: the 2 s dip is bridged too; one event 1-11 of 11 s, its quiet samples in its Leq:
    // 10 log10((4 x 10^7.5 + 10^6.5 + 2 x 10^6 + 4 x 10^8) / 11) = 10 log10(4.826e7) = 76.8;
    // SEL 76.84 + 10 log10(11) = 87.3.
    ExpectEvents(FindExceedanceEvents(recording.Series(), {70.0, 3.0, 3.0}), {{1, 11, 11.0, 76.8, 80.0, 87.3}});

    // D = 5 s: the 4 s event no longer counts.
    ExpectEvents(FindExceedanceEvents(recording.Series(), {70.0, 5.0, 2.0}), {{1, 5, 5.0, 74.1, 75.0, 81.1}});
}

// A level the meter could not measure is unknown, not quiet: an event runs through a run of
// such samples no longer than the bridge or one interval, whichever is longer; its duration
// spans them, its Leq and SEL are of the samples measured.
TEST(ExceedanceEvents, AnEventRunsThroughAShortRunOfUnknownSamples)
{
    struct Case {
        const char* what;
        int loudBefore, unknown, loudAfter;
        double minSeconds, bridgeSeconds;
        std::size_t events;
        double firstSeconds;
    } cases[] = {
        {"a lorry of 60 s with one sample not measured", 30, 1, 29, 10.0, 0.0, 1, 60.0},
        {"a van of 15 s with one sample not measured", 7, 1, 7, 15.0, 0.0, 1, 15.0},
        {"two samples not measured end the event without a bridge", 30, 2, 28, 10.0, 0.0, 2, 30.0},
        {"two samples not measured within a bridge of 5 s", 30, 2, 28, 10.0, 5.0, 1, 60.0},
        {"six samples not measured, past a bridge of 5 s", 30, 6, 24, 10.0, 5.0, 2, 30.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SurveyRecording recording("2024-05-06 03:00:00", 1.0);
        recording.Add(50.0f, 5).Add(80.0f, c.loudBefore).Add(0.0f, c.unknown).Add(80.0f, c.loudAfter).Add(50.0f, 5);
        const ExceedanceEvents found = FindExceedanceEvents(recording.Series(), {70.0, c.minSeconds, c.bridgeSeconds});
        ASSERT_EQ(found.events.size(), c.events);
        EXPECT_DOUBLE_EQ(found.events.front().seconds, c.firstSeconds);
    }

    // Leq and SEL of what was measured: 75 dB twice, SEL 75 + 10 log10(2) = 78.0, over 3 s.
    SurveyRecording invalid("2024-05-06 12:00:00", 1.0);
    invalid.Add({75, 0, 75});
    ExpectEvents(FindExceedanceEvents(invalid.Series(), {70.0, 1.0, 0.0}), {{0, 2, 3.0, 75.0, 75.0, 78.0}});

    // An excluded sample inside an event is unknown too.
    SurveyRecording excluded("2024-05-06 12:00:00", 1.0);
    excluded.Add(80.0f, 10);
    excluded.Exclude("2024-05-06 12:00:05", "2024-05-06 12:00:06", "door slam");
    ExpectEvents(FindExceedanceEvents(excluded.Series(), {70.0, 10.0, 0.0}), {{0, 9, 10.0, 80.0, 80.0, 89.5}});
}

TEST(ExceedanceEvents, MissingSamplesAreADipAndExclusionsRemoveWhatTheyHold)
{
    SurveyRecording invalid("2024-05-06 12:00:00", 1.0);
    invalid.Add({75, 0, 75});

    // Samples missing from the recording (12:00:02-12:00:09) are a dip of 8 s.
    SurveyRecording gap("2024-05-06 12:00:00", 1.0);
    gap.Add(75.0f, 2).Skip(8).Add(75.0f, 2);
    EXPECT_EQ(FindExceedanceEvents(gap.Series(), {70.0, 1.0, 5.0}).events.size(), 2u);
    EXPECT_EQ(FindExceedanceEvents(gap.Series(), {70.0, 1.0, 9.0}).events.size(), 1u);

    // An exclusion that removes the only loud sample removes the event.
    SurveyRecording dog("2024-05-06 12:00:00", 1.0);
    dog.Add({60, 60, 90, 60});
    ASSERT_EQ(FindExceedanceEvents(dog.Series(), {70.0, 1.0, 0.0}).events.size(), 1u);
    dog.Exclude("2024-05-06 12:00:02", "2024-05-06 12:00:03", "dog barking");
    const ExceedanceEvents quiet = FindExceedanceEvents(dog.Series(), {70.0, 1.0, 0.0});
    EXPECT_TRUE(quiet.events.empty());
    EXPECT_DOUBLE_EQ(quiet.measuredSeconds, 3.0);
    EXPECT_DOUBLE_EQ(*quiet.percentAbove, 0.0);

    // A level stored as the float 65.1 (65.0999985) is at or above a threshold of 65.1.
    SurveyRecording bound("2024-05-06 12:00:00", 1.0);
    bound.Add({65.1f, 65.0f});
    EXPECT_EQ(FindExceedanceEvents(bound.Series(), {65.1, 1.0, 0.0}).events.size(), 1u);
    EXPECT_DOUBLE_EQ(FindExceedanceEvents(bound.Series(), {65.1, 1.0, 0.0}).secondsAbove, 1.0);

    // Without a known interval no sample has a length.
    EXPECT_TRUE(FindExceedanceEvents({invalid.times, invalid.levels, 0.0, {}}, {70.0, 1.0, 2.0}).events.empty());
}
