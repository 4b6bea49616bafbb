// Targets: every form of the target language parsed, bad coordinates
// refused, and every reference the program writes read back to the same
// object. Precession is checked against ERFA.
#include <gtest/gtest.h>

#include "astro/coordinates.h"
#include "data/catalog_tables.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/solar_body_names.h"
#include "sky/catalog/target_parser.h"
#include "tests/sky/catalog/catalog_ids.h"
#include "tests/sky/sky_view_fixture.h"

#include <erfa.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

using skytest::MakeScene;
using skytest::ViewSetup;

constexpr double kDeg = M_PI / 180.0;

struct Parsed {
    int ok;
    ObjectRef ref;
    int32_t textsUsed;
};

// The parser upper-cases what it looks up: it reads copies of the texts.
Parsed Parse(Scene& scene, const char* k, const char* t2 = nullptr, const char* t3 = nullptr)
{
    std::string texts[3] = {k ? k : "", t2 ? t2 : "", t3 ? t3 : ""};
    Parsed p{};
    p.ok = ParseTargetWithFallback(scene, k ? texts[0].data() : nullptr, t2 ? texts[1].data() : nullptr,
                                   t3 ? texts[2].data() : nullptr, p.ref, p.textsUsed);
    return p;
}

// A reference written by FormatObjectCommandText, read back.
Parsed ParseReference(Scene& scene, const char* text)
{
    std::string spaced(text), w[3];
    std::replace(spaced.begin(), spaced.end(), ',', ' ');
    std::istringstream(spaced) >> w[0] >> w[1] >> w[2];
    return Parse(scene, w[0].c_str(), w[1].empty() ? nullptr : w[1].c_str(), w[2].empty() ? nullptr : w[2].c_str());
}

// Angle in degrees between two places, and a J2000 place on the mean
// equator of the scene's date (IAU 1976; TT taken as UT, which moves it by
// far less than the tolerances here).
double AngleBetween(const double a[2], const double b[2])
{
    double u[3], v[3];
    eraS2c(a[0] * kDeg, a[1] * kDeg, u);
    eraS2c(b[0] * kDeg, b[1] * kDeg, v);
    return eraSepp(u, v) / kDeg;
}

void PrecessToDate(const Scene& scene, const double j2000[2], double date[2])
{
    double m[3][3], v[3], w[3], ra = 0.0, dec = 0.0;
    eraPmat76(scene.time.julianDay, 0.0, m);
    eraS2c(j2000[0] * kDeg, j2000[1] * kDeg, v);
    eraRxp(m, v, w);
    eraC2s(w, &ra, &dec);
    date[0] = eraAnp(ra) / kDeg;
    date[1] = dec / kDeg;
}

// Two loaded comets and a minor planet, held as the loader holds them.
struct SmallBodies {
    explicit SmallBodies(Scene& s) : scene(s)
    {
        scene.cometCount = 2;
        scene.cometPositions = static_cast<SmallBodyRecord*>(std::calloc(2, sizeof(SmallBodyRecord)));
        scene.cometElements = static_cast<OrbitalElements*>(std::calloc(2, sizeof(OrbitalElements)));
        scene.cometFlags = static_cast<uint8_t*>(std::calloc(2, 1));
        scene.mplanetCount = 1;
        scene.mplanetPositions = static_cast<SmallBodyRecord*>(std::calloc(1, sizeof(SmallBodyRecord)));
        scene.mplanetElements = static_cast<OrbitalElements*>(std::calloc(1, sizeof(OrbitalElements)));
        scene.mplanetFlags = static_cast<uint8_t*>(std::calloc(1, 1));
        const char* names[] = {"Halley", "Encke", "Ceres"};
        for (int i = 0; i < 3; ++i) {
            OrbitalElements& e = i < 2 ? scene.cometElements[i] : scene.mplanetElements[0];
            SmallBodyRecord& p = i < 2 ? scene.cometPositions[i] : scene.mplanetPositions[0];
            e.kind = p.kind = i < 2 ? 'C' : 'M';
            std::snprintf(e.name, sizeof e.name, "%-30s", names[i]);
            std::snprintf(e.secondName, sizeof e.secondName, "%-15s", "");
            std::snprintf(e.number, sizeof e.number, "%-6s", i < 2 ? "" : "1");
            std::snprintf(e.designation, sizeof e.designation, "%-10s", "");
        }
    }
    ~SmallBodies()
    {
        FreeSceneSmallBodies(scene);
        scene.cometCount = 0;
        scene.mplanetCount = 0;
    }
    Scene& scene;
};

