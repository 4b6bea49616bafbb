// Comet tails: every particle conic against a fourth-order Runge-Kutta
// integration of r'' = -(1 - beta) k^2 r / r^3 from the same release
// state (attracted, unforced and repelled particles); the span search
// against the tail length or its cap; the tail records of real comets.
#include <gtest/gtest.h>

#include "astro/astro_time.h"
#include "astro/comet_tails.h"
#include "astro/small_body_orbit.h"
#include "astro/sun.h"
#include "tests/astro/astro_small_body_oracle.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr double kRelativeTolerance = 1e-8;

const std::vector<OrbitalElements>& Comets()
{
    static const std::vector<OrbitalElements> records = oracle::ReadElementFile("comet.elm");
    return records;
}

OrbitalElements Comet(const char* secondName)
{
    for (const OrbitalElements& el : Comets())
        if (std::strncmp(el.secondName, secondName, std::strlen(secondName)) == 0 &&
            el.secondName[std::strlen(secondName)] == ' ')
            return el;
    ADD_FAILURE() << secondName;
    return {};
}

// RK4 in the orbit plane, fixed steps of at most h days.
void Integrate(double beta, const OrbitPlaneState& start, double days, double& x, double& y)
{
    const double mu = (1.0 - beta) * kGaussK2;
    double s[4] = {start.x, start.y, start.vx, start.vy};
    auto rate = [mu](const double in[4], double out[4]) {
        const double r = std::hypot(in[0], in[1]);
        out[0] = in[2];
        out[1] = in[3];
        out[2] = -mu * in[0] / (r * r * r);
        out[3] = -mu * in[1] / (r * r * r);
    };
    const int steps = static_cast<int>(std::ceil(days / 0.004));
    const double h = days / steps;
    for (int n = 0; n < steps; ++n) {
        double k1[4], k2[4], k3[4], k4[4], t[4];
        rate(s, k1);
        for (int i = 0; i < 4; ++i)
            t[i] = s[i] + 0.5 * h * k1[i];
        rate(t, k2);
        for (int i = 0; i < 4; ++i)
            t[i] = s[i] + 0.5 * h * k2[i];
        rate(t, k3);
        for (int i = 0; i < 4; ++i)
            t[i] = s[i] + h * k3[i];
        rate(t, k4);
        for (int i = 0; i < 4; ++i)
            s[i] += h / 6.0 * (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]);
    }
    x = s[0];
    y = s[1];
}

TEST(ParticlePosition, FollowsTheIntegratedMotionForEveryForce)
{
    struct Release {
        const char* comet;
        double fromPerihelion;   // days
    };
    int compared = 0;
    double worst = 0.0;
    for (const Release& release : {Release{"1P", -20.0}, Release{"1P", 10.0}, Release{"C/1995 O1", -60.0},
                                   Release{"C/1995 O1", 0.0}, Release{"C/1995 O1", 30.0}, Release{"2P", 5.0}}) {
        const OrbitalElements el = Comet(release.comet);
        const double t0 = el.perihelionTime + release.fromPerihelion;
        for (double beta : {0.0, 0.2, 0.6, 0.95, 1.0, 1.3, 2.5}) {
            TailParticle p{};
            ASSERT_EQ(OrbitPosition(t0, el, p.state, 1), 0);
            p.beta = beta;
            EXPECT_EQ(StateToConic(t0, p), beta == 1.0 ? -1 : 0);
            for (double age : {0.0, 1.0, 10.0, 50.0, 112.5}) {
                double x, y, ex, ey;
                ASSERT_EQ(ParticlePosition(t0, t0 + age, p, x, y), 0) << release.comet << " beta " << beta;
                Integrate(beta, p.state, age, ex, ey);
                const double error = std::hypot(x - ex, y - ey) / std::hypot(ex, ey);
                EXPECT_LT(error, kRelativeTolerance) << release.comet << " beta " << beta << " age " << age;
                worst = std::fmax(worst, error);
                ++compared;
            }
        }
    }
    std::printf("%d particles, worst %.3g relative\n", compared, worst);
}

TEST(StateToConic, NoNetForceHasNoConic)
{
    TailParticle p{};
    p.state = {1.0, 0.0, 0.0, 0.0, 0.02, 0.0, 1.0, 0.0};
    p.perihelionTime = p.q = p.e = p.a = p.mu = p.omega = 7.0;
    p.beta = 1.0;   // the default force parameter starts the span search here
    EXPECT_EQ(StateToConic(2451545.0, p), -1);
    for (double field : {p.perihelionTime, p.q, p.e, p.a, p.mu, p.omega})
        EXPECT_EQ(field, 0.0);
    // Repelled particles lie on the far branch of a hyperbola.
    p.beta = 1.3;
    EXPECT_EQ(StateToConic(2451545.0, p), 0);
    EXPECT_LT(p.mu, 0.0);
    EXPECT_GT(p.e, 1.0);
}

