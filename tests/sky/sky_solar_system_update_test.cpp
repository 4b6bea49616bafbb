// The solar-system update before each redraw: what it recomputes (counted
// by the update's own tally), what the solar-system views skip, how loaded
// comets and minor planets are refused while their orbits are not computed,
// the phases of the planets against libnova, and the disk overlap and
// eclipse magnitude against ERFA's separation and position angle and the
// 2024 April 8 total eclipse at Dallas.
#include <gtest/gtest.h>

#include "astro/astro_time.h"
#include "astro/body_records.h"
#include "astro/eclipse.h"
#include "astro/jovian_moons.h"
#include "core/app_env.h"
#include "sky/scene.h"
#include "sky/solar_system_update.h"

#include <erfa.h>
#include <libnova/dynamical_time.h>
#include <libnova/mars.h>
#include <libnova/mercury.h>
#include <libnova/venus.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

constexpr double kDeg = M_PI / 180.0;
const ObserverLocation kTokyo{35.6581, 139.7414, 40.0};

// A freshly reset scene at an instant, as the first redraw finds it.
Scene& SceneAt(double jd, const ObserverLocation& site = kTokyo)
{
    static Scene scene;
    std::memset(&scene, 0xA5, sizeof scene);
    ResetScene(scene);
    scene.lastSolarUpdate = kNeverJulianDay;
    AstroTimeFromJulianDay(jd, 9.0, site, scene.time);
    return scene;
}

void MoveTo(Scene& scene, double jd)
{
    AstroTimeFromJulianDay(jd, scene.time.date.zone, scene.time.location, scene.time);
}

// One redraw's worth of update: the drawing code stores the day of the last
// update after it.
SolarSystemRecomputations Redraw(Scene& scene)
{
    gSolarSystemRecomputations = SolarSystemRecomputations{};
    UpdateSolarSystem(scene);
    scene.lastSolarUpdate = scene.time.julianDay;
    return gSolarSystemRecomputations;
}

void Pick(Scene& scene, int32_t type, int32_t id)
{
    scene.pickedObject.picked = 1;
    scene.pickedObject.type = type;
    scene.pickedObject.id = id;
}

unsigned Total(const SolarSystemRecomputations& n)
{
    unsigned total = n.sun + n.moon + n.jovianMoons;
    for (unsigned planet : n.planets)
        total += planet;
    return total;
}

// Each body once at a new instant; at the same instant again (a pan or a
// zoom) nothing, but the Sun's horizontal place is refreshed all the same.
TEST(SolarSystemUpdate, NewInstantComputesEveryBodyOnceAndPanComputesNothing)
{
    Scene& scene = SceneAt(2460000.5);
    for (double step : {0.0, 0.25, 1.0 / 1440.0}) {
        MoveTo(scene, scene.time.julianDay + step);
        const SolarSystemRecomputations n = Redraw(scene);
        EXPECT_EQ((std::array{n.sun, n.moon, n.jovianMoons}), (std::array{1u, 1u, 1u})) << step;
        for (double day : {scene.sun.julianDay, scene.moon.julianDay, scene.jovianMoons[0].julianDay})
            EXPECT_EQ(day, scene.time.julianDay) << step;
        for (int i = 0; i < kPlanetCount; ++i) {
            EXPECT_EQ(n.planets[i], 1u) << "planet " << i;
            EXPECT_EQ(scene.planets[i].julianDay, scene.time.julianDay) << "planet " << i;
        }
        scene.view.fieldOfView = 30.0;
        scene.sun.azimuth = std::numeric_limits<double>::quiet_NaN();
        EXPECT_EQ(Total(Redraw(scene)), 0u) << step;
        EXPECT_FALSE(std::isnan(scene.sun.azimuth)) << step;
    }
}

TEST(SolarSystemUpdate, HiddenPlanetsAndSatellitesAreLeftStale)
{
    Scene& scene = SceneAt(2460000.5);
    scene.planetFlags[1] = 0;
    scene.jovianMoonFlags = 0;
    SolarSystemRecomputations n = Redraw(scene);
    EXPECT_EQ(n.planets[1], 0u);
    EXPECT_EQ(n.planets[3], 1u);
    EXPECT_EQ(n.jovianMoons, 0u);
    EXPECT_EQ(scene.planets[1].julianDay, kNeverJulianDay);

    // Shown again at the same instant: computed at the next redraw.
    scene.planetFlags[1] = kBodyShown;
    scene.jovianMoonFlags = 1;
    n = Redraw(scene);
    EXPECT_EQ(n.planets[1], 1u);
    EXPECT_EQ(n.jovianMoons, 1u);
}

