#include "link/LevelDetector.h"

#include <algorithm>
#include <cmath>

namespace {

void Follow(double& average, double energy, double seconds, double timeConstant)
{
    average += (energy - average) * (1.0 - std::exp(-seconds / timeConstant));
}

}  // namespace

void LevelDetector::Feed(double energyA, double energyC, double seconds)
{
    if (!started) {
        fastA = slowA = energyA;
        fastC = slowC = energyC;
        started = true;
        return;
    }
    Follow(fastA, energyA, seconds, FastSeconds);
    Follow(fastC, energyC, seconds, FastSeconds);
    Follow(slowA, energyA, seconds, SlowSeconds);
    Follow(slowC, energyC, seconds, SlowSeconds);
}

double LevelDetector::Level(bool aWeighting, bool fast) const
{
    const double energy = aWeighting ? (fast ? fastA : slowA) : (fast ? fastC : slowC);
    return 10.0 * std::log10(energy > 0.0 ? energy : 1.0);
}

int ReadingTenths(double db)
{
    const double shown = std::isfinite(db) ? std::clamp(db, MeterFloorDb, MeterCeilingDb) : MeterFloorDb;
    return static_cast<int>(std::lround(shown * 10.0));
}
