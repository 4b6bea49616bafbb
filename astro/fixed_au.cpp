#include "astro/fixed_au.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

int32_t FixedAUComponent(double au)
{
    const double scaled = au * kFixedAUPerAU;
    if (std::isnan(scaled))
        return 0;
    // A double-to-int cast out of range is undefined; objects beyond 50 AU
    // keep the limit instead.
    if (scaled >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (scaled <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(scaled);
}

} // namespace

void VectorToFixedAU(const double v[3], int32_t f[3])
{
    for (int i = 0; i < 3; ++i)
        f[i] = FixedAUComponent(v[i]);
}
