#pragma once
#include <optional>

// Levels averaged by their energy (10^(L/10)), as every Leq of the program is.


// The energy of a level, and the level of a mean energy.
double EnergyOfLevel(double level);
double LevelOfEnergy(double meanEnergy);

// Leq, Lmax and Lmin of levels folded in one at a time, for a series too long to keep.
class EnergyAverage {
public:
    void Add(double level);
    // Folds in the levels of another average, as if they had been added one by one here.
    void Add(const EnergyAverage& other);

    int Count() const { return count; }
    // The sum of the energies of the levels added (10^(L/10) each).
    double EnergySum() const { return energy; }
    // None before the first level.
    std::optional<double> Leq() const;
    std::optional<double> Lmax() const;
    std::optional<double> Lmin() const;

private:
    int count = 0;
    double energy = 0.0;
    double highest = 0.0;
    double lowest = 0.0;
};
