// Targets: every form of the target language parsed, bad coordinates
// refused, command references read back to the same object, the inverse
// projection against the forward one in every mode and mirror setting, and
// the view turned toward the target. Precession is checked against ERFA.
#include <gtest/gtest.h>

#include "astro/coordinates.h"
#include "data/catalog_tables.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/solar_body_names.h"
#include "sky/solar_system_update.h"
#include "sky/view/object_positions.h"
#include "sky/view/screen_points.h"
#include "sky/view/targets.h"
#include "tests/sky/sky_view_fixture.h"

#include <erfa.h>

#include <cmath>
#include <cstdlib>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using skytest::MakeScene;
using skytest::ViewSetup;

constexpr double kDeg = M_PI / 180.0;

struct Parsed {
    int ok;
    TargetRef ref;
};

Parsed Parse(Scene& scene, const char* k, const char* t2 = nullptr, const char* t3 = nullptr)
{
    Parsed p{};
    p.ok = ParseTargetWithFallback(scene, k, t2, t3, p.ref);
    return p;
}

// A J2000 place on the mean equator of the scene's date (IAU 1976; TT
// taken as UT, which moves it by far less than the tolerances here).
void PrecessToDate(const Scene& scene, const double j2000[2], double date[2])
{
    double m[3][3];
    eraPmat76(scene.time.julianDay, 0.0, m);
    double v[3];
    eraS2c(j2000[0] * kDeg, j2000[1] * kDeg, v);
    double w[3];
    eraRxp(m, v, w);
    double ra = 0.0;
    double dec = 0.0;
    eraC2s(w, &ra, &dec);
    date[0] = eraAnp(ra) / kDeg;
    date[1] = dec / kDeg;
}

double AngleBetween(const double a[2], const double b[2])
{
    double u[3];
    double v[3];
    eraS2c(a[0] * kDeg, a[1] * kDeg, u);
    eraS2c(b[0] * kDeg, b[1] * kDeg, v);
    return eraSepp(u, v) / kDeg;
}

std::vector<std::string> Words(const char* text)
{
    std::vector<std::string> words;
    std::string word;
    for (const char* p = text;; ++p) {
        if (*p == ' ' || *p == ',' || *p == '\0') {
            if (!word.empty()) {
                words.push_back(word);
            }
            word.clear();
            if (*p == '\0') {
                break;
            }
        } else {
            word += *p;
        }
    }
    return words;
}

// A reference written by FormatObjectCommandText, read back.
Parsed ParseReference(Scene& scene, const char* text)
{
    std::vector<std::string> w = Words(text);
    w.resize(3);
    return Parse(scene, w[0].c_str(), w[1].empty() ? nullptr : w[1].c_str(),
                 w[2].empty() ? nullptr : w[2].c_str());
}

TEST(TargetParse, EquatorialFormsAndDefaults)
{
    auto scene = MakeScene(ViewSetup{kModeEqt, 800, 600, 0, 60.0, 0, 90.0, 20.0});
    Parsed p = Parse(*scene, "EQT", "5.5", "-5.4");
    ASSERT_EQ(p.ok, 1);
    EXPECT_EQ(p.ref.type, kFrameEqt);
    EXPECT_EQ(p.ref.textsUsed, 3);
    EXPECT_DOUBLE_EQ(p.ref.longitude, 82.5);
    EXPECT_DOUBLE_EQ(p.ref.latitude, -5.4);

    p = Parse(*scene, "eqt", "0530.5", "-0523");
    ASSERT_EQ(p.ok, 1);
    EXPECT_NEAR(p.ref.longitude, 82.625, 1e-12);
    EXPECT_NEAR(p.ref.latitude, -(5.0 + 23.0 / 60.0), 1e-12);

    p = Parse(*scene, "EQT", "123", "45");
    ASSERT_EQ(p.ok, 1);
    EXPECT_NEAR(p.ref.longitude, 20.75, 1e-12);
    EXPECT_NEAR(p.ref.latitude, 0.75, 1e-12);

    for (const char* keyword : {"EQT_B1950", "EQT_DATE"}) {
        p = Parse(*scene, keyword, "12", "-30.5");
        ASSERT_EQ(p.ok, 1) << keyword;
        EXPECT_EQ(p.ref.type, keyword[4] == 'B' ? kFrameEqtB1950 : kFrameEqtDate);
        EXPECT_DOUBLE_EQ(p.ref.longitude, 180.0);
        EXPECT_DOUBLE_EQ(p.ref.latitude, -30.5);
    }

    // EQT alone: the view centre (equator of date, 90 / 20) taken back to J2000.
    p = Parse(*scene, "EQT");
    ASSERT_EQ(p.ok, 1);
    double j2000[2] = {p.ref.longitude, p.ref.latitude};
    double date[2];
    PrecessToDate(*scene, j2000, date);
    const double centre[2] = {90.0, 20.0};
    EXPECT_LT(AngleBetween(date, centre), 0.01);
    EXPECT_GT(AngleBetween(j2000, centre), 0.2);   // 24 years of precession

    // EQT_DATE alone is the centre itself; only the declination given.
    p = Parse(*scene, "EQT_DATE", nullptr, "-10");
    ASSERT_EQ(p.ok, 1);
    EXPECT_NEAR(p.ref.longitude, 90.0, 1e-9);
    EXPECT_DOUBLE_EQ(p.ref.latitude, -10.0);
}

