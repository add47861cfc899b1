#include "RunningLeq.h"

#include "EmptyLevel.h"

#include <cfenv>
#include <cmath>

namespace {

// Underflow and inexact results are harmless here: a power that underflows adds nothing.
constexpr int FailingSteps = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

}  // namespace

float RunningLeq(std::int32_t n, float previous, float x)
{
    if (n <= 1)
        return x;
    const float w1 = static_cast<float>(1.0 / n);
    const float w0 = static_cast<float>(static_cast<double>(n - 1) / n);
    constexpr long double Tenth = 0.1L;

    // The caller's exception flags are kept as they were; only this step's are looked at.
    std::fexcept_t callerFlags;
    std::fegetexceptflag(&callerFlags, FailingSteps);
    std::feclearexcept(FailingSteps);

    const double previousPower = std::pow(10.0, static_cast<double>(Tenth * previous));
    const double power = std::pow(10.0, static_cast<double>(Tenth * x));
    const long double a = static_cast<long double>(previousPower) * w0;
    const long double b = static_cast<long double>(power) * w1;
    const long double leq = 10.0L * std::log10(b + a);

    const bool failed = std::fetestexcept(FailingSteps) != 0 || !std::isfinite(previousPower) ||
                        !std::isfinite(power) || !std::isfinite(leq);
    std::fesetexceptflag(&callerFlags, FailingSteps);
    return failed ? previous : static_cast<float>(leq);
}

std::vector<float> CalLeqSeries(std::span<const float> levels)
{
    std::vector<float> leqs(levels.size(), EmptyLevel);
    std::int32_t n = 0;
    float leq = 0.0f;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        if (levels[i] == EmptyLevel || !std::isfinite(levels[i]))
            continue;
        leq = RunningLeq(++n, leq, levels[i]);
        leqs[i] = leq;
    }
    return leqs;
}
