// Object names and command references: the references the program writes
// read back to the same object, and the name lookups find what they should.
#include <gtest/gtest.h>

#include "astro/body_records.h"
#include "data/catalog_tables.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/object_names.h"
#include "sky/scene.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct NamesTest : ::testing::Test {
    Scene scene{};
    void SetUp() override { ResetScene(scene); }

    std::string Reference(int32_t type, int32_t id)
    {
        char text[kObjectCommandTextSize] = "";
        if (!FormatObjectCommandText(scene, type, id, text))
            return "";
        return text;
    }
};

int32_t StarByDesignation(const char* text)
{
    int32_t star = -1;
    return FindStarByDesignation(text, star) ? star : -1;
}

int32_t NebulaByDesignation(const char* text)
{
    int32_t index = -1;
    return FindNebulaByDesignation(text, index) ? index : -1;
}

int32_t Letter(int32_t star)
{
    int32_t row, flag, letter, superscript, flamsteed, constellation;
    if (!GetStarDesignationIndex(star, row, flag))
        return -1;
    DecodeStarDesignation(row, letter, superscript, flamsteed, constellation);
    return letter;
}

}  // namespace

TEST_F(NamesTest, BrightestStarsHaveTheirDesignations)
{
    // Sirius is alpha and 9 Canis Majoris: the letter wins.
    EXPECT_EQ(Reference(kObjectStar, 0), "STAR alphaCMa");
    EXPECT_EQ(Reference(kObjectStar, 1), "STAR alphaCar");
    EXPECT_EQ(Reference(kObjectStar, 3), "STAR alpha1Cen");
    int32_t row, flag, letter, superscript, flamsteed, constellation;
    ASSERT_EQ(GetStarDesignationIndex(0, row, flag), 1);
    EXPECT_EQ(flag, 1);
    DecodeStarDesignation(row, letter, superscript, flamsteed, constellation);
    EXPECT_EQ(letter, 1);
    EXPECT_EQ(superscript, 0);
    EXPECT_EQ(flamsteed, 9);
    EXPECT_STREQ(ConstellationTable[constellation].abbreviation, "CMa");
    EXPECT_STREQ(GetStarProperName(0), "Sirius");
    EXPECT_EQ(GetStarProperName(kBrightStarCount - 1), nullptr);
}

TEST_F(NamesTest, StarDesignationsAreFoundAsWritten)
{
    EXPECT_EQ(StarByDesignation("alpha1Cen"), 3);
    EXPECT_EQ(StarByDesignation("9CMa"), 0);
    EXPECT_EQ(StarByDesignation("alphaCMa"), 0);
    EXPECT_EQ(StarByDesignation("ALPHACMA"), 0);
    // Without a superscript any alpha of Centaurus will do: the first row.
    int32_t first = StarByDesignation("ALPHACEN");
    ASSERT_GE(first, 0);
    EXPECT_EQ(Letter(first), 1);
    EXPECT_EQ(first, 3);
    // The blank stays in the rest, which names no constellation.
    EXPECT_EQ(StarByDesignation("Alpha Cen"), -1);
    EXPECT_EQ(StarByDesignation("alpha1Xyz"), -1);
    EXPECT_EQ(StarByDesignation(nullptr), -1);
    // eta is not a prefix of zeta or theta.
    EXPECT_EQ(Letter(StarByDesignation("zetaOri")), 6);
    EXPECT_EQ(Letter(StarByDesignation("thetaUMa")), 8);
    EXPECT_EQ(Letter(StarByDesignation("etaUMa")), 7);
    // Betelgeuse and Rigel by letter and by name.
    int32_t betelgeuse = -1, rigel = -1;
    ASSERT_EQ(FindStarByName("Betelgeuse", betelgeuse), 1);
    ASSERT_EQ(FindStarByName("rigel", rigel), 1);
    EXPECT_EQ(StarByDesignation("alphaOri"), betelgeuse);
    EXPECT_EQ(StarByDesignation("betaOri"), rigel);
}

TEST_F(NamesTest, ProperNamesIgnoreCaseAndLeaveTheTextAlone)
{
    int32_t star = -1;
    char text[] = "sirius";
    ASSERT_EQ(FindStarByProperName(text, star), 1);
    EXPECT_EQ(star, 0);
    EXPECT_STREQ(text, "sirius");
    ASSERT_EQ(FindStarByName("SIRIUS", star), 1);
    EXPECT_EQ(star, 0);
    char constellation[] = "serpens";
    EXPECT_EQ(FindConstellationByName(constellation), kSerpensRow);
    EXPECT_STREQ(constellation, "serpens");
    // A text longer than any name is simply not found.
    std::string longText(300, 'a');
    EXPECT_EQ(FindStarByProperName(longText.c_str(), star), 0);
    EXPECT_EQ(FindConstellationByName(longText.c_str()), -1);
    EXPECT_EQ(FindStarByProperName(nullptr, star), 0);
    EXPECT_EQ(FindConstellationByName(nullptr), -1);
}