TEST(TargetParse, CoordinateFormsInEveryFrame)
{
    // HHMM.m and DDMM.m when the hours have three or more characters.
    const struct {
        const char *k, *t2, *t3;
        int32_t type;
        double longitude, latitude;
    } cases[] = {
        {"EQT", "5.5", "-5.4", kFrameEqt, 82.5, -5.4},
        {"eqt", "0530.5", "-0523", kFrameEqt, 82.625, -(5.0 + 23.0 / 60.0)},
        {"EQT", "123", "45", kFrameEqt, 20.75, 0.75},
        {"EQT_B1950", "12", "-30.5", kFrameEqtB1950, 180.0, -30.5},
        {"EQT_DATE", "12", "-30.5", kFrameEqtDate, 180.0, -30.5},
        {"HRZ", "10", "20", kFrameHrz, 10.0, 20.0},
        {"ECL", "100", "-5", kFrameEcl, 100.0, -5.0},
        {"GAL", "30", "-2", kFrameGal, 30.0, -2.0},
        {"SCREEN", "100", "200", kObjectScreen, 100.0, 200.0},
        // Numbers are read as commands read them, text that is none as 0,
        // and places off the usual ranges are taken as given.
        {"HRZ", "abc", "30", kFrameHrz, 0.0, 30.0},
        {"HRZ", "10", "95", kFrameHrz, 10.0, 95.0},
        {"HRZ", "400x", "-91", kFrameHrz, 400.0, -91.0},
        {"EQT", "25", "0", kFrameEqt, 375.0, 0.0},
        {"EQT", "-1", "90.5", kFrameEqt, -15.0, 90.5},
        {"EQT", "0530", "9100", kFrameEqt, 82.5, 91.0},
        {"GAL", "0", "100", kFrameGal, 0.0, 100.0},
        {"EQT", "66666", "-1e6", kFrameEqt, 666.0 * 15 + 66.0 / 4, -1e6 / 60},
        {"ECL", "-1e6", "1e6", kFrameEcl, -1e6, 1e6},   // at the bound
        {"SCREEN", "-32767", "32767x", kObjectScreen, -32767.0, 32767.0},
    };
    auto scene = MakeScene(ViewSetup{});
    for (const auto& c : cases) {
        const Parsed p = Parse(*scene, c.k, c.t2, c.t3);
        ASSERT_EQ(p.ok, 1) << c.k << " " << c.t2 << " " << c.t3;
        EXPECT_EQ(p.ref.type, c.type) << c.k;
        EXPECT_EQ(p.textsUsed, 3) << c.k;
        EXPECT_NEAR(p.ref.longitude, c.longitude, 1e-12) << c.k << " " << c.t2;
        EXPECT_NEAR(p.ref.latitude, c.latitude, 1e-12) << c.k << " " << c.t3;
    }
}

TEST(TargetParse, MissingCoordinatesAreTheViewCentres)
{
    // EQT alone: the view centre (equator of date, 90 / 20) taken back to
    // J2000, 24 years of precession away.
    auto scene = MakeScene(ViewSetup{kModeEqt, 800, 600, 0, 60.0, 0, 90.0, 20.0});
    Parsed p = Parse(*scene, "EQT");
    ASSERT_EQ(p.ok, 1);
    const double j2000[2] = {p.ref.longitude, p.ref.latitude}, centre[2] = {90.0, 20.0};
    double date[2];
    PrecessToDate(*scene, j2000, date);
    EXPECT_LT(AngleBetween(date, centre), 0.01);
    EXPECT_GT(AngleBetween(j2000, centre), 0.2);
    // EQT_DATE alone is the centre itself; here only the declination given.
    p = Parse(*scene, "EQT_DATE", nullptr, "-10");
    ASSERT_EQ(p.ok, 1);
    EXPECT_NEAR(p.ref.longitude, 90.0, 1e-9);
    EXPECT_DOUBLE_EQ(p.ref.latitude, -10.0);

    auto hrz = MakeScene(ViewSetup{kModeHrz, 800, 600, 0, 90.0, 0, 0, 0, 30.0, 15.0});
    p = Parse(*hrz, "HRZ");
    ASSERT_EQ(p.ok, 1);
    EXPECT_DOUBLE_EQ(p.ref.longitude, 30.0);
    EXPECT_DOUBLE_EQ(p.ref.latitude, 15.0);
}

