#pragma once
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

// What a place sounds like: a background that wanders a little and louder events passing by.
struct RoomProfile {
    double backgroundDb;         // A-weighted
    double backgroundSwingDb;    // how far the background wanders either way
    double lowFrequencyExcessDb; // how much more C weighting hears of the background
    double eventsPerMinute;
    double eventPeakLowDb;       // A-weighted peaks of the events
    double eventPeakHighDb;
    double eventSecondsLow;
    double eventSecondsHigh;
};

namespace Rooms {
inline constexpr RoomProfile LivingRoom{40, 3, 9, 2.5, 55, 78, 2, 10};
inline constexpr RoomProfile Office{46, 3, 8, 4, 55, 72, 2, 8};
inline constexpr RoomProfile Workshop{78, 4, 6, 6, 88, 102, 1, 6};
inline constexpr RoomProfile NightStreet{33, 3, 10, 0.3, 50, 66, 5, 20};
inline constexpr RoomProfile BusyStreet{62, 4, 7, 8, 70, 84, 3, 12};
}  // namespace Rooms

// The sound at the meter's microphone as mean-square values (10^(dB/10)) for A and C
// weighting, reproducible from its seed.
class SimulatedRoom {
public:
    SimulatedRoom(const RoomProfile& profile, std::uint32_t seed);

    void Step(double seconds);
    double EnergyA() const;
    double EnergyC() const;

    // A steady sound of this A-weighted level replaces the room until released.
    void Hold(double dbA) { held = dbA; }
    void Release() { held.reset(); }

private:
    struct Event {
        double peakDb;
        double seconds;
        double age = 0.0;
    };
    static double EventLevel(const Event& event);
    double Uniform(double low, double high);

    RoomProfile profile;
    std::mt19937 random;
    double backgroundDb;
    std::vector<Event> events;
    std::optional<double> held;
};
