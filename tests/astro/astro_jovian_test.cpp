// Jupiter's satellites against the low-accuracy theory of Meeus,
// Astronomical Algorithms (2nd ed., ch. 44), written out here as the oracle
// and first checked against that chapter's worked example (1992 December 16,
// 0h UT). The oracle gives each satellite's offset from Jupiter in Jupiter's
// equatorial radii along and across Jupiter's equator as seen from the
// Earth; it is turned onto the sky with the position angle of Jupiter's
// pole (IAU rotation elements) and compared with the program's offset,
// north and east, for Jupiter's geocentric place from ERFA's eraPlan94 and
// eraEpv00. The program places the satellites at the instant itself, so
// the comparisons take the theory without its light time (the satellites'
// times t = d instead of d - delta / 173); the circular orbits are then
// good to a few per cent of the orbit radius.
#include <gtest/gtest.h>

#include "astro/jovian_moons.h"

#include "tests/astro/astro_oracle.h"

#include <cmath>

using namespace astro_oracle;

namespace {

constexpr double kJupiterRadiusAU = 71492.0 / 149597870.7;

struct MeeusSatellites {
    double x[4];   // Jupiter radii, positive toward the west
    double y[4];   // Jupiter radii, positive toward Jupiter's north pole
};

// Meeus, ch. 44, the low-accuracy method; jde is dynamical time. Without
// light time the satellites are taken where they are at jde itself.
enum class LightTime { Applied, None };
MeeusSatellites MeeusLowAccuracy(double jde, LightTime lightTime)
{
    const auto sin = [](double degrees) { return std::sin(degrees * kDeg); };
    const auto cos = [](double degrees) { return std::cos(degrees * kDeg); };
    const double d = jde - 2451545.0;
    const double V = 172.74 + 0.00111588 * d;
    const double M = 357.529 + 0.9856003 * d;
    const double N = 20.020 + 0.0830853 * d + 0.329 * sin(V);
    const double J = 66.115 + 0.9025179 * d - 0.329 * sin(V);
    const double A = 1.915 * sin(M) + 0.020 * sin(2 * M);
    const double B = 5.555 * sin(N) + 0.168 * sin(2 * N);
    const double K = J + A - B;
    const double R = 1.00014 - 0.01671 * cos(M) - 0.00014 * cos(2 * M);
    const double r = 5.20872 - 0.25208 * cos(N) - 0.00611 * cos(2 * N);
    const double delta = std::sqrt(r * r + R * R - 2 * r * R * cos(K));
    const double psi = std::asin(R / delta * sin(K)) / kDeg;
    const double t = lightTime == LightTime::Applied ? d - delta / 173.0 : d;
    double u[4] = {163.8069 + 203.4058646 * t + psi - B, 358.4140 + 101.2916335 * t + psi - B,
                   5.7176 + 50.2345180 * t + psi - B, 224.8092 + 21.4879800 * t + psi - B};
    const double G = 331.18 + 50.310482 * t;
    const double H = 87.45 + 21.569231 * t;
    const double c12 = 2 * (u[0] - u[1]), c23 = 2 * (u[1] - u[2]);
    const double radius[4] = {5.9057 - 0.0244 * cos(c12), 9.3966 - 0.0882 * cos(c23), 14.9883 - 0.0216 * cos(G),
                              26.3627 - 0.1939 * cos(H)};
    u[0] += 0.473 * sin(c12);
    u[1] += 1.065 * sin(c23);
    u[2] += 0.165 * sin(G);
    u[3] += 0.843 * sin(H);
    const double lambda = 34.35 + 0.083091 * d + 0.329 * sin(V) + B;
    const double De = 3.12 * sin(lambda + 42.8) - 2.22 * sin(psi) * cos(lambda + 22.0) -
                      1.30 * (r - delta) / delta * sin(lambda - 100.5);
    MeeusSatellites s;
    for (int i = 0; i < 4; ++i) {
        s.x[i] = radius[i] * sin(u[i]);
        s.y[i] = -radius[i] * cos(u[i]) * sin(De);
    }
    return s;
}

// Jupiter's geometric geocentric J2000 direction and distance from ERFA.
PlanetRecord ErfaJupiter(double tt)
{
    double earth[3], jupiter[2][3], v[3];
    ErfaEarth(tt, earth);
    eraPlan94(tt, 0.0, 5, jupiter);
    eraPmp(jupiter[0], earth, v);
    PlanetRecord record{};
    eraPn(v, &record.distance, record.unitVector);
    return record;
}

PlanetRecord JupiterToward(double ra, double dec, double distance)
{
    PlanetRecord jupiter{};
    jupiter.distance = distance;
    eraS2c(ra * kDeg, dec * kDeg, jupiter.unitVector);
    return jupiter;
}

// North and east offsets (radians) of direction s from direction j.
void SkyOffset(const double s[3], const double j[3], double& north, double& east)
{
    const double ra = std::atan2(j[1], j[0]), dec = std::asin(j[2]);
    north = -s[0] * std::sin(dec) * std::cos(ra) - s[1] * std::sin(dec) * std::sin(ra) + s[2] * std::cos(dec);
    east = -s[0] * std::sin(ra) + s[1] * std::cos(ra);
}

// Position angle of Jupiter's north pole on the sky, radians (IAU 2009
// rotation elements, J2000).
double JupiterPolePositionAngle(const double j[3], double tt)
{
    const double T = (tt - 2451545.0) / 36525.0;
    const double poleRa = (268.056595 - 0.006499 * T) * kDeg, poleDec = (64.495303 + 0.002413 * T) * kDeg;
    const double ra = std::atan2(j[1], j[0]), dec = std::asin(j[2]);
    return std::atan2(std::cos(poleDec) * std::sin(poleRa - ra),
                      std::sin(poleDec) * std::cos(dec) - std::cos(poleDec) * std::sin(dec) * std::cos(poleRa - ra));
}

} // namespace

