#pragma once

class TfrmGraph;

// "Report (PDF)…" of a graph window: asks for a file name and writes the window's one-page
// report there. An error naming the file is shown when it cannot be written. True when a
// file was written.
bool SaveGraphReport(TfrmGraph& graph);
