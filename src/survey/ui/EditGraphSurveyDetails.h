#pragma once

class TfrmGraph;

// "Survey Details…" of a graph window: the dialog with the window's survey details; what OK
// gives becomes the survey's (a change not saved yet), Cancel leaves everything as it was. A
// picture is copied beside the survey file, or into the documents folder while the survey is
// in no file. True when the details were taken.
bool EditGraphSurveyDetails(TfrmGraph& graph);
