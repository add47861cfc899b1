#pragma once
#include "cli/ReportSource.h"
#include "leq/DayEveningNight.h"
#include "leq/ExceedanceEvents.h"
#include "survey/ReportTable.h"

#include <optional>
#include <span>

// The tables of qx574 report, one row per set (or per period, date, event or class of each
// set), over the samples outside the exclusions. Times are wall-clock yyyy-MM-dd HH:mm:ss.

// set,start,duration_s,valid_samples,leq_db,lmax_db,lmin_db,l5_db,l10_db,l50_db,l90_db,l95_db,
// sel_db,lex8h_db,dose_pct,lden_db: the noise metrics, as the Noise Metrics window shows them
// (lex8h_db and dose_pct empty for a set that is not A-weighted: SayExposureNotGiven).
ReportTable MetricsTable(const ReportSource& source, std::span<const Exclusion> exclusions);
// One line per set whose LEX,8h and dose are left empty, saying why.
QStringList ExposureNotGivenLines(const ReportSource& source);

// set,start,end,coverage_pct,valid_samples,leq_db,lmax_db,lmin_db,l10_db,l50_db,l90_db,sel_db.
// Nothing, with the set named in *problem, when a set spans more than MaxPeriodRows periods.
std::optional<ReportTable> PeriodsTable(const ReportSource& source, std::span<const Exclusion> exclusions,
                                        int minutes, QString* problem);

// set,date,lday_db,levening_db,lnight_db,lden_db,ldn_db,night_l10th_db,day_coverage_pct,
// evening_coverage_pct,night_coverage_pct
ReportTable DenTable(const ReportSource& source, std::span<const Exclusion> exclusions, const DenSettings& settings);

// set,event,start,end,duration_s,leq_db,lmax_db,sel_db; and in *summary (named
// "event_summary") each set's set,events,above_db,seconds_above,measured_s,percent_above.
ReportTable EventsTable(const ReportSource& source, std::span<const Exclusion> exclusions,
                        const EventSettings& settings, ReportTable* summary);

// set,class_low_db,class_high_db,time_pct,cumulative_pct
ReportTable HistogramTable(const ReportSource& source, std::span<const Exclusion> exclusions, double widthDb);

// set,lex8h_db,dose_85_3_pct,osha_dose_pct,osha_twa_db,hc_dose_pct,eu_verdict; the verdict
// says why when the figures are not given.
ReportTable ExposureTable(const ReportSource& source, std::span<const Exclusion> exclusions);
