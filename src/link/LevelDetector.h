#pragma once

// The meter's time weighting: exponential averages of the mean-square sound with the FAST
// (125 ms) and SLOW (1 s) time constants, for A and C weighting at once, so that switching
// either key shows a settled reading at once.
class LevelDetector {
public:
    static constexpr double FastSeconds = 0.125;
    static constexpr double SlowSeconds = 1.0;

    void Feed(double energyA, double energyC, double seconds);
    // The reading in dB.
    double Level(bool aWeighting, bool fast) const;

private:
    bool started = false;
    double fastA = 1.0;
    double fastC = 1.0;
    double slowA = 1.0;
    double slowC = 1.0;
};

// The displayed reading in tenths of a dB: the meter shows nothing outside 30.0 to 130.0 dB.
constexpr double MeterFloorDb = 30.0;
constexpr double MeterCeilingDb = 130.0;
int ReadingTenths(double db);
