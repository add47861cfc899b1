#pragma once
#include <QElapsedTimer>

// Tells a long loop when to show its progress and let the window system run: at its first
// step, then whenever a moment has passed. Every row would cost more than the work itself;
// a fixed count of rows would leave a slow machine's window stuck.
class ProgressPace {
public:
    // step counts from 1.
    bool Due(int step);

private:
    static constexpr int StepsBetweenLooks = 64;
    static constexpr qint64 MomentMs = 40;
    QElapsedTimer sinceLast;
};