TEST(TargetParse, ObjectsByKeywordAndByBareName)
{
    auto scene = MakeScene(ViewSetup{});
    int32_t betelgeuse = -1, m31 = -1;
    ASSERT_NE(betelgeuse = catalogtest::StarId("alphaOri"), -1);
    ASSERT_EQ(FindNebulaByDesignation("M31", m31), 1);
    const struct {
        const char *k, *t2;
        int32_t type, id, textsUsed;
    } cases[] = {
        {"STAR", "alphaOri", kObjectStar, betelgeuse, 2},
        {"CONS", "Ori", kObjectConstellation, catalogtest::ConstellationRow("Ori"), 2},
        {"NEBULA", "M31", kObjectNebula, m31, 2},
        // Bodies, satellites and clouds by their names alone, and the
        // fallback for a star, nebula or constellation.
        {"jupiter", nullptr, kObjectSolarBody, 3, 1},
        {"SUN", nullptr, kObjectSolarBody, -2, 1},
        {"MOON", nullptr, kObjectSolarBody, -1, 1},
        {"EARTH", nullptr, kObjectSolarBody, -3, 1},
        {"SMC", nullptr, kObjectMagellanicCloud, 1, 1},
        {"CALLIST", nullptr, kObjectJovianMoon, 3, 1},
        {"Betelgeuse", nullptr, kObjectStar, betelgeuse, 1},
        {"M31", nullptr, kObjectNebula, m31, 1},
        {"Ori", nullptr, kObjectConstellation, catalogtest::ConstellationRow("Ori"), 1},
    };
    for (const auto& c : cases) {
        const Parsed p = Parse(*scene, c.k, c.t2);
        ASSERT_EQ(p.ok, 1) << c.k;
        EXPECT_EQ(p.ref.type, c.type) << c.k;
        EXPECT_EQ(p.ref.id, c.id) << c.k;
        EXPECT_EQ(p.textsUsed, c.textsUsed) << c.k;
    }
    // A satellite's name switches the satellites on, as SHOW JMOON does.
    scene->jovianMoonFlags = 0;
    EXPECT_EQ(Parse(*scene, "IO").ref.id, 0);
    EXPECT_EQ(scene->jovianMoonFlags & 1, 1);
}

TEST(TargetParse, NamesThatAreNoTargetAndBadCoordinatesAreRefused)
{
    auto scene = MakeScene(ViewSetup{});
    const std::string longName(5000, 'A');
    // No star name, no user-object files held, over-long names.
    const char* const refused[][3] = {
        {"PLANET"}, {"COMET"}, {"MINORPLANET"}, {"MARS_NAME"}, {"SUN_SPOT"}, {"IONTAIL"}, {"CALLISTO"},
        {"NOSUCH"}, {"VIEW_CENTER"}, {""}, {"COMET1"}, {"STAR"}, {"STAR", "noSuchStar"}, {"AD", "anything"},
        {"SKYMARK", "anything"}, {nullptr}, {longName.c_str()}, {"STAR", longName.c_str()},
        // NaN, infinities and places beyond the bounds, which no integer
        // conversion of a view centre or saved line could hold.
        {"EQT", "nan", "0"}, {"EQT", "5", "inf"}, {"EQT", "1e999", "0"}, {"ECL", "0", "-nan"},
        {"HRZ", "10", "1e300"}, {"HRZ", "1000000.5", "0"}, {"GAL", "0", "-1e7"}, {"EQT", ".1e6", "0"},
        {"EQT", "0530", "1e300"}, {"EQT_DATE", "99999999999999999999", "0"}, {"SCREEN", "1"},
        {"SCREEN", nullptr, "1"}, {"SCREEN", "32768", "0"}, {"SCREEN", "0", "-1e9"}, {"SCREEN", "nan", "0"},
    };
    for (const auto& t : refused)
        EXPECT_EQ(Parse(*scene, t[0], t[1], t[2]).ok, 0)
            << (t[0] ? t[0] : "-") << " " << (t[1] ? t[1] : "-") << " " << (t[2] ? t[2] : "-");
}

