#include "astro/planet_series.h"

#include "astro/body_ids.h"
#include "astro/clamped_math.h"
#include "astro/planet_series_tables.h"
#include "astro/trig.h"

#include <array>
#include <cmath>
#include <span>

namespace {

using Terms = std::span<const PlanetSeriesRow>;

// How many rows of a table each precision level takes: level 2, level 3,
// any other level. Each table is ordered so that a prefix is the coarser
// series.
struct LevelCounts {
    int32_t level2;
    int32_t level3;
    int32_t full;
};

struct LeveledTable {
    Terms rows;
    LevelCounts counts;
};

Terms Prefix(const LeveledTable& table, int32_t level)
{
    const int32_t count = level == 2   ? table.counts.level2
                          : level == 3 ? table.counts.level3
                                       : table.counts.full;
    return table.rows.first(static_cast<size_t>(count));
}

// Sum of amplitude x sin(phase + rate t) over rows {amplitude, phase, rate}.
double SineTerms(Terms rows, double t)
{
    double sum = 0.0;
    for (const PlanetSeriesRow& row : rows)
        sum += row[0] * SinDeg(row[1] + row[2] * t);
    return sum;
}

// Sum of amplitude x cos(phase + rate t) over rows {amplitude, phase, rate}.
double CosineTerms(Terms rows, double t)
{
    double sum = 0.0;
    for (const PlanetSeriesRow& row : rows)
        sum += row[0] * CosDeg(row[1] + row[2] * t);
    return sum;
}

// Sum of amplitude x cos(phase + rate T) over rows {amplitude, rate, phase}.
double RateFirstCosineTerms(Terms rows, double T)
{
    double sum = 0.0;
    for (const PlanetSeriesRow& row : rows)
        sum += row[0] * CosDeg(row[2] + row[1] * T);
    return sum;
}

// Constants K0..K16 of the Kepler form of Venus and Mars (degrees, degrees
// per Julian year): mean longitude, reduction to the ecliptic, the two
// terms of the equation of the centre, inclination and argument of
// latitude, and the log10 radius.
using VenusMarsConstants = std::array<double, 17>;
constexpr VenusMarsConstants kVenusConstants = {
    310.1735, 585.19212, -0.0503, 107.44, 1170.37, 0.7775, -0.00005, 178.954, 585.178,
    0.05922, 233.72, 585.183, -0.002947, 0.00000021, 178.954, 585.178, -0.140658};
constexpr VenusMarsConstants kMarsConstants = {
    249.3542, 191.41696, -0.0149, 40.01, 382.819, 10.6886, 0.0001, 273.768, 191.399,
    0.03227, 200.0, 191.409, -0.040421, -0.00000039, 273.768, 191.399, 0.183844};

// Constants K0..K14 of Jupiter and Saturn: longitude of perihelion and its
// motion, reduction to the ecliptic, the equation of the centre, latitude,
// and the orbit's parameter a(1 - e^2) and eccentricity.
using JupiterSaturnConstants = std::array<double, 15>;
constexpr JupiterSaturnConstants kJupiterConstants = {
    13.6526, 0.01396, 0.0075, 5.94, 5.528, 0.1666, 0.007, 0.0003, 0.022889,
    272.975, 0.0128, 0.0001, 35.52, 5.190688, 0.048254};
constexpr JupiterSaturnConstants kSaturnConstants = {
    91.856, 0.01396, 0.0272, 135.53, 6.4215, 0.2248, 0.0109, 0.0006, 0.043519,
    337.763, 0.0286, 0.00023, 77.06, 9.508863, 0.056061};

struct KeplerFormTables {
    LeveledTable first;      // Venus, Mars: centre; Jupiter, Saturn: anomaly
    LeveledTable second;     // Venus, Mars: anomaly; Jupiter, Saturn: latitude
    LeveledTable radius;
};

const KeplerFormTables kVenusTables = {{VenusCentreTable, {2, 2, 2}},
                                       {VenusAnomalyTable, {0, 0, 4}},
                                       {VenusRadiusTable, {3, 3, 3}}};
const KeplerFormTables kMarsTables = {{MarsCentreTable, {2, 2, 2}},
                                      {MarsAnomalyTable, {0, 0, 14}},
                                      {MarsRadiusTable, {8, 8, 8}}};
const KeplerFormTables kJupiterTables = {{JupiterAnomalyTable, {8, 1, 23}},
                                         {JupiterLatitudeTable, {2, 2, 2}},
                                         {JupiterRadiusTable, {16, 16, 16}}};
const KeplerFormTables kSaturnTables = {{SaturnAnomalyTable, {6, 1, 21}},
                                        {SaturnLatitudeTable, {3, 3, 3}},
                                        {SaturnRadiusTable, {14, 14, 14}}};

struct OtherPlanetTables {
    LeveledTable longitude;
    LeveledTable latitude;
    LeveledTable radius;
};

const OtherPlanetTables kMercuryTables = {{MercuryLongitudeTable, {8, 1, 13}},
                                          {MercuryLatitudeTable, {7, 1, 12}},
                                          {MercuryRadiusTable, {4, 4, 4}}};
const OtherPlanetTables kUranusTables = {{UranusLongitudeTable, {2, 2, 4}},
                                         {UranusLatitudeTable, {4, 4, 4}},
                                         {UranusRadiusTable, {7, 7, 7}}};
const OtherPlanetTables kNeptuneTables = {{NeptuneLongitudeTable, {6, 1, 6}},
                                          {NeptuneLatitudeTable, {5, 2, 5}},
                                          {NeptuneRadiusTable, {5, 5, 5}}};
const OtherPlanetTables kPlutoTables = {{PlutoLongitudeTable, {8, 3, 8}},
                                        {PlutoLatitudeTable, {8, 3, 8}},
                                        {PlutoRadiusTable, {7, 7, 7}}};

// Base terms of Mercury, Uranus, Neptune and Pluto before their tables.
void OtherPlanetBase(int32_t planet, double T, double& l, double& b, double& r)
{
    switch (planet) {
    case kMercury:
        l = 252.2502 + 149474.0714 * T + (23.4405 + 0.0023 * T) * CosDeg(84.7947 + 149472.5153 * T) +
            (2.9818 + 0.0006 * T) * CosDeg(259.589 + 298945.031 * T);
        b = (6.7057 + 0.0017 * T) * CosDeg(113.919 + 149472.886 * T) +
            (1.4396 + 0.0005 * T) * CosDeg(119.12 + 0.37 * T) +
            (1.3643 + 0.0005 * T) * CosDeg(288.71 + 298945.4 * T);
        r = 0.395283 + 0.000002 * T + (0.078341 + 0.000008 * T) * CosDeg(354.795 + 149472.515 * T) +
            (0.007955 + 0.000002 * T) * CosDeg(169.59 + 298945.03 * T);
        break;
    case kUranus:
        l = 313.33676 + 428.7288 * T + 3.20671 * T * CosDeg(114.0274 + 705.15539 * T) +
            2.69325 * T * CosDeg(317.7651 + 597.77389 * T) + 0.00015 * T * CosDeg(313.4 + 3798.6 * T);
        b = -0.02997 + 1.78488 * T * CosDeg(188.32394 + 507.52281 * T) +
            0.56518 * T * CosDeg(354.9571 + 892.2869 * T) + 0.00036 * T * CosDeg(263.0 + 1526.5 * T);
        r = 19.203034 + 0.042617 * T + 0.361949 * T * CosDeg(19.879 + 440.702 * T) +
            0.166685 * T * CosDeg(307.419 + 702.024 * T);
        break;
    case kNeptune:
        l = -55.13323 + 219.93503 * T + 0.04403 * T * CosDeg(332.797 + 684.128 * T) +
            0.02928 * T * CosDeg(342.114 + 904.371 * T);
        b = 0.01725;
        r = 30.073033 + 0.009784 * T * CosDeg(195.7 + 515.2 * T);
        break;
    default:   // Pluto
        l = 241.82574 + 179.09519 * T;
        b = -2.30285;
        r = 38.662489 + 0.007619 * T * CosDeg(31.0 + 1425.9 * T) +
            0.002543 * T * CosDeg(199.5 + 2196.1 * T);
        break;
    }
}

const OtherPlanetTables& OtherTables(int32_t planet)
{
    switch (planet) {
    case kMercury:
        return kMercuryTables;
    case kUranus:
        return kUranusTables;
    case kNeptune:
        return kNeptuneTables;
    default:
        return kPlutoTables;
    }
}

}   // namespace