TEST(TargetParse, DegreeFramesScreenAndObjects)
{
    auto scene = MakeScene(ViewSetup{kModeHrz, 800, 600, 0, 90.0, 0, 0, 0, 30.0, 15.0});
    Parsed p = Parse(*scene, "HRZ", "10", "20");
    ASSERT_EQ(p.ok, 1);
    EXPECT_EQ(p.ref.type, kFrameHrz);
    EXPECT_DOUBLE_EQ(p.ref.longitude, 10.0);
    EXPECT_DOUBLE_EQ(p.ref.latitude, 20.0);
    p = Parse(*scene, "HRZ");
    ASSERT_EQ(p.ok, 1);
    EXPECT_DOUBLE_EQ(p.ref.longitude, 30.0);
    EXPECT_DOUBLE_EQ(p.ref.latitude, 15.0);
    p = Parse(*scene, "ECL", "100", "-5");
    EXPECT_EQ(p.ok, 1);
    EXPECT_EQ(p.ref.type, kFrameEcl);
    EXPECT_DOUBLE_EQ(p.ref.longitude, 100.0);
    p = Parse(*scene, "GAL", "30", "-2");
    EXPECT_EQ(p.ref.type, kFrameGal);
    EXPECT_DOUBLE_EQ(p.ref.latitude, -2.0);
    p = Parse(*scene, "SCREEN", "100", "200");
    ASSERT_EQ(p.ok, 1);
    EXPECT_EQ(p.ref.type, kObjectScreen);
    EXPECT_EQ(p.ref.textsUsed, 3);
    EXPECT_DOUBLE_EQ(p.ref.latitude, 200.0);

    int32_t betelgeuse = -1;
    ASSERT_EQ(FindStarByName("alphaOri", betelgeuse), 1);
    p = Parse(*scene, "STAR", "alphaOri");
    ASSERT_EQ(p.ok, 1);
    EXPECT_EQ(p.ref.type, kObjectStar);
    EXPECT_EQ(p.ref.id, betelgeuse);
    EXPECT_EQ(p.ref.textsUsed, 2);
    p = Parse(*scene, "CONS", "Ori");
    EXPECT_EQ(p.ref.type, kObjectConstellation);
    EXPECT_EQ(p.ref.id, FindConstellationByName("Ori"));
    p = Parse(*scene, "NEBULA", "M31");
    int32_t m31 = -1;
    ASSERT_EQ(FindNebulaByDesignation("M31", m31), 1);
    EXPECT_EQ(p.ref.type, kObjectNebula);
    EXPECT_EQ(p.ref.id, m31);

    // Bodies, satellites and clouds by their names alone.
    p = Parse(*scene, "jupiter");
    ASSERT_EQ(p.ok, 1);
    EXPECT_EQ(p.ref.type, kObjectSolarBody);
    EXPECT_EQ(p.ref.id, 3);
    EXPECT_EQ(p.ref.textsUsed, 1);
    EXPECT_EQ(Parse(*scene, "SUN").ref.id, -2);
    EXPECT_EQ(Parse(*scene, "MOON").ref.id, -1);
    EXPECT_EQ(Parse(*scene, "EARTH").ref.id, -3);
    p = Parse(*scene, "SMC");
    EXPECT_EQ(p.ref.type, kObjectMagellanicCloud);
    EXPECT_EQ(p.ref.id, 1);
}

