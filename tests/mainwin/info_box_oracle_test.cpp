// The information box's and the popup's numbers against independent
// oracles: the box's rise and set line against astronomy-engine's times
// (tests/data/rise_set_events.csv, made by tools/oracle/rise_set_oracle.js),
// its horizontal line against ERFA's observed place, the solar-system
// distances of Mars against ERFA's planet and Earth ephemerides, and the
// popup's equator-of-date and ecliptic lines against ERFA's matrices.
#include <gtest/gtest.h>

#include "astro/time_records.h"
#include "data/catalog_tables.h"
#include "mainwin/info_box_lines.h"
#include "mainwin/popup_menu.h"
#include "sky/object_type.h"
#include "sky/solar_system_update.h"
#include "tests/sky/sky_view_fixture.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using skytest::MakeScene;
using skytest::ViewSetup;

// Minutes a box time may differ from the oracle's, rounded the same way.
constexpr int kRiseSetToleranceMinutes = 1;
constexpr double kHorizontalToleranceDegrees = 0.02;
constexpr double kDistanceToleranceAu = 0.001;
// The visible horizon of every body but the Sun in the oracle's rows.
constexpr char kHorizon[] = "-0.5855555";

const std::map<std::string, ObserverLocation> kSites = {
    {"LONDON", {51.4779, -0.0015, 0.0}},   {"TROMSO", {69.6492, 18.9553, 0.0}},
    {"EQUATOR", {0.0, -78.5, 0.0}},        {"TOKYO", {35.6895, 139.6917, 0.0}},
    {"SYDNEY", {-33.8688, 151.2093, 0.0}}, {"USHUAIA", {-54.8019, -68.303, 0.0}},
};

// The box's objects of the oracle's bodies: Sirius is the first star.
const std::map<std::string, std::pair<int32_t, int32_t>> kObjects = {
    {"JUPITER", {kObjectSolarBody, 3}},
    {"VENUS", {kObjectSolarBody, 1}},
    {"STAR", {kObjectStar, 0}},
};

int FixedWidth(const char* text)
{
    return 7 * static_cast<int>(std::strlen(text));
}

const InfoBoxFont kFont{FixedWidth, 7};

// A rise or set of the oracle on one local day: the site, date, zone,
// body, kind, whether it grazes the horizon, and its event if it has one.
struct OracleEvent {
    std::string site;
    int year, month, day;
    double zone;
    std::string body;
    bool rise;
    bool grazing;
    int count;
    double jd;
};

std::vector<OracleEvent> ReadEvents()
{
    std::vector<OracleEvent> events;
    std::ifstream in(UVOLA_SOURCE_DIR "/tests/data/rise_set_events.csv");
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream s(line);
        for (std::string cell; std::getline(s, cell, ',');) {
            cells.push_back(cell);
        }
        if (kObjects.count(cells[5]) == 0 || cells[6] == "TRANSIT" || cells[7] != kHorizon) {
            continue;
        }
        const int count = std::stoi(cells[9]);
        events.push_back({cells[0], std::stoi(cells[1]), std::stoi(cells[2]), std::stoi(cells[3]),
                          std::stod(cells[4]), cells[5], cells[6] == "RISE", cells[8] == "1",
                          count, count > 0 ? std::stod(cells[10]) : 0.0});
    }
    return events;
}

// "HH:MM" as minutes of the day; -1 for "--:--".
int Minutes(const std::string& text)
{
    int hour = 0;
    int minute = 0;
    return std::sscanf(text.c_str(), "%d:%d", &hour, &minute) == 2 ? hour * 60 + minute : -1;
}

class InfoBoxOracleTest : public ::testing::Test {
protected:
    void SetScene(int32_t mode, const DateTime& date, const ObserverLocation& site)
    {
        ViewSetup setup;
        setup.mode = mode;
        scene = MakeScene(setup);
        AstroTimeFromDate(date, site, scene->time);
        scene->siteZone = date.zone;
        UpdateSolarSystem(*scene);
    }

    std::vector<std::string> Compose(int32_t type, int32_t id)
    {
        scene->pickedObject.picked = 1;
        scene->pickedObject.type = type;
        scene->pickedObject.id = id;
        InfoBoxLines lines{};
        std::vector<std::string> texts;
        EXPECT_EQ(ComposeClickDataInfo(*scene, kFont, lines), 1);
        for (const InfoBoxPiece& piece : lines.pieces) {
            texts.emplace_back(piece.text);
        }
        return texts;
    }