TEST(TargetParse, KeywordsAndNamesAreUpperCasedInPlace)
{
    auto scene = MakeScene(ViewSetup{});
    char name[] = "betelgeuse", keyword[] = "star", designation[] = "alphaOri", body[] = "mars",
         frame[] = "eqt", hours[] = "0530.5x", none[] = "m31", text2[] = "nosuch";
    ObjectRef ref{};
    int32_t used = 0;
    EXPECT_EQ(ParseTargetWithFallback(*scene, name, nullptr, nullptr, ref, used), 1);
    EXPECT_EQ(ParseTarget(*scene, keyword, designation, nullptr, ref, used), 1);
    EXPECT_EQ(ParseTarget(*scene, body, nullptr, nullptr, ref, used), 1);
    EXPECT_EQ(ParseTarget(*scene, frame, hours, nullptr, ref, used), 1);
    EXPECT_EQ(ParseTargetWithFallback(*scene, none, text2, nullptr, ref, used), 1);
    for (auto [text, after] : {std::pair{name, "BETELGEUSE"}, {keyword, "STAR"}, {designation, "alphaORI"},
                               {body, "MARS"}, {frame, "EQT"}, {hours, "0530.5x"}, {none, "M31"}, {text2, "nosuch"}})
        EXPECT_STREQ(text, after);
}

TEST(TargetParse, SolarObjectKeywords)
{
    auto scene = MakeScene(ViewSetup{});
    SmallBodies bodies(*scene);
    const struct {
        const char* keyword;
        int ok;
        int32_t id, bit;
    } cases[] = {
        {"MARS", 1, 2, 2},          {"mars_name", 1, 2, 4},    {"PLANET_OBT", 1, 100, 32},
        {"COMET2_DATE", 1, 10001, 16}, {"IONTAIL1", 1, 10000, 128}, {"DUSTTAIL", 1, 101, 64},
        {"SUN_SPOT", 1, -2, 64},    {"EARTH_MAG", 1, -3, 8},   {"MINORPLANET1", 1, 20000, 2},
        {"MINORPLANET", 1, 102, 2}, {"COMET", 1, 101, 2},      {"SUN_OBT", 0, 0, 0},
        {"MOON_MAG", 0, 0, 0},      {"COMET9", 0, 0, 0},       {"COMET0", 0, 0, 0},
        {"IONTAIL3", 0, 0, 0},      {"MARS_SPOT", 0, 0, 0},    {"MARSX", 0, 0, 0},
        {"MINORPLANET2", 0, 0, 0},  {"COMET99999999999", 0, 0, 0},
    };
    for (const auto& c : cases) {
        int32_t id = 0, bit = 0;
        EXPECT_EQ(StkParseSolarObjectKeyword(*scene, c.keyword, id, bit), c.ok) << c.keyword;
        EXPECT_EQ(id, c.ok ? c.id : id) << c.keyword;
        EXPECT_EQ(bit, c.ok ? c.bit : bit) << c.keyword;
    }
    for (auto [name, found, want] :
         {std::tuple{"halley", 1, 10000}, {"Ceres", 1, 20000}, {"COMET2", 1, 10001}, {"MARS_NAME", 0, 0}}) {
        int32_t id = 0;
        EXPECT_EQ(FindSolarBodyByName(*scene, name, id), found) << name;
        EXPECT_EQ(id, found ? want : id) << name;
    }
}

