#pragma once

class QString;
class QWidget;
class TfrmGraph;
struct GraphServices;

// Makes a graph window of levels (subset 0, "SPL", black) and their running LEQ (subset 1,
// "Leq", red) beside the window it is made from, which owns it: it closes with its source.
// The caller fills the points, then calls FinishLeqGraph, which scales the levels to the
// points (LevelSpanOf). CAL Leq is disabled in it.
TfrmGraph& MakeLeqGraph(QWidget& source, const GraphServices& services, const QString& caption, double start,
                        double end, int points);
void FinishLeqGraph(TfrmGraph& graph);

// "CAL Leq" of a graph window: its levels and their running LEQ in a new graph captioned
// "<source's caption> — CAL Leq". None when the source holds no points.
TfrmGraph* CalLeqGraph(TfrmGraph& source);
