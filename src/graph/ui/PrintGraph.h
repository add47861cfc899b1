#pragma once

class PESGraph;

// Prints a chart: first its customization dialog with only the pages that matter for paper
// (the titles and subsets pages are left out), then the chart's print dialog. The chart
// keeps its pages for the next "Graph Option". False when the print dialog was cancelled.
bool PrintGraph(PESGraph& chart);
