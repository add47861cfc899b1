#pragma once

class TfrmGraph;
struct GraphServices;
class TfrmList;

// "Output Tabular to graph": a new graph window, captioned as the list, with one point per
// row: the date and time of columns 1 and 2, the level of column 3 (column 4 when its heading
// is "LEQ"), read in the user's formats. A row whose date and time do not read leaves its
// point empty; one whose level does not read leaves the level empty. The window is not yet
// placed anywhere; the caller shows it.
// An empty list shows "No data to graph !" and makes no window. A first or last row whose
// date and time do not read shows why and gives the window empty.
TfrmGraph* OutputListToGraph(const TfrmList& list, const GraphServices& services);
