// Rise, transit, set and twilight times against astronomy-engine, whose
// answers for 6 sites x 30 dates x the Sun, the Moon, Venus, Jupiter and
// Sirius are kept in tests/data/rise_set_events.csv, and for the Sun and
// the Moon at Tromso on every day of 2025 in tests/data/rise_set_tromso.csv
// (both written by tools/oracle/rise_set_oracle.js). Every day without an
// event in the oracle must give none here, too: the polar night with its
// twilight, the midnight sun, the Moon staying down for days at its major
// standstill or skimming the horizon without setting (Tromso, 2025 May 25),
// the day without moonrise (Sydney, 2009 March 20). Crossings the oracle
// marks as grazing (the body's extreme altitude of the day within 1 degree
// of the one asked for) are not compared: there arcminutes of place decide
// whether there is an event.
#include <gtest/gtest.h>

#include "astro/astro_time.h"
#include "astro/coordinates.h"
#include "astro/rise_set.h"
#include "astro/sun.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double kMinute = 1.0 / 1440.0;
const double kSirius[2] = {101.28715533, -16.71611586};   // J2000, degrees
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

const std::map<std::string, ObserverLocation> kSites = {
    {"LONDON", {51.4779, -0.0015, 0.0}},   {"TROMSO", {69.6492, 18.9553, 0.0}},
    {"EQUATOR", {0.0, -78.5, 0.0}},        {"TOKYO", {35.6895, 139.6917, 0.0}},
    {"SYDNEY", {-33.8688, 151.2093, 0.0}}, {"USHUAIA", {-54.8019, -68.303, 0.0}},
};

const std::map<std::string, int32_t> kBodies = {
    {"SUN", kSunId}, {"MOON", kMoonId}, {"VENUS", 1}, {"JUPITER", 3}, {"STAR", kFixedPointId},
};

struct OracleRow {
    std::string site;
    DateTime date;
    std::string body;
    int32_t kind;
    double altitude;
    int32_t grazing;
    std::vector<double> events;
};

std::vector<OracleRow> ReadOracle(const char* name)
{
    std::vector<OracleRow> rows;
    std::ifstream in(std::string(UVOLA_SOURCE_DIR "/tests/data/") + name);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream s(line);
        for (std::string cell; std::getline(s, cell, ',');)
            cells.push_back(cell);
        OracleRow row{cells[0],
                      DateTime{std::stoi(cells[1]), std::stoi(cells[2]), std::stoi(cells[3]), 0, 0, 0.0,
                               std::stod(cells[4])},
                      cells[5],
                      cells[6] == "RISE" ? kEventRise : cells[6] == "SET" ? kEventSet : kEventTransit,
                      std::stod(cells[7]),
                      std::stoi(cells[8]),
                      {}};
        for (int i = 0; i < std::stoi(cells[9]); ++i)
            row.events.push_back(std::stod(cells[10 + i]));
        rows.push_back(row);
    }
    return rows;
}

const std::vector<OracleRow>& Grid()
{
    static const std::vector<OracleRow> rows = ReadOracle("rise_set_events.csv");
    return rows;
}

const std::vector<OracleRow>& TromsoYear()
{
    static const std::vector<OracleRow> rows = ReadOracle("rise_set_tromso.csv");
    return rows;
}

// Twilight rows ask for an altitude of their own; the others for the
// visible horizon, which the program knows as altitude 0.
bool IsTwilight(const OracleRow& row)
{
    return row.kind != kEventTransit && row.altitude < -1.0;
}

// One search in a day set up for it.
int32_t Find(const DateTime& date, const ObserverLocation& site, int32_t id, const double* star, int32_t kind,
             double h0, double& jd)
{
    const RiseSetObject object = id == kFixedPointId ? RiseSetObjectOf(star) : RiseSetObjectOf(id);
    return FindRiseTransitSet(SetupRiseSetDay(date, site), date.zone, object, kind, site, h0, jd);
}

// The program's answer to a row's question; the Sun's rises, sets and
// twilight through their own entry points.
int32_t Answer(const OracleRow& row, double& jd)
{
    const ObserverLocation& site = kSites.at(row.site);
    const bool rise = row.kind == kEventRise;
    if (row.body == "SUN" && row.kind != kEventTransit && IsTwilight(row))
        return (rise ? SunRiseThroughAltitude : SunSetThroughAltitude)(row.date, site, jd, std::lround(row.altitude));
    if (row.body == "SUN" && row.kind != kEventTransit)
        return (rise ? SunRiseTime : SunSetTime)(row.date, site, jd);
    return Find(row.date, site, kBodies.at(row.body), kSirius, row.kind, IsTwilight(row) ? row.altitude : 0.0, jd);
}