void VenusMarsSeries(int32_t planet, double t, double ecliptic[2], double& r, int32_t level)
{
    const VenusMarsConstants& K = planet == kVenus ? kVenusConstants : kMarsConstants;
    const KeplerFormTables& tables = planet == kVenus ? kVenusTables : kMarsTables;
    // Equation of the centre.
    const double d = (K[5] + K[6] * t) * SinDeg(K[7] + K[8] * t) + SineTerms(Prefix(tables.second, level), t);
    // Mean longitude, reduction to the ecliptic, centre terms.
    ecliptic[0] = NormalizeDegrees(K[0] + K[1] * t + K[2] * SinDeg(K[3] + K[4] * t + 2.0 * d) +
                                   SineTerms(Prefix(tables.first, level), t) + d);
    // Latitude from the argument of latitude.
    ecliptic[1] = AsinDeg(K[9] * SinDeg(K[10] + K[11] * t + d));
    // Radius from its logarithm.
    const double q = K[16] + (K[12] + K[13] * t) * CosDeg(K[14] + K[15] * t) +
                     CosineTerms(Prefix(tables.radius, level), t);
    r = std::pow(10.0, q);
}

void JupiterSaturnSeries(int32_t planet, double t, double ecliptic[2], double& r, int32_t level)
{
    const bool jupiter = planet == kJupiter;
    const JupiterSaturnConstants& K = jupiter ? kJupiterConstants : kSaturnConstants;
    const KeplerFormTables& tables = jupiter ? kJupiterTables : kSaturnTables;
    // Mean anomaly with the great inequality, and the start of log10 r.
    double M = 0.0;
    double q = 0.0;
    if (jupiter) {
        M = 341.5208 + 30.34907 * t + 0.0004 + (0.035 + 0.00028 * t) * SinDeg(245.94 - 30.349 * t) -
            (0.0019 + 0.00002 * t) * SinDeg(162.78 + 0.38 * t);
        q = (0.000132 + 0.0000011 * t) * CosDeg(245.93 - 30.349 * t);
    } else {
        M = 12.3042 + 12.22117 * t + 0.0008 + (0.0934 + 0.00075 * t) * SinDeg(250.29 + 12.221 * t) +
            (0.0057 + 0.00005 * t) * SinDeg(265.8 - 11.81 * t) +
            (0.0049 + 0.00004 * t) * SinDeg(162.7 + 0.38 * t) +
            (0.0019 + 0.00002 * t) * SinDeg(262.0 + 24.44 * t);
        q = 0.000183 + (0.000354 + 0.0000028 * t) * CosDeg(70.28 + 12.22 * t) +
            (0.000021 + 0.0000002 * t) * CosDeg(265.8 - 11.81 * t);
    }
    M += SineTerms(Prefix(tables.first, level), t);
    // True anomaly from a four-term equation of the centre.
    const double v = M + K[4] * SinDeg(M) + K[5] * SinDeg(2.0 * M) + K[6] * SinDeg(3.0 * M) +
                     K[7] * SinDeg(4.0 * M);
    ecliptic[0] = NormalizeDegrees(v + K[2] * SinDeg(2.0 * v + K[3]) + K[0] + K[1] * t);
    ecliptic[1] = AsinDeg(K[8] * SinDeg(v + K[9])) + (K[10] + K[11] * t) * SinDeg(v + K[12]) +
                  SineTerms(Prefix(tables.second, level), t);
    q += CosineTerms(Prefix(tables.radius, level), t);
    r = std::pow(10.0, q) * K[13] / (1.0 + K[14] * CosDeg(v));
}

