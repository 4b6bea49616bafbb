// Object names and command references: the designations and names the
// lookups find, and the names of the solar-system bodies. That every
// reference reads back to its object is checked through the target
// language, in tests/sky/view/sky_targets_test.cpp.
#include <gtest/gtest.h>

#include "astro/body_records.h"
#include "data/catalog_tables.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/object_names.h"
#include "sky/scene.h"
#include "tests/sky/catalog/catalog_ids.h"

#include <cstdio>
#include <string>

namespace {

struct NamesTest : ::testing::Test {
    Scene scene{};
    void SetUp() override { ResetScene(scene); }

    std::string Reference(int32_t type, int32_t id)
    {
        char text[kObjectCommandTextSize] = "";
        return FormatObjectCommandText(scene, type, id, text) ? text : "";
    }

    std::string BodyName(int32_t id, int32_t keyword, size_t size = 32)
    {
        char name[32];
        GetSolarBodyName(scene, id, keyword, name, size);
        return name;
    }
};

int32_t StarByDesignation(const char* text)
{
    int32_t star = -1;
    std::string copy(text != nullptr ? text : "");
    return FindStarByDesignation(text != nullptr ? copy.data() : nullptr, star) ? star : -1;
}

int32_t NebulaByDesignation(const char* text)
{
    int32_t index = -1;
    return FindNebulaByDesignation(text, index) ? index : -1;
}

// Letter, superscript, Flamsteed number and constellation row of a star's
// designation; all -1 for a star that has none.
std::array<int32_t, 4> Designation(int32_t star)
{
    int32_t row, flag, letter, superscript, flamsteed, constellation;
    if (!GetStarDesignationIndex(star, row, flag))
        return {-1, -1, -1, -1};
    DecodeStarDesignation(row, letter, superscript, flamsteed, constellation);
    return {letter, superscript, flamsteed, constellation};
}

int32_t Letter(int32_t star) { return Designation(star)[0]; }

OrbitalElements Elements(char kind, const char* number, const char* designation, const char* name,
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

}  // namespace

TEST_F(NamesTest, BrightestStarsHaveTheirDesignations)
{
    // Sirius is alpha and 9 Canis Majoris: the letter wins.
    EXPECT_EQ(Reference(kObjectStar, 0), "STAR alphaCMa");
    EXPECT_EQ(Reference(kObjectStar, 1), "STAR alphaCar");
    EXPECT_EQ(Reference(kObjectStar, 3), "STAR alpha1Cen");
    EXPECT_EQ(Designation(0), (std::array{1, 0, 9, catalogtest::ConstellationRow("CMa")}));
    int32_t row, flag;
    ASSERT_EQ(GetStarDesignationIndex(0, row, flag), 1);
    EXPECT_EQ(flag, 1);
    EXPECT_STREQ(GetStarProperName(0), "Sirius");
    EXPECT_EQ(GetStarProperName(kBrightStarCount - 1), nullptr);
}

TEST_F(NamesTest, StarDesignationsAreFoundAsWritten)
{
    int32_t betelgeuse = -1, rigel = -1;
    ASSERT_NE(betelgeuse = catalogtest::StarId("Betelgeuse"), -1);
    ASSERT_NE(rigel = catalogtest::StarId("rigel"), -1);
    // Without a superscript any alpha of Centaurus will do: the first row.
    // The blank stays in the rest, which then names no constellation.
    for (auto [text, star] : {std::pair{"alpha1Cen", 3}, {"9CMa", 0}, {"alphaCMa", 0}, {"ALPHACMA", 0},
                              {"ALPHACEN", 3}, {"Alpha Cen", -1}, {"alpha1Xyz", -1}, {"alphaOri", betelgeuse},
                              {"betaOri", rigel}})
        EXPECT_EQ(StarByDesignation(text), star) << text;
    EXPECT_EQ(StarByDesignation(nullptr), -1);
    // eta is not a prefix of zeta or theta.
    for (auto [text, letter] : {std::pair{"zetaOri", 6}, {"thetaUMa", 8}, {"etaUMa", 7}})
        EXPECT_EQ(Letter(StarByDesignation(text)), letter) << text;
}

TEST_F(NamesTest, ProperNamesIgnoreCaseAndUpperCaseTheTextInPlace)
{
    int32_t star = -1;
    char text[] = "sirius", constellation[] = "serpens", designation[] = "alphaCMa";
    ASSERT_EQ(FindStarByProperName(text, star), 1);
    EXPECT_EQ(star, 0);
    EXPECT_STREQ(text, "SIRIUS");
    EXPECT_EQ(catalogtest::StarId("SIRIUS"), 0);
    EXPECT_EQ(FindConstellationByName(constellation), kSerpensRow);
    EXPECT_STREQ(constellation, "SERPENS");
    ASSERT_EQ(FindStarByName(designation, star), 1);
    EXPECT_STREQ(designation, "alphaCMA") << "the constellation part is looked up";
    // A text longer than any name is simply not found.
    std::string longText(300, 'a');
    EXPECT_EQ(FindStarByProperName(longText.data(), star), 0);
    EXPECT_EQ(FindConstellationByName(longText.data()), -1);
    EXPECT_EQ(FindStarByProperName(nullptr, star), 0);
    EXPECT_EQ(FindConstellationByName(nullptr), -1);
}

TEST_F(NamesTest, ConstellationsByAbbreviationAndName)
{
    for (auto [text, row] : {std::pair{"And", 0}, {"ANDROMEDA", 0}, {"Ser", kSerpensRow},
                             {"Orion", catalogtest::ConstellationRow("ori")}, {"Xyz", -1}})
        EXPECT_EQ(catalogtest::ConstellationRow(text), row) << text;
    // A localised display name is found too, and the English one still is.
    const char* saved = ConstellationTable[0].displayName;
    const char* japanese = "\xa5\xa2\xa5\xf3\xa5\xc9\xa5\xed\xa5\xe1\xa5\xc0\xba\xc2";
    ConstellationTable[0].displayName = japanese;
    EXPECT_EQ(catalogtest::ConstellationRow(japanese), 0);
    EXPECT_EQ(catalogtest::ConstellationRow("Andromeda"), 0);
    ConstellationTable[0].displayName = saved;
}

TEST_F(NamesTest, NebulaDesignationsInEveryForm)
{
    // M31 is NGC 224: one place, both catalogues, a galaxy.
    const int32_t m31 = NebulaByDesignation("M31"), ngc = NebulaByDesignation("NGC224");
    const int32_t ic = NebulaByDesignation("IC434");
    ASSERT_GE(m31, 0);
    ASSERT_LT(m31, NebulaCatalogCounts[kMessier]);
    ASSERT_GE(ngc, NebulaCatalogCounts[kMessier]);
    ASSERT_GE(ic, NebulaCatalogCounts[kMessier] + NebulaCatalogCounts[kNgc]);
    for (auto [text, index] : {std::pair{"N224", ngc}, {"n224", ngc}, {"ngc224", ngc}, {"NG224", -1}, {"I434", ic},
                               {"M40", -1}, {"X31", -1}})
        EXPECT_EQ(NebulaByDesignation(text), index) << text;
    EXPECT_EQ(Reference(kObjectNebula, ngc), "NEBULA N224");
    EXPECT_EQ(Reference(kObjectNebula, m31), "NEBULA M31");
    EXPECT_EQ(GetNebulaAttributes(m31).word[2], kNebulaNgcFlag | 224u);
    EXPECT_EQ(GetNebulaAttributes(m31).word[0] & kNebulaTypeMask, 4u);
    double ra1, dec1, ra2, dec2;
    GetNebulaPosition(m31, ra1, dec1);
    GetNebulaPosition(ngc, ra2, dec2);
    EXPECT_DOUBLE_EQ(ra1, ra2);
    EXPECT_DOUBLE_EQ(dec1, dec2);
    EXPECT_EQ(GetNebulaCount(), kNebulaCount);
}

TEST_F(NamesTest, SolarSystemNamesKeywordsAndReferences)
{
    // Keyword forms (1) and display names (0), cut to the buffer.
    for (auto [id, keyword, name] : {std::tuple{-2, 1, "SUN"}, {11, 1, "CALLIST"}, {-3, 1, "EARTH"},
                                     {3, 0, "Jupiter"}, {-3, 0, "Earth"}})
        EXPECT_EQ(BodyName(id, keyword), name) << id;
    EXPECT_EQ(BodyName(2, 1, 3), "MA");
    scene.cometCount = 3;
    scene.mplanetCount = 2;
    for (auto [type, id, text] : {std::tuple{int32_t{kObjectSolarBody}, -1, "MOON"}, {kObjectSolarBody, 7, "PLUTO"},
                                  {kObjectJovianMoon, 1, "EUROPA"}, {kObjectSolarBody, kCometIdBase + 2, "COMET3"},
                                  {kObjectSolarBody, kMinorPlanetIdBase, "MINORPLANET1"}})
        EXPECT_EQ(Reference(type, id), text) << type << " " << id;
    scene.cometCount = scene.mplanetCount = 0;

    int32_t index = -1;
    EXPECT_EQ(FindJovianSatelliteByName("callist", index), 1);
    EXPECT_EQ(index, 3);
    EXPECT_EQ(FindJovianSatelliteByName("CALLISTO", index), 0);
    EXPECT_EQ(FindJovianSatelliteByName(nullptr, index), 0);
    for (auto [name, cloud] : {std::pair{"lmc", 0}, {"SMC", 1}, {"MMC", -1}}) {
        index = -1;
        EXPECT_EQ(FindMagellanicCloudByName(name, index), cloud >= 0) << name;
        EXPECT_EQ(index, cloud) << name;
    }
    char type[32];
    GetNebulaTypeName(5, type, sizeof type);
    EXPECT_STREQ(type, "Cluster+Nebula");
    GetNebulaTypeName(6, type, sizeof type);
    EXPECT_STREQ(type, "");
}

TEST_F(NamesTest, CometsAndMinorPlanetsByTheirFields)
{
    OrbitalElements comets[] = {
        Elements('C', "  1P  ", "", "Halley", ""),
        Elements('M', "      ", "", "Ceres", ""),   // not a comet
        Elements('C', "      ", "C/1995 O1", "Hale-Bopp", "HALEBOPP"),
    };
    OrbitalElements planets[] = {
        Elements('N', "     1", "", "Ceres", ""),   // left out
        Elements('M', "     4", "", "Vesta", ""),
        Elements('M', "     1", "", "Ceres", ""),
    };
    scene.cometElements = comets;
    scene.cometCount = 3;
    scene.mplanetElements = planets;
    scene.mplanetCount = 3;
    // The number field compares blank-padded: "     4" is not "4".
    for (auto [name, comet, id] :
         {std::tuple{"halley", true, kCometIdBase}, {"c/1995 o1", true, kCometIdBase + 2},
          {"HaleBopp", true, kCometIdBase + 2}, {"Ceres", true, -1}, {"Hale", true, -1},
          {"CERES", false, kMinorPlanetIdBase + 2}, {"4", false, -1}, {"     4", false, kMinorPlanetIdBase + 1}}) {
        int32_t found = -1;
        EXPECT_EQ(comet ? FindCometByName(scene, name, found) : FindMinorPlanetByName(scene, name, found), id >= 0)
            << name;
        EXPECT_EQ(found, id) << name;
    }
    int32_t id = -1;
    EXPECT_EQ(FindMinorPlanetByName(scene, nullptr, id), 0);
    EXPECT_EQ(BodyName(kCometIdBase + 2, 1, 12), "Hale-Bopp  ");
    EXPECT_EQ(BodyName(kMinorPlanetIdBase + 1, 0, 4), "Ves");
    EXPECT_EQ(GetOrbitalElementsLabel(comets[0]), comets[0].name);
    const OrbitalElements unnamed = Elements('C', "   2P ", "", "", ""), blank = Elements('C', "      ", "", "", "");
    EXPECT_EQ(GetOrbitalElementsLabel(unnamed), unnamed.number);
    EXPECT_EQ(GetOrbitalElementsLabel(blank), nullptr);
    scene.cometElements = nullptr;
    scene.mplanetElements = nullptr;
    scene.cometCount = scene.mplanetCount = 0;
}

TEST_F(NamesTest, LastStarWithinTheLimit)
{
    // Sirius is -1.46, Canopus -0.72, the table ends before 7.0.
    for (auto [limit, found, star] :
         {std::tuple{70, 1, kBrightStarCount - 1}, {-20, 0, -1}, {-16, 0, -1}, {-15, 1, 0}, {-7, 1, 1}}) {
        scene.mag.starLimit = limit;
        int32_t last = -1;
        EXPECT_EQ(GetLastStarWithinLimit(scene, last), found) << limit;
        EXPECT_TRUE(!found || last == star) << limit;
    }
    // Every limit gives the last star within it and no star after it is.
    for (int32_t limit = -1; limit <= 64; ++limit) {
        scene.mag.starLimit = limit;
        int32_t star = -1;
        ASSERT_EQ(GetLastStarWithinLimit(scene, star), 1);
        ASSERT_LE(StarMagnitude10(BrightStarTable[star]), limit) << limit;
        ASSERT_TRUE(star + 1 == kBrightStarCount || StarMagnitude10(BrightStarTable[star + 1]) > limit) << limit;
    }
}