// A satellite picked while Jupiter is hidden: Jupiter, not brought up to
// date by the planets' pass, is computed first, so that the satellites
// stand round where Jupiter is now.
TEST(SolarSystemUpdate, PickedSatelliteWithJupiterHiddenUpdatesJupiterFirst)
{
    Scene& scene = SceneAt(2460000.5);
    scene.planetFlags[3] = 0;
    Redraw(scene);
    EXPECT_EQ(scene.planets[3].julianDay, kNeverJulianDay);

    Pick(scene, 54, 2);
    MoveTo(scene, 2460100.5);
    const SolarSystemRecomputations n = Redraw(scene);
    EXPECT_EQ(n.planets[3], 1u);
    EXPECT_EQ(n.jovianMoons, 1u);
    const PlanetRecord& jupiter = scene.planets[3];
    EXPECT_EQ(jupiter.julianDay, 2460100.5);
    for (int i = 0; i < 4; ++i) {
        const double* s = scene.jovianMoons[i].unitVector;
        const double* j = jupiter.unitVector;
        // From the cross product: the table-sine vectors are a few 1e-7
        // off unit length, which an arc cosine of their dot product would
        // turn into milliradians.
        const double cross[3] = {s[1] * j[2] - s[2] * j[1], s[2] * j[0] - s[0] * j[2], s[0] * j[1] - s[1] * j[0]};
        const double apart = std::hypot(cross[0], cross[1], cross[2]) /
                             (std::hypot(s[0], s[1], s[2]) * std::hypot(j[0], j[1], j[2]));
        EXPECT_LT(apart, 1.05 * JovianMoonTable[i].radius / jupiter.distance) << "satellite " << i;
    }

    // With Jupiter shown it is computed once, by the planets' pass.
    scene.planetFlags[3] = kBodyShown;
    MoveTo(scene, 2460101.5);
    EXPECT_EQ(Redraw(scene).planets[3], 1u);
}

// Disk-drawn planets get their phase at every update; libnova's
// illuminated fraction (VSOP87, Meeus ch. 41) agrees within 0.005.
TEST(SolarSystemUpdate, DiskPlanetsGetPhasesMatchingLibnova)
{
    Scene& scene = SceneAt(2460000.5);
    scene.planetFlags[0] |= kBodyOutline;
    scene.planetFlags[1] |= kBodyOutline;
    scene.planetFlags[2] |= kBodyOutline;
    scene.planets[4].illuminatedFraction = -7.0;   // Saturn drawn as a point
    for (double jd = 2460000.5; jd < 2460600.0; jd += 37.0) {
        MoveTo(scene, jd);
        Redraw(scene);
        const double jde = jd + ln_get_dynamical_time_diff(jd) / 86400.0;
        EXPECT_NEAR(scene.planets[0].illuminatedFraction, ln_get_mercury_disk(jde), 0.005) << jd;
        EXPECT_NEAR(scene.planets[1].illuminatedFraction, ln_get_venus_disk(jde), 0.005) << jd;
        EXPECT_NEAR(scene.planets[2].illuminatedFraction, ln_get_mars_disk(jde), 0.005) << jd;
    }
    EXPECT_EQ(scene.planets[4].illuminatedFraction, -7.0);

    // Recomputed even when the planet's place is not.
    scene.planets[1].illuminatedFraction = -7.0;
    EXPECT_EQ(Redraw(scene).planets[1], 0u);
    EXPECT_NE(scene.planets[1].illuminatedFraction, -7.0);
}

