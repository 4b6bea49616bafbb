// What the Center pickers' OK sends, from the chosen row or text alone,
// without X: the exact command texts, the warnings that send nothing, and
// names that would end a statement or its quotes refused whole.
#include <gtest/gtest.h>

#include "dialogs/center_pickers_fields.h"

#include "core/app_env.h"
#include "core/string_utils.h"
#include "core/view_modes.h"
#include "sky/layers/user_object_layer.h"
#include "sky/scene.h"
#include "tests/dialogs/user_object_records.h"

#include <string>
#include <utility>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// A choice as the tests compare it: the texts, or the warning, or the
// refusal's key and name.
struct Outcome {
    Texts texts;
    std::string warning;
    std::string refusedKey;
    std::string refusedName;
};

Outcome Sends(Texts texts)
{
    return {std::move(texts), "", "", ""};
}

Outcome Warns(const char* key)
{
    return {{}, key, "", ""};
}

// Refused whole for the name.
Outcome Refuses(const std::string& name)
{
    return {{}, "", "stkErrorIllegalParam", name};
}

const Outcome kNothing = Sends({});

Outcome OutcomeOf(const CenterChoice& choice)
{
    return {choice.command.texts, choice.warningKey != nullptr ? choice.warningKey : "",
            choice.command.errorKey, choice.command.errorParam};
}

void ExpectOutcome(const CenterChoice& choice, const Outcome& expected)
{
    const Outcome got = OutcomeOf(choice);
    EXPECT_EQ(got.texts, expected.texts);
    EXPECT_EQ(got.warning, expected.warning);
    EXPECT_EQ(got.refusedKey, expected.refusedKey);
    EXPECT_EQ(got.refusedName, expected.refusedName);
}

TEST(CenterCommands, StarsAndConstellationsByNameWithUnsafeNamesRefused)
{
    struct Row {
        std::string name;
        Outcome star, constellation;
    };
    const Row rows[] = {
        {"Sirius", Sends({"LOOK STAR \"Sirius\";BLINK \"Sirius\""}),
         Sends({"LOOK CONS \"Sirius\""})},
        {"Alpha Centauri", Sends({"LOOK STAR \"Alpha Centauri\";BLINK \"Alpha Centauri\""}),
         Sends({"LOOK CONS \"Alpha Centauri\""})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ExpectOutcome(CenterStarChoice(row.name), row.star);
        ExpectOutcome(CenterConstChoice(row.name), row.constellation);
    }
    for (const char* unsafe : {"a; EXIT; b", "Half\" quoted", "Line\rend", "Line\nend", ";"}) {
        SCOPED_TRACE(unsafe);
        ExpectOutcome(CenterStarChoice(unsafe), Refuses(unsafe));
        ExpectOutcome(CenterConstChoice(unsafe), Refuses(unsafe));
    }
}

// The number field reads its leading number, and no number as 0; only the
// catalogue's own lookup refuses one.
TEST(CenterCommands, NebulaeByCatalogueAndNumber)
{
    struct Row {
        int catalogue;
        const char* number;
        Outcome outcome;
    };
    const Outcome none = Warns("messageNoSuchANebula");
    const Row rows[] = {
        {0, "", none},
        {0, "x", none},
        {0, "5x", Sends({"LOOK NEBULA M5;BLINK NEBULA M5"})},
        {0, "12", Sends({"LOOK NEBULA M12;BLINK NEBULA M12"})},
        {0, "110x", Sends({"LOOK NEBULA M110;BLINK NEBULA M110"})},
        {0, "31", Sends({"LOOK NEBULA M31;BLINK NEBULA M31"})},
        {0, " 31 ", Sends({"LOOK NEBULA M31;BLINK NEBULA M31"})},
        {1, "224", Sends({"LOOK NEBULA N224;BLINK NEBULA N224"})},
        {2, "434", Sends({"LOOK NEBULA I434;BLINK NEBULA I434"})},
        {0, "111", none},
        {0, "abc", none},
        {0, "-1", none},
        {0, "31x", Sends({"LOOK NEBULA M31;BLINK NEBULA M31"})},
        {0, "99999", none},
        {0, "100000", none},
        {3, "31", none},
        {-1, "31", none},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.catalogue) + " " + row.number);
        ExpectOutcome(CenterNebulaChoice(row.catalogue, TextIntValue(row.number)), row.outcome);
    }
}

