#include "leq/EnergyAverage.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Ln10Tenth = 0.23025850929940456840;  // ln(10) / 10

}  // namespace

double EnergyOfLevel(double level) { return std::exp(level * Ln10Tenth); }

double LevelOfEnergy(double meanEnergy) { return 10.0 * std::log10(meanEnergy); }

void EnergyAverage::Add(double level)
{
    highest = count == 0 ? level : std::max(highest, level);
    lowest = count == 0 ? level : std::min(lowest, level);
    energy += EnergyOfLevel(level);
    ++count;
}

void EnergyAverage::Add(const EnergyAverage& other)
{
    if (other.count == 0)
        return;
    highest = count == 0 ? other.highest : std::max(highest, other.highest);
    lowest = count == 0 ? other.lowest : std::min(lowest, other.lowest);
    energy += other.energy;
    count += other.count;
}

std::optional<double> EnergyAverage::Leq() const
{
    if (count == 0)
        return std::nullopt;
    return LevelOfEnergy(energy / count);
}

std::optional<double> EnergyAverage::Lmax() const
{
    return count == 0 ? std::nullopt : std::optional<double>(highest);
}

std::optional<double> EnergyAverage::Lmin() const
{
    return count == 0 ? std::nullopt : std::optional<double>(lowest);
}