TEST(SolarSystemUpdate, SunHorizontalPlaceMatchesErfa)
{
    Scene& scene = SceneAt(2460000.5);
    Redraw(scene);
    // ERFA's hour angle and declination to azimuth/altitude, from the
    // program's own J2000 place taken to the equator of date and its
    // sidereal time; azimuth turned to count from the south through west.
    const double* p = scene.time.precessionToJ2000;
    const double v[3] = {std::cos(scene.sun.decJ2000 * kDeg) * std::cos(scene.sun.raJ2000 * kDeg),
                         std::cos(scene.sun.decJ2000 * kDeg) * std::sin(scene.sun.raJ2000 * kDeg),
                         std::sin(scene.sun.decJ2000 * kDeg)};
    double ofDate[3];
    for (int i = 0; i < 3; ++i)
        ofDate[i] = p[i] * v[0] + p[3 + i] * v[1] + p[6 + i] * v[2];   // transpose: J2000 to date
    const double ra = std::atan2(ofDate[1], ofDate[0]);
    const double dec = std::asin(ofDate[2]);
    double az, alt;
    eraHd2ae(scene.time.localSiderealTime * kDeg - ra, dec, kTokyo.latitude * kDeg, &az, &alt);
    const double southAzimuth = std::fmod(az / kDeg + 180.0, 360.0);
    EXPECT_NEAR(std::remainder(scene.sun.azimuth - southAzimuth, 360.0), 0.0, 0.01);
    EXPECT_NEAR(scene.sun.altitude, alt / kDeg, 0.01);
}

// The Moon keeps its own day: the solar-system views skip it while the
// clock moves on, and coming back to the sky at the same instant must
// recompute it, although the day of the last update already matches.
TEST(SolarSystemUpdate, SolarSystemViewSkipsMoonWithoutLeavingItStale)
{
    Scene& scene = SceneAt(2460000.5);
    Redraw(scene);
    scene.viewMode = kModeSol1;
    MoveTo(scene, 2460001.5);
    scene.sun.azimuth = -123.0;
    SolarSystemRecomputations n = Redraw(scene);
    EXPECT_EQ(n.sun, 1u);
    EXPECT_EQ(n.moon, 0u);
    EXPECT_EQ(scene.sun.azimuth, -123.0);   // no horizontal place in these views
    EXPECT_EQ(scene.moon.julianDay, 2460000.5);

    scene.viewMode = kModeHrz;
    n = Redraw(scene);
    EXPECT_EQ(n.sun, 0u);
    EXPECT_EQ(n.moon, 1u);
    EXPECT_EQ(scene.moon.julianDay, 2460001.5);
}

TEST(SolarSystemUpdate, MoonRecomputedForNewSiteAndWhilePicked)
{
    Scene& scene = SceneAt(2460000.5);
    Redraw(scene);
    const double tokyoRa = scene.moon.raJ2000;

    ObserverLocation elsewhere = kTokyo;
    elsewhere.latitude = -33.9;
    AstroTimeFromJulianDay(scene.time.julianDay, 9.0, elsewhere, scene.time);
    EXPECT_EQ(Redraw(scene).moon, 1u);
    EXPECT_NE(scene.moon.raJ2000, tokyoRa);   // topocentric: the parallax moved it
    EXPECT_EQ(scene.moon.cachedLocation.latitude, -33.9);

    EXPECT_EQ(Redraw(scene).moon, 0u);
    Pick(scene, 51, -1);
    EXPECT_EQ(Redraw(scene).moon, 1u);
    EXPECT_EQ(Redraw(scene).moon, 1u);
    scene.viewMode = kModeSol2;
    EXPECT_EQ(Redraw(scene).moon, 1u);   // the information box shows it even here
}

TEST(SolarSystemUpdate, MoonAgeAndEclipseFieldsRefreshedWithTheMoon)
{
    Scene& scene = SceneAt(2460000.5);
    scene.moon.age = -1.0;
    scene.sun.eclipseMagnitude = 5.0;
    Redraw(scene);
    EXPECT_GE(scene.moon.age, 0.0);
    EXPECT_LT(scene.moon.age, 29.6);
    EXPECT_EQ(scene.sun.eclipseMagnitude, -1.0);   // 2023 Feb 25: no eclipse
}