TEST_F(NamesTest, ConstellationsByAbbreviationAndName)
{
    EXPECT_EQ(FindConstellationByName("And"), 0);
    EXPECT_EQ(FindConstellationByName("ANDROMEDA"), 0);
    EXPECT_EQ(FindConstellationByName("Ser"), kSerpensRow);
    EXPECT_EQ(FindConstellationByName("Orion"), FindConstellationByName("ori"));
    EXPECT_EQ(FindConstellationByName("Xyz"), -1);
    // A localised display name is found too, and the English one still is.
    const char* saved = ConstellationTable[0].displayName;
    ConstellationTable[0].displayName = "\xa5\xa2\xa5\xf3\xa5\xc9\xa5\xed\xa5\xe1\xa5\xc0\xba\xc2";
    EXPECT_EQ(FindConstellationByName("\xa5\xa2\xa5\xf3\xa5\xc9\xa5\xed\xa5\xe1\xa5\xc0\xba\xc2"), 0);
    EXPECT_EQ(FindConstellationByName("Andromeda"), 0);
    ConstellationTable[0].displayName = saved;
}

TEST_F(NamesTest, NebulaDesignationsInEveryForm)
{
    int32_t ngc = NebulaByDesignation("NGC224");
    ASSERT_GE(ngc, NebulaCatalogCounts[kMessier]);
    EXPECT_EQ(NebulaByDesignation("N224"), ngc);
    EXPECT_EQ(NebulaByDesignation("n224"), ngc);
    EXPECT_EQ(NebulaByDesignation("ngc224"), ngc);
    EXPECT_EQ(NebulaByDesignation("NG224"), -1);
    EXPECT_EQ(Reference(kObjectNebula, ngc), "NEBULA N224");

    int32_t m31 = NebulaByDesignation("M31");
    ASSERT_GE(m31, 0);
    ASSERT_LT(m31, NebulaCatalogCounts[kMessier]);
    EXPECT_EQ(Reference(kObjectNebula, m31), "NEBULA M31");
    EXPECT_EQ(GetNebulaAttributes(m31).word[2], kNebulaNgcFlag | 224u);
    double ra1, dec1, ra2, dec2;
    GetNebulaPosition(m31, ra1, dec1);
    GetNebulaPosition(ngc, ra2, dec2);
    EXPECT_DOUBLE_EQ(ra1, ra2);
    EXPECT_DOUBLE_EQ(dec1, dec2);
    EXPECT_EQ(GetNebulaAttributes(m31).word[0] & kNebulaTypeMask, 4u);   // a galaxy

    int32_t ic = NebulaByDesignation("IC434");
    ASSERT_GE(ic, NebulaCatalogCounts[kMessier] + NebulaCatalogCounts[kNgc]);
    EXPECT_EQ(NebulaByDesignation("I434"), ic);
    EXPECT_EQ(NebulaByDesignation("M40"), -1);
    EXPECT_EQ(NebulaByDesignation("X31"), -1);
    EXPECT_EQ(GetNebulaCount(), kNebulaCount);
}

TEST_F(NamesTest, EveryDesignatedStarReadsBack)
{
    int32_t designated = 0;
    for (int32_t star = 0; star < kBrightStarCount; ++star) {
        std::string text = Reference(kObjectStar, star);
        ASSERT_FALSE(text.empty()) << star;
        if (text.rfind("STAR ", 0) != 0) {
            ASSERT_EQ(text.rfind("EQT ", 0), 0u) << text;
            continue;
        }
        ++designated;
        int32_t found = -1;
        ASSERT_EQ(FindStarByName(text.c_str() + 5, found), 1) << text;
        ASSERT_EQ(found, star) << text;
    }
    EXPECT_EQ(designated, kStarDesignationCount);
}

