#pragma once
#include <functional>

class QMdiArea;
class TfrmGraph;
struct GraphServices;
struct RealTimeRun;

// Creates the "Real-Time Graph" window of the run in the area and prepares its chart for 500
// samples at the run's rate, starting now. closed is told once the window has closed.
TfrmGraph& CreateRealTimeGraph(QMdiArea& area, const GraphServices& services, RealTimeRun& run,
                               std::function<void()> closed);

// Shows the rate's entry in the graph's sampling-rate box; rates of 30.5 s and more leave it.
void SelectRateEntry(TfrmGraph& graph, float rate);
