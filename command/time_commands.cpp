// DATE, PERIOD, INCTIME, DECTIME, STIME and TIMESYS: the commands that set
// the Scene's date, time step, time system and Sun-event lock. None of them
// redraws; command texts end with DRIVE for that.
//
// Every argument is read before anything is stored, so a refused
// statement leaves the Scene exactly as it was.
#include "command/time_commands.h"

#include "astro/astro_time.h"
#include "astro/calendar.h"
#include "astro/sun_event_lock.h"
#include "command/animation.h"
#include "command/argument_keywords.h"
#include "command/command_handlers.h"
#include "command/interpreter.h"
#include "command/number_args.h"
#include "core/app_env.h"
#include "core/keywords.h"
#include "core/string_utils.h"
#include "sky/scene.h"

#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr int32_t kClockRealTimeOffset = 2;

// STIME reads at most this many characters of its value.
constexpr size_t kLockValueSize = 63;

// The six fields of an interval; omitted fields are 0.
bool ParseInterval(char* const args[6], DateInterval& interval)
{
    interval = DateInterval{};
    int32_t* const fields[] = {&interval.years, &interval.months, &interval.days,
                               &interval.hours, &interval.minutes};
    for (int i = 0; i < 5; ++i) {
        if (StkIntegerArgument(args[i], *fields[i]) == 0) {
            return false;
        }
    }
    return StkRealArgument(args[5], interval.seconds) == 1;
}

// A zone moves the instant of a date by its hours. One beyond the whole span
// of supported years puts the instant so far outside them that the Julian
// day no longer matches the date (the calendar clamps it), and every time
// record of the Scene would be built from it.
constexpr double kLongestZone = 24.0 * 366.0 * (kLastYear - kFirstYear + 1);

bool ReadZone(const char* text, double& zone)
{
    double given = zone;
    if (StkRealArgument(text, given) == 0) {
        return false;
    }
    if (std::fabs(given) > kLongestZone) {
        StkSetError("stkErrorIllegalParam", text);
        return false;
    }
    zone = given;
    return true;
}

void RefuseInvalidDate()
{
    StkSetError("stkErrorIllegalParam", nullptr);
}

std::string UpperCopy(const char* text, size_t limit)
{
    std::string copy(text, strnlen(text, limit));
    for (char& c : copy) {
        c = AsciiUpper(c);
    }
    return copy;
}

// The unit a lock's value names anywhere in it, the first of the table's
// order; 0 for none.
int32_t LockUnit(const std::string& value)
{
    for (const KeywordEntry* entry = SunLockUnitKeywordTable; entry->keyword != nullptr; ++entry) {
        if (value.find(entry->keyword) != std::string::npos) {
            return entry->value;
        }
    }
    return 0;
}

// The lock of STIME SUNRISE|SUNSET with its optional value ("-30MIN",
// "5DEG"). A value without a unit clears the lock, as it always has, so that
// a mistyped lock never keeps moving the clock.
void SetSunEventLock(Scene& scene, bool sunrise, const char* value)
{
    AnimationState& lock = scene.animation;
    int32_t kind = sunrise ? kSunLockSunriseMinutes : kSunLockSunsetMinutes;
    int32_t amount = 0;
    if (value != nullptr) {
        const int32_t unit = LockUnit(UpperCopy(value, kLockValueSize));
        if (unit == kLockInDegrees) {
            kind = sunrise ? kSunLockRisingAltitude : kSunLockSettingAltitude;
        } else if (unit != kLockInMinutes) {
            lock.sunEventLock = kSunLockNone;
            lock.sunEventValue = 0;
            StkSetError("stkErrorIllegalParam", value);
            return;
        }
        if (StkIntegerArgument(value, amount) == 0) {
            return;
        }
    }
    lock.sunEventLock = kind;
    lock.sunEventValue = amount;
}

}  // namespace

void SetSceneDateTime(Scene& scene, const DateTime& date)
{
    AstroTimeFromDate(date, scene.time.location, scene.time);
}

int ChangeSceneZone(Scene& scene, double zone)
{
    DateTime date = scene.time.date;
    if (DateChangeZone(date, zone) == 0) {
        return 0;
    }
    date.zone = zone;
    SetSceneDateTime(scene, date);
    return 1;
}

