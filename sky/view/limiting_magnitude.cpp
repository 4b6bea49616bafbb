#include "sky/view/limiting_magnitude.h"

#include "astro/coordinates.h"
#include "sky/view/view_setup.h"

#include <algorithm>

namespace {

constexpr int32_t kPlanisphereLimit = 45;
constexpr int32_t kWholeSkyLimit = 45;
constexpr int32_t kDaylightBit = 1;

// Magnitude x 10 from the field of view, in four straight pieces through
// 60 at 120 degrees, 80 at 10, 120 at 1 and 160 at 0.1.
int32_t LimitForField(double field)
{
    if (!(field >= kSmallestFieldOfView)) {  // also catches NaN
        field = kSmallestFieldOfView;
    }
    double limit = 0.0;
    if (field > 120.0) {
        limit = 60.0;
    } else if (field >= 10.0) {
        limit = 80.0 - (field - 10.0) * 20.0 / 110.0;
    } else if (field >= 1.0) {
        limit = 120.0 - (field - 1.0) * 40.0 / 9.0;
    } else {
        limit = 160.0 - (field - 0.1) * 40.0 / 0.9;
    }
    return static_cast<int32_t>(limit);
}

// Daylight washes out the faint stars of the views that show the ground.
int32_t DaylightLoss(const Scene& scene)
{
    const bool daylightShown = scene.displayFlags[kFlagSkyAndGround] & kDaylightBit;
    const bool horizontalFrame = ViewFrameOf(scene.viewMode) == kFrameHrz;
    if (!daylightShown || !horizontalFrame) {
        return 0;
    }
    if (scene.daylightLevel <= 32) {
        return static_cast<int32_t>(scene.daylightLevel / 32.0 * 65.0);
    }
    return 65;
}

}  // namespace

int32_t AutoLimitingMagnitude(const Scene& scene)
{
    int32_t limit = std::min(LimitForField(scene.view.fieldOfView), scene.mag.starCap);
    if (scene.viewMode == kModeVola) {
        limit = kPlanisphereLimit;
    }
    limit -= DaylightLoss(scene);
    if (IsWholeSkyMap(scene.viewMode)) {
        limit = kWholeSkyLimit;
    }
    return limit;
}

void UpdateLimitingMagnitude(Scene& scene)
{
    MagnitudeLimits& mag = scene.mag;
    const int32_t automatic = AutoLimitingMagnitude(scene);
    if (mag.requestPending) {
        mag.starOffset = mag.requestedValue - automatic;
        mag.starLimit = mag.requestedValue;
        mag.requestPending = 0;
    } else {
        mag.starLimit = automatic + mag.starOffset;
    }
    mag.starLimit = std::min(mag.starLimit, mag.starCap);
}
