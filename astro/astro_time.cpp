#include "astro/astro_time.h"

#include "astro/astro_constants.h"
#include "astro/calendar.h"
#include "astro/precession.h"
#include "astro/trig.h"

double LocalSiderealTime(double jd, double longitude)
{
    const double d = jd - 2415020.0;
    const double hours = 18.6461 + 24 * 1.0027379092558308 * d + 3.24e-14 * d * d + longitude / 15;
    return NormalizeHours(hours) / 24 * 360;
}

double YearsSince1975(double jd)
{
    const double x = (jd - 2442412.5) / 365.25;
    return x + (0.0317 * x + 1.43) * 1e-6;
}

double CenturiesSinceJ2000(double jd)
{
    return (jd - kJ2000) / kDaysPerJulianCentury;
}

void AstroTimeFromDate(const DateTime& date, const ObserverLocation& location, AstroTime& t)
{
    t.date = date;
    t.julianDay = JulianDayFromDate(date);
    t.location = location;
    AstroTimeUpdate(t);
}

void AstroTimeFromJulianDay(double jd, double zone, const ObserverLocation& location,
                            AstroTime& t)
{
    DateFromJulianDay(jd + zone / 24, t.date);
    t.date.zone = zone;
    t.julianDay = jd;
    t.location = location;
    AstroTimeUpdate(t);
}

void AstroTimeUpdate(AstroTime& t)
{
    t.localSiderealTime = LocalSiderealTime(t.julianDay, t.location.longitude);
    t.yearsSince1975 = YearsSince1975(t.julianDay);
    t.centuriesSinceJ2000 = CenturiesSinceJ2000(t.julianDay);
    t.obliquity = MeanObliquity(t.julianDay);
    t.sinObliquity = SinDeg(t.obliquity);
    t.cosObliquity = CosDeg(t.obliquity);
    PrecessionMatrix(t.julianDay, kJ2000, t.precessionToJ2000);
}