// Asks the program every selected row's question and compares with the
// oracle; returns how many rows were compared.
int CompareAll(const std::vector<OracleRow>& rows, bool (*select)(const OracleRow&), double toleranceMinutes)
{
    int compared = 0, failures = 0;
    double worstMinutes = 0.0;
    for (const OracleRow& row : rows) {
        if (row.grazing || !select(row))
            continue;
        ++compared;
        double jd = 0.0;
        const int32_t found = Answer(row, jd);
        char what[160];
        snprintf(what, sizeof what, "%s %04d-%02d-%02d %s kind %d altitude %.1f", row.site.c_str(), row.date.year,
                 row.date.month, row.date.day, row.body.c_str(), row.kind, row.altitude);
        if (row.events.empty() || !found) {
            if (found || !row.events.empty()) {
                ++failures;
                ADD_FAILURE() << what << (found ? ": event where the oracle has none" : ": no event");
            }
            continue;
        }
        double best = std::numeric_limits<double>::infinity();
        for (double e : row.events)
            best = std::fmin(best, std::fabs(jd - e) / kMinute);
        worstMinutes = std::fmax(worstMinutes, best);
        if (best > toleranceMinutes) {
            ++failures;
            ADD_FAILURE() << what << ": off by " << best << " minutes";
        }
    }
    printf("compared %d, failures %d, worst %.3f minutes\n", compared, failures, worstMinutes);
    return compared;
}

double SunAltitude(double jd, double zone, const ObserverLocation& site)
{
    AstroTime at;
    AstroTimeFromJulianDay(jd, zone, site, at);
    SunRecord sun;
    SunPosition(at, sun);
    const double place[2] = {sun.raDate, sun.decDate};
    double horizontal[2];
    ConvertCoordinates(at, kFrameEqtDate, place, kFrameHrz, horizontal);
    return horizontal[1];
}

} // namespace

// Tolerances: 1 minute for the Sun, the planets, the star, twilight and
// every transit; 2 minutes for the Moon's rise and set.
TEST(RiseSetOracle, EveryQuestionOfTheGridAndOfTheTromsoYearWithinItsTolerance)
{
    // 6 sites x 30 dates x (4 bodies x 3 + the Sun x 9); 12 a day at Tromso.
    EXPECT_EQ(Grid().size(), 6u * 30u * (4u * 3u + 9u));
    EXPECT_EQ(TromsoYear().size(), 365u * 12u);
    struct Question {
        const char* what;
        const std::vector<OracleRow>& rows;
        bool (*select)(const OracleRow&);
        double minutes;
        int minimumCompared;
    };
    const Question questions[] = {
        {"sunrise and sunset", Grid(),
         [](const OracleRow& r) { return r.body == "SUN" && r.kind != kEventTransit && !IsTwilight(r); }, 1.0, 300},
        {"twilight at 6, 12 and 18 degrees", Grid(),
         [](const OracleRow& r) { return r.body == "SUN" && IsTwilight(r); }, 1.0, 900},
        {"moonrise and moonset", Grid(), [](const OracleRow& r) { return r.body == "MOON" && r.kind != kEventTransit; },
         2.0, 300},
        {"Venus and Jupiter", Grid(),
         [](const OracleRow& r) { return (r.body == "VENUS" || r.body == "JUPITER") && r.kind != kEventTransit; }, 1.0,
         600},
        {"the star", Grid(), [](const OracleRow& r) { return r.body == "STAR" && r.kind != kEventTransit; }, 1.0, 300},
        {"transits", Grid(), [](const OracleRow& r) { return r.kind == kEventTransit; }, 1.0, 850},
        {"Tromso Sun", TromsoYear(), [](const OracleRow& r) { return r.body == "SUN"; }, 1.0, 3000},
        {"Tromso moonrise and moonset", TromsoYear(),
         [](const OracleRow& r) { return r.body == "MOON" && r.kind != kEventTransit; }, 2.0, 600},
        {"Tromso Moon transits", TromsoYear(),
         [](const OracleRow& r) { return r.body == "MOON" && r.kind == kEventTransit; }, 1.0, 350},
    };
    for (const Question& q : questions) {
        SCOPED_TRACE(q.what);
        EXPECT_GE(CompareAll(q.rows, q.select, q.minutes), q.minimumCompared);
    }
}