TEST(TargetParse, IoSwitchesTheJovianSatellitesOn)
{
    auto scene = MakeScene(ViewSetup{});
    scene->jovianMoonFlags = 0;
    Parsed p = Parse(*scene, "IO");
    ASSERT_EQ(p.ok, 1);
    EXPECT_EQ(p.ref.type, kObjectJovianMoon);
    EXPECT_EQ(p.ref.id, 0);
    EXPECT_EQ(scene->jovianMoonFlags & 1, 1);
    EXPECT_EQ(Parse(*scene, "CALLIST").ref.id, 3);
}

TEST(TargetParse, FallbackFindsBareNames)
{
    auto scene = MakeScene(ViewSetup{});
    int32_t betelgeuse = -1;
    ASSERT_EQ(FindStarByProperName("Betelgeuse", betelgeuse), 1);
    Parsed p = Parse(*scene, "Betelgeuse");
    ASSERT_EQ(p.ok, 1);
    EXPECT_EQ(p.ref.type, kObjectStar);
    EXPECT_EQ(p.ref.id, betelgeuse);
    EXPECT_EQ(p.ref.textsUsed, 1);
    p = Parse(*scene, "M31");
    EXPECT_EQ(p.ref.type, kObjectNebula);
    EXPECT_EQ(p.ref.textsUsed, 1);
    p = Parse(*scene, "Ori");
    EXPECT_EQ(p.ref.type, kObjectConstellation);
    EXPECT_EQ(p.ref.textsUsed, 1);
}

TEST(TargetParse, NamesThatAreNoTarget)
{
    auto scene = MakeScene(ViewSetup{});
    for (const char* name : {"PLANET", "COMET", "MINORPLANET", "MARS_NAME", "SUN_SPOT", "IONTAIL",
                             "CALLISTO", "NOSUCH", "VIEW_CENTER", "", "COMET1"}) {
        EXPECT_EQ(Parse(*scene, name).ok, 0) << name;
    }
    EXPECT_EQ(Parse(*scene, "STAR").ok, 0);              // no name given
    EXPECT_EQ(Parse(*scene, "STAR", "noSuchStar").ok, 0);
    EXPECT_EQ(Parse(*scene, "AD", "anything").ok, 0);     // no user-object files held
    EXPECT_EQ(Parse(*scene, "SKYMARK", "anything").ok, 0);
    EXPECT_EQ(Parse(*scene, nullptr).ok, 0);
    const std::string longName(5000, 'A');
    EXPECT_EQ(Parse(*scene, longName.c_str()).ok, 0);
    EXPECT_EQ(Parse(*scene, "STAR", longName.c_str()).ok, 0);
}

TEST(TargetParse, BadCoordinatesAreRefused)
{
    auto scene = MakeScene(ViewSetup{});
    const char* const refused[][3] = {
        {"EQT", "5", "95"},      {"EQT", "5", "-90.5"},  {"EQT", "0530", "9100"},
        {"EQT", "25", "0"},      {"EQT", "-1", "0"},     {"EQT", "nan", "0"},
        {"EQT", "5", "inf"},     {"EQT", "abc", "0"},    {"EQT", "1e999", "0"},
        {"HRZ", "10", "91"},     {"HRZ", "400", "0"},    {"ECL", "0", "-nan"},
        {"GAL", "0", "100"},     {"EQT_DATE", "5", "x"}, {"SCREEN", "1", nullptr},
        {"SCREEN", nullptr, "1"}, {"SCREEN", "1e9", "0"}, {"SCREEN", "nan", "0"},
    };
    for (const auto& t : refused) {
        EXPECT_EQ(Parse(*scene, t[0], t[1], t[2]).ok, 0) << t[0] << " " << (t[1] ? t[1] : "-") << " "
                                                          << (t[2] ? t[2] : "-");
    }
    // Boundaries are accepted.
    EXPECT_EQ(Parse(*scene, "EQT", "24", "90").ok, 1);
    EXPECT_EQ(Parse(*scene, "EQT", "0", "-90").ok, 1);
    EXPECT_EQ(Parse(*scene, "HRZ", "-360", "-90").ok, 1);
}