    std::unique_ptr<Scene> scene;
};

TEST_F(InfoBoxOracleTest, RiseAndSetWithinAMinuteOfAstronomyEngine)
{
    int compared = 0;
    for (const OracleEvent& event : ReadEvents()) {
        if (event.grazing || event.count > 1) {
            continue;
        }
        SCOPED_TRACE(event.site + " " + std::to_string(event.year) + "-" +
                     std::to_string(event.month) + "-" + std::to_string(event.day) + " " +
                     event.body + (event.rise ? " rise" : " set"));
        SetScene(kModeHrz, {event.year, event.month, event.day, 12, 0, 0.0, event.zone},
                 kSites.at(event.site));
        const auto [type, id] = kObjects.at(event.body);
        char rise[kRiseSetTextSize];
        char set[kRiseSetTextSize];
        ASSERT_EQ(std::sscanf(Compose(type, id)[2].c_str(), "Rise %15s Set %15s", rise, set), 2);
        const int shown = Minutes(event.rise ? rise : set);
        if (event.count == 0) {
            EXPECT_EQ(shown, -1);
            continue;
        }
        char expected[kRiseSetTextSize];
        FormatRiseSetTime(1, event.jd, event.zone, expected);
        EXPECT_NEAR(shown, Minutes(expected), kRiseSetToleranceMinutes) << expected;
        ++compared;
    }
    EXPECT_GT(compared, 300);
}

// ERFA's observed place without refraction, its azimuth turned to count
// from the south through the west as the box's does.
void ErfaHorizontal(double ra, double dec, double jdUt, const ObserverLocation& site,
                    double& azimuth, double& altitude)
{
    double aob = 0.0, zob = 0.0, hob = 0.0, dob = 0.0, rob = 0.0, eo = 0.0;
    eraAtco13(ra * ERFA_DD2R, dec * ERFA_DD2R, 0.0, 0.0, 0.0, 0.0, jdUt, 0.0, 0.0,
              site.longitude * ERFA_DD2R, site.latitude * ERFA_DD2R, site.height, 0.0, 0.0, 0.0,
              0.0, 0.0, 0.55, &aob, &zob, &hob, &dob, &rob, &eo);
    azimuth = std::fmod(aob * ERFA_DR2D + 180.0, 360.0);
    altitude = 90.0 - zob * ERFA_DR2D;
}

TEST_F(InfoBoxOracleTest, HorizontalLineWithinTwoHundredthsOfErfa)
{
    const ObserverLocation tokyo{35.6895, 139.6917, 0.0};
    const DateTime dates[] = {
        {2024, 3, 20, 21, 0, 0.0, 9.0}, {2024, 12, 31, 23, 30, 0.0, 9.0},
        {2031, 7, 4, 2, 15, 0.0, 9.0},
    };
    for (const DateTime& date : dates) {
        SetScene(kModeHrz, date, tokyo);
        const BrightStarRecord& sirius = BrightStarTable[0];
        double v[3] = {sirius.x / 16384.0, sirius.y / 16384.0, sirius.z / 16384.0};
        double place[2];
        eraC2s(v, &place[0], &place[1]);
        double azimuth = 0.0, altitude = 0.0;
        ErfaHorizontal(eraAnp(place[0]) * ERFA_DR2D, place[1] * ERFA_DR2D, scene->time.julianDay,
                       tokyo, azimuth, altitude);
        double shownAzimuth = 0.0, shownAltitude = 0.0;
        ASSERT_EQ(std::sscanf(Compose(kObjectStar, 0)[3].c_str(), "Azm %lf\260  Alt %lf",
                              &shownAzimuth, &shownAltitude),
                  2);
        EXPECT_NEAR(std::remainder(shownAzimuth - azimuth, 360.0), 0.0, kHorizontalToleranceDegrees);
        EXPECT_NEAR(shownAltitude, altitude, kHorizontalToleranceDegrees);
    }
}

