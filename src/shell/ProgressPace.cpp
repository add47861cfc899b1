#include "shell/ProgressPace.h"

bool ProgressPace::Due(int step)
{
    if (step <= 1 || !sinceLast.isValid()) {
        sinceLast.start();
        return true;
    }
    if (step % StepsBetweenLooks != 0 || sinceLast.elapsed() < MomentMs)
        return false;
    sinceLast.restart();
    return true;
}
