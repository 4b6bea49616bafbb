// Rise, transit and set: the day record, the places of the bodies during
// the day, the hour-angle iteration and the transit fallback.
#include "astro/rise_set.h"

#include "astro/astro_constants.h"
#include "astro/astro_time.h"
#include "astro/body_records.h"
#include "astro/calendar.h"
#include "astro/clamped_math.h"
#include "astro/coordinates.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/precession.h"
#include "astro/small_body_orbit.h"
#include "astro/sun.h"
#include "astro/trig.h"
#include "astro/vector_math.h"

#include <cmath>

namespace {

constexpr double kSiderealRate = 1.00273790935;       // sidereal per solar degree
constexpr double kSiderealDay = 0.9972695663298751;   // solar days
constexpr double kTolerance = 6.944444444444444e-5;   // 6 seconds, days
constexpr int32_t kMaxPasses = 11;
constexpr double kRefractionAllowance = 0.5855555;    // degrees
constexpr double kEarthRadius = 6371012.0;            // metres
constexpr double kEarthDiameter = 12742024.0;         // metres
constexpr double kHeightMinutes = 0.118;              // minutes per sqrt(metre)

// A converged rise or set must have the body this close to the altitude
// asked for: when the object no longer reaches it, the iteration settles at
// culmination, which is no event.
constexpr double kAltitudeTolerance = 0.5;            // degrees

// Where the first-order widening of the hour angle would be off by more
// than this (its second-order term), or sin H vanishes, H is solved for the
// depressed horizon directly instead.
constexpr double kWideningError = 1.0e-4;             // radians of hour angle

// Start of the local day (0h local time), Julian day UT.
double DayStart(const RiseSetDay& day)
{
    return day.dayJd - day.zone;
}

int32_t IsWithinDay(const RiseSetDay& day, double t)
{
    return t >= DayStart(day) && t < DayStart(day) + 1.0;
}

int32_t IsFiniteSite(const ObserverLocation& location)
{
    return std::isfinite(location.latitude) && std::isfinite(location.longitude) &&
           std::isfinite(location.height) && std::fabs(location.latitude) <= 90.0;
}

// Fraction of the day record's span at t (0 at local noon - 0.5).
double DayFraction(const RiseSetDay& day, double t)
{
    return t - day.localNoon + 0.5;
}

void InterpolateVector(const RiseSetDay& day, double t, double earth[3])
{
    const double f = DayFraction(day, t);
    for (int i = 0; i < 3; ++i)
        earth[i] = day.earthStart[i] + f * (day.earthEnd[i] - day.earthStart[i]);
}

// The Sun of date between the two records of the day.
void InterpolateSunRaDec(const RiseSetDay& day, double t, double raDec[2])
{
    const double f = DayFraction(day, t);
    raDec[0] = NormalizeDegrees(day.sunStart.raDate +
                                f * (day.sunEnd.raDate - day.sunStart.raDate));
    raDec[1] = day.sunStart.decDate + f * (day.sunEnd.decDate - day.sunStart.decDate);
}

// Equatorial place of date of a unit direction.
void RaDecFromVector(const double v[3], double raDec[2])
{
    const double len = VectorLength(v);
    raDec[0] = NormalizeDegrees(std::atan2(v[1], v[0]) * kDegreesPerRadian);
    raDec[1] = AsinDeg(v[2] / len);
}

// A planet seen from the Earth: its heliocentric place on the equator of
// date less the Earth's interpolated vector.
int32_t PlanetRaDecAt(const RiseSetDay& day, int32_t planet, double t,
                      const ObserverLocation& location, double raDec[2])
{
    AstroTime at;
    AstroTimeFromJulianDay(t, day.zone * 24.0, location, at);
    double ecliptic[2], r;
    if (!PlanetHeliocentric(planet, at, ecliptic, r, kFullPrecision))
        return 0;
    double helio[3], toEquator[9], earth[3], geo[3];
    VectorFromSpherical(ecliptic, helio);
    VectorScale(helio, r, helio);
    RotationX(-at.obliquity, toEquator);
    MatrixTimesVector(helio, toEquator, helio);
    InterpolateVector(day, t, earth);
    VectorSubtract(helio, earth, geo);
    RaDecFromVector(geo, raDec);
    return 1;
}

// A comet or minor planet seen from the Earth: its place on the equator of
// t with the Earth's interpolated vector (whose length serves as R).
int32_t SmallBodyRaDecAt(const RiseSetDay& day, const void* object, double t, double raDec[2])
{
    if (object == nullptr)
        return 0;
    double earth[3];
    InterpolateVector(day, t, earth);
    SmallBodyRecord place{};
    if (SmallBodyPosition(t, *static_cast<const OrbitalElements*>(object), earth, VectorLength(earth), t,
                          place) == 0)
        return 0;
    raDec[0] = place.raJ2000;
    raDec[1] = place.decJ2000;
    return 1;
}

// Equatorial place of date of the object at t.
// Returned: 1, or 0 when the object has no place (unknown id, no data)
int32_t ObjectRaDecAt(const RiseSetDay& day, int32_t id, const void* object, double t,
                      const ObserverLocation& location, double raDec[2])
{
    if (id == kSunId) {
        InterpolateSunRaDec(day, t, raDec);
        return 1;
    }
    if (id == kMoonId) {
        AstroTime at;
        AstroTimeFromJulianDay(t, day.zone * 24.0, location, at);
        MoonRecord moon{};
        MoonPosition(at, moon, kFullPrecision);
        raDec[0] = moon.raDate;
        raDec[1] = moon.decDate;
        return 1;
    }
    if (id == kFixedPointId) {
        if (object == nullptr)
            return 0;
        const double* j2000 = static_cast<const double*>(object);
        if (!std::isfinite(j2000[0]) || !std::isfinite(j2000[1]))
            return 0;
        ConvertCoordinates(day.noon, kFrameEqt, j2000, kFrameEqtDate, raDec);
        return 1;
    }
    if (id >= 0 && id < kPlanetCount)
        return PlanetRaDecAt(day, id, t, location, raDec);
    if (id >= 10000 && id < 30000)
        return SmallBodyRaDecAt(day, object, t, raDec);
    return 0;
}

// Depression of the visible horizon for a rise or set at altitude 0: the
// dip for the observer's height (a raised horizon below sea level), the
// refraction allowance, and for the Sun its semidiameter. Degrees.
double HorizonDip(double height)
{
    const double dip = std::atan(ClampedSqrt(std::fabs(height * (height + kEarthDiameter))) /
                                 kEarthRadius) * kDegreesPerRadian;
    return height < 0.0 ? -dip : dip;
}

double BodyAllowance(const RiseSetDay& day, int32_t id)
{
    return kRefractionAllowance + (id == kSunId ? day.sunStart.semidiameter : 0.0);
}

// Classification at time t against the altitude the event is asked for:
// 0 always above it, 1 never reaching it, 2 crossing it; -1 when the object
// has no place. At altitude 0 the visible horizon is meant.
int32_t RiseSetSearchAltitude(const RiseSetDay& day, int32_t id, const void* object,
                              const ObserverLocation& location, double h0, double t)
{
    double raDec[2];
    if (!ObjectRaDecAt(day, id, object, t, location, raDec))
        return -1;
    const double target = h0 != 0.0 ? h0 : -(HorizonDip(location.height) + BodyAllowance(day, id));
    const double phi = location.latitude;
    const double dec = raDec[1];
    if (phi >= 0.0) {
        if (dec >= 90.0 - phi + target)
            return 0;
        return dec > phi - 90.0 + target ? 2 : 1;
    }
    if (dec <= -90.0 - phi - target)
        return 0;
    return dec < 90.0 + phi - target ? 2 : 1;
}

// Apparent altitude of the object at t: its altitude plus, for a rise or
// set on the visible horizon, the horizon's depression. Degrees; NaN when
// the object has no place.
double RiseSetSearch(const RiseSetDay& day, int32_t id, const void* object, double t,
                     const ObserverLocation& location, double h0)
{
    double raDec[2], horizontal[2];
    if (!ObjectRaDecAt(day, id, object, t, location, raDec))
        return NAN;
    AstroTime at;
    AstroTimeFromJulianDay(t, day.zone * 24.0, location, at);
    ConvertCoordinates(at, kFrameEqtDate, raDec, kFrameHrz, horizontal);
    if (h0 != 0.0)
        return horizontal[1];
    return horizontal[1] + HorizonDip(location.height) + BodyAllowance(day, id);
}

double EventHourAngle(double ra, double hourAngle, int32_t kind)
{
    if (kind == kEventRise)
        return ra - hourAngle;
    if (kind == kEventSet)
        return ra + hourAngle;
    return ra;
}

// UT at which the local sidereal angle reaches theta, counted from 0h UT
// of the given day.
double SiderealToDayFraction(const RiseSetDay& day, double theta)
{
    return day.dayJd + (theta - day.sidereal[1]) / kSiderealRate / 360.0;
}

// Moves t by whole sidereal days to the time nearest `near`.
double NearestSiderealAlias(double t, double near)
{
    return t + std::round((near - t) / kSiderealDay) * kSiderealDay;
}

// Moves t by whole sidereal days into the local day: the first such time
// after the start when t lies before it, the last before the end when t
// lies after it.
double EventTimeInDay(const RiseSetDay& day, double t)
{
    const double start = DayStart(day);
    if (t < start)
        return t + std::ceil((start - t) / kSiderealDay) * kSiderealDay;
    if (t >= start + 1.0)
        return t - (std::floor((t - start - 1.0) / kSiderealDay) + 1.0) * kSiderealDay;
    return t;
}

// The hour angle of a rise or set on the visible horizon, and the time
// shift for the observer's height that goes with it. The usual step widens
// the geometric H by the allowance over the altitude's rate of change and
// shifts the time for the height; where that step is poor (near
// culmination, or where the rates vanish) H is solved for the whole
// depression and no shift is needed.
// Given:    hourAngle  H for altitude 0, degrees
//           cosH       its cosine
//           dec        declination, degrees
// Returned: widened    H', degrees
//           shift      days to add to a rise (its negative to a set)
//           reaches    0 when the body does not reach the depressed horizon
void WidenHourAngle(const RiseSetDay& day, int32_t id, const ObserverLocation& location,
                    double hourAngle, double cosH, double dec, double& widened, double& shift,
                    int32_t& reaches)
{
    const double phi = location.latitude;
    const double allowance = BodyAllowance(day, id);
    const double rate = day.cosLatitude * std::cos(dec / kDegreesPerRadian) *
                        std::sin(hourAngle / kDegreesPerRadian);
    const double heightProduct = std::cos((phi + dec) / kDegreesPerRadian) *
                                 std::cos((phi - dec) / kDegreesPerRadian);
    const double heightMinutes =
        kHeightMinutes * ClampedSqrt(std::fabs(location.height / heightProduct));
    widened = hourAngle + allowance / rate;
    shift = (location.height < 0.0 ? heightMinutes : -heightMinutes) / kMinutesPerDay;
    // Hour angle equivalent of the whole step, and its second-order error.
    const double step = (widened - hourAngle - shift * 360.0 * kSiderealRate) / kDegreesPerRadian;
    const double sinH = std::sin(hourAngle / kDegreesPerRadian);
    const double error = 0.5 * step * step * std::fabs(cosH) / std::fabs(sinH);
    if (std::fabs(sinH) > 1.0e-6 && std::isfinite(widened) && std::isfinite(shift) &&
        std::isfinite(error) && error <= kWideningError)
        return;
    const double depressed = -(allowance + HorizonDip(location.height));
    const double cosDirect = (SinDeg(depressed) - day.sinLatitude * SinDeg(dec)) /
                             (day.cosLatitude * CosDeg(dec));
    widened = AcosDeg(cosDirect);
    shift = 0.0;
    reaches = std::fabs(cosDirect) <= 1.0;
}

// One pass: the next estimate of the event from the place at t. The first
// pass of a search from local noon puts it in the local day; every other
// pass takes the sidereal day nearest the estimate it started from, so
// that an event close to midnight is not thrown between the two ends of
// the day.
// Returned: 1 with the estimate in next; 0 when there is none (the object
//           does not reach the altitude at the first pass, or a value is
//           not finite)
//           reaches  0 when the object did not reach the altitude at t and
//                    the estimate aims at its culmination instead
int32_t NextEstimate(const RiseSetDay& day, int32_t id, const void* object, int32_t kind,
                     const ObserverLocation& location, double h0, int32_t mode, double t,
                     int32_t firstPass, double& next, int32_t& reaches)
{
    double raDec[2];
    if (!ObjectRaDecAt(day, id, object, t, location, raDec))
        return 0;
    const double dec = raDec[1];
    double cosH = (SinDeg(h0) - day.sinLatitude * SinDeg(dec)) /
                  (CosDeg(dec) * day.cosLatitude);
    if (!std::isfinite(cosH) || (firstPass && std::fabs(cosH) > 1.0))
        return 0;
    // Later passes: the object no longer reaches the altitude near t, so
    // aim at its culmination, which is no event unless the place at the
    // next pass reaches the altitude again.
    reaches = kind == kEventTransit || std::fabs(cosH) <= 1.0;
    const double hourAngle = AcosDeg(cosH);
    double widened = hourAngle;
    double shift = 0.0;
    if (kind != kEventTransit && h0 == 0.0)
        WidenHourAngle(day, id, location, hourAngle, cosH, dec, widened, shift, reaches);
    const double theta = EventHourAngle(raDec[0], widened, kind);
    if (!std::isfinite(theta))
        return 0;
    next = SiderealToDayFraction(day, theta);
    next = mode == 0 && firstPass ? EventTimeInDay(day, next) : NearestSiderealAlias(next, t);
    next += kind == kEventRise ? shift : -shift;
    return std::isfinite(next);
}

int32_t IsUsableQuery(const RiseSetDay& day, int32_t kind, double h0,
                      const ObserverLocation& location)
{
    return day.valid && (kind == kEventRise || kind == kEventTransit || kind == kEventSet) &&
           std::isfinite(h0) && std::fabs(h0) <= 90.0 && IsFiniteSite(location);
}

}  // namespace