// The 2024 April 8 total eclipse: from Dallas (32.78 N, 96.80 W) the Moon
// covered the Sun from 18:40:43 to 18:44:35 UT.
TEST(SolarEclipse, TotalEclipseAtDallasHasMagnitudeAboveOne)
{
    const ObserverLocation dallas{32.7767, -96.7970, 140.0};
    const double jd = 2460408.5 + (18.0 + 42.0 / 60.0 + 40.0 / 3600.0) / 24.0;
    Scene& scene = SceneAt(jd, dallas);
    Redraw(scene);
    EXPECT_GT(scene.sun.eclipseMagnitude, 1.0);
    EXPECT_LT(scene.sun.eclipseMagnitude, 1.05);

    // An hour earlier the eclipse was partial, the Moon to the west of the
    // Sun (position angle between south and north through west).
    MoveTo(scene, jd - 1.0 / 24.0);
    Redraw(scene);
    EXPECT_GT(scene.sun.eclipseMagnitude, 0.2);
    EXPECT_LT(scene.sun.eclipseMagnitude, 0.9);
    EXPECT_GT(scene.sun.eclipsePositionAngle, 180.0);
    EXPECT_LT(scene.sun.eclipsePositionAngle, 360.0);

    // Two hours before first contact: disks apart, exactly -1.
    MoveTo(scene, jd - 3.5 / 24.0);
    Redraw(scene);
    EXPECT_EQ(scene.sun.eclipseMagnitude, -1.0);
}

// The eclipse fields follow the instant, whatever else moved the Sun in
// between: a solar-system view at another day (the Moon skipped there), or
// another instant drawn in the sky. Back at the eclipse, the fields are
// those of the first redraw; at the other instant, no eclipse.
TEST(SolarEclipse, EclipseFieldsFollowTheInstantAfterARoundTrip)
{
    const ObserverLocation dallas{32.7767, -96.7970, 140.0};
    const double jd = 2460408.5 + (18.0 + 42.0 / 60.0) / 24.0;
    struct Row {
        ViewMode mode;    // view of the detour
        double detour;    // days from the eclipse
    };
    for (const Row& row : {Row{kModeSol1, 2.0}, Row{kModeSol2, 2.0}, Row{kModeSol3, -0.5}, Row{kModeHrz, 2.0},
                           Row{kModeEqt, 1.0 / 24.0}, Row{kModeSol1, 0.0}}) {
        Scene& scene = SceneAt(jd, dallas);
        Redraw(scene);
        const double magnitude = scene.sun.eclipseMagnitude;
        const double angle = scene.sun.eclipsePositionAngle;
        ASSERT_GT(magnitude, 1.0);

        scene.viewMode = row.mode;
        MoveTo(scene, jd + row.detour);
        Redraw(scene);
        if (row.detour > 1.0) {
            EXPECT_EQ(scene.sun.eclipseMagnitude, -1.0) << row.mode << " " << row.detour;
        }
        scene.viewMode = kModeHrz;
        MoveTo(scene, jd);
        Redraw(scene);
        EXPECT_EQ(scene.sun.eclipseMagnitude, magnitude) << row.mode << " " << row.detour;
        EXPECT_EQ(scene.sun.eclipsePositionAngle, angle) << row.mode << " " << row.detour;
    }
}

TEST(SolarEclipse, MagnitudeFromSeparationAndRadii)
{
    // The Moon 0.1 degree due north: (0.55 - 0.1) / 0.54; centred: larger
    // than 1 by the ratio of the radii; apart by more than the sum: -1, the
    // angle kept from before.
    SunRecord sun{};
    sun.raJ2000 = 100.0;
    sun.decJ2000 = 20.0;
    sun.semidiameter = 0.27;
    sun.eclipsePositionAngle = 42.0;
    MoonRecord moon{};
    moon.raJ2000 = 100.0;
    moon.semidiameter = 0.28;
    for (auto [dec, overlap, magnitude, angle] :
         {std::tuple{21.0, 0, -1.0, 42.0}, {20.1, 1, 0.45 / 0.54, 360.0}, {20.0, 1, 0.55 / 0.54, -1.0}}) {
        moon.decJ2000 = dec;
        EXPECT_EQ(SolarEclipseMagnitude(moon, sun), overlap) << dec;
        EXPECT_NEAR(sun.eclipseMagnitude, magnitude, 1e-9) << dec;
        if (angle >= 0) {
            EXPECT_NEAR(sun.eclipsePositionAngle, angle, 1e-6) << dec;
        }
    }
}