// The planet rows, Mercury to Pluto with the Earth third; the Earth only
// where the view stands off it, the satellites only where they are drawn.
TEST(CenterCommands, PlanetsAndSatellitesByRowAndView)
{
    Scene scene{};
    const char* planets[] = {"MERCURY", "VENUS",  "EARTH",   "MARS", "JUPITER",
                             "SATURN",  "URANUS", "NEPTUNE", "PLUTO"};
    const char* satellites[] = {"IO", "EUROPA", "GANYMEDE", "CALLIST"};
    for (int32_t mode : {kModeHrz, kModeEqt, kModeAll1Gal, kModeSol1, kModeSol3}) {
        scene.viewMode = mode;
        const bool solar = IsSolarSystemView(mode) != 0;
        SCOPED_TRACE(mode);
        for (int row = 1; row <= kCenterPlanetCount; ++row) {
            const std::string name = planets[row - 1];
            const Outcome expected = row == 3 && !solar ? Warns("messageCenterEarthOnNonSol")
                                                        : Sends({"LOOK " + name + ";BLINK " + name});
            ExpectOutcome(CenterPlanetChoice(scene, row), expected);
        }
        for (int row = 1; row <= 4; ++row) {
            const std::string name = satellites[row - 1];
            ExpectOutcome(CenterJoviSatChoice(scene, row),
                          solar ? kNothing : Sends({"LOOK " + name + ";BLINK " + name}));
        }
        for (int outside : {0, -1, 10}) {
            ExpectOutcome(CenterPlanetChoice(scene, outside), kNothing);
        }
        ExpectOutcome(CenterJoviSatChoice(scene, 5), kNothing);
    }
}

TEST(CenterCommands, CometsAndMinorPlanetsByTheirPlaceAmongTheLoaded)
{
    ExpectOutcome(CenterSmallBodyChoice("COMET", 1), Sends({"LOOK COMET1;BLINK COMET1"}));
    ExpectOutcome(CenterSmallBodyChoice("COMET", 12), Sends({"LOOK COMET12;BLINK COMET12"}));
    ExpectOutcome(CenterSmallBodyChoice("MINORPLANET", 1000),
                  Sends({"LOOK MINORPLANET1000;BLINK MINORPLANET1000"}));
}

// The lists' order: byte-wise, upper case before lower case.
TEST(CenterCommands, NamesSortByteWise)
{
    EXPECT_TRUE(CompareStarNames("Zeta", "alpha"));
    EXPECT_FALSE(CompareStarNames("alpha", "Zeta"));
    EXPECT_FALSE(CompareStarNames("Vega", "Vega"));
    EXPECT_TRUE(CompareConstNames("Ursa Major", "Ursa Minor"));
    EXPECT_TRUE(CompareConstNames("Zeta", "alpha"));
    EXPECT_FALSE(CompareConstNames("Lyra", "Lyra"));
    const std::vector<std::string> stars = SortedStarNames();
    const std::vector<std::string> constellations = SortedConstellationNames();
    EXPECT_EQ(constellations.size(), 88u);
    for (const auto* names : {&stars, &constellations}) {
        for (size_t i = 1; i < names->size(); ++i) {
            EXPECT_LE((*names)[i - 1], (*names)[i]);
        }
    }
}

TEST(CenterCommands, UserObjectsAndSkyMarksByTheirNamesInLoadOrder)
{
    findingtest::UserFiles user;
    const Texts named{"Home", "a; EXIT; b", "Tower"};
    EXPECT_EQ(NamedUserObjects(user.files, 2), named);
    EXPECT_EQ(NamedUserObjects(user.files + 1, 1), (Texts{"a; EXIT; b", "Tower"}));
    EXPECT_TRUE(NamedUserObjects(nullptr, 0).empty());

    Scene scene{};
    scene.userObjectFiles = user.files;
    scene.userObjectFileCount = 2;
    scene.displayFlags[kFlagUserObjects] = kMarksShownFlag | kMarkNamesFlag;
    EXPECT_EQ(FillCenterUserObjectList(scene), named);
    scene.displayFlags[kFlagUserObjects] = kMarkNamesFlag;
    EXPECT_TRUE(FillCenterUserObjectList(scene).empty()) << "user objects hidden";

    ResetAppEnv();
    gAppEnv->skyMarks = user.files + 1;
    gAppEnv->skyMarkCount = 1;
    EXPECT_EQ(FillCenterSkyMarkList(), (Texts{"a; EXIT; b", "Tower"}));
    gAppEnv->skyMarks = nullptr;
    gAppEnv->skyMarkCount = 0;

    ExpectOutcome(CenterUserObjectChoice("Home"), Sends({"LOOK AD \"Home\""}));
    ExpectOutcome(CenterSkyMarkChoice("Tower"), Sends({"LOOK SKYMARK \"Tower\""}));
    for (const char* unsafe : {"a; EXIT; b", "Half\" quoted", "Line\rend", "Line\nend"}) {
        SCOPED_TRACE(unsafe);
        ExpectOutcome(CenterUserObjectChoice(unsafe), Refuses(unsafe));
        ExpectOutcome(CenterSkyMarkChoice(unsafe), Refuses(unsafe));
    }
}

}  // namespace