RiseSetDay SetupRiseSetDay(const DateTime& date, const ObserverLocation& location)
{
    RiseSetDay day{};
    if (!std::isfinite(date.zone) || std::fabs(date.zone) > 24.0 || !IsFiniteSite(location) ||
        date.year < kFirstYear || date.year > kLastYear)
        return day;
    day.zone = date.zone / 24.0;
    day.dayJd = JulianDayFromCalendar(date.year, date.month, date.day);
    day.localNoon = day.dayJd - day.zone + 0.5;
    for (int i = 0; i < 3; ++i)
        day.sidereal[i] = LocalSiderealTime(day.dayJd - 1.0 + i, location.longitude);
    for (int i = 1; i < 3; ++i)
        if (day.sidereal[i] < day.sidereal[i - 1])
            day.sidereal[i] += 360.0 * std::ceil((day.sidereal[i - 1] - day.sidereal[i]) / 360.0);

    AstroTime start, end;
    AstroTimeFromJulianDay(day.localNoon - 0.5, date.zone, location, start);
    AstroTimeFromJulianDay(day.localNoon + 0.5, date.zone, location, end);
    SunPosition(start, day.sunStart);
    SunPosition(end, day.sunEnd);
    // Keep the interpolation of the right ascension from running the long way round.
    if (day.sunEnd.raDate - day.sunStart.raDate > 180.0)
        day.sunStart.raDate += 360.0;
    else if (day.sunStart.raDate - day.sunEnd.raDate > 180.0)
        day.sunEnd.raDate += 360.0;

    double toDate[9];
    PrecessionMatrix(kJ2000, day.localNoon, toDate);
    MatrixTimesVector(day.sunStart.geometricEarth, toDate, day.earthStart);
    MatrixTimesVector(day.sunEnd.geometricEarth, toDate, day.earthEnd);
    day.sinLatitude = std::sin(location.latitude / kDegreesPerRadian);
    day.cosLatitude = std::cos(location.latitude / kDegreesPerRadian);
    AstroTimeFromJulianDay(day.localNoon, date.zone, location, day.noon);
    day.valid = 1;
    return day;
}

