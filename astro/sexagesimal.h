// Degrees split into sign, degrees, minutes and seconds for display.
#pragma once

#include <cstdint>

struct SignedDms {
    int32_t sign;       // +1 or -1
    int32_t degrees;    // of the magnitude
    int32_t minutes;    // 0..59
    double seconds;     // [0, 60)
};

// Given:    degrees  angle in degrees (or hours, the split is the same)
// Returned: dms      sign (+1 for >= 0, including -0.0), then the whole
//                    degrees, minutes and the seconds of the magnitude
void DegreesToSignedDms(double degrees, SignedDms& dms);

// The same, rounded to the nearest whole minute, for displays that show
// degrees and minutes only; seconds are what is left and are not shown.
// Given:    degrees  angle in degrees
// Returned: dms      as DegreesToSignedDms of degrees +- half a minute
void DegreesToSignedDmRounded(double degrees, SignedDms& dms);
