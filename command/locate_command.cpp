// LOCATE: moves the observer to a site given by coordinates (absolute, or
// relative with a leading sign) or by its name in the site list.
//
// All arguments are read first; a refused statement leaves the Scene as it
// was.
#include "command/command_handlers.h"

#include "astro/calendar.h"
#include "astro/sun_event_lock.h"
#include "command/interpreter.h"
#include "command/number_args.h"
#include "command/time_commands.h"
#include "core/app_env.h"
#include "core/message_box.h"
#include "core/messages.h"
#include "core/string_utils.h"
#include "sky/catalog/site_list.h"
#include "sky/scene.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// What a LOCATE statement asks for, before any of it is stored.
struct LocateRequest {
    ObserverLocation location;
    bool zoneGiven;
    double zone;
    const char* name;   // null keeps the Scene's site name
};

char LastCharacter(const char* text)
{
    const size_t length = std::strlen(text);
    return length > 0 ? text[length - 1] : '\0';
}

// Whether an argument may name a site rather than give a coordinate: it has
// no digit or decimal point after an optional sign.
bool MayBeSiteName(const char* text)
{
    const char* c = (*text == '+' || *text == '-') ? text + 1 : text;
    return !std::isdigit(static_cast<unsigned char>(*c)) && *c != '.';
}

// One coordinate: a sign letter ('W' for longitude, 'S' for latitude, either
// case) at the end negates it; a leading sign makes it a move from the
// current value. A move past the largest double is refused like an
// infinity.
bool ReadCoordinate(const char* text, char negativeLetter, double current, double& value)
{
    value = current;
    double number = 0.0;
    if (text == nullptr || StkRealArgument(text, number) == 0) {
        return text == nullptr;
    }
    if (AsciiUpper(LastCharacter(text)) == negativeLetter) {
        number = -number;
    }
    const double moved = (text[0] == '+' || text[0] == '-') ? current + number : number;
    if (!std::isfinite(moved)) {
        StkSetError("stkErrorIllegalParam", text);
        return false;
    }
    value = moved;
    return true;
}

// One turn at most either way, as a relative move needs.
double WrapLongitude(double longitude)
{
    if (longitude > 180.0) {
        longitude -= 360.0;
    }
    if (longitude < -180.0) {
        longitude += 360.0;
    }
    return longitude;
}

bool ReadCoordinates(const Scene& scene, char* const args[5], LocateRequest& request)
{
    const ObserverLocation& current = scene.time.location;
    request.location = current;
    request.zoneGiven = false;
    request.zone = scene.time.date.zone;
    request.name = args[4];
    double longitude = 0.0;
    double latitude = 0.0;
    if (!ReadCoordinate(args[0], 'W', current.longitude, longitude) ||
        !ReadCoordinate(args[1], 'S', current.latitude, latitude)) {
        return false;
    }
    request.location.longitude = WrapLongitude(longitude);
    request.location.latitude = std::clamp(latitude, -90.0, 90.0);
    // Outside standard time the zone follows from the time system.
    if (args[2] != nullptr && scene.timeSystem == kTimeSystemLst) {
        if (StkRealArgument(args[2], request.zone) == 0) {
            return false;
        }
        request.zoneGiven = true;
    }
    return StkRealArgument(args[3], request.location.height) == 1;
}

// LOCATE with the name of a site of the site list first: the site's place,
// height and zone (the other arguments are not read).
bool ReadSite(const Scene& scene, const char* name, LocateRequest& request)
{
    request.location = scene.time.location;
    request.zone = scene.time.date.zone;
    if (LookUpSite(name, request.location, request.zone) == 0) {
        return false;
    }
    request.zoneGiven = scene.timeSystem == kTimeSystemLst;
    if (!request.zoneGiven) {
        request.zone = scene.time.date.zone;
    }
    request.name = name;
    return true;
}

// A sunrise or sunset lock that the new site never sees is ended.
void CheckSunEventLock(Scene& scene)
{
    AnimationState& lock = scene.animation;
    if (lock.sunEventLock == kSunLockNone) {
        return;
    }
    double jd = 0.0;
    if (SunEventLockTime(lock.sunEventLock, lock.sunEventValue, scene.time.date,
                         scene.time.location, jd) == 1) {
        return;
    }
    const bool rising = lock.sunEventLock == kSunLockSunriseMinutes ||
                        lock.sunEventLock == kSunLockRisingAltitude;
    lock.sunEventLock = kSunLockNone;
    lock.sunEventValue = 0;
    // A box also while the command port runs the statement: LOCATE itself
    // reports no error.
    if (gAppEnv->toplevel != nullptr) {
        char text[256];
        GetMessage(rising ? "messageSunNotRise" : "messageSunNotSet", text, sizeof text);
        ShowMessageBox(gAppEnv->toplevel, text, kMessageBoxWarning);
    }
}

}  // namespace

void CmdLocate(Scene& scene, char* a1, char* a2, char* a3, char* a4, char* a5)
{
    char* const args[5] = {a1, a2, a3, a4, a5};
    LocateRequest request{};
    const bool bySiteName = a1 != nullptr && MayBeSiteName(a1) && ReadSite(scene, a1, request);
    if (!bySiteName && !ReadCoordinates(scene, args, request)) {
        return;
    }

    // The clock follows the zone, keeping the instant: the given one in
    // standard time, the site's mean solar time in LMT. A zone that would
    // carry the date out of the supported years is refused.
    DateTime date = scene.time.date;
    double zone = date.zone;
    if (request.zoneGiven) {
        zone = request.zone;
    } else if (scene.timeSystem == kTimeSystemLmt) {
        zone = request.location.longitude / 15.0;
    }
    if (DateChangeZone(date, zone) == 0) {
        StkSetError("stkErrorIllegalParam", request.zoneGiven ? a3 : a1);
        return;
    }
    date.zone = zone;

    scene.time.location = request.location;
    SetSceneDateTime(scene, date);
    if (request.zoneGiven) {
        scene.siteZone = zone;
    }
    if (request.name != nullptr) {
        std::snprintf(scene.siteName, sizeof scene.siteName, "%s", request.name);
    }
    CheckSunEventLock(scene);
}
