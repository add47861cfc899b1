#include "shell/CommandStates.h"

#include <gtest/gtest.h>

namespace {

// The meter's side of the facts, one row each; the window kind is varied separately.
struct MeterCase {
    const char* name;
    bool connected, running, recording, busy;
    bool dataLoggerMenu, run, stop, clear, load;
};

const MeterCase meterCases[] = {
    // The load and erase commands refuse a recording meter with a message, so they stay offered;
    // the setup window needs the meter and a free link as they do.
    // name                    conn   run    rec    busy   DLmenu run    stop   clear  load
    {"not connected",          false, false, false, false, false, false, false, true,  false},
    {"connected",              true,  false, false, false, true,  true,  false, true,  true},
    {"recording",              true,  false, true,  false, true,  true,  false, true,  true},
    {"real-time running",      true,  true,  false, false, true,  false, true,  false, true},
    {"running, link lost",     false, true,  false, false, false, false, false, false, false},
    {"link busy",              true,  false, false, true,  true,  true,  false, true,  false},
};

struct WindowCase {
    WindowKind kind;
    bool saveAndPrint;
    bool outputToGraph;
};

const WindowCase windowCases[] = {
    {WindowKind::None, false, false},           {WindowKind::Panel, false, false},
    {WindowKind::Graph, true, false},           {WindowKind::RealTimeGraph, true, false},
    {WindowKind::DataLoggerGraph, true, false}, {WindowKind::List, true, true},
    {WindowKind::Leq, true, false},             {WindowKind::Setup, false, false},
};

}  // namespace

TEST(CommandStates, FollowTheMeterTheRunAndTheActiveWindow)
{
    for (const MeterCase& m : meterCases) {
        for (const WindowCase& w : windowCases) {
            SCOPED_TRACE(testing::Message() << m.name << ", window kind " << static_cast<int>(w.kind));
            const CommandStates states = DecideCommandStates(
                {m.connected, m.running, m.recording, m.busy, w.kind});
            EXPECT_EQ(states.dataLoggerMenu, m.dataLoggerMenu);
            EXPECT_EQ(states.run, m.run);
            EXPECT_EQ(states.stop, m.stop);
            EXPECT_EQ(states.clear, m.clear);
            EXPECT_EQ(states.save, w.saveAndPrint);
            EXPECT_EQ(states.print, w.saveAndPrint);
            EXPECT_EQ(states.loadData, m.load);
            EXPECT_EQ(states.eraseMemory, m.load);
            EXPECT_EQ(states.setup, m.load);
            EXPECT_EQ(states.outputToGraph, w.outputToGraph);
            EXPECT_EQ(states.leq, !m.busy);
        }
    }
}

TEST(CommandStates, TheLeqWindowStaysReachableWhileItsMeasurementHoldsTheLink)
{
    CommandFacts facts{true, false, false, true, WindowKind::Leq, true};
    const CommandStates states = DecideCommandStates(facts);
    EXPECT_TRUE(states.leq);
    EXPECT_FALSE(states.loadData);
    EXPECT_FALSE(states.eraseMemory);
}