TEST(JovianOracle, ReproducesMeeusWorkedExample)
{
    // 1992 December 16, 0h UT = JDE 2448972.50068.
    const MeeusSatellites s = MeeusLowAccuracy(2448972.50068, LightTime::Applied);
    const double x[4] = {-3.44, 7.44, 1.24, 7.08}, y[4] = {0.21, 0.25, 0.65, 1.10};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(s.x[i], x[i], 0.006) << "satellite " << i + 1;
        EXPECT_NEAR(s.y[i], y[i], 0.006) << "satellite " << i + 1;
    }
}

// Every satellite's offset from Jupiter, 1950-2060 at 3.1-day steps, within
// 3 per cent of its orbit radius as seen from the Earth.
TEST(JovianSatellites, OffsetFromJupiterWithinThreePercentOfOrbitRadius)
{
    double worst[4] = {0, 0, 0, 0}, worstJd[4] = {0, 0, 0, 0};
    for (double jd = 2433282.5; jd < 2473459.5; jd += 3.1) {
        const double tt = jd + 65.0 / 86400.0;
        const PlanetRecord jupiter = ErfaJupiter(tt);
        JovianMoonRecord moons[4];
        UpdateJovianMoons(TimeAt(jd), jupiter, moons);
        const MeeusSatellites expected = MeeusLowAccuracy(tt, LightTime::None);
        const double p = JupiterPolePositionAngle(jupiter.unitVector, tt);
        const double scale = kJupiterRadiusAU / jupiter.distance;
        for (int i = 0; i < 4; ++i) {
            const double northExpected = (expected.x[i] * std::sin(p) + expected.y[i] * std::cos(p)) * scale;
            const double eastExpected = (expected.y[i] * std::sin(p) - expected.x[i] * std::cos(p)) * scale;
            double north, east;
            SkyOffset(moons[i].unitVector, jupiter.unitVector, north, east);
            const double error = std::hypot(north - northExpected, east - eastExpected) /
                                 (JovianMoonTable[i].radius / jupiter.distance);
            if (error > worst[i]) {
                worst[i] = error;
                worstJd[i] = jd;
            }
        }
    }
    for (int i = 0; i < 4; ++i)
        EXPECT_LT(worst[i], 0.03) << "satellite " << i + 1 << " at JD " << worstJd[i];
}

// Seen from straight above the orbit plane (Jupiter placed at the plane's
// pole at J2000), each satellite stands at its full orbit radius over the
// distance, and Io at 19.8 degrees past the ascending node whatever the
// distance: the instant itself, no light time. The offsets are only some
// 7e-4 radians, so the table sine's 2e-6 allows 0.5 per cent and 0.3 degree.
TEST(JovianSatellites, FaceOnOrbitShowsFullRadiusAndIoAtItsJ2000Argument)
{
    for (double distance : {4.0, 6.0}) {
        const PlanetRecord jupiter = JupiterToward(-1.91 - 90.0, 90.0 - 25.5, distance);
        JovianMoonRecord moons[4];
        UpdateJovianMoons(TimeAt(2451545.0), jupiter, moons);
        for (int i = 0; i < 4; ++i) {
            double north, east;
            SkyOffset(moons[i].unitVector, jupiter.unitVector, north, east);
            EXPECT_NEAR(std::hypot(north, east) * distance / JovianMoonTable[i].radius, 1.0, 5e-3);
        }
        // Angle of Io's offset from the node direction (RA -1.91, Dec 0),
        // which lies in the sky plane when looking down the pole. Prograde
        // (counter-clockwise seen from the pole) from the node; on the sky
        // seen from the pole's side, north-east handedness is the mirror
        // image, so the angle is counted the other way round.
        const double node[3] = {std::cos(-1.91 * kDeg), std::sin(-1.91 * kDeg), 0.0};
        double nodeNorth, nodeEast, ioNorth, ioEast;
        SkyOffset(node, jupiter.unitVector, nodeNorth, nodeEast);
        SkyOffset(moons[0].unitVector, jupiter.unitVector, ioNorth, ioEast);
        const double angle =
            std::atan2(nodeNorth * ioEast - nodeEast * ioNorth, nodeNorth * ioNorth + nodeEast * ioEast) / kDeg;
        EXPECT_NEAR(-angle, 19.8, 0.3) << "at " << distance << " AU";
    }
}

TEST(JovianSatellites, UpdateStoresDayInFirstRecordOnly)
{
    JovianMoonRecord moons[4];
    for (JovianMoonRecord& m : moons)
        m.julianDay = kNeverJulianDay;
    UpdateJovianMoons(TimeAt(2460000.5), ErfaJupiter(2460000.5), moons);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(moons[i].julianDay, i == 0 ? 2460000.5 : kNeverJulianDay);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(moons[i].fixedVector[k], static_cast<int32_t>(moons[i].unitVector[k] * 16384.0));
    }
}