void OtherPlanetSeries(int32_t planet, double T, double ecliptic[2], double& r, int32_t level)
{
    const OtherPlanetTables& tables = OtherTables(planet);
    double l = 0.0;
    double b = 0.0;
    OtherPlanetBase(planet, T, l, b, r);
    ecliptic[0] = NormalizeDegrees(l + RateFirstCosineTerms(Prefix(tables.longitude, level), T));
    ecliptic[1] = b + RateFirstCosineTerms(Prefix(tables.latitude, level), T);
    r += RateFirstCosineTerms(Prefix(tables.radius, level), T);
}

int32_t PlanetSeries(int32_t planet, const AstroTime& t, double ecliptic[2], double& r, int32_t level)
{
    switch (planet) {
    case kMercury:
    case kUranus:
    case kNeptune:
    case kPluto:
        OtherPlanetSeries(planet, t.centuriesSinceJ2000, ecliptic, r, level);
        return 1;
    case kVenus:
    case kMars:
        VenusMarsSeries(planet, t.yearsSince1975, ecliptic, r, level);
        return 1;
    case kJupiter:
    case kSaturn:
        JupiterSaturnSeries(planet, t.yearsSince1975, ecliptic, r, level);
        return 1;
    default:
        // A planet number the series do not know must not leave the caller
        // with whatever was in its variables.
        ecliptic[0] = 0.0;
        ecliptic[1] = 0.0;
        r = 0.0;
        return 0;
    }
}