// Stars by designation (one that has none is written as its place, EQT
// hours,degrees), constellations (the second Serpens label is the
// constellation of the first), nebulae, bodies, satellites and clouds; a
// reference past a table's end is empty.
TEST(TargetRoundTrip, EveryReferenceReadsBackToItsObject)
{
    auto scene = MakeScene(ViewSetup{});
    SmallBodies bodies(*scene);
    char text[kObjectCommandTextSize];
    int designated = 0;
    for (int32_t star = 0; star < kBrightStarCount; ++star) {
        ASSERT_EQ(FormatObjectCommandText(*scene, kObjectStar, star, text), 1) << star;
        int32_t row = 0, flag = 0;
        if (GetStarDesignationIndex(star, row, flag) == 0) {
            ASSERT_EQ(std::string(text).rfind("EQT ", 0), 0u) << text;
            continue;
        }
        ++designated;
        const Parsed p = ParseReference(*scene, text);
        ASSERT_EQ(p.ok, 1) << text;
        ASSERT_EQ(p.ref.type, kObjectStar) << text;
        ASSERT_EQ(p.ref.id, star) << text;
    }
    EXPECT_EQ(designated, kStarDesignationCount);
    const struct {
        int32_t type, first, end;
        bool nothingAtTheEnd;
    } tables[] = {{kObjectConstellation, 0, kConstellationRows, true}, {kObjectNebula, 0, kNebulaCount, true},
                  {kObjectSolarBody, -2, 8, false},  {kObjectSolarBody, 10000, 10002, false},
                  {kObjectSolarBody, 20000, 20001, false}, {kObjectJovianMoon, 0, 4, true},
                  {kObjectMagellanicCloud, 0, 2, true}};
    for (const auto& t : tables) {
        for (int32_t id = t.first; id < t.end; ++id) {
            ASSERT_EQ(FormatObjectCommandText(*scene, t.type, id, text), 1) << t.type << " " << id;
            const Parsed p = ParseReference(*scene, text);
            ASSERT_EQ(p.ok, 1) << text;
            EXPECT_EQ(p.ref.type, t.type) << text;
            EXPECT_EQ(p.ref.id, id == kSecondSerpensRow && t.type == kObjectConstellation ? kSerpensRow : id) << text;
        }
        EXPECT_TRUE(!t.nothingAtTheEnd || FormatObjectCommandText(*scene, t.type, t.end, text) == 0) << t.type;
    }
    EXPECT_EQ(FormatObjectCommandText(*scene, 57, 0, text), 0);
}

TEST(TargetRoundTrip, UndesignatedStarsAreNamedByTheirPlace)
{
    auto scene = MakeScene(ViewSetup{});
    char text[kObjectCommandTextSize];
    int checked = 0;
    for (int32_t star = 0; star < kBrightStarCount && checked < 20; ++star) {
        int32_t row, flag;
        if (GetStarDesignationIndex(star, row, flag))
            continue;
        ++checked;
        FormatObjectCommandText(*scene, kObjectStar, star, text);
        double hours = 0, degrees = 0;
        ASSERT_EQ(std::sscanf(text, "EQT %lf,%lf", &hours, &degrees), 2) << text;
        EXPECT_GE(hours, 0.0);
        EXPECT_LT(hours, 24.0);
        const BrightStarRecord& s = BrightStarTable[star];
        const double a = hours * 15 * kDeg, d = degrees * kDeg;
        EXPECT_NEAR(s.x / 16384.0, std::cos(d) * std::cos(a), 1e-4) << text;
        EXPECT_NEAR(s.y / 16384.0, std::cos(d) * std::sin(a), 1e-4) << text;
        EXPECT_NEAR(s.z / 16384.0, std::sin(d), 1e-4) << text;
        // And the place reads back as a target in the J2000 frame.
        const Parsed p = ParseReference(*scene, text);
        ASSERT_EQ(p.ok, 1) << text;
        EXPECT_EQ(p.ref.type, kFrameEqt) << text;
        EXPECT_NEAR(p.ref.longitude, hours * 15, 1e-9) << text;
    }
    EXPECT_EQ(checked, 20);
}

}  // namespace