TEST_F(NamesTest, UndesignatedStarsAreNamedByTheirPlace)
{
    for (int32_t star = 0; star < kBrightStarCount; ++star) {
        int32_t row, flag;
        if (GetStarDesignationIndex(star, row, flag))
            continue;
        std::string text = Reference(kObjectStar, star);
        double hours = 0, degrees = 0;
        ASSERT_EQ(std::sscanf(text.c_str(), "EQT %lf,%lf", &hours, &degrees), 2) << text;
        const BrightStarRecord& s = BrightStarTable[star];
        double a = hours * 15 * M_PI / 180, d = degrees * M_PI / 180;
        EXPECT_NEAR(s.x / 16384.0, std::cos(d) * std::cos(a), 1e-4);
        EXPECT_NEAR(s.y / 16384.0, std::cos(d) * std::sin(a), 1e-4);
        EXPECT_NEAR(s.z / 16384.0, std::sin(d), 1e-4);
        EXPECT_GE(hours, 0.0);
        EXPECT_LT(hours, 24.0);
        return;   // one is enough: they share one format
    }
    FAIL() << "every star has a designation";
}

TEST_F(NamesTest, EveryConstellationAndNebulaReadsBack)
{
    for (int32_t row = 0; row < kConstellationRows; ++row) {
        std::string text = Reference(kObjectConstellation, row);
        ASSERT_EQ(text.rfind("CONS ", 0), 0u);
        // The second Serpens label is the same constellation as row 63.
        EXPECT_EQ(FindConstellationByName(text.c_str() + 5), row == kSecondSerpensRow ? kSerpensRow : row) << text;
    }
    for (int32_t index = 0; index < GetNebulaCount(); ++index) {
        std::string text = Reference(kObjectNebula, index);
        ASSERT_EQ(text.rfind("NEBULA ", 0), 0u);
        ASSERT_EQ(NebulaByDesignation(text.c_str() + 7), index) << text;
    }
    EXPECT_EQ(Reference(kObjectNebula, GetNebulaCount()), "");
    EXPECT_EQ(Reference(kObjectConstellation, kConstellationRows), "");
}

TEST_F(NamesTest, SolarSystemNamesAndKeywords)
{
    char name[32];
    GetSolarBodyName(scene, -2, 1, name, sizeof name);
    EXPECT_STREQ(name, "SUN");
    GetSolarBodyName(scene, 11, 1, name, sizeof name);
    EXPECT_STREQ(name, "CALLIST");
    GetSolarBodyName(scene, -3, 1, name, sizeof name);
    EXPECT_STREQ(name, "EARTH");
    GetSolarBodyName(scene, 3, 0, name, sizeof name);
    EXPECT_STREQ(name, "Jupiter");
    GetSolarBodyName(scene, -3, 0, name, sizeof name);
    EXPECT_STREQ(name, "Earth");
    GetSolarBodyName(scene, 2, 1, name, 3);
    EXPECT_STREQ(name, "MA");

    EXPECT_EQ(Reference(kObjectSolarBody, -1), "MOON");
    EXPECT_EQ(Reference(kObjectSolarBody, 7), "PLUTO");
    EXPECT_EQ(Reference(kObjectJovianMoon, 1), "EUROPA");
    EXPECT_EQ(Reference(kObjectJovianMoon, 4), "");
    scene.cometCount = 3;
    scene.mplanetCount = 2;
    EXPECT_EQ(Reference(kObjectSolarBody, kCometIdBase + 2), "COMET3");
    EXPECT_EQ(Reference(kObjectSolarBody, kMinorPlanetIdBase), "MINORPLANET1");
    scene.cometCount = scene.mplanetCount = 0;

    int32_t index = -1;
    EXPECT_EQ(FindJovianSatelliteByName("callist", index), 1);
    EXPECT_EQ(index, 3);
    EXPECT_EQ(FindJovianSatelliteByName("CALLISTO", index), 0);
    EXPECT_EQ(FindJovianSatelliteByName(nullptr, index), 0);

    char type[32];
    GetNebulaTypeName(5, type, sizeof type);
    EXPECT_STREQ(type, "Cluster+Nebula");
    GetNebulaTypeName(6, type, sizeof type);
    EXPECT_STREQ(type, "");
}

static OrbitalElements Elements(char kind, const char* number, const char* designation, const char* name,
                                const char* secondName)
{
    OrbitalElements e{};
    e.kind = kind;
    std::snprintf(e.number, sizeof e.number, "%s", number);
    std::snprintf(e.designation, sizeof e.designation, "%-10s", designation);
    std::snprintf(e.name, sizeof e.name, "%-30s", name);
    std::snprintf(e.secondName, sizeof e.secondName, "%-15s", secondName);
    return e;
}

