#include "framework/Arithmetic.h"

#include <cfenv>
#include <cmath>

namespace framework {

namespace {

// The int64 range as long doubles: 2^63 is exact, so the comparisons are exact too.
constexpr long double kInt64Limit = 9223372036854775808.0L;

std::int64_t ToInt64(long double integral)
{
    if (std::isnan(integral) || integral >= kInt64Limit || integral < -kInt64Limit)
        throw EInvalidOp();
    return static_cast<std::int64_t>(integral);
}

}  // namespace

std::int64_t Round(long double value)
{
    if (!std::isfinite(value))
        throw EInvalidOp();
    // nearbyint follows the current mode, which SetRoundToNearest fixes; a thread that changed it
    // would otherwise round differently, so the mode is checked rather than assumed.
    if (std::fegetround() != FE_TONEAREST)
        SetRoundToNearest();
    return ToInt64(std::nearbyintl(value));
}

std::int64_t RoundHalfAway(long double value)
{
    if (!std::isfinite(value))
        throw EInvalidOp();
    return ToInt64(std::roundl(value));
}

std::int64_t Trunc(long double value)
{
    if (!std::isfinite(value))
        throw EInvalidOp();
    return ToInt64(std::truncl(value));
}

void SetRoundToNearest()
{
    std::fesetround(FE_TONEAREST);
}

}  // namespace framework
