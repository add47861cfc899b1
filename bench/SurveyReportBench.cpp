// A survey's report of a 64,000-sample recording (two seconds apart, about 35 hours) with
// 15-minute periods and 200 events: made as values, and written as a PDF. Goal: the PDF in
// at most 1 s.
#include "survey/SurveyReport.h"
#include "report/ui/DrawSurveyReport.h"
#include "shell/Formats.h"

#include <QBuffer>

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int Samples = 64'000;
constexpr int Events = 200;

// A background of about 50 dB, with 200 passing lorries (75 dB for 20 s) evenly spread and
// two exclusions.
struct Night {
    ::Recording recording;
    Survey survey;
    Night()
    {
        const double start = ReadIsoDateTime(QStringLiteral("2024-05-06 18:00:00"), nullptr);
        recording.start = start;
        recording.intervalSeconds = 2.0;
        recording.weighting = Weighting::A;
        recording.response = Response::Fast;
        recording.range = MeterRanges[3];
        recording.times.resize(Samples);
        recording.levels.resize(Samples);
        std::vector<double>& times = recording.times;
        std::vector<float>& levels = recording.levels;
        for (int i = 0; i < Samples; ++i) {
            times[i] = start + i * 2.0 * OneSecond;
            levels[i] = static_cast<float>(50.0 + 3.0 * std::sin(i * 0.05));
        }
        for (int e = 0; e < Events; ++e)
            for (int i = 0; i < 10; ++i)
                levels[static_cast<std::size_t>(e * (Samples / Events) + 100 + i)] = 75.0f;
        survey.details.project = QStringLiteral("Mill Lane");
        survey.exclusions = {{start + 0.1, start + 0.1 + 600 * OneSecond, QStringLiteral("dog")},
                             {start + 0.7, start + 0.7 + 300 * OneSecond, QStringLiteral("door")}};
        survey.analysis.periodMinutes = 15;
        survey.analysis.events = EventSettings{70.0, 10.0, 0.0};
    }
    const ::Recording& Recording() const { return recording; }
};

const Night& TheNight()
{
    static const Night night;
    return night;
}

void BM_SurveyReportValues(benchmark::State& state)
{
    const Night& night = TheNight();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            MakeSurveyReport(night.survey, night.Recording(), SurveyReportDefaults(night.survey), {}));
}
BENCHMARK(BM_SurveyReportValues)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// The whole report: values, then every page drawn into a PDF.
void BM_SurveyReportPdf(benchmark::State& state)
{
    const Night& night = TheNight();
    std::size_t pages = 0, events = 0;
    for (auto _ : state) {
        const SurveyReport report =
            MakeSurveyReport(night.survey, night.Recording(), SurveyReportDefaults(night.survey), {});
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        if (!WriteSurveyReportPdf(out, report))
            state.SkipWithError("the PDF could not be written");
        pages = report.pages.size();
        for (const ReportSheet& page : report.pages)
            for (const ReportBlock& block : page.blocks)
                if (const auto* grid = std::get_if<ReportGrid>(&block); grid && grid->heading == QStringLiteral("Events"))
                    events += grid->rows.size();
    }
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["events"] = static_cast<double>(events) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_SurveyReportPdf)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