TEST(DisksOverlap, SeparationAndPositionAngleMatchErfa)
{
    const double pairs[][4] = {
        {10.0, 5.0, 10.3, 5.2}, {359.9, -3.0, 0.2, -2.9}, {200.0, 23.0, 199.5, 22.6}, {45.0, -23.4, 45.4, -23.9}};
    for (const auto& q : pairs) {
        const double a[2] = {q[0], q[1]};
        const double b[2] = {q[2], q[3]};
        double pa = -1.0, d = -1.0;
        EXPECT_EQ(DisksOverlap(a, b, 1.0, pa, d), 1);
        const double expectedD = eraSeps(q[0] * kDeg, q[1] * kDeg, q[2] * kDeg, q[3] * kDeg) / kDeg;
        const double expectedPa = eraAnp(eraPas(q[0] * kDeg, q[1] * kDeg, q[2] * kDeg, q[3] * kDeg)) / kDeg;
        EXPECT_NEAR(d, expectedD, 1e-9);
        EXPECT_NEAR(std::remainder(pa - expectedPa, 360.0), 0.0, 1e-7);
        EXPECT_EQ(DisksOverlap(a, b, expectedD * 0.999, pa, d), 0);
    }
}

TEST(DisksOverlap, QuickTestRejectsWithoutTouchingOutputs)
{
    const double a[2] = {10.0, 0.0};
    double pa = 7.0, d = 8.0;
    const double farInLongitude[2] = {12.0, 0.0};
    EXPECT_EQ(DisksOverlap(a, farInLongitude, 1.0, pa, d), 0);
    const double farInLatitude[2] = {10.0, -1.5};
    EXPECT_EQ(DisksOverlap(a, farInLatitude, 1.0, pa, d), 0);
    EXPECT_EQ(pa, 7.0);
    EXPECT_EQ(d, 8.0);
    // Within 1.1 x the sum but beyond it: the exact test says no, and the
    // outputs hold the measured separation.
    const double justOutside[2] = {11.05, 0.0};
    EXPECT_EQ(DisksOverlap(a, justOutside, 1.0, pa, d), 0);
    EXPECT_NEAR(d, 1.05, 1e-9);
    EXPECT_NEAR(pa, 90.0, 1e-9);
}

// Loaded comets and minor planets whose orbits cannot be solved (their
// elements are blank: q = 0): one that needs a place is hidden, keeps its
// tail bits untried and leaves its error pending; one whose record already
// holds the day, or one of the wrong kind, is left alone. The last failure
// is the one reported.
struct SmallBodies {
    SmallBodyRecord comets[3];
    OrbitalElements cometElements[3];
    CometTail tails[3];
    uint8_t cometFlags[3];
    SmallBodyRecord minorPlanets[2];
    OrbitalElements minorPlanetElements[2];
    uint8_t minorPlanetFlags[2];
};

void Attach(Scene& scene, SmallBodies& b)
{
    std::memset(&b, 0, sizeof b);
    scene.cometCount = 3;
    scene.cometPositions = b.comets;
    scene.cometElements = b.cometElements;
    scene.cometTails = b.tails;
    scene.cometFlags = b.cometFlags;
    scene.mplanetCount = 2;
    scene.mplanetPositions = b.minorPlanets;
    scene.mplanetElements = b.minorPlanetElements;
    scene.mplanetFlags = b.minorPlanetFlags;
    const uint8_t all = kBodyShown | kBodySpotOrDustTail | kBodyIonTail | kBodyName;
    for (int i = 0; i < 3; ++i) {
        b.comets[i].kind = 'C';
        b.cometFlags[i] = all;
        std::snprintf(b.cometElements[i].name, sizeof b.cometElements[i].name, "Comet %d   ", i);
    }
    for (int i = 0; i < 2; ++i) {
        b.minorPlanets[i].kind = 'M';
        b.minorPlanetFlags[i] = kBodyShown | kBodyName;
        std::snprintf(b.minorPlanetElements[i].number, sizeof b.minorPlanetElements[i].number, "%6d", 7 + i);
    }
}