int32_t EventSearch(const RiseSetDay& day, double, int32_t objectId, const void* object,
                    int32_t kind, const ObserverLocation& location, double h0, int32_t mode,
                    double& t1, double& t2)
{
    if (!IsUsableQuery(day, kind, h0, location) || std::fabs(day.cosLatitude) < 1e-10)
        return kSearchNoEvent;
    if (mode == 1 && !std::isfinite(t1))
        return kSearchNoEvent;
    const double start = mode == 1 ? t1 : day.localNoon;
    if (RiseSetSearchAltitude(day, objectId, object, location, h0, start) != 2)
        return kSearchNoEvent;
    double t = start;
    for (int32_t pass = 0; pass < kMaxPasses; ++pass) {
        double next;
        int32_t reaches = 1;
        if (!NextEstimate(day, objectId, object, kind, location, h0, mode, t, pass == 0, next,
                          reaches))
            return kSearchNoEvent;
        if (std::fabs(t - next) <= kTolerance && IsWithinDay(day, next)) {
            if (!reaches)
                return kSearchNoEvent;
            if (kind != kEventTransit) {
                const double target = h0 != 0.0 ? h0 : 0.0;
                const double altitude = RiseSetSearch(day, objectId, object, next, location, h0);
                if (!(std::fabs(altitude - target) <= kAltitudeTolerance))
                    return kSearchNoEvent;
            }
            t1 = next;
            return kSearchFound;
        }
        t1 = t;
        t2 = next;
        t = next;
    }
    return kSearchNotConverged;
}

