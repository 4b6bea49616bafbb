// LOCATE: moves the observer to a site given by coordinates (absolute, or
// relative with a leading sign) or by its name in the site list.
//
// All arguments are read and checked first; a refused statement leaves the
// Scene as it was.
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

// Coordinates beyond these are no mistake a wrap or a clamp should hide.
constexpr double kMaxCoordinate = 1.0e6;   // degrees
constexpr double kMaxHeight = 1.0e7;       // metres

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

// Whether an argument is a coordinate rather than a site name: a digit or a
// decimal point after an optional sign. NaN and infinities are no
// coordinates, so they fail as unknown site names.
bool IsCoordinateText(const char* text)
{
    const char* c = (*text == '+' || *text == '-') ? text + 1 : text;
    return std::isdigit(static_cast<unsigned char>(*c)) || *c == '.';
}

// One coordinate: a sign letter ('W' for longitude, 'S' for latitude, either
// case) at the end negates it; a leading sign makes it a move from the
// current value.
bool ReadCoordinate(const char* text, char negativeLetter, double current, double& value)
{
    if (text == nullptr) {
        value = current;
        return true;
    }
    double number = 0.0;
    if (!IsCoordinateText(text) || StkRealArgument(text, -kMaxCoordinate, kMaxCoordinate, number) == 0) {
        StkSetError("stkErrorIllegalParam", text);
        return false;
    }
    if (AsciiUpper(LastCharacter(text)) == negativeLetter) {
        number = -number;
    }
    value = (text[0] == '+' || text[0] == '-') ? current + number : number;
    return true;
}

// Longitudes are kept in [-180, 180], whatever the moves added up to.
double WrapLongitude(double longitude)
{
    longitude = std::fmod(longitude, 360.0);
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
        if (StkRealArgument(args[2], -kMaxCommandZone, kMaxCommandZone, request.zone) == 0) {
            return false;
        }
        request.zoneGiven = true;
    }
    return args[3] == nullptr ||
           StkRealArgument(args[3], -kMaxHeight, kMaxHeight, request.location.height) == 1;
}

// LOCATE with a site name alone: the site's place, height and zone from the
// site list.
bool ReadSite(const Scene& scene, char* const args[5], LocateRequest& request)
{
    for (int i = 1; i < 5; ++i) {
        if (args[i] != nullptr) {
            StkSetError("stkErrorIllegalParam", args[i]);
            return false;
        }
    }
    request.location = scene.time.location;
    request.zone = scene.time.date.zone;
    if (LookUpSite(args[0], request.location, request.zone) == 0) {
        StkSetError("stkErrorIllegalParam", args[0]);
        return false;
    }
    request.zoneGiven = scene.timeSystem == kTimeSystemLst;
    if (!request.zoneGiven) {
        request.zone = scene.time.date.zone;
    }
    request.name = args[0];
    return true;
}

// Shows why the lock ended: in a warning box, or, while the command port
// runs the statement, as its reply (a box there would pile up unseen).
void ReportLockEnded(const char* key)
{
    if (gAppEnv->quiet != 0) {
        StkSetError(key, nullptr);
        return;
    }
    if (gAppEnv->toplevel != nullptr) {
        char text[256];
        GetMessage(key, text, sizeof text);
        ShowMessageBox(gAppEnv->toplevel, text, kMessageBoxWarning);
    }
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
    ReportLockEnded(rising ? "messageSunNotRise" : "messageSunNotSet");
}

}  // namespace

void CmdLocate(Scene& scene, char* a1, char* a2, char* a3, char* a4, char* a5)
{
    char* const args[5] = {a1, a2, a3, a4, a5};
    LocateRequest request{};
    const bool bySiteName = a1 != nullptr && !IsCoordinateText(a1);
    if (!(bySiteName ? ReadSite(scene, args, request) : ReadCoordinates(scene, args, request))) {
        return;
    }

    // The clock follows the zone, keeping the instant: the given one in
    // standard time, the site's mean solar time in LMT.
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