TEST(SolarSystemUpdate, UnsolvableCometsAndMinorPlanetsAreHiddenAndReported)
{
    Scene& scene = SceneAt(2460000.5);
    SmallBodies b;
    Attach(scene, b);
    b.comets[1].julianDay = 2460000.5;   // already current
    b.tails[1].dustDay = b.tails[1].ionDay = 2460000.5;
    b.comets[2].kind = 'M';              // not a comet: skipped
    b.minorPlanets[1].julianDay = 2460000.5;
    SetPendingError("", "");
    Redraw(scene);
    EXPECT_EQ(b.cometFlags[0], kBodySpotOrDustTail | kBodyIonTail | kBodyName);
    EXPECT_EQ(b.cometFlags[1], kBodyShown | kBodySpotOrDustTail | kBodyIonTail | kBodyName);
    EXPECT_EQ(b.cometFlags[2], kBodyShown | kBodySpotOrDustTail | kBodyIonTail | kBodyName);
    EXPECT_EQ(b.minorPlanetFlags[0], kBodyName);
    EXPECT_EQ(b.minorPlanetFlags[1], kBodyShown | kBodyName);
    EXPECT_STREQ(gAppEnv->errorKey, "stkErrorCalcMpPos");
    EXPECT_STREQ(gAppEnv->errorParam, "     7");

    // A comet whose place is current but whose tails are due: the tails
    // fail on their own, each clearing its bit and reporting.
    b.tails[1].dustDay = b.tails[1].ionDay = 0.0;
    Redraw(scene);
    EXPECT_EQ(b.cometFlags[1], kBodyShown | kBodyName);
    EXPECT_STREQ(gAppEnv->errorKey, "stkErrorCalcCometTail");
    EXPECT_STREQ(gAppEnv->errorParam, "Comet 1");

    // Shown again, the tails fail again and are reported again.
    b.cometFlags[1] |= kBodySpotOrDustTail | kBodyIonTail;
    SetPendingError("", "");
    Redraw(scene);
    EXPECT_EQ(b.cometFlags[1], kBodyShown | kBodyName);
    EXPECT_STREQ(gAppEnv->errorKey, "stkErrorCalcCometTail");
    scene.cometCount = scene.mplanetCount = 0;
}

// A tail that cannot be computed, in every view: each time it is shown and
// due it is tried, hidden and reported, the solar-system views included;
// a tail left hidden is neither tried nor reported.
TEST(SolarSystemUpdate, FailingTailReportedEachTimeShownInEveryView)
{
    constexpr uint8_t kBoth = kBodySpotOrDustTail | kBodyIonTail;
    struct Row {
        ViewMode mode;
        uint8_t tails;     // tail bits shown before the redraw
        const char* key;   // pending error after it
    };
    for (const Row& row : {Row{kModeHrz, kBoth, "stkErrorCalcCometTail"}, Row{kModeEqt, kBodyIonTail, "stkErrorCalcCometTail"},
                           Row{kModeSol1, kBodySpotOrDustTail, "stkErrorCalcCometTail"},
                           Row{kModeSol2, kBoth, "stkErrorCalcCometTail"}, Row{kModeSol3, kBoth, "stkErrorCalcCometTail"},
                           Row{kModeAll2Eqt, kBoth, "stkErrorCalcCometTail"}, Row{kModeVola, kBoth, "stkErrorCalcCometTail"},
                           Row{kModeSol1, 0, ""}, Row{kModeHrz, 0, ""}}) {
        Scene& scene = SceneAt(2460000.5);
        SmallBodies b;
        Attach(scene, b);
        b.comets[0].julianDay = 2460000.5;   // place current: only the tails due
        scene.cometCount = 1;
        scene.mplanetCount = 0;
        scene.viewMode = row.mode;
        for (int time = 0; time < 3; ++time) {   // shown again after each failure
            b.cometFlags[0] = static_cast<uint8_t>(kBodyShown | kBodyName | row.tails);
            SetPendingError("", "");
            Redraw(scene);
            EXPECT_EQ(b.cometFlags[0], kBodyShown | kBodyName) << row.mode << " " << time;
            EXPECT_STREQ(gAppEnv->errorKey, row.key) << row.mode << " " << time;
            EXPECT_STREQ(gAppEnv->errorParam, row.key[0] != '\0' ? "Comet 0" : "") << row.mode << " " << time;
        }
        scene.cometCount = 0;
    }
}