// Distance in the orbit plane between the comet and the oldest particle of
// the span, against the length asked for.
TEST(TailSpan, MeetsTheLengthOrSitsAtTheCap)
{
    struct Row {
        double dustLength, ionLength;
        bool capped;
    };
    OrbitalElements el = Comet("C/1995 O1");
    const double jd = 2450532.5;   // 1997 March 25
    OrbitPlaneState comet;
    ASSERT_EQ(OrbitPosition(jd, el, comet, 0), 0);
    for (const Row& row : {Row{0.01, 0.01, false}, Row{0.3, 0.5, false}, Row{60.0, 60.0, true}}) {
        el.dustTailLength = row.dustLength;
        el.ionTailLength = row.ionLength;
        double dust, ion;
        ASSERT_EQ(DustTailSpan(jd, el, comet, dust), 1) << row.dustLength;
        ASSERT_EQ(IonTailSpan(jd, el, comet, ion), 1) << row.ionLength;
        if (row.capped) {
            EXPECT_NEAR(dust, 112.5, 1e-6);
            EXPECT_NEAR(ion, 37.5, 1e-6);
            continue;
        }
        TailParticle p{};
        ASSERT_EQ(OrbitPosition(jd - ion, el, p.state, 1), 0);
        double x, y;
        IonParticlePosition(jd - ion, jd, p, x, y);
        const double d2 = std::pow(x - comet.x, 2) + std::pow(y - comet.y, 2);
        const double l2 = row.ionLength * row.ionLength;
        EXPECT_LT(std::fabs(d2 - l2), std::fmax(0.1 * l2, 1e-6));
        EXPECT_GT(dust, 0.0);
        EXPECT_LT(dust, 112.5);
    }
}

// Through the update, as the scene computes them: both tails start where the
// comet is drawn, light time and all.
TEST(CometTails, HaleBoppsTailsStartAtTheCometAndPointAway)
{
    const OrbitalElements el = Comet("C/1995 O1");
    AstroTime t;
    AstroTimeFromJulianDay(2450532.5, 0.0, ObserverLocation{0.0, 0.0, 0.0}, t);
    SunRecord sun{};
    SunPosition(t, sun);
    CometTail tail{};
    ASSERT_EQ(UpdateDustTail(t, sun, el, tail), 1);
    ASSERT_EQ(UpdateIonTail(t, sun, el, tail), 1);
    EXPECT_EQ(tail.dustCount, kTailSteps);
    EXPECT_EQ(tail.ionCount, kTailSteps);
    EXPECT_EQ(tail.dustDay, t.julianDay);
    EXPECT_EQ(tail.ionDay, t.julianDay);

    SmallBodyRecord rec{};
    ASSERT_EQ(UpdateSmallBody(t, sun, el, rec), 1);
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(tail.dustPositions[0][0][c], rec.helioVector[c], 1e-9);
        EXPECT_NEAR(tail.dustPositions[0][1][c], rec.helioVector[c], 1e-9);
        EXPECT_NEAR(tail.ionPositions[0][c], rec.helioVector[c], 1e-9);
        EXPECT_NEAR(tail.ionDirections[0][c], rec.unitVector[c], 1e-9);
    }
    // Older particles lie farther out; the strongly pushed family farther
    // than the weak one; every direction a unit vector.
    for (int j = 1; j < kTailSteps; ++j) {
        EXPECT_GT(eraPm(tail.ionPositions[j]), eraPm(tail.ionPositions[j - 1]));
        EXPECT_GT(eraPm(tail.dustPositions[j][1]), eraPm(tail.dustPositions[j][0]));
        EXPECT_NEAR(eraPm(tail.dustDirections[j][0]), 1.0, 1e-12);
        EXPECT_NEAR(eraPm(tail.ionDirections[j]), 1.0, 1e-12);
    }
}

TEST(CometTails, LengthZeroOrNoOrbitFails)
{
    OrbitalElements el = Comet("C/1995 O1");
    double earth[3] = {1.0, 0.0, 0.0};
    CometTail tail{};
    tail.dustCount = tail.ionCount = 10;
    el.dustTailLength = 0.0;
    el.ionTailLength = 0.0;
    EXPECT_EQ(CometDustTail(2450532.5, el, earth, tail), 0);
    EXPECT_EQ(CometIonTail(2450532.5, el, earth, tail), 0);
    EXPECT_EQ(tail.dustCount, 0);
    EXPECT_EQ(tail.ionCount, 0);
    el = Comet("C/1995 O1");
    el.perihelionDistance = 0.0;
    EXPECT_EQ(CometDustTail(2450532.5, el, earth, tail), 0);
    EXPECT_EQ(CometIonTail(2450532.5, el, earth, tail), 0);
}

// Every comet of the file gets both tails a month after perihelion: no
// conic, span or particle fails, and nothing comes out non-finite.
TEST(CometTails, EveryCometOfTheFile)
{
    int failed = 0;
    for (const OrbitalElements& el : Comets()) {
        const double jd = el.perihelionTime + 30.0;
        double earth[3];
        oracle::Earth(jd, earth);
        CometTail tail{};
        failed += CometDustTail(jd, el, earth, tail) == 1 ? 0 : 1;
        failed += CometIonTail(jd, el, earth, tail) == 1 ? 0 : 1;
        for (int j = 0; j < tail.dustCount; ++j)
            ASSERT_TRUE(std::isfinite(tail.dustDirections[j][1][0])) << el.secondName;
    }
    EXPECT_EQ(failed, 0);
}

} // namespace
