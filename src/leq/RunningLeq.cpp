#include "leq/RunningLeq.h"

#include "leq/EmptyLevel.h"
#include "link/MeasurableLevel.h"

#include <cfenv>
#include <cmath>
#include <optional>

namespace {

// Underflow and inexact results are harmless here: a power that underflows adds nothing.
constexpr int FailingSteps = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
constexpr long double Tenth = 0.1L;

float NewWeight(std::int32_t n) { return static_cast<float>(1.0 / n); }
float OldWeight(std::int32_t n) { return static_cast<float>(static_cast<double>(n - 1) / n); }

// The step of RunningLeq in double precision throughout, exponents included, which is much
// faster than the extended exponents, sum and logarithm. Within the range it accepts, its result
// differs from theirs by less than 1e-15 x (|LEQ| + 1) dB, a thousandth of the margin; so when
// the float result is the same at both ends of the margin it is the one RunningLeq gives. Nothing
// when that is not certain, or near the ends of the double range, where RunningLeq alone can
// tell whether a power or the logarithm fails.
std::optional<float> QuickStep(std::int32_t n, float previous, float x)
{
    constexpr double FarFromOverflow = 1e300;
    const double previousPower = std::pow(10.0, 0.1 * previous);
    const double power = std::pow(10.0, 0.1 * x);
    if (!(previousPower <= FarFromOverflow && power <= FarFromOverflow))
        return std::nullopt;
    const double sum = power * NewWeight(n) + previousPower * OldWeight(n);
    if (!std::isnormal(sum))
        return std::nullopt;
    const double leq = 10.0 * std::log10(sum);
    const double margin = 1e-12 * (std::fabs(leq) + 1.0);
    if (static_cast<float>(leq - margin) != static_cast<float>(leq + margin))
        return std::nullopt;
    return static_cast<float>(leq);
}

}  // namespace

float RunningLeq(std::int32_t n, float previous, float x)
{
    if (n <= 1)
        return x;

    // The caller's exception flags are kept as they were; only this step's are looked at.
    std::fexcept_t callerFlags;
    std::fegetexceptflag(&callerFlags, FailingSteps);
    std::feclearexcept(FailingSteps);

    const double previousPower = std::pow(10.0, static_cast<double>(Tenth * previous));
    const double power = std::pow(10.0, static_cast<double>(Tenth * x));
    const long double a = static_cast<long double>(previousPower) * OldWeight(n);
    const long double b = static_cast<long double>(power) * NewWeight(n);
    const long double leq = 10.0L * std::log10(b + a);

    const bool failed = std::fetestexcept(FailingSteps) != 0 || !std::isfinite(previousPower) ||
                        !std::isfinite(power) || !std::isfinite(leq);
    std::fesetexceptflag(&callerFlags, FailingSteps);
    return failed ? previous : static_cast<float>(leq);
}

std::vector<float> CalLeqSeries(std::span<const float> levels)
{
    std::fexcept_t callerFlags;
    std::fegetexceptflag(&callerFlags, FailingSteps);
    std::vector<float> leqs(levels.size(), EmptyLevel);
    std::int32_t n = 0;
    float leq = 0.0f;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const float x = levels[i];
        if (!IsMeasurableLevel(x))
            continue;
        ++n;
        const std::optional<float> quick = n > 1 ? QuickStep(n, leq, x) : std::nullopt;
        leq = quick ? *quick : RunningLeq(n, leq, x);
        leqs[i] = leq;
    }
    std::fesetexceptflag(&callerFlags, FailingSteps);
    return leqs;
}
