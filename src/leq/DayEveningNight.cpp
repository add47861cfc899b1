#include "leq/DayEveningNight.h"

#include "leq/EnergyAverage.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>

namespace {

enum Part { Day, Evening, Night, LdnDay, LdnNight, PartCount };

struct PartBounds {
    std::int64_t start = 0;  // ms after midnight
    std::int64_t end = 0;
    bool wraps = false;      // runs past midnight
};

PartBounds BoundsOf(const DaySpan& span)
{
    return {span.start * 60'000LL, span.end * 60'000LL, span.end <= span.start};
}

struct DateSums {
    std::array<double, PartCount> energy{};
    std::array<int, PartCount> count{};
    std::vector<float> nightTop;  // a min-heap of the night's highest levels
};

std::optional<double> LeqOf(const DateSums& sums, Part part)
{
    if (sums.count[part] == 0)
        return std::nullopt;
    return LevelOfEnergy(sums.energy[part] / sums.count[part]);
}

// 10 log10 of the hour-weighted mean energy of the parts, each with its penalty.
struct Weighted {
    std::optional<double> level;
    double hours;
    double penalty;
};
std::optional<double> DayLevel(std::initializer_list<Weighted> parts)
{
    double energy = 0.0;
    for (const Weighted& part : parts) {
        if (!part.level)
            return std::nullopt;
        energy += part.hours * EnergyOfLevel(*part.level + part.penalty);
    }
    return LevelOfEnergy(energy / 24.0);
}

}  // namespace

std::optional<DaySpan> ReadDaySpan(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d{1,2})(?::(\\d{2}))?-(\\d{1,2})(?::(\\d{2}))?\\s*$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const auto minute = [&](int hourGroup) -> std::optional<int> {
        const int hours = match.captured(hourGroup).toInt();
        const int minutes = match.captured(hourGroup + 1).isEmpty() ? 0 : match.captured(hourGroup + 1).toInt();
        if (hours > 24 || minutes > 59 || (hours == 24 && minutes > 0))
            return std::nullopt;
        return (hours * 60 + minutes) % 1440;
    };
    const std::optional<int> start = minute(1);
    const std::optional<int> end = minute(3);
    if (!start || !end || *start == *end)
        return std::nullopt;
    return DaySpan{*start, *end};
}

QString DaySpanText(const DaySpan& span)
{
    const auto clock = [](int minutes) {
        const QString hours = QStringLiteral("%1").arg(minutes / 60, 2, 10, QChar(u'0'));
        return minutes % 60 == 0 ? hours : hours + QStringLiteral(":%1").arg(minutes % 60, 2, 10, QChar(u'0'));
    };
    return clock(span.start) + u'-' + clock(span.end);
}

QString DenSettingsProblem(const DenSettings& s)
{
    const auto valid = [](const DaySpan& span) {
        return span.start >= 0 && span.start < 1440 && span.end >= 0 && span.end < 1440 && span.start != span.end;
    };
    if (!valid(s.day) || !valid(s.evening) || !valid(s.night) || !valid(s.ldnDay) || !valid(s.ldnNight))
        return QStringLiteral("a part of the day is empty or not a time of day");
    if (s.day.end != s.evening.start || s.evening.end != s.night.start || s.night.end != s.day.start
        || s.day.Minutes() + s.evening.Minutes() + s.night.Minutes() != 1440)
        return QStringLiteral("day %1, evening %2 and night %3 do not follow one another round the 24 hours")
            .arg(DaySpanText(s.day), DaySpanText(s.evening), DaySpanText(s.night));
    if (s.ldnDay.end != s.ldnNight.start || s.ldnNight.end != s.ldnDay.start)
        return QStringLiteral("Ldn's day %1 and night %2 do not cover the 24 hours")
            .arg(DaySpanText(s.ldnDay), DaySpanText(s.ldnNight));
    if (s.nightRank < 1)
        return QStringLiteral("the night's n-th highest sample needs n of 1 or more");
    if (!std::isfinite(s.eveningPenaltyDb) || !std::isfinite(s.nightPenaltyDb) || !std::isfinite(s.ldnNightPenaltyDb))
        return QStringLiteral("a penalty is not a number");
    return {};
}