int32_t TransitSearch(const RiseSetDay& day, int32_t objectId, const void* object,
                      const ObserverLocation& location, double& jd)
{
    if (!day.valid || !IsFiniteSite(location))
        return 0;
    double t = day.localNoon;
    for (int32_t pass = 0; pass < kMaxPasses; ++pass) {
        double raDec[2];
        if (!ObjectRaDecAt(day, objectId, object, t, location, raDec))
            return 0;
        const double crossing = SiderealToDayFraction(day, raDec[0]);
        const double next =
            pass == 0 ? EventTimeInDay(day, crossing) : NearestSiderealAlias(crossing, t);
        jd = next;
        if (std::fabs(t - next) <= kTolerance && IsWithinDay(day, next))
            return 1;
        t = next;
    }
    return 0;
}

int32_t FindRiseTransitSet(const RiseSetDay& day, double zone, int32_t objectId, const void* object,
                           int32_t kind, const ObserverLocation& location, double h0, double& jd)
{
    double t1 = 0.0, t2 = 0.0;
    const int32_t result = EventSearch(day, zone, objectId, object, kind, location, h0, 0, t1, t2);
    if (result == kSearchFound && IsWithinDay(day, t1)) {
        jd = t1;
        return 1;
    }
    // Refine from the last two estimates of a search that did not settle,
    // then from both ends of the day: a body that moves fast in
    // declination (the Moon far north or south) can rise or set near
    // midnight although its place at noon never reaches the horizon.
    const int32_t unsettled = result == kSearchNotConverged;
    const double starts[4] = {t1, t2, DayStart(day), DayStart(day) + 1.0};
    for (int32_t i = unsettled ? 0 : 2; i < 4; ++i) {
        double refined = starts[i], unused = 0.0;
        if (EventSearch(day, zone, objectId, object, kind, location, h0, 1, refined, unused) ==
                kSearchFound &&
            IsWithinDay(day, refined)) {
            jd = refined;
            return 1;
        }
    }
    if (kind == kEventTransit && IsUsableQuery(day, kind, h0, location)) {
        double transit = 0.0;
        if (TransitSearch(day, objectId, object, location, transit)) {
            jd = transit;
            return 1;
        }
    }
    return 0;
}

namespace {

int32_t SunEvent(const DateTime& date, const ObserverLocation& location, int32_t kind, double h0,
                 double& jd)
{
    const RiseSetDay day = SetupRiseSetDay(date, location);
    return FindRiseTransitSet(day, date.zone, kSunId, nullptr, kind, location, h0, jd);
}

}  // namespace

int32_t SunRiseTime(const DateTime& date, const ObserverLocation& location, double& jd)
{
    return SunEvent(date, location, kEventRise, 0.0, jd);
}

int32_t SunSetTime(const DateTime& date, const ObserverLocation& location, double& jd)
{
    return SunEvent(date, location, kEventSet, 0.0, jd);
}

int32_t SunRiseThroughAltitude(const DateTime& date, const ObserverLocation& location, double& jd,
                               int32_t altitude)
{
    return SunEvent(date, location, kEventRise, altitude, jd);
}

int32_t SunSetThroughAltitude(const DateTime& date, const ObserverLocation& location, double& jd,
                              int32_t altitude)
{
    return SunEvent(date, location, kEventSet, altitude, jd);
}
