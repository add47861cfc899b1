#pragma once
#include "leq/DayEveningNight.h"
#include "leq/Exclusions.h"

#include <QString>

#include <optional>
#include <vector>

class Console;

struct ReportOptions {
    QString source;  // a collection (.REC), graph (.ghf), survey (.qxs) or log of qx574 watch
    QString csv;     // the CSV tables; standard output when empty
    QString pdf;     // the report of every set, one page each, when asked for
    QString json;    // every table asked for and the metrics, as one JSON document
    std::vector<Exclusion> exclusions;  // besides a survey's own
    // The tables asked for beyond the metrics. Settings left out here are a survey's, or
    // the usual ones.
    std::optional<int> periodMinutes;
    bool den = false;
    std::optional<DaySpan> day, evening, night;
    bool events = false;
    std::optional<double> aboveDb, forSeconds, bridgeSeconds;
    std::optional<double> histogramWidthDb;
    bool exposure = false;
};

// qx574 report: reads its source and writes, as CSV, the noise metrics of every set (one row
// each), or the tables asked for instead: to standard output one after another, each with its
// header and a blank line between, or to --csv's file (with several tables, each to a file of
// its own named FILE-TABLE.csv). Standard output stays empty when only --pdf or --json files
// were asked for. Returns an ExitStatus.
int RunReport(const ReportOptions& options, Console& console);
