#include "shell/CommandStates.h"

CommandStates DecideCommandStates(const CommandFacts& facts)
{
    CommandStates states;
    const WindowKind active = facts.active;
    const bool graph = active == WindowKind::Graph || active == WindowKind::RealTimeGraph ||
                       active == WindowKind::DataLoggerGraph;
    const bool table = active == WindowKind::List || active == WindowKind::Leq;
    // Graphs, lists and the LEQ table can be saved and printed; the panel and the service
    // window hold nothing to keep.
    states.save = graph || table;
    states.print = graph || table;
    states.dataLoggerMenu = facts.connected;
    // A second sequence on the link would read the first one's replies.
    states.loadData = facts.connected && !facts.linkBusy;
    states.eraseMemory = facts.connected && !facts.linkBusy;
    // The service window's buttons talk to the meter at once.
    states.setup = facts.connected && !facts.linkBusy;
    states.outputToGraph = active == WindowKind::List;
    // The LEQ item opens the window, or brings back the one that holds the link.
    states.leq = !facts.linkBusy || facts.leqMeasuring;
    // Losing the connection does not stop a run, but Run and Stop wait for it to come back.
    states.run = facts.connected && !facts.realTimeRunning;
    states.stop = facts.connected && facts.realTimeRunning;
    states.clear = !facts.realTimeRunning;
    return states;
}
