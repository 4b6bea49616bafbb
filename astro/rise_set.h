// Rising, meridian transit and setting of any body on a civil date at a
// site, and the instants at which the Sun passes a given altitude
// (twilight, and the sunrise/sunset time lock). Julian days are UT; angles
// are degrees; heights are metres.
//
// The search works on one day at a time: SetupRiseSetDay gives a day record
// that the caller keeps and passes to every search of that day, so that
// searches of other days and bodies (the What's Today table, the comets)
// can run between them. An event belongs to the date when it lies in the
// local day [0h, 24h) local time.
#pragma once

#include "astro/body_records.h"
#include "astro/time_records.h"

#include <cstdint>

// Event kinds.
constexpr int32_t kEventRise = 1;
constexpr int32_t kEventTransit = 2;
constexpr int32_t kEventSet = 3;

// Results of EventSearch.
constexpr int32_t kSearchFound = 0;
constexpr int32_t kSearchNotConverged = 1;
constexpr int32_t kSearchNoEvent = 2;

// The day a search works on.
struct RiseSetDay {
    int32_t valid;             // 0 when the date or site held a non-finite value
    double zone;               // days east of UT
    double dayJd;              // 0h UT of the civil date
    double localNoon;          // UT of 12:00 local time
    double sidereal[3];        // LST at 0h UT of the previous, given, next day, increasing
    SunRecord sunStart;        // at local noon - 0.5
    SunRecord sunEnd;          // at local noon + 0.5
    double earthStart[3];      // Earth from the Sun, geometric, equator of date, AU
    double earthEnd[3];
    double sinLatitude;
    double cosLatitude;
    AstroTime noon;            // the site at local noon
};

// Prepares the day the later searches work on: the Julian day of 0h UT of
// the civil date, local noon, the local sidereal angles at 0h UT of the
// previous, the given and the next day, the Sun and the Earth's vector at
// the start and end of the local day, and the site's latitude terms.
// Given:    date      civil date (year, month, day) and its zone, hours east
//                     of UT; the clock fields are not read
//           location  site: latitude, east longitude (degrees), height (m)
// Returned: the day record; not valid (no search finds an event) when a
//           value is not finite or out of range
RiseSetDay SetupRiseSetDay(const DateTime& date, const ObserverLocation& location);

// One event of one body in a local day set up by SetupRiseSetDay: a
// search from local noon, then refinements from its last estimates and
// from both ends of the day, and for a transit the right-ascension
// iteration of TransitSearch.
// Given:    day       the day record
//           zone      hours east of UT; the day's zone is the one used
//           objectId  -10 fixed J2000 point, -2 Sun, -1 Moon, 0..7 planets,
//                     10000 + i comet, 20000 + i minor planet
//           object    for -10: const double[2], J2000 {RA, Dec} in degrees;
//                     for a comet or minor planet: its const OrbitalElements;
//                     otherwise not read (may be null)
//           kind      kEventRise, kEventTransit or kEventSet
//           location  site (must be the one the day was set up for)
//           h0        altitude of the event, degrees; 0 means the visible
//                     horizon (refraction, semidiameter and height allowed)
// Returned: jd        Julian day (UT) of the event when found
//           1 when an event of the kind lies in the local day, else 0
int32_t FindRiseTransitSet(const RiseSetDay& day, double zone, int32_t objectId, const void* object,
                           int32_t kind, const ObserverLocation& location, double h0, double& jd);

// Sunrise and sunset on the visible horizon: SetupRiseSetDay, then the
// Sun's rise or set with h0 = 0 in the date's zone.
// Given:    date      civil date and zone
//           location  site
// Returned: jd        Julian day (UT) of the event when found
//           1 found, 0 no event on the date
int32_t SunRiseTime(const DateTime& date, const ObserverLocation& location, double& jd);
int32_t SunSetTime(const DateTime& date, const ObserverLocation& location, double& jd);

// The morning and evening passes of the Sun's centre through an altitude
// (twilight at -6, -12, -18), without refraction or height correction
// unless the altitude is 0.
// Given:    date      civil date and zone
//           location  site
//           altitude  whole degrees
// Returned: jd        Julian day (UT) of the pass when found
//           1 found, 0 no pass on the date
int32_t SunRiseThroughAltitude(const DateTime& date, const ObserverLocation& location, double& jd,
                               int32_t altitude);
int32_t SunSetThroughAltitude(const DateTime& date, const ObserverLocation& location, double& jd,
                              int32_t altitude);

// The iteration behind FindRiseTransitSet: at most 11 passes of the hour
// angle at which the body's place of the moment reaches the altitude,
// settling when two estimates lie within 6 seconds inside the local day.
// Given:    day, zone, objectId, object, kind, location, h0
//                     as FindRiseTransitSet
//           mode      0 start at local noon, the first estimate put in the
//                     local day; 1 refine from t1
//           t1        start value in mode 1
// Returned: t1        the event (kSearchFound) or the next-to-last estimate
//           t2        the last estimate (kSearchNotConverged)
//           kSearchFound; kSearchNotConverged; kSearchNoEvent when the body
//           does not cross the altitude at the start (always above or
//           below it, or no place), at the poles, for a rise or set whose
//           estimate settles where the body does not reach the altitude,
//           and for non-finite or out-of-range input
int32_t EventSearch(const RiseSetDay& day, double zone, int32_t objectId, const void* object,
                    int32_t kind, const ObserverLocation& location, double h0, int32_t mode,
                    double& t1, double& t2);

// Meridian transit by iterating on the right ascension alone, the fallback
// when EventSearch does not converge on a transit.
// Given:    day, objectId, object  as FindRiseTransitSet
//           location  site
// Returned: jd        the last estimate, whether converged or not
//           1 converged inside the local day, else 0
int32_t TransitSearch(const RiseSetDay& day, int32_t objectId, const void* object,
                      const ObserverLocation& location, double& jd);
