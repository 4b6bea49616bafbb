#include "dialogs/today_dialog_fields.h"

#include "astro/body_ids.h"
#include "astro/calendar.h"
#include "astro/moon.h"
#include "core/messages.h"
#include "sky/scene.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr double kMjdOffset = 2400000.5;
constexpr double kDuskAltitude = -18.0;
constexpr size_t kEraSize = 32;
constexpr size_t kDirectionSize = 8;
constexpr size_t kMonthSize = 16;

// The planets of the table's rows; the Earth has none.
constexpr Planet kPlanetRows[] = {kMercury, kVenus, kMars, kJupiter, kSaturn, kUranus, kNeptune, kPluto};

std::string Message(const char* key, size_t size)
{
    std::string text(size, '\0');
    GetMessage(key, text.data(), size);
    text.resize(std::char_traits<char>::length(text.c_str()));
    return text;
}

template <typename... Args>
std::string Printed(const char* format, Args... args)
{
    char text[128];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

// The elements behind an ObjectId of a loaded comet or minor planet; null
// for any other body.
const OrbitalElements* LoadedElements(const Scene& scene, int32_t objectId)
{
    const int32_t comet = objectId - kCometIdBase;
    if (comet >= 0 && comet < scene.cometCount) {
        return &scene.cometElements[comet];
    }
    const int32_t minorPlanet = objectId - kMinorPlanetIdBase;
    if (minorPlanet >= 0 && minorPlanet < scene.mplanetCount) {
        return &scene.mplanetElements[minorPlanet];
    }
    return nullptr;
}

TodayEvents EventsOf(const Scene& scene, const RiseSetDay& day, int32_t objectId)
{
    return {FormatEventTime(scene, day, objectId, kEventRise, 0.0),
            FormatEventTime(scene, day, objectId, kEventTransit, 0.0),
            FormatEventTime(scene, day, objectId, kEventSet, 0.0)};
}

std::string SiteText(const ObserverLocation& site)
{
    const std::string east = Message("messageDirectionE", kDirectionSize);
    const std::string west = Message("messageDirectionW", kDirectionSize);
    const std::string north = Message("messageDirectionN", kDirectionSize);
    const std::string south = Message("messageDirectionS", kDirectionSize);
    return Printed("%6.2f%s %5.2f%s", std::fabs(site.longitude),
                   (site.longitude >= 0.0 ? east : west).c_str(), std::fabs(site.latitude),
                   (site.latitude >= 0.0 ? north : south).c_str());
}

std::string MoonAgeText(const Scene& scene)
{
    DateTime noon = scene.time.date;
    noon.hour = 12;
    noon.minute = 0;
    return Printed("%4.1f", MoonAge(JulianDayFromDate(noon), scene.sun, scene.moon));
}

// Comets first, then minor planets, while rows are left; the rest blank.
void FillSmallBodyRows(const Scene& scene, const RiseSetDay& day, TodayTexts& texts)
{
    for (TodayObjectRow& row : texts.smallBodies) {
        row.name = std::string(kTodayNameWidth, ' ');
        row.events = {"--:--", "--:--", "--:--"};
    }
    int row = 0;
    const struct {
        int32_t count;
        const OrbitalElements* elements;
        int32_t idBase;
    } lists[] = {{scene.cometCount, scene.cometElements, kCometIdBase},
                 {scene.mplanetCount, scene.mplanetElements, kMinorPlanetIdBase}};
    for (const auto& list : lists) {
        for (int32_t i = 0; i < list.count && row < kTodayObjectRows; ++i, ++row) {
            TodayObjectRow& out = texts.smallBodies[static_cast<size_t>(row)];
            out.name = Printed("%-*.*s", kTodayNameWidth, kTodayNameWidth, list.elements[i].name);
            out.events = EventsOf(scene, day, list.idBase + i);
        }
    }
}

}  // namespace

std::string FormatTodayDate(int32_t year, int32_t month, int32_t day, int32_t dateStyle)
{
    const bool bc = year < 1;
    const std::string era = Message(bc ? "messageYearBC" : "messageYearAD", kEraSize);
    const int32_t shownYear = bc ? 1 - year : year;
    switch (dateStyle) {
    case 1:
        return Printed("%s %5d/%2d/%2d", era.c_str(), shownYear, month, day);
    case 2:
        return Printed("%2d/%2d/%5d %s", day, month, shownYear, era.c_str());
    default: {
        const std::string monthName = Message(Printed("messageMonth%02d", month).c_str(), kMonthSize);
        return Printed("%s %d, %d (%2.2s)", monthName.c_str(), day, shownYear, era.c_str());
    }
    }
}

std::string FormatEventTime(const Scene& scene, const RiseSetDay& day, int32_t objectId,
                            int32_t kind, double altitude)
{
    const double zone = scene.time.date.zone;
    double jd = 0.0;
    const OrbitalElements* elements = LoadedElements(scene, objectId);
    const RiseSetObject object =
        elements != nullptr ? RiseSetObjectOf(objectId, *elements) : RiseSetObjectOf(objectId);
    if (FindRiseTransitSet(day, zone, object, kind, scene.time.location, altitude, jd) == 0) {
        return "--:--";
    }
    DateTime local{};
    DateFromJulianDay(jd + zone / 24.0, local);
    if (local.second >= 30.0) {
        ++local.minute;
    }
    if (local.minute >= 60) {
        local.minute = 0;
        ++local.hour;
    }
    return Printed("%2d:%02d", local.hour, local.minute);
}

TodayTexts ComputeTodayTexts(const Scene& scene)
{
    const DateTime& date = scene.time.date;
    const ObserverLocation& site = scene.time.location;
    TodayTexts texts;
    texts.date = FormatTodayDate(date.year, date.month, date.day, scene.dateStyle);
    const double jd = JulianDayFromCalendar(date.year, date.month, date.day);
    texts.jd = Printed("%9.1f", jd);
    texts.mjd = Printed("%9.1f", jd - kMjdOffset);
    texts.site = SiteText(site);
    texts.moonAge = MoonAgeText(scene);

    const RiseSetDay day = SetupRiseSetDay(date, site);
    texts.dawn = FormatEventTime(scene, day, kSunId, kEventRise, kDuskAltitude);
    texts.sun = EventsOf(scene, day, kSunId);
    texts.dusk = FormatEventTime(scene, day, kSunId, kEventSet, kDuskAltitude);
    texts.moon = EventsOf(scene, day, kMoonId);
    for (size_t i = 0; i < texts.planets.size(); ++i) {
        texts.planets[i] = EventsOf(scene, day, kPlanetRows[i]);
    }
    FillSmallBodyRows(scene, day, texts);
    return texts;
}