TEST_F(NamesTest, CometsAndMinorPlanetsByTheirFields)
{
    OrbitalElements comets[] = {
        Elements('C', "  1P  ", "", "Halley", ""),
        Elements('M', "      ", "", "Ceres", ""),          // not a comet
        Elements('C', "      ", "C/1995 O1", "Hale-Bopp", "HALEBOPP"),
    };
    OrbitalElements planets[] = {
        Elements('N', "     1", "", "Ceres", ""),           // left out
        Elements('M', "     4", "", "Vesta", ""),
        Elements('M', "     1", "", "Ceres", ""),
    };
    scene.cometElements = comets;
    scene.cometCount = 3;
    scene.mplanetElements = planets;
    scene.mplanetCount = 3;

    int32_t id = -1;
    ASSERT_EQ(FindCometByName(scene, "halley", id), 1);
    EXPECT_EQ(id, kCometIdBase);
    ASSERT_EQ(FindCometByName(scene, "c/1995 o1", id), 1);
    EXPECT_EQ(id, kCometIdBase + 2);
    ASSERT_EQ(FindCometByName(scene, "HaleBopp", id), 1);
    EXPECT_EQ(id, kCometIdBase + 2);
    EXPECT_EQ(FindCometByName(scene, "Ceres", id), 0);
    EXPECT_EQ(FindCometByName(scene, "Hale", id), 0);
    ASSERT_EQ(FindMinorPlanetByName(scene, "CERES", id), 1);
    EXPECT_EQ(id, kMinorPlanetIdBase + 2);
    // The number field compares blank-padded: "     4" is not "4".
    EXPECT_EQ(FindMinorPlanetByName(scene, "4", id), 0);
    ASSERT_EQ(FindMinorPlanetByName(scene, "     4", id), 1);
    EXPECT_EQ(id, kMinorPlanetIdBase + 1);
    EXPECT_EQ(FindMinorPlanetByName(scene, nullptr, id), 0);

    char name[12];
    GetSolarBodyName(scene, kCometIdBase + 2, 1, name, sizeof name);
    EXPECT_STREQ(name, "Hale-Bopp  ");
    GetSolarBodyName(scene, kMinorPlanetIdBase + 1, 0, name, 4);
    EXPECT_STREQ(name, "Ves");

    EXPECT_EQ(GetOrbitalElementsLabel(comets[0]), comets[0].name);
    OrbitalElements unnamed = Elements('C', "   2P ", "", "", "");
    EXPECT_EQ(GetOrbitalElementsLabel(unnamed), unnamed.number);
    OrbitalElements blank = Elements('C', "      ", "", "", "");
    EXPECT_EQ(GetOrbitalElementsLabel(blank), nullptr);

    scene.cometElements = nullptr;
    scene.mplanetElements = nullptr;
    scene.cometCount = scene.mplanetCount = 0;
}

TEST_F(NamesTest, MagellanicCloudsByName)
{
    int32_t index = -1;
    ASSERT_EQ(FindMagellanicCloudByName("lmc", index), 1);
    EXPECT_EQ(index, 0);
    ASSERT_EQ(FindMagellanicCloudByName("SMC", index), 1);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(FindMagellanicCloudByName("MMC", index), 0);
    EXPECT_EQ(Reference(kObjectMagellanicCloud, 1), "SMC");
    EXPECT_EQ(Reference(kObjectMagellanicCloud, 2), "");
    EXPECT_EQ(Reference(57, 0), "");
}

TEST_F(NamesTest, LastStarWithinTheLimit)
{
    int32_t star = -1;
    scene.mag.starLimit = 70;
    ASSERT_EQ(GetLastStarWithinLimit(scene, star), 1);
    EXPECT_EQ(star, kBrightStarCount - 1);
    scene.mag.starLimit = -20;
    EXPECT_EQ(GetLastStarWithinLimit(scene, star), 0);
    scene.mag.starLimit = -16;
    EXPECT_EQ(GetLastStarWithinLimit(scene, star), 0);
    scene.mag.starLimit = -15;
    ASSERT_EQ(GetLastStarWithinLimit(scene, star), 1);
    EXPECT_EQ(star, 0);
    scene.mag.starLimit = -7;
    ASSERT_EQ(GetLastStarWithinLimit(scene, star), 1);
    EXPECT_EQ(star, 1);
    // Every limit gives the last star within it and no star after it is.
    for (int32_t limit = -1; limit <= 64; ++limit) {
        scene.mag.starLimit = limit;
        ASSERT_EQ(GetLastStarWithinLimit(scene, star), 1);
        ASSERT_LE(StarMagnitude10(BrightStarTable[star]), limit) << limit;
        if (star + 1 < kBrightStarCount) {
            ASSERT_GT(StarMagnitude10(BrightStarTable[star + 1]), limit) << limit;
        }
    }
}