TEST_F(InfoBoxOracleTest, MarsDistancesWithinAThousandthOfAnAuOfErfa)
{
    const ObserverLocation tokyo{35.6895, 139.6917, 0.0};
    const DateTime dates[] = {
        {2024, 3, 20, 21, 0, 0.0, 9.0}, {2025, 1, 16, 12, 0, 0.0, 9.0},
        {2027, 2, 19, 0, 0, 0.0, 9.0},  {2035, 9, 15, 6, 0, 0.0, 9.0},
    };
    for (const DateTime& date : dates) {
        SetScene(kModeSol2, date, tokyo);
        const auto texts = Compose(kObjectSolarBody, 2);
        ASSERT_EQ(texts.size(), 5u);
        double delta = 0.0, r = 0.0;
        ASSERT_EQ(std::sscanf(texts[3].c_str(), "Delta %lfAU", &delta), 1) << texts[3];
        ASSERT_EQ(std::sscanf(texts[4].c_str(), "r %lfAU", &r), 1) << texts[4];
        // TT is about 69 s after UT in these years.
        const double tt = scene->time.julianDay + 69.2 / 86400.0;
        double mars[2][3];
        ASSERT_EQ(eraPlan94(tt, 0.0, 4, mars), 0);
        double earthHelio[2][3], earthBary[2][3];
        eraEpv00(tt, 0.0, earthHelio, earthBary);
        double fromEarth[3];
        eraPmp(mars[0], earthHelio[0], fromEarth);
        // Both ephemerides are heliocentric on the same (BCRS) axes.
        EXPECT_NEAR(r, eraPm(mars[0]), kDistanceToleranceAu);
        EXPECT_NEAR(delta, eraPm(fromEarth), kDistanceToleranceAu);
    }
}

// Right ascension and declination (or longitude and latitude) of a
// direction turned by an ERFA matrix, degrees.
void TurnedPlace(double matrix[3][3], double v[3], double& longitude, double& latitude)
{
    double turned[3];
    eraRxp(matrix, v, turned);
    double theta = 0.0, phi = 0.0;
    eraC2s(turned, &theta, &phi);
    longitude = eraAnp(theta) * ERFA_DR2D;
    latitude = phi * ERFA_DR2D;
}

double SignedDegrees(char sign, int degrees, int minutes)
{
    return (sign == '-' ? -1.0 : 1.0) * (degrees + minutes / 60.0);
}

TEST_F(InfoBoxOracleTest, PopupLinesOfDateMatchErfaWithinTheirRounding)
{
    const ObserverLocation tokyo{35.6895, 139.6917, 0.0};
    SetScene(kModeEqt, {2031, 7, 4, 2, 15, 0.0, 9.0}, tokyo);
    const double tt = scene->time.julianDay + 69.2 / 86400.0;
    double precession[3][3];
    double ecliptic[3][3];
    eraPmat06(tt, 0.0, precession);
    eraEcm06(tt, 0.0, ecliptic);
    const double places[][2] = {{10.0, 20.0}, {101.3, -16.7}, {200.0, 60.0}, {300.0, -45.0}};
    for (const auto& place : places) {
        double v[3];
        eraS2c(place[0] * ERFA_DD2R, place[1] * ERFA_DD2R, v);
        char lines[kPopupLabelCount][kPopupLabelSize];
        ASSERT_EQ(ComposePopupPositionLines(*scene, v, lines), 4);
        int hours = 0, degrees = 0, minutes = 0, longitude = 0, longitudeMinutes = 0;
        double raMinutes = 0.0;
        char sign = ' ';
        ASSERT_EQ(std::sscanf(lines[1], "Eqt.Date  R.A. %dh%lfm Decl %c%d\260%d'", &hours, &raMinutes,
                              &sign, &degrees, &minutes),
                  5)
            << lines[1];
        double ra = 0.0, dec = 0.0;
        TurnedPlace(precession, v, ra, dec);
        // A tenth of a minute of time and a minute of arc, as printed.
        EXPECT_NEAR(std::remainder((hours + raMinutes / 60.0) * 15.0 - ra, 360.0), 0.0, 0.026);
        EXPECT_NEAR(SignedDegrees(sign, degrees, minutes), dec, 0.018);
        ASSERT_EQ(std::sscanf(lines[2], "Ecliptic  Long %d\260%d'  Lati %c%d\260%d'", &longitude,
                              &longitudeMinutes, &sign, &degrees, &minutes),
                  5)
            << lines[2];
        double lambda = 0.0, beta = 0.0;
        TurnedPlace(ecliptic, v, lambda, beta);
        EXPECT_NEAR(std::remainder(longitude + longitudeMinutes / 60.0 - lambda, 360.0), 0.0, 0.018);
        EXPECT_NEAR(SignedDegrees(sign, degrees, minutes), beta, 0.018);
    }
}

}  // namespace
