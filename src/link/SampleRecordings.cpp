#include "link/SampleRecordings.h"

#include "link/LevelDetector.h"
#include "link/LoggerMemory.h"
#include "link/SimulatedRoom.h"

namespace {

struct SampleRecording {
    RoomProfile room;
    ClockFields start;
    int intervalSeconds;
    int samples;
    bool fast;
    bool aWeighting;
    std::uint8_t rangeCode;
};

// An office morning, a workshop hour, a night by a street and a short walk along a road.
constexpr SampleRecording Recordings[] = {
    {Rooms::Office, {2026, 3, 2, 9, 15, 0}, 1, 600, true, true, 0x88},
    {Rooms::Workshop, {2026, 3, 3, 14, 30, 20}, 10, 360, false, false, 0x44},
    {Rooms::NightStreet, {2026, 3, 5, 22, 0, 0}, 60, 480, false, true, 0x11},
    {Rooms::BusyStreet, {2026, 3, 7, 7, 45, 5}, 2, 150, true, true, 0x22},
};

}  // namespace

void RecordSampleRecordings(LoggerMemory& memory, std::uint32_t seed)
{
    std::uint32_t roomSeed = seed;
    for (const SampleRecording& r : Recordings) {
        SimulatedRoom room(r.room, roomSeed++);
        LevelDetector detector;
        if (!memory.BeginRecording({r.start, r.intervalSeconds, RecordingFlags(r.fast, r.aWeighting, r.rangeCode)}))
            return;
        for (int i = 0; i < r.samples; ++i) {
            for (int s = 0; s < r.intervalSeconds; ++s) {
                room.Step(1.0);
                detector.Feed(room.EnergyA(), room.EnergyC(), 1.0);
            }
            if (!memory.AppendSample(ReadingTenths(detector.Level(r.aWeighting, r.fast))))
                break;
        }
        memory.EndRecording();
    }
}