TEST(RiseSetNoEvent, StarsThatNeverCrossTheHorizonAndEverythingAtThePoles)
{
    // A circumpolar star at 60 N at any height, and one on the circumpolar
    // limit (dec = 90 - lat: the geometric hour angle of the horizon is 180
    // degrees, sin H = 0 and cos(lat + dec) = 0), neither rise nor set; the
    // first still crosses the meridian once a day. A southern star never
    // rises in the north.
    const double circumpolar[2] = {200.0, 40.0}, southern[2] = {50.0, -40.0};
    const DateTime march{2024, 3, 1, 0, 0, 0.0, 1.0};
    double jd = 0.0;
    for (double height : {0.0, 100.0, 8000.0}) {
        const ObserverLocation site{60.0, 10.0, height};
        EXPECT_EQ(Find(march, site, kFixedPointId, circumpolar, kEventRise, 0.0, jd), 0) << height;
        EXPECT_EQ(Find(march, site, kFixedPointId, circumpolar, kEventSet, 0.0, jd), 0) << height;
        EXPECT_EQ(Find(march, site, kFixedPointId, circumpolar, kEventTransit, 0.0, jd), 1) << height;
    }
    for (int32_t kind : {kEventRise, kEventSet}) {
        EXPECT_EQ(Find(march, {60.0, 10.0, 0.0}, kFixedPointId, southern, kind, 0.0, jd), 0);
        for (double latitude : {30.0, 60.0, -45.0}) {
            const double onLimit[2] = {120.0, latitude > 0 ? 90.0 - latitude : -90.0 - latitude};
            for (double height : {0.0, 250.0})
                EXPECT_EQ(Find(DateTime{2024, 6, 1, 0, 0, 0.0, 1.0}, {latitude, 15.0, height}, kFixedPointId,
                               onLimit, kind, 0.0, jd), 0) << latitude << " " << height;
        }
    }
    // Near an equinox the Sun skims the horizon at both poles.
    for (double latitude : {90.0, -90.0}) {
        const ObserverLocation pole{latitude, 0.0, 0.0};
        for (const DateTime& date : {DateTime{2024, 3, 20, 0, 0, 0.0, 0.0}, DateTime{2024, 9, 22, 0, 0, 0.0, 0.0}}) {
            EXPECT_EQ(SunRiseTime(date, pole, jd), 0);
            EXPECT_EQ(SunSetTime(date, pole, jd), 0);
            EXPECT_EQ(SunRiseThroughAltitude(date, pole, jd, -6), 0);
            EXPECT_EQ(Find(date, pole, kMoonId, nullptr, kEventRise, 0.0, jd), 0);
            EXPECT_EQ(Find(date, pole, 1, nullptr, kEventSet, 0.0, jd), 0);
        }
    }
}

TEST(RiseSetNoEvent, CometsMinorPlanetsWithoutElementsAndUnknownBodiesGiveNoEvent)
{
    const ObserverLocation site{35.0, 135.0, 0.0};
    const DateTime date{2024, 3, 1, 0, 0, 0.0, 9.0};
    for (int32_t id : {10000, 10003, 20000, 8, -3, -4, -11, 30000}) {
        double jd = -1.0;
        for (int32_t kind : {kEventRise, kEventTransit, kEventSet})
            EXPECT_EQ(Find(date, site, id, nullptr, kind, 0.0, jd), 0) << id;
        EXPECT_EQ(jd, -1.0);
    }
}

TEST(RiseSetHeight, HigherObserverSeesTheSunRiseEarlierAndSetLater)
{
    // London at the equinox: the dip of the horizon from 100 m is
    // atan(sqrt(100 x 12742124) / 6371012) = 0.3211 degrees, which the Sun
    // crosses in dip / (360.9856 cos(lat) cos(dec) sin H) days (dec ~ 0,
    // H ~ 90). Below sea level the horizon is raised: the Sun rises later.
    const DateTime equinox{2024, 3, 20, 0, 0, 0.0, 0.0};
    double rise[3], set[3];
    for (int i = 0; i < 3; ++i) {
        const ObserverLocation site{51.4779, -0.0015, 100.0 * (i - 1)};   // -100, 0, 100 m
        ASSERT_EQ(SunRiseTime(equinox, site, rise[i]), 1);
        ASSERT_EQ(SunSetTime(equinox, site, set[i]), 1);
    }
    const double dipMinutes = 0.3211 / (360.9856 * std::cos(51.4779 * M_PI / 180.0)) * 1440.0;
    EXPECT_NEAR((rise[1] - rise[2]) / kMinute, dipMinutes, 0.15 * dipMinutes);
    EXPECT_NEAR((set[2] - set[1]) / kMinute, dipMinutes, 0.15 * dipMinutes);
    EXPECT_NEAR((rise[0] - rise[1]) / kMinute, dipMinutes, 0.15 * dipMinutes);
}

