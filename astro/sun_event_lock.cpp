#include "astro/sun_event_lock.h"

#include "astro/astro_constants.h"
#include "astro/rise_set.h"

int32_t SunEventLockTime(int32_t kind, int32_t value, const DateTime& date,
                         const ObserverLocation& location, double& jd)
{
    double event = 0.0;
    int32_t found = 0;
    switch (kind) {
    case kSunLockSunriseMinutes:
        found = SunRiseTime(date, location, event);
        event += value / kMinutesPerDay;
        break;
    case kSunLockSunsetMinutes:
        found = SunSetTime(date, location, event);
        event += value / kMinutesPerDay;
        break;
    case kSunLockRisingAltitude:
        found = SunRiseThroughAltitude(date, location, event, value);
        break;
    case kSunLockSettingAltitude:
        found = SunSetThroughAltitude(date, location, event, value);
        break;
    default:
        break;
    }
    if (found == 1) {
        jd = event;
    }
    return found;
}
