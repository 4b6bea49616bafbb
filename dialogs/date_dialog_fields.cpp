#include "dialogs/date_dialog_fields.h"

#include "astro/calendar.h"
#include "astro/sun_event_lock.h"
#include "sky/scene.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int32_t kMostLockMinutes = 90;
constexpr double kHoursPerDay = 24.0;
constexpr size_t kCommandSize = 256;

std::string Number(int64_t value)
{
    return std::to_string(value);
}

std::string Formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Formatted(const char* format, ...)
{
    char text[kCommandSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
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
    lock.minutes = std::llabs(static_cast<int64_t>(run.sunEventValue));
    return lock;
}

DateTime DateNowInZone(double julianDay, double zone)
{
    DateTime date{};
    DateFromJulianDay(julianDay + zone / kHoursPerDay, date);
    date.zone = zone;
    return date;
}

const char* ComposeDateText(const std::array<int, kDateFieldCount>& date, double zone,
                            std::string& text)
{
    DateTime typed{};
    typed.year = date[kDateYear];
    typed.month = date[kDateMonth];
    typed.day = date[kDateDay];
    typed.hour = date[kDateHour];
    typed.minute = date[kDateMinute];
    typed.second = 0.0;
    typed.zone = zone;
    if (IsValidDate(typed) == 0) {
        return "messageInputValidDate";
    }
    text = Formatted("DATE %d,%d,%d,%d,%d,%f,%f", typed.year, typed.month, typed.day, typed.hour,
                     typed.minute, typed.second, typed.zone);
    return nullptr;
}

const char* ComposeStimeText(const SunLockValues& lock, std::string& text)
{
    if (!lock.locked) {
        text = "STIME NONE";
        return nullptr;
    }
    const int64_t minutes = lock.minutes.value_or(-1);
    if (minutes < 0 || minutes > kMostLockMinutes) {
        return "messageLockTimeMinimum";
    }
    text = Formatted("STIME %s %c%dMIN", lock.sunrise ? "SUNRISE" : "SUNSET",
                     lock.before ? '-' : '+', static_cast<int>(minutes));
    return nullptr;
}
