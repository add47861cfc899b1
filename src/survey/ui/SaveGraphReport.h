#pragma once

class TfrmGraph;
struct ReportPage;

// The report page of what a graph window shows: its points, marks, recording and, when it
// shows them, its cursors.
ReportPage GraphReportPage(const TfrmGraph& graph);

// "Report (PDF)…" of a graph window: asks for a file name and writes the window's one-page
// report there, or the survey's report of several pages when the window has a survey. An error naming the file is shown when it cannot be written. True when a
// file was written.
bool SaveGraphReport(TfrmGraph& graph);
