#include "dialogs/date_dialog_fields.h"

#include "astro/calendar.h"
#include "astro/sun_event_lock.h"
#include "dialogs/kit/number_text.h"
#include "sky/scene.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

constexpr int32_t kMostLockMinutes = 90;
constexpr double kHoursPerDay = 24.0;

std::string Number(int64_t value)
{
    return std::to_string(value);
}

bool ReadDate(const std::array<std::string, kDateFieldCount>& texts, DateTime& date)
{
    int32_t* const fields[kDateFieldCount] = {&date.year, &date.month, &date.day, &date.hour,
                                              &date.minute};
    for (int i = 0; i < kDateFieldCount; ++i) {
        if (ReadIntegerText(texts[static_cast<size_t>(i)].c_str(), INT32_MIN, INT32_MAX,
                            *fields[i]) == 0) {
            return false;
        }
    }
    return IsValidDate(date) != 0;
}

// Returned: null, or the message key of the refusal
const char* AddStimeText(const SunLockValues& lock, CommandText& command)
{
    if (!lock.locked) {
        AddText(command, "STIME NONE");
        return nullptr;
    }
    int32_t minutes = 0;
    if (ReadIntegerText(lock.minutes.c_str(), 0, kMostLockMinutes, minutes) == 0) {
        return "messageLockTimeMinimum";
    }
    AddText(command, "STIME %s %c%dMIN", lock.sunrise ? "SUNRISE" : "SUNSET",
            lock.before ? '-' : '+', minutes);
    return nullptr;
}

}  // namespace

std::array<std::string, kDateFieldCount> DateFieldTexts(const DateTime& date)
{
    return {Number(date.year), Number(std::clamp(date.month, 1, 12)), Number(date.day),
            Number(date.hour), Number(date.minute)};
}

SunLockValues ReadSunLockValues(const Scene& scene)
{
    const AnimationState& run = scene.animation;
    SunLockValues lock;
    lock.locked = run.sunEventLock == kSunLockSunriseMinutes ||
                  run.sunEventLock == kSunLockSunsetMinutes;
    lock.sunrise = run.sunEventLock == kSunLockSunriseMinutes;
    lock.before = run.sunEventValue < 0;
    lock.minutes = Number(std::llabs(static_cast<int64_t>(run.sunEventValue)));
    return lock;
}

DateTime DateNowInZone(double julianDay, double zone)
{
    DateTime date{};
    DateFromJulianDay(julianDay + zone / kHoursPerDay, date);
    date.zone = zone;
    return date;
}

const char* ComposeDateCommand(const DateDialogValues& values, double zone, CommandText& command)
{
    DateTime date{};
    date.second = 0.0;
    date.zone = zone;
    if (!ReadDate(values.date, date)) {
        return "messageInputValidDate";
    }
    AddText(command, "DATE %d,%d,%d,%d,%d,%f,%f", date.year, date.month, date.day, date.hour,
            date.minute, date.second, date.zone);
    const char* refusal = AddStimeText(values.lock, command);
    if (refusal != nullptr) {
        return refusal;
    }
    AddText(command, "DRIVE");
    return nullptr;
}