TEST(RiseSetHeight, HeightCorrectionStaysBoundedNearTheCircumpolarLimit)
{
    // At Tromso the Sun's declination on these dates puts cos(lat + dec)
    // near zero, where the height term of the time divides by it. A
    // high observer's sunrise must still be a time at which the Sun is on
    // his horizon, and inside the day.
    const ObserverLocation mountain{69.6492, 18.9553, 1500.0};
    const double dip = std::atan(std::sqrt(1500.0 * (1500.0 + 12742024.0)) / 6371012.0) * 180.0 / M_PI;
    int rises = 0;
    for (int day = 10; day <= 25; ++day) {
        double jd = 0.0;
        if (!SunRiseTime(DateTime{2024, 5, day, 0, 0, 0.0, 1.0}, mountain, jd))
            continue;
        ++rises;
        AstroTime at;
        AstroTimeFromJulianDay(jd, 1.0, mountain, at);
        SunRecord sun;
        SunPosition(at, sun);
        EXPECT_NEAR(SunAltitude(jd, 1.0, mountain), -(0.5855555 + sun.semidiameter + dip), 0.01) << day;
        const double start = 2460440.5 + (day - 10) - 1.0 / 24.0;
        EXPECT_TRUE(jd >= start && jd < start + 1.0) << day;
    }
    // The last sunrises before the midnight sun are among these days.
    EXPECT_TRUE(rises > 0 && rises < 16) << rises;
}

TEST(RiseSetBadInput, NonFiniteAndOutOfRangeValuesGiveNoEvent)
{
    const ObserverLocation good{35.0, 135.0, 0.0};
    const DateTime date{2024, 3, 1, 0, 0, 0.0, 9.0};
    double jd = 0.0;
    for (double bad : {kNaN, kInf, -kInf}) {
        EXPECT_EQ(SunRiseTime(date, ObserverLocation{bad, 135.0, 0.0}, jd), 0);
        EXPECT_EQ(SunSetTime(date, ObserverLocation{35.0, bad, 0.0}, jd), 0);
        EXPECT_EQ(SunRiseTime(date, ObserverLocation{35.0, 135.0, bad}, jd), 0);
        EXPECT_EQ(SunRiseTime(DateTime{2024, 3, 1, 0, 0, 0.0, bad}, good, jd), 0);
        EXPECT_EQ(Find(date, good, kSunId, nullptr, kEventRise, bad, jd), 0);
        const double star[2] = {bad, 10.0};
        EXPECT_EQ(Find(date, good, kFixedPointId, star, kEventTransit, 0.0, jd), 0);
        double t1 = bad, t2 = 0.0;
        EXPECT_EQ(EventSearch(SetupRiseSetDay(date, good), 9.0, RiseSetObjectOf(kSunId), kEventRise, good, 0.0, 1, t1, t2),
                  kSearchNoEvent);
    }
    EXPECT_EQ(SunRiseTime(date, ObserverLocation{91.0, 135.0, 0.0}, jd), 0);
    EXPECT_EQ(SunRiseTime(DateTime{40000, 3, 1, 0, 0, 0.0, 9.0}, good, jd), 0);
    EXPECT_EQ(SunRiseTime(DateTime{2024, 3, 1, 0, 0, 0.0, 1e300}, good, jd), 0);
    for (auto [kind, h0] : {std::pair{0, 0.0}, {4, 0.0}, {kEventRise, 95.0}})
        EXPECT_EQ(Find(date, good, kSunId, nullptr, kind, h0, jd), 0) << kind << " " << h0;
}

TEST(RiseSetBadInput, AltitudeTheSunNeverReachesGivesNoInventedEvent)
{
    // At 50 N on the June solstice the Sun culminates at 63.4 degrees and
    // bottoms out at -16.6: 70 and -20 are never reached, 63 and -16 are
    // reached only near culmination.
    const DateTime solstice{2024, 6, 21, 0, 0, 0.0, 1.0};
    const ObserverLocation site{50.0, 15.0, 0.0};
    double jd = 0.0;
    for (int32_t altitude : {70, -20}) {
        EXPECT_EQ(SunRiseThroughAltitude(solstice, site, jd, altitude), 0) << altitude;
        EXPECT_EQ(SunSetThroughAltitude(solstice, site, jd, altitude), 0) << altitude;
    }
    for (int32_t altitude : {63, -16}) {
        for (auto pass : {SunRiseThroughAltitude, SunSetThroughAltitude}) {
            if (pass(solstice, site, jd, altitude)) {
                EXPECT_NEAR(SunAltitude(jd, 1.0, site), altitude, 0.1) << altitude;
            }
        }
    }
}