TEST(TargetParse, CallersTextIsNeverChanged)
{
    auto scene = MakeScene(ViewSetup{});
    char name[] = "betelgeuse";
    char keyword[] = "star";
    char designation[] = "alphaOri";
    char body[] = "mars";
    EXPECT_EQ(Parse(*scene, name).ok, 1);
    EXPECT_EQ(Parse(*scene, keyword, designation).ok, 1);
    EXPECT_EQ(Parse(*scene, body).ok, 1);
    EXPECT_STREQ(name, "betelgeuse");
    EXPECT_STREQ(keyword, "star");
    EXPECT_STREQ(designation, "alphaOri");
    EXPECT_STREQ(body, "mars");
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
        const char* names[] = {"Halley", "Encke"};
        for (int i = 0; i < 2; ++i) {
            OrbitalElements& e = scene.cometElements[i];
            e.kind = 'C';
            std::snprintf(e.name, sizeof e.name, "%-30s", names[i]);
            std::snprintf(e.secondName, sizeof e.secondName, "%-15s", "");
            std::snprintf(e.number, sizeof e.number, "%-6s", "");
            std::snprintf(e.designation, sizeof e.designation, "%-10s", "");
            scene.cometPositions[i].kind = 'C';
            scene.cometPositions[i].raJ2000 = 10.0 + i;
            scene.cometPositions[i].decJ2000 = 5.0;
            scene.cometPositions[i].helioVector[0] = 3.0 + i;
        }
        OrbitalElements& e = scene.mplanetElements[0];
        e.kind = 'M';
        std::snprintf(e.name, sizeof e.name, "%-30s", "Ceres");
        std::snprintf(e.secondName, sizeof e.secondName, "%-15s", "");
        std::snprintf(e.number, sizeof e.number, "%-6s", "1");
        std::snprintf(e.designation, sizeof e.designation, "%-10s", "");
        scene.mplanetPositions[0].kind = 'M';
    }
    ~SmallBodies()
    {
        FreeSceneSmallBodies(scene);
        scene.cometCount = 0;
        scene.mplanetCount = 0;
    }
    Scene& scene;
};

TEST(TargetParse, SolarObjectKeywords)
{
    auto scene = MakeScene(ViewSetup{});
    SmallBodies bodies(*scene);
    struct Case {
        const char* keyword;
        int ok;
        int32_t id;
        int32_t bit;
    };
    const Case cases[] = {
        {"MARS", 1, 2, 2},          {"mars_name", 1, 2, 4},    {"PLANET_OBT", 1, 100, 32},
        {"COMET2_DATE", 1, 10001, 16}, {"IONTAIL1", 1, 10000, 128}, {"DUSTTAIL", 1, 101, 64},
        {"SUN_SPOT", 1, -2, 64},    {"EARTH_MAG", 1, -3, 8},   {"MINORPLANET1", 1, 20000, 2},
        {"MINORPLANET", 1, 102, 2}, {"COMET", 1, 101, 2},      {"SUN_OBT", 0, 0, 0},
        {"MOON_MAG", 0, 0, 0},      {"COMET9", 0, 0, 0},       {"COMET0", 0, 0, 0},
        {"IONTAIL3", 0, 0, 0},      {"MARS_SPOT", 0, 0, 0},    {"MARSX", 0, 0, 0},
        {"MINORPLANET2", 0, 0, 0},  {"COMET99999999999", 0, 0, 0},
    };
    for (const Case& c : cases) {
        int32_t id = 0;
        int32_t bit = 0;
        EXPECT_EQ(StkParseSolarObjectKeyword(*scene, c.keyword, id, bit), c.ok) << c.keyword;
        if (c.ok) {
            EXPECT_EQ(id, c.id) << c.keyword;
            EXPECT_EQ(bit, c.bit) << c.keyword;
        }
    }
    int32_t id = 0;
    EXPECT_EQ(FindSolarBodyByName(*scene, "halley", id), 1);
    EXPECT_EQ(id, 10000);
    EXPECT_EQ(FindSolarBodyByName(*scene, "Ceres", id), 1);
    EXPECT_EQ(id, 20000);
    EXPECT_EQ(FindSolarBodyByName(*scene, "COMET2", id), 1);
    EXPECT_EQ(id, 10001);
    EXPECT_EQ(FindSolarBodyByName(*scene, "MARS_NAME", id), 0);
}