void StkRebaseRealtimeOffset(Scene& scene)
{
    AnimationState& run = scene.animation;
    if (run.running == 0 || run.clockMode != kClockRealTimeOffset) {
        return;
    }
    run.offsetStartDay = CurrentJulianDay();
    run.offsetStart = scene.time.date;
}

int StkStepTime(Scene& scene, char* const args[6], int32_t subtract)
{
    DateInterval interval{};
    if (!ParseInterval(args, interval)) {
        return 0;
    }
    DateTime date = scene.time.date;
    if (DateAddInterval(date, interval, subtract) == 1) {
        SetSceneDateTime(scene, date);
    }
    StkRebaseRealtimeOffset(scene);
    return 1;
}

void CmdDate(Scene& scene, char* a1, char* a2, char* a3, char* a4, char* a5, char* a6, char* a7)
{
    int32_t word = 0;
    if (StkMatchWord(a1, DateKeywordTable, word) != 0) {
        DateTime now{};
        GetCurrentDate(now, gAppEnv->initialSiteZone);
        SetSceneDateTime(scene, now);
        return;
    }

    DateTime date = scene.time.date;
    if (StkIntegerArgument(a1, date.year) == 0 || StkIntegerArgument(a2, date.month) == 0 ||
        StkIntegerArgument(a3, date.day) == 0 || StkIntegerArgument(a4, date.hour) == 0 ||
        StkIntegerArgument(a5, date.minute) == 0 || StkRealArgument(a6, date.second) == 0) {
        return;
    }
    // The zone is the site's in the standard-time system only; in UT and
    // LMT it follows from the system and a given one is ignored.
    if (scene.timeSystem == kTimeSystemLst && !ReadZone(a7, date.zone)) {
        return;
    }
    // Hours up to 36 and 60 minutes are valid and carried into the date; a
    // year, or seconds, that carry it out of the supported years are not.
    if (IsValidDate(date) == 0 || DateNormalize(date) == 0) {
        RefuseInvalidDate();
        return;
    }
    SetSceneDateTime(scene, date);
    if (scene.timeSystem == kTimeSystemLst) {
        scene.siteZone = date.zone;
    }
    StkRebaseRealtimeOffset(scene);
}

void CmdPeriod(Scene& scene, char* a1, char* a2, char* a3, char* a4, char* a5, char* a6)
{
    char* const args[6] = {a1, a2, a3, a4, a5, a6};
    DateInterval interval{};
    if (!ParseInterval(args, interval)) {
        return;
    }
    scene.timeStep = interval;
}

void CmdInctime(Scene& scene, char* a1, char* a2, char* a3, char* a4, char* a5, char* a6)
{
    char* const args[6] = {a1, a2, a3, a4, a5, a6};
    StkStepTime(scene, args, 0);
}

void CmdDectime(Scene& scene, char* a1, char* a2, char* a3, char* a4, char* a5, char* a6)
{
    char* const args[6] = {a1, a2, a3, a4, a5, a6};
    StkStepTime(scene, args, 1);
}

void CmdStime(Scene& scene, char* a1, char* a2)
{
    int32_t event = 0;
    if (StkMatchWord(a1, SunEventKeywordTable, event) == 0) {
        StkSetError("stkErrorIllegalParam", a1);
    } else if (event == 0) {
        scene.animation.sunEventLock = kSunLockNone;
        scene.animation.sunEventValue = 0;
    } else {
        SetSunEventLock(scene, event == 1, a2);
    }
}

void CmdTimesys(Scene& scene, char* a1)
{
    int32_t system = 0;
    if (StkLookupKeyword(a1, TimeSystemKeywordTable, system) == 0) {
        StkSetError("stkErrorIllegalParam", a1);
        return;
    }
    double zone = scene.time.location.longitude / 15.0;   // LMT
    if (system == kTimeSystemLst) {
        zone = scene.siteZone;
    } else if (system == kTimeSystemUt) {
        zone = 0.0;
    }
    // At the very ends of the supported years the zone change may not fit.
    if (ChangeSceneZone(scene, zone) == 0) {
        StkSetError("stkErrorIllegalParam", a1);
        return;
    }
    scene.timeSystem = system;
}
