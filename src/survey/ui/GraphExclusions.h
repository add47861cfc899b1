#pragma once

class TfrmGraph;

// The graph window's survey commands on its exclusions.

// "Exclude A\u2013B\u2026": the span from cursor A's sample through cursor B's, with a reason asked;
// nothing when the reason is not given.
void ExcludeBetweenGraphCursors(TfrmGraph& graph);
// "Exclusions\u2026": the list of the graph's exclusions, where one can be removed.
void ShowGraphExclusions(TfrmGraph& graph);
