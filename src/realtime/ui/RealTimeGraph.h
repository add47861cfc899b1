#pragma once

class QMdiArea;
class TfrmGraph;

// Creates the "Real-Time Graph" window in the area, stores it in AppWindows and prepares its
// chart for 500 samples at the current rate, starting now.
TfrmGraph& CreateRealTimeGraph(QMdiArea& area);

// Shows the rate's entry in the graph's sampling-rate box; rates of 30.5 s and more leave it.
void SelectRateEntry(TfrmGraph& graph, float rate);