std::vector<DenRow> ComputeDayEveningNight(const SurveySeries& series, const DenSettings& settings)
{
    if (!DenSettingsProblem(settings).isEmpty())
        return {};
    const std::array<PartBounds, PartCount> bounds{BoundsOf(settings.day), BoundsOf(settings.evening),
                                                   BoundsOf(settings.night), BoundsOf(settings.ldnDay),
                                                   BoundsOf(settings.ldnNight)};
    const auto rank = static_cast<std::size_t>(settings.nightRank);

    std::map<std::int64_t, DateSums> dates;
    // Samples come in time order: the date of the one before is nearly always the one asked.
    std::int64_t cachedDate = 0;
    DateSums* cached = nullptr;
    const auto sumsOf = [&](std::int64_t date) -> DateSums& {
        if (!cached || cachedDate != date) {
            cached = &dates[date];
            cachedDate = date;
        }
        return *cached;
    };

    ForEachKeptSample(series, [&](std::size_t, std::int64_t ms, float level) {
        const std::int64_t day = FloorDiv(ms, MsPerDay);
        const std::int64_t time = ms - day * MsPerDay;
        const double energy = EnergyOfLevel(level);
        for (int part = 0; part < PartCount; ++part) {
            const PartBounds& b = bounds[part];
            const bool inside = b.wraps ? (time >= b.start || time < b.end) : (time >= b.start && time < b.end);
            if (!inside)
                continue;
            DateSums& sums = sumsOf(b.wraps && time < b.end ? day - 1 : day);
            sums.energy[part] += energy;
            ++sums.count[part];
            if (part == Night) {
                std::vector<float>& top = sums.nightTop;
                if (top.size() < rank) {
                    top.push_back(level);
                    std::push_heap(top.begin(), top.end(), std::greater<>());
                } else if (level > top.front()) {
                    std::pop_heap(top.begin(), top.end(), std::greater<>());
                    top.back() = level;
                    std::push_heap(top.begin(), top.end(), std::greater<>());
                }
            }
        }
    });

    const double interval = std::isfinite(series.intervalSeconds) && series.intervalSeconds > 0.0
                                ? series.intervalSeconds : 0.0;
    const auto hours = [](const DaySpan& span) { return span.Minutes() / 60.0; };
    const auto coverage = [&](int count, const DaySpan& span) {
        return std::min(100.0, count * interval / (span.Minutes() * 60.0) * 100.0);
    };
    std::vector<DenRow> rows;
    rows.reserve(dates.size());
    for (const auto& [date, sums] : dates) {
        DenRow row;
        row.date = static_cast<double>(date);
        row.lday = LeqOf(sums, Day);
        row.levening = LeqOf(sums, Evening);
        row.lnight = LeqOf(sums, Night);
        row.lden = DayLevel({{row.lday, hours(settings.day), 0.0},
                             {row.levening, hours(settings.evening), settings.eveningPenaltyDb},
                             {row.lnight, hours(settings.night), settings.nightPenaltyDb}});
        row.ldn = DayLevel({{LeqOf(sums, LdnDay), hours(settings.ldnDay), 0.0},
                            {LeqOf(sums, LdnNight), hours(settings.ldnNight), settings.ldnNightPenaltyDb}});
        if (sums.nightTop.size() == rank)
            row.nightHighest = sums.nightTop.front();
        row.dayCoverage = coverage(sums.count[Day], settings.day);
        row.eveningCoverage = coverage(sums.count[Evening], settings.evening);
        row.nightCoverage = coverage(sums.count[Night], settings.night);
        rows.push_back(row);
    }
    return rows;
}
