// Comet and minor-planet places and rise/set times against PyEphem, whose
// answers are kept in tests/data/small_body_places.csv and
// tests/data/small_body_rise_set.csv (both written by
// tools/oracle/small_body_oracle.py): bright comets at perihelion and
// nearest the Earth, two sungrazers at perihelion, two hyperbolic comets, two
// close approaches of Eros and one of Ganymed, and main-belt minor planets
// from 1950 to 2060. The program's whole chain is compared: its Sun for the
// Earth, its delta T for the element times, its light time.
#include <gtest/gtest.h>

#include "astro/astro_time.h"
#include "astro/rise_set.h"
#include "astro/small_body_orbit.h"
#include "astro/sun.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double kPlaceTolerance = 30.0;   // arcseconds
constexpr double kEventTolerance = 1.0;    // minutes
constexpr double kDeg = ERFA_DD2R;

std::vector<std::vector<std::string>> ReadRows(const char* name)
{
    std::ifstream in(std::string(UVOLA_SOURCE_DIR "/tests/data/") + name);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream s(line);
        for (std::string cell; std::getline(s, cell, ',');)
            cells.push_back(cell);
        rows.push_back(cells);
    }
    return rows;
}

// The elements of a row from its column `first` on: T, e, q, omega, node,
// inclination; ecliptic and equinox J2000.
OrbitalElements RowElements(const std::vector<std::string>& cells, size_t first, char kind)
{
    OrbitalElements el{};
    el.kind = kind;
    el.perihelionTime = std::stod(cells[first]);
    el.eccentricity = std::stod(cells[first + 1]);
    el.perihelionDistance = std::stod(cells[first + 2]);
    el.argumentOfPerihelion = std::stod(cells[first + 3]);
    el.node = std::stod(cells[first + 4]);
    el.inclination = std::stod(cells[first + 5]);
    el.equinoxYear = 2000.0;
    el.h = 6.0;
    el.k = 10.0;
    return el;
}

TEST(SmallBodyPlaceOracle, EveryRowWithinTolerance)
{
    const auto rows = ReadRows("small_body_places.csv");
    ASSERT_GE(rows.size(), 20u);
    std::vector<std::pair<double, std::string>> errors;
    for (const auto& cells : rows) {
        const double jd = std::stod(cells[1]);
        const OrbitalElements el = RowElements(cells, 3, cells[2][0]);
        AstroTime t;
        AstroTimeFromJulianDay(jd, 0.0, ObserverLocation{0.0, 0.0, 0.0}, t);
        SunRecord sun{};
        SunPosition(t, sun);
        SmallBodyRecord rec{};
        ASSERT_EQ(UpdateSmallBody(t, sun, el, rec), 1) << cells[0];
        const double error = eraSeps(rec.raJ2000 * kDeg, rec.decJ2000 * kDeg, std::stod(cells[9]) * kDeg,
                                     std::stod(cells[10]) * kDeg) / kDeg * 3600.0;
        EXPECT_LT(error, kPlaceTolerance) << cells[0];
        EXPECT_NEAR(rec.distance, std::stod(cells[11]), 1e-4) << cells[0];
        errors.emplace_back(error, cells[0]);
    }
    std::sort(errors.rbegin(), errors.rend());
    for (size_t n = 0; n < 5; ++n)
        std::printf("%8.2f arcsec  %s\n", errors[n].first, errors[n].second.c_str());
}

TEST(SmallBodyRiseSetOracle, HaleBoppAndCeresRiseTransitAndSetWithinAMinute)
{
    const auto rows = ReadRows("small_body_rise_set.csv");
    ASSERT_GE(rows.size(), 15u);
    for (const auto& cells : rows) {
        const ObserverLocation site{std::stod(cells[1]), std::stod(cells[2]), 0.0};
        const DateTime date{std::stoi(cells[3]), std::stoi(cells[4]), std::stoi(cells[5]), 0, 0, 0.0,
                            std::stod(cells[6])};
        const int32_t kind = cells[7] == "RISE" ? kEventRise : cells[7] == "SET" ? kEventSet : kEventTransit;
        const OrbitalElements el = RowElements(cells, 9, cells[8][0]);
        const int32_t id = el.kind == 'C' ? 10000 : 20000;
        const double expected = std::stod(cells[15]);
        double jd = 0.0;
        const int32_t found =
            FindRiseTransitSet(SetupRiseSetDay(date, site), date.zone, id, &el, kind, site, 0.0, jd);
        ASSERT_EQ(found, expected != 0.0 ? 1 : 0) << cells[0] << " " << cells[7];
        if (found == 1) {
            EXPECT_NEAR(jd, expected, kEventTolerance / 1440.0) << cells[0] << " " << cells[7];
        }
    }
}

} // namespace
