#pragma once
#include "leq/DayEveningNight.h"
#include "leq/ExceedanceEvents.h"
#include "leq/OccupationalExposure.h"
#include "leq/SurveySeries.h"
#include "survey/ReportTable.h"

#include <optional>

// The analysis tables of one recording, over its samples outside the exclusions: what the
// Analysis window shows and saves, and what qx574 report writes for each set (with the set's
// number in a column before these). Times are wall-clock yyyy-MM-dd HH:mm:ss.

// start,end,coverage_pct,valid_samples,leq_db,lmax_db,lmin_db,l10_db,l50_db,l90_db,sel_db.
// No rows without a timed sample; nothing when the rows would be more than MaxPeriodRows.
std::optional<ReportTable> PeriodRows(const SurveySeries& series, int minutes);

// date,lday_db,levening_db,lnight_db,lden_db,ldn_db,night_l10th_db,day_coverage_pct,
// evening_coverage_pct,night_coverage_pct,night_nth_highest_db: night_l10th_db is the night's
// n-th highest sample under the name it had first, kept for the scripts that read it; the
// window and the PDF show night_nth_highest_db, headed with the rank.
ReportTable DenRows(const SurveySeries& series, const DenSettings& settings);
// The same of days already computed with the night's rank.
ReportTable DenRowsOf(const std::vector<DenRow>& days, int nightRank);

// event,start,end,duration_s,leq_db,lmax_db,sel_db; the events themselves in *found.
ReportTable EventRows(const SurveySeries& series, const EventSettings& settings, ExceedanceEvents* found);
// events,above_db,seconds_above,measured_s,percent_above: one row.
ReportTable EventSummaryRow(const ExceedanceEvents& found, const EventSettings& settings);

// class_low_db,class_high_db,time_pct,cumulative_pct
ReportTable HistogramRows(const SurveySeries& series, double widthDb);

// lex8h_db,dose_85_3_pct,osha_dose_pct,osha_twa_db,hc_dose_pct,eu_verdict: one row; the
// verdict says why when the figures are not given.
ReportTable ExposureRow(const SurveySeries& series, Weighting weighting, Response response);

// A table of every set, without rows: the name of one set's table, "set" before its columns.
ReportTable SetsTable(const ReportTable& oneSet);
// Adds one set's rows to such a table, each after the set's number.
void AppendSetRows(ReportTable& table, qint64 set, const ReportTable& rows);