TEST(TargetRoundTrip, EveryReferenceReadsBackToItsObject)
{
    auto scene = MakeScene(ViewSetup{});
    SmallBodies bodies(*scene);
    char text[kObjectCommandTextSize];
    int stars = 0;
    for (int32_t star = 0; star < kBrightStarCount; ++star) {
        int32_t row = 0;
        int32_t flag = 0;
        if (GetStarDesignationIndex(star, row, flag) == 0 ||
            FormatObjectCommandText(*scene, kObjectStar, star, text) == 0) {
            continue;
        }
        ++stars;
        const Parsed p = ParseReference(*scene, text);
        ASSERT_EQ(p.ok, 1) << text;
        EXPECT_EQ(p.ref.type, kObjectStar) << text;
        if (p.ref.id != star) {
            // Two stars with one designation: the first is found; it must
            // at least carry the very same reference.
            char again[kObjectCommandTextSize];
            FormatObjectCommandText(*scene, kObjectStar, p.ref.id, again);
            EXPECT_STREQ(again, text) << star;
        }
    }
    EXPECT_GT(stars, 3000);
    for (int32_t nebula = 0; nebula < kNebulaCount; ++nebula) {
        ASSERT_EQ(FormatObjectCommandText(*scene, kObjectNebula, nebula, text), 1);
        const Parsed p = ParseReference(*scene, text);
        ASSERT_EQ(p.ok, 1) << text;
        EXPECT_EQ(p.ref.type, kObjectNebula) << text;
        EXPECT_EQ(p.ref.id, nebula) << text;
    }
    for (int32_t row = 0; row < kConstellationCount; ++row) {
        ASSERT_EQ(FormatObjectCommandText(*scene, kObjectConstellation, row, text), 1);
        const Parsed p = ParseReference(*scene, text);
        ASSERT_EQ(p.ok, 1) << text;
        EXPECT_EQ(p.ref.type, kObjectConstellation);
        EXPECT_EQ(p.ref.id, row) << text;
    }
    for (int32_t id : {-2, -1, 0, 1, 2, 3, 4, 5, 6, 7, 10000, 10001, 20000}) {
        ASSERT_EQ(FormatObjectCommandText(*scene, kObjectSolarBody, id, text), 1);
        const Parsed p = ParseReference(*scene, text);
        ASSERT_EQ(p.ok, 1) << text;
        EXPECT_EQ(p.ref.type, kObjectSolarBody) << text;
        EXPECT_EQ(p.ref.id, id) << text;
    }
    for (int32_t moon = 0; moon < 4; ++moon) {
        ASSERT_EQ(FormatObjectCommandText(*scene, kObjectJovianMoon, moon, text), 1);
        const Parsed p = ParseReference(*scene, text);
        EXPECT_EQ(p.ref.type, kObjectJovianMoon) << text;
        EXPECT_EQ(p.ref.id, moon) << text;
    }
    for (int32_t cloud = 0; cloud < 2; ++cloud) {
        ASSERT_EQ(FormatObjectCommandText(*scene, kObjectMagellanicCloud, cloud, text), 1);
        const Parsed p = ParseReference(*scene, text);
        EXPECT_EQ(p.ref.type, kObjectMagellanicCloud) << text;
        EXPECT_EQ(p.ref.id, cloud) << text;
    }
}

}  // namespace
