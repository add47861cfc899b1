#include "link/SimulatedRoom.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::size_t MaxEventsAtOnce = 3;
// Passing events are mostly mid and high frequencies: C weighting adds little to them.
constexpr double EventLowFrequencyExcessDb = 2.0;
// How far below its peak an event starts and ends.
constexpr double EventEdgeDropDb = 20.0;
// Seconds over which the background drifts back towards its usual level.
constexpr double BackgroundSettleSeconds = 30.0;

double Energy(double db) { return std::pow(10.0, db / 10.0); }

}  // namespace

SimulatedRoom::SimulatedRoom(const RoomProfile& profile, std::uint32_t seed)
    : profile(profile), random(seed), backgroundDb(profile.backgroundDb)
{
}

void SimulatedRoom::Step(double seconds)
{
    if (seconds <= 0.0)
        return;
    backgroundDb += Uniform(-0.5, 0.5) * std::sqrt(seconds);
    backgroundDb += (profile.backgroundDb - backgroundDb) * std::min(1.0, seconds / BackgroundSettleSeconds);
    backgroundDb = std::clamp(backgroundDb, profile.backgroundDb - profile.backgroundSwingDb,
                              profile.backgroundDb + profile.backgroundSwingDb);

    for (Event& event : events)
        event.age += seconds;
    std::erase_if(events, [](const Event& event) { return event.age >= event.seconds; });

    const double chance = profile.eventsPerMinute / 60.0 * seconds;
    if (Uniform(0.0, 1.0) < chance && events.size() < MaxEventsAtOnce)
        events.push_back({Uniform(profile.eventPeakLowDb, profile.eventPeakHighDb),
                          Uniform(profile.eventSecondsLow, profile.eventSecondsHigh)});
}

double SimulatedRoom::EnergyA() const
{
    if (held)
        return Energy(*held);
    double energy = Energy(backgroundDb);
    for (const Event& event : events)
        energy += Energy(EventLevel(event));
    return energy;
}

double SimulatedRoom::EnergyC() const
{
    if (held)
        return Energy(*held + profile.lowFrequencyExcessDb);
    double energy = Energy(backgroundDb + profile.lowFrequencyExcessDb);
    for (const Event& event : events)
        energy += Energy(EventLevel(event) + EventLowFrequencyExcessDb);
    return energy;
}

double SimulatedRoom::EventLevel(const Event& event)
{
    // Rises to its peak half way through and falls away again, like a passing car.
    const double fromMiddle = 2.0 * event.age / event.seconds - 1.0;
    return event.peakDb - EventEdgeDropDb * fromMiddle * fromMiddle;
}

double SimulatedRoom::Uniform(double low, double high)
{
    // Computed by hand: the standard distributions differ between library versions.
    const double unit = static_cast<double>(random()) / 4294967296.0;
    return low + (high - low) * unit;
}
