#pragma once

class TfrmGraph;
struct GraphServices;
class TfrmList;

// "Output Tabular to graph": a new graph window, captioned as the list, with one point per
// row that reads (ReadListGraphPoints). Rows that do not read are left out, and the user is
// told how many and why the first, by its line in the file. The window is not yet placed
// anywhere; the caller shows it.
// An empty list shows "No data to graph !", and a list of which no row reads shows why:
// neither makes a window.
TfrmGraph* OutputListToGraph(const TfrmList& list, const GraphServices& services);