TEST(SmallBodyPredicates, ShownOutOfDateOrPicked)
{
    Scene& scene = SceneAt(2460000.5);
    SmallBodies b;
    Attach(scene, b);
    EXPECT_EQ(CometNeedsUpdate(scene, 0), 1);
    b.cometFlags[0] = kBodyName;
    EXPECT_EQ(CometNeedsUpdate(scene, 0), 0);   // hidden
    Pick(scene, 51, 10000);
    EXPECT_EQ(CometNeedsUpdate(scene, 0), 1);   // hidden but picked
    b.comets[0].julianDay = 2460000.5;
    EXPECT_EQ(CometNeedsUpdate(scene, 0), 1);   // current but picked
    EXPECT_EQ(CometNeedsUpdate(scene, 1), 1);
    b.comets[1].julianDay = 2460000.5;
    EXPECT_EQ(CometNeedsUpdate(scene, 1), 0);

    EXPECT_EQ(MinorPlanetNeedsUpdate(scene, 0), 1);
    b.minorPlanets[0].julianDay = 2460000.5;
    EXPECT_EQ(MinorPlanetNeedsUpdate(scene, 0), 0);
    Pick(scene, 51, 20000);
    EXPECT_EQ(MinorPlanetNeedsUpdate(scene, 0), 1);
    b.minorPlanetFlags[1] = 0;
    EXPECT_EQ(MinorPlanetNeedsUpdate(scene, 1), 0);

    // Tails: own days, and both the comet and the tail must be shown.
    EXPECT_EQ(DustTailNeedsUpdate(scene, 2), 1);
    EXPECT_EQ(IonTailNeedsUpdate(scene, 2), 1);
    b.tails[2].dustDay = 2460000.5;
    EXPECT_EQ(DustTailNeedsUpdate(scene, 2), 0);
    EXPECT_EQ(IonTailNeedsUpdate(scene, 2), 1);
    b.cometFlags[2] = kBodyShown | kBodySpotOrDustTail;
    EXPECT_EQ(IonTailNeedsUpdate(scene, 2), 0);
    b.cometFlags[2] = kBodyIonTail;
    EXPECT_EQ(IonTailNeedsUpdate(scene, 2), 0);
    scene.cometCount = scene.mplanetCount = 0;
}

TEST(PlanetAndSatellitePredicates, FollowFlagsDaysLevelsAndPicks)
{
    Scene& scene = SceneAt(2460000.5);
    PlanetRecord& saturn = scene.planets[4];
    // Never computed; current; coarser than asked; hidden, left stale;
    // hidden but picked.
    for (auto [day, level, flags, picked, needed] :
         {std::tuple{kNeverJulianDay, 9, 0x22, 0, 1}, {2460000.5, 1, 0x22, 0, 0}, {2460000.5, 2, 0x22, 0, 1},
          {0.0, 1, 0, 0, 0}, {0.0, 1, 0, 1, 1}}) {
        saturn.julianDay = day;
        saturn.cachedLevel = level;
        scene.planetFlags[4] = static_cast<uint8_t>(flags);
        Pick(scene, picked ? 51 : -1, 4);
        scene.pickedObject.picked = static_cast<uint8_t>(picked);
        EXPECT_EQ(PlanetNeedsUpdate(scene, 4, 1), needed) << day << " " << level << " " << flags << " " << picked;
    }
    // The satellites: not current; current; names but not JMOON; Jupiter
    // hidden; a satellite picked with Jupiter hidden.
    for (auto [day, flags, jupiter, picked, needed] :
         {std::tuple{0.0, 1, 0x22, 0, 1}, {2460000.5, 1, 0x22, 0, 0}, {0.0, 2 | 4, 0x22, 0, 0}, {0.0, 1, 0, 0, 0},
          {0.0, 1, 0, 1, 1}}) {
        scene.jovianMoons[0].julianDay = day;
        scene.jovianMoonFlags = static_cast<uint8_t>(flags);
        scene.planetFlags[3] = static_cast<uint8_t>(jupiter);
        Pick(scene, picked ? 54 : -1, 2);
        scene.pickedObject.picked = static_cast<uint8_t>(picked);
        EXPECT_EQ(JovianMoonsNeedUpdate(scene), needed) << day << " " << flags << " " << jupiter << " " << picked;
    }
}

TEST(SolarSystemUpdate, AsksFullSeriesEverywhere)
{
    Scene& scene = SceneAt(2460000.5);
    int32_t moonLevel = 0, planetLevels[8] = {};
    SetPrecisionLevels(scene, moonLevel, planetLevels);
    EXPECT_EQ(moonLevel, 1);
    for (int32_t level : planetLevels)
        EXPECT_EQ(level, 1);
}

}  // namespace
