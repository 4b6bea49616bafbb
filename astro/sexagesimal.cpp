// Degrees split into sign, degrees, minutes and seconds.
#include "astro/sexagesimal.h"

#include <cmath>
#include <limits>

namespace {

// floor() as an int32. A NaN or a value beyond the int32 range would make
// the conversion undefined: NaN gives 0, the rest is held at INT32_MAX.
int32_t FloorToInt(double nonNegative)
{
    if (!(nonNegative < 2147483647.0)) {
        return std::isnan(nonNegative) ? 0 : std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(std::floor(nonNegative));
}

} // namespace

void DegreesToSignedDms(double degrees, SignedDms& dms)
{
    dms.sign = degrees >= 0.0 ? 1 : -1;
    const double a = std::fabs(degrees);
    dms.degrees = FloorToInt(a);
    dms.minutes = FloorToInt(std::fmod(60.0 * a, 60.0));
    dms.seconds = std::fmod(3600.0 * a, 60.0);
}

void DegreesToSignedDmRounded(double degrees, SignedDms& dms)
{
    constexpr double kHalfMinute = 1.0 / 120.0;
    DegreesToSignedDms(degrees >= 0.0 ? degrees + kHalfMinute : degrees - kHalfMinute, dms);
}
