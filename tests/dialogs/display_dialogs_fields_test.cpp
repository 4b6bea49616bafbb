// The plain halves of the projection, nebula, star, planet and toggle
// dialogs, without X: the Scene read into field values, the values turned
// into command text exactly as the dialogs send it, the rules that refuse
// a magnitude window or grey a toggle, and round trips: values composed,
// run through the real interpreter, and read back from the Scene.
#include <gtest/gtest.h>

#include "tests/command/command_test_support.h"

#include "core/keywords.h"
#include "core/string_utils.h"
#include "core/view_modes.h"
#include "dialogs/kit/command_text.h"
#include "dialogs/nebula_dialog_fields.h"
#include "dialogs/planet_dialog_fields.h"
#include "dialogs/projection_dialog_fields.h"
#include "dialogs/star_dialog_fields.h"
#include "dialogs/toggle_dialogs_fields.h"
#include "sky/layers/star_layer.h"

#include <random>

namespace {

using Texts = std::vector<std::string>;

class DisplayDialogText : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppEnv();
        gAppEnv->quiet = 1;
        ResetScene(scene);
    }

    // The texts run through the interpreter, each checked to pass.
    void Run(const CommandText& command)
    {
        ASSERT_EQ(IsCommandRefused(command), 0) << command.errorParam;
        for (const std::string& text : command.texts) {
            EXPECT_EQ(RunCommand(scene, text), "") << text << ": " << gAppEnv->errorMessage;
        }
    }

    std::vector<int> RandomFlags(size_t count)
    {
        std::vector<int> values(count);
        for (int& value : values) {
            value = static_cast<int>(random() % 2);
        }
        return values;
    }

    Scene& scene = *gScene;
    std::mt19937 random{20240320};
};

// --- Projection --------------------------------------------------------------

TEST_F(DisplayDialogText, EveryViewModeIsOnePairAndBack)
{
    const struct {
        int32_t mode;
        int major, minor;
    } rows[] = {
        {kModeHrz, kMajorGeneral, kMinorHrz},  {kModeEqt, kMajorGeneral, kMinorEqt},
        {kModeEcl, kMajorGeneral, kMinorEcl},  {kModeGal, kMajorGeneral, kMinorGal},
        {kModeAll1Eqt, kMajorAll1, kMinorEqt}, {kModeAll1Ecl, kMajorAll1, kMinorEcl},
        {kModeAll1Gal, kMajorAll1, kMinorGal}, {kModeAll2Eqt, kMajorAll2, kMinorEqt},
        {kModeAll2Ecl, kMajorAll2, kMinorEcl}, {kModeAll2Gal, kMajorAll2, kMinorGal},
        {kModeSol1, kMajorSol, kMinorEqt},     {kModeSol2, kMajorSol, kMinorEcl},
        {kModeSol3, kMajorSol, kMinorGal},     {kModeVola, kMajorVola, kMinorHrz},
        {0, -1, -1},                           {0x301, -1, -1},
        {0x999, -1, -1},
    };
    for (const auto& row : rows) {
        int major = 7;
        int minor = 7;
        ModeToProjectionRadio(row.mode, major, minor);
        EXPECT_EQ(major, row.major) << std::hex << row.mode;
        EXPECT_EQ(minor, row.minor) << std::hex << row.mode;
        if (row.major >= 0) {
            EXPECT_EQ(ProjectionMode(row.major, row.minor), row.mode) << std::hex << row.mode;
        }
    }
    int offered = 0;
    for (int major = -1; major <= kMajorModeCount; ++major) {
        for (int minor = -1; minor <= kMinorModeCount; ++minor) {
            offered += IsMinorModeOffered(major, minor) ? 1 : 0;
        }
    }
    EXPECT_EQ(offered, 14);
}

TEST_F(DisplayDialogText, PickingAProjectionKeepsAPairWithAMode)
{
    const struct {
        int major, minor, after;
    } rows[] = {
        {kMajorVola, kMinorEqt, kMinorHrz},    {kMajorVola, -1, kMinorHrz},
        {kMajorSol, kMinorHrz, kMinorEqt},     {kMajorSol, -1, kMinorEqt},
        {kMajorSol, kMinorGal, kMinorGal},     {kMajorAll1, kMinorHrz, kMinorEqt},
        {kMajorAll2, kMinorEcl, kMinorEcl},    {kMajorGeneral, kMinorHrz, kMinorHrz},
        {kMajorGeneral, -1, kMinorHrz},        {kMajorGeneral, kMinorGal, kMinorGal},
        {-1, kMinorEcl, kMinorEcl},
    };
    for (const auto& row : rows) {
        const int after = MinorModeAfterMajorChange(row.major, row.minor);
        EXPECT_EQ(after, row.after) << row.major << " " << row.minor;
        if (row.major >= 0) {
            EXPECT_TRUE(IsMinorModeOffered(row.major, after)) << row.major << " " << row.minor;
        }
    }
}

TEST_F(DisplayDialogText, ProjectionSendsTheModeAndDrawsIt)
{
    const struct {
        int major, minor;
        Texts texts;
    } rows[] = {
        {kMajorVola, kMinorHrz, {"MODE VOLA; DRIVE"}},
        {kMajorSol, kMinorEqt, {"MODE SOL1; DRIVE"}},
        {kMajorSol, kMinorGal, {"MODE SOL3; DRIVE"}},
        {kMajorGeneral, kMinorHrz, {"MODE HRZ; DRIVE"}},
        {kMajorAll2, kMinorEcl, {"MODE ALL2_ECL; DRIVE"}},
        {kMajorAll1, kMinorHrz, {}},
        {kMajorVola, kMinorGal, {}},
        {-1, kMinorEqt, {}},
    };
    for (const auto& row : rows) {
        CommandText command;
        EXPECT_EQ(ComposeProjectionCommand(row.major, row.minor, command), row.texts.empty() ? 0 : 1);
        EXPECT_EQ(command.texts, row.texts);
        Run(command);
        if (!row.texts.empty()) {
            EXPECT_EQ(scene.viewMode, ProjectionMode(row.major, row.minor));
        }
    }
}

// --- Nebulae -----------------------------------------------------------------

NebulaDialogValues NebulaValues(std::vector<int> toggles, bool limitOn, double faint, double bright)
{
    NebulaDialogValues values;
    values.toggles = std::move(toggles);
    values.limitOn = limitOn;
    values.faint = faint;
    values.bright = bright;
    return values;
}

TEST_F(DisplayDialogText, NebulaTextPutsTheLayerLastAndTheWindowAfter)
{
    const std::vector<int> toggles = {1, 0, 1, 1, 0, 1, 0, 1, 1, 0, 1, 1};
    CommandText on;
    ComposeNebulaCommand(NebulaValues(toggles, true, 11.0, 0.0), on);
    EXPECT_EQ(on.texts,
              (Texts{"SHOW MESSIER;HIDE NGC;SHOW IC;HIDE GLOBE;SHOW PLANETARY;SHOW OPEN;HIDE DIFFUSE;"
                     "SHOW GALAXY;SHOW COMPOUND;SHOW NEBULA_MAG;HIDE NEBULA_NAME;SHOW NEBULA;"
                     "MAG NEBULAMIN 11.0;MAG NEBULAMAX 0.0;MAG NEBULALIMIT 1;DRIVE"}));
    CommandText off;
    ComposeNebulaCommand(NebulaValues(std::vector<int>(12, 0), false, 40.0, -9.0), off);
    EXPECT_EQ(off.texts.size(), 1u);
    EXPECT_NE(off.texts[0].find("HIDE COMPOUND;HIDE NEBULA_MAG;HIDE NEBULA_NAME;HIDE NEBULA;"
                                "MAG NEBULALIMIT 0;DRIVE"),
              std::string::npos)
        << off.texts[0];
}

TEST_F(DisplayDialogText, NebulaWindowIsRefusedOutOfOrderOrRange)
{
    const struct {
        bool on;
        double faint, bright;
        NebulaLimitRefusal refusal;
    } rows[] = {
        {true, 11.0, 0.0, kNebulaLimitAccepted}, {true, 5.0, 8.0, kNebulaLimitMinMax},
        {true, 8.0, 8.0, kNebulaLimitAccepted},  {true, 18.5, 0.0, kNebulaLimitRange},
        {true, 18.0, -2.0, kNebulaLimitAccepted}, {true, 10.0, -2.1, kNebulaLimitRange},
        {true, -1.0, -3.0, kNebulaLimitRange},   {false, 5.0, 8.0, kNebulaLimitAccepted},
        {false, 40.0, -9.0, kNebulaLimitAccepted},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CheckNebulaLimit(NebulaValues({}, row.on, row.faint, row.bright)), row.refusal)
            << row.on << " " << row.faint << " " << row.bright;
    }
}

TEST_F(DisplayDialogText, NebulaValuesSurviveTheirCommands)
{
    for (int round = 0; round < 64; ++round) {
        const NebulaDialogValues sent =
            NebulaValues(RandomFlags(kNebulaToggleCount), random() % 2 == 0,
                         static_cast<int>(random() % 150) / 10.0, static_cast<int>(random() % 50) / 10.0 - 2.0);
        CommandText command;
        ComposeNebulaCommand(sent, command);
        Run(command);
        const NebulaDialogValues read = ReadNebulaDialogValues(scene);
        EXPECT_EQ(read.toggles, sent.toggles) << command.texts[0];
        EXPECT_EQ(read.limitOn, sent.limitOn);
        if (sent.limitOn) {
            EXPECT_EQ(std::lround(read.faint * 10), std::lround(sent.faint * 10));
            EXPECT_EQ(std::lround(read.bright * 10), std::lround(sent.bright * 10));
        }
    }
}

// --- Stars -------------------------------------------------------------------

TEST_F(DisplayDialogText, StarLimitIsKeptWithinTheCatalogue)
{
    const struct {
        int32_t catalog;
        const char* starLimit;
        const char* labelLimit;
        const char* stardata;
        const char* limits;
    } rows[] = {
        {kCatalogStd, "12", "5.0", "STARDATA STD", "MAG STAR 6.5;MAG STARNAME 5.0;"},
        {kCatalogGsc, "12", "5.0", "STARDATA GSC", "MAG STAR 12.0;MAG STARNAME 5.0;"},
        {kCatalogSao, "12.0", "12.0", "STARDATA SAO", "MAG STAR 9.5;MAG STARNAME 10.0;"},
        {kCatalogStd, "-5", "-5", "STARDATA STD", "MAG STAR -2.0;MAG STARNAME -2.0;"},
        {kCatalogGsc, "17.5", "9.95", "STARDATA GSC", "MAG STAR 17.0;MAG STARNAME 9.9;"},
    };
    for (const auto& row : rows) {
        StarDialogValues values;
        values.toggles = {1, 0, 1, 0, 1};
        values.catalog = row.catalog;
        values.starLimit = TextDoubleValue(row.starLimit);
        values.labelLimit = TextDoubleValue(row.labelLimit);
        CommandText catalogue;
        CommandText display;
        ComposeStarCommands(values, catalogue, display);
        EXPECT_EQ(catalogue.texts, Texts{row.stardata});
        EXPECT_EQ(display.texts, (Texts{std::string("SHOW STAR;HIDE STARNAME;SHOW STAR_MAG;HIDE BAYER;"
                                                    "SHOW FLAMSTEED;") + row.limits,
                                        "DRIVE"}));
    }
}

TEST_F(DisplayDialogText, StarCatalogueShownIsOneTheMachineCanDraw)
{
    const struct {
        uint8_t sourceBits;
        bool sao, gsc;
        int32_t shown;
    } rows[] = {
        {kSaoStarsFlag, true, true, kCatalogSao},  {kSaoStarsFlag, false, true, kCatalogStd},
        {kGscStarsFlag, true, true, kCatalogGsc},  {kGscStarsFlag, true, false, kCatalogStd},
        {0, true, true, kCatalogStd},
    };
    for (const auto& row : rows) {
        scene.displayFlags[kFlagStars] = static_cast<uint8_t>(kStarFlag | row.sourceBits);
        EXPECT_EQ(ReadStarDialogValues(scene, row.sao, row.gsc).catalog, row.shown)
            << int(row.sourceBits) << row.sao << row.gsc;
    }
}

TEST_F(DisplayDialogText, StarValuesSurviveTheirCommands)
{
    for (int round = 0; round < 64; ++round) {
        StarDialogValues sent;
        sent.toggles = RandomFlags(kStarToggleCount);
        sent.catalog = static_cast<int32_t>(random() % 3);
        const double starLimit = static_cast<int>(random() % 80) / 10.0 - 2.0;
        const double labelLimit = static_cast<int>(random() % 120) / 10.0 - 2.0;
        sent.starLimit = starLimit;
        sent.labelLimit = labelLimit;
        CommandText catalogue;
        CommandText display;
        ComposeStarCommands(sent, catalogue, display);
        ASSERT_EQ(catalogue.texts.size(), 1u);
        // Without the star files here STARDATA SAO and GSC answer that
        // they are missing, and keep the choice.
        RunCommand(scene, catalogue.texts[0]);
        Run(display);
        const StarDialogValues read = ReadStarDialogValues(scene, true, true);
        EXPECT_EQ(read.toggles, sent.toggles);
        EXPECT_EQ(read.catalog, sent.catalog);
        EXPECT_EQ(std::lround(read.labelLimit * 10), std::lround(labelLimit * 10));
        // The star limit waits for the redraw.
        EXPECT_EQ(scene.mag.requestedValue, std::lround(std::min(starLimit, StarCatalogCap(sent.catalog)) * 10));
    }
}

// --- Planets -----------------------------------------------------------------

TEST_F(DisplayDialogText, PlanetRowsSendEveryFlagTheEarthNoMagnitudeOrDisk)
{
    PlanetTable table{};
    table[3] = {1, 1, 1, 1, 1, 1};        // Mars, every flag
    table[kEarthRow] = {1, 0, 1, 1, 0, 1};
    CommandText command;
    ComposePlanetCommands(scene, table, 0, command);
    ASSERT_EQ(command.texts.size(), 11u);
    EXPECT_EQ(command.texts[0], "HIDE MERCURY;HIDE MERCURY_NAME;HIDE MERCURY_DATE;HIDE MERCURY_OBT;"
                                "HIDE MERCURY_MAG;REAL MERCURY;");
    EXPECT_EQ(command.texts[kEarthRow], "SHOW EARTH;HIDE EARTH_NAME;SHOW EARTH_DATE;HIDE EARTH_OBT;");
    EXPECT_EQ(command.texts[3], "SHOW MARS;SHOW MARS_NAME;SHOW MARS_DATE;SHOW MARS_OBT;SHOW MARS_MAG;"
                                "DISK MARS;");
    EXPECT_EQ(command.texts[8], "HIDE PLUTO;HIDE PLUTO_NAME;HIDE PLUTO_DATE;HIDE PLUTO_OBT;"
                                "HIDE PLUTO_MAG;REAL PLUTO;");
    EXPECT_EQ(command.texts[9], "DISK_MAG 0;");
    EXPECT_EQ(command.texts[10], "DRIVE");
}

TEST_F(DisplayDialogText, TogglesShowWhatTheSelectedPlanetsShare)
{
    PlanetTable table{};
    table[3] = {1, 1, 0, 1, 0, 1};        // Mars, its name shown
    table[4] = {1, 0, 0, 1, 0, 1};        // Jupiter
    table[0] = {0, 1, 1, 1, 1, 1};        // Mercury, hidden
    table[kEarthRow] = {1, 0, 0, 0, 0, 0};
    const struct {
        std::vector<int> rows;
        std::array<int, kPlanetColumnCount> common, value, sensitive;
    } rows[] = {
        {{3, 4}, {1, 0, 1, 1, 1, 1}, {1, 1, 0, 1, 0, 1}, {1, 1, 1, 1, 1, 1}},
        {{0}, {1, 1, 1, 1, 1, 1}, {0, 1, 1, 1, 1, 1}, {1, 0, 0, 0, 0, 0}},
        {{0, 3}, {0, 1, 0, 1, 0, 1}, {0, 1, 1, 1, 1, 1}, {1, 0, 0, 0, 0, 0}},
        {{kEarthRow}, {1, 1, 1, 1, 1, 1}, {1, 0, 0, 0, 0, 0}, {1, 1, 1, 0, 1, 0}},
        // The Earth first: Mars is the reference, and the Earth has no say
        // in magnitude and disk.
        {{kEarthRow, 3}, {1, 0, 1, 1, 1, 1}, {1, 1, 0, 1, 0, 1}, {1, 1, 1, 1, 1, 1}},
        {{}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}},
    };
    for (const auto& row : rows) {
        const auto states = PlanetSelectionState(table, row.rows);
        for (int column = 0; column < kPlanetColumnCount; ++column) {
            const auto& state = states[static_cast<size_t>(column)];
            SCOPED_TRACE(testing::Message() << "rows " << row.rows.size() << " column " << column);
            EXPECT_EQ(state.common ? 1 : 0, row.common[static_cast<size_t>(column)]);
            if (state.common) {
                EXPECT_EQ(state.value, row.value[static_cast<size_t>(column)]);
            }
            EXPECT_EQ(state.sensitive ? 1 : 0, row.sensitive[static_cast<size_t>(column)]);
        }
    }
    SetPlanetColumn(table, {kEarthRow, 3}, kColumnDisk, 0);
    SetPlanetColumn(table, {kEarthRow, 3, 4}, kColumnMag, 1);
    EXPECT_EQ(table[kEarthRow][kColumnMag], 0);
    EXPECT_EQ(table[3][kColumnDisk], 0);
    EXPECT_EQ(table[4][kColumnDisk], 1);
    EXPECT_EQ(table[4][kColumnMag], 1);
}

TEST_F(DisplayDialogText, PlanetTableSurvivesItsCommands)
{
    for (int round = 0; round < 32; ++round) {
        PlanetTable sent{};
        for (int row = 0; row < kPlanetRowCount; ++row) {
            const std::vector<int> flags = RandomFlags(kPlanetColumnCount);
            std::copy(flags.begin(), flags.end(), sent[static_cast<size_t>(row)].begin());
        }
        sent[kEarthRow][kColumnMag] = 0;
        sent[kEarthRow][kColumnDisk] = 0;
        const int diskMag = 1 + static_cast<int>(random() % 500);
        CommandText command;
        ComposePlanetCommands(scene, sent, diskMag, command);
        Run(command);
        EXPECT_EQ(ReadPlanetTable(scene), sent);
        EXPECT_EQ(scene.diskMagnitude, diskMag);
    }
}

// --- Number fields -------------------------------------------------------------

// What one text in a number field makes of each dialog's OK: the statement
// sent, or the key of the warning that keeps the dialog up. A field reads
// its leading number (TextDoubleValue, the Disk field TextIntValue, as
// GetTextFieldDouble and GetTextFieldInt read the widgets), no number 0;
// then only the dialog's own limits apply: the star limit (built-in stars)
// kept within -2.0 .. 6.5, the label limit within -2.0 .. 10.0, and the
// nebula window refused out of order (Min. typed with Max. 0.0, Max. with
// Min. 11.0) or out of -2.0 .. 18.0.
TEST_F(DisplayDialogText, NumberFieldsReadTheirLeadingNumber)
{
    const struct {
        const char* text;
        const char* star;
        const char* label;
        const char* nebulaMin;
        const char* nebulaMax;
        const char* disk;
    } rows[] = {
        {"", "MAG STAR 0.0", "MAG STARNAME 0.0", "MAG NEBULAMIN 0.0", "MAG NEBULAMAX 0.0", "DISK_MAG 0"},
        {"x", "MAG STAR 0.0", "MAG STARNAME 0.0", "MAG NEBULAMIN 0.0", "MAG NEBULAMAX 0.0", "DISK_MAG 0"},
        {"5x", "MAG STAR 5.0", "MAG STARNAME 5.0", "MAG NEBULAMIN 5.0", "MAG NEBULAMAX 5.0", "DISK_MAG 5"},
        {"12", "MAG STAR 6.5", "MAG STARNAME 10.0", "MAG NEBULAMIN 12.0", "messageNebulaLimitMinMax",
         "DISK_MAG 12"},
        {"abc", "MAG STAR 0.0", "MAG STARNAME 0.0", "MAG NEBULAMIN 0.0", "MAG NEBULAMAX 0.0", "DISK_MAG 0"},
        {"\"4\"", "MAG STAR 0.0", "MAG STARNAME 0.0", "MAG NEBULAMIN 0.0", "MAG NEBULAMAX 0.0",
         "DISK_MAG 0"},
        {"5;HI", "MAG STAR 5.0", "MAG STARNAME 5.0", "MAG NEBULAMIN 5.0", "MAG NEBULAMAX 5.0", "DISK_MAG 5"},
        {"4 x", "MAG STAR 4.0", "MAG STARNAME 4.0", "MAG NEBULAMIN 4.0", "MAG NEBULAMAX 4.0", "DISK_MAG 4"},
        {"+3.5", "MAG STAR 3.5", "MAG STARNAME 3.5", "MAG NEBULAMIN 3.5", "MAG NEBULAMAX 3.5", "DISK_MAG 3"},
        {" 4 ", "MAG STAR 4.0", "MAG STARNAME 4.0", "MAG NEBULAMIN 4.0", "MAG NEBULAMAX 4.0", "DISK_MAG 4"},
        {"1e1", "MAG STAR 6.5", "MAG STARNAME 10.0", "MAG NEBULAMIN 10.0", "MAG NEBULAMAX 10.0",
         "DISK_MAG 1"},
        {"nan", "MAG STAR 0.0", "MAG STARNAME 0.0", "MAG NEBULAMIN 0.0", "MAG NEBULAMAX 0.0", "DISK_MAG 0"},
        {"-7", "MAG STAR -2.0", "MAG STARNAME -2.0", "messageNebulaLimitMinMax", "messageNebulaLimitRange",
         "DISK_MAG -7"},
        {"600", "MAG STAR 6.5", "MAG STARNAME 10.0", "messageNebulaLimitRange", "messageNebulaLimitMinMax",
         "DISK_MAG 600"},
    };
    // The statement of the command that begins with `prefix`.
    const auto sent = [](const CommandText& command, const std::string& prefix) -> std::string {
        EXPECT_EQ(IsCommandRefused(command), 0) << command.errorParam;
        for (const std::string& text : command.texts) {
            const size_t at = text.find(prefix);
            if (at != std::string::npos) {
                return text.substr(at, text.find(';', at) - at);
            }
        }
        return "nothing";
    };
    const auto nebula = [&](double faint, double bright, const char* prefix) -> std::string {
        NebulaDialogValues values = ReadNebulaDialogValues(scene);
        values.limitOn = true;
        values.faint = faint;
        values.bright = bright;
        switch (CheckNebulaLimit(values)) {
        case kNebulaLimitMinMax: return "messageNebulaLimitMinMax";
        case kNebulaLimitRange: return "messageNebulaLimitRange";
        case kNebulaLimitAccepted: break;
        }
        CommandText command;
        ComposeNebulaCommand(values, command);
        return sent(command, prefix);
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "[" << row.text << "]");
        const double number = TextDoubleValue(row.text);
        StarDialogValues star = ReadStarDialogValues(scene, false, false);
        StarDialogValues label = star;
        star.starLimit = number;
        label.labelLimit = number;
        CommandText catalogue;
        CommandText display;
        ComposeStarCommands(star, catalogue, display);
        EXPECT_EQ(sent(display, "MAG STAR "), row.star);
        EXPECT_EQ(catalogue.texts, Texts{"STARDATA STD"});
        CommandText labelCatalogue;
        CommandText labelDisplay;
        ComposeStarCommands(label, labelCatalogue, labelDisplay);
        EXPECT_EQ(sent(labelDisplay, "MAG STARNAME "), row.label);

        EXPECT_EQ(nebula(number, 0.0, "MAG NEBULAMIN "), row.nebulaMin);
        EXPECT_EQ(nebula(11.0, number, "MAG NEBULAMAX "), row.nebulaMax);
        // With the window off the bounds are neither checked nor sent.
        NebulaDialogValues windowOff = ReadNebulaDialogValues(scene);
        windowOff.limitOn = false;
        windowOff.faint = number;
        EXPECT_EQ(CheckNebulaLimit(windowOff), kNebulaLimitAccepted);

        CommandText planets;
        ComposePlanetCommands(scene, ReadPlanetTable(scene), TextIntValue(row.text), planets);
        EXPECT_EQ(sent(planets, "DISK_MAG "), row.disk);
    }
}

// --- Grid, Jovian satellites, constellations, Sun, Moon ----------------------

TEST_F(DisplayDialogText, DependentTogglesFollowTheirControllerAndTheView)
{
    std::vector<int> grid(19, 0);
    grid[1] = 1;    // the J2000 grid: its scale can be chosen
    grid[16] = 1;   // the horizontal grid
    const struct {
        const ToggleDialogTable& table;
        std::vector<int> toggles;
        int32_t mode;
        std::vector<int> sensitive;
    } rows[] = {
        {kGridDialog, grid, kModeHrz, {1, 1, 1, 1, 1, 0, 1, 1, 0, 1, 1, 0, 1, 1, 0, 1, 1, 1, 0}},
        {kGridDialog, grid, kModeSol2, {1, 1, 1, 1, 1, 0, 1, 1, 0, 1, 1, 0, 1, 1, 0, 1, 1, 1, 1}},
        {kJoviSatDialog, {0, 1, 1}, kModeHrz, {1, 0, 0}},
        {kJoviSatDialog, {1, 0, 0}, kModeSol1, {1, 1, 1}},
        {kConstDialog, {0, 0, 0, 0}, kModeSol1, {1, 1, 1, 1}},
        {kSunDialog, {1, 0, 0, 1}, kModeEqt, {1, 1, 1, 1}},
        {kSunDialog, {1, 0, 0, 1}, kModeSol3, {1, 1, 1, 0}},
        {kSunDialog, {0, 1, 1, 1}, kModeAll2Gal, {1, 0, 0, 0}},
        {kMoonDialog, {1, 1, 1, 0}, kModeVola, {1, 1, 1, 1}},
        {kMoonDialog, {0, 1, 1, 0}, kModeSol1, {1, 0, 0, 0}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ToggleSensitivity(row.table, row.toggles, row.mode), row.sensitive)
            << row.table.name << " " << std::hex << row.mode;
    }
}

TEST_F(DisplayDialogText, GridSendsEveryToggleThenTheStyleThenTheAxes)
{
    ToggleDialogValues values;
    values.toggles.assign(19, 0);
    values.toggles[1] = 1;
    values.toggles[18] = 1;
    values.gridMode = 2;
    CommandText command;
    ComposeToggleDialogCommand(kGridDialog, values, command);
    EXPECT_EQ(command.texts,
              (Texts{"HIDE EQT_2000",    "SHOW EQT_GRID_2000", "HIDE EQT_GRID_2000_NUM",
                     "HIDE EQT_1950",    "HIDE EQT_GRID_1950", "HIDE EQT_GRID_1950_NUM",
                     "HIDE EQT_DATE",    "HIDE EQT_GRID_DATE", "HIDE EQT_GRID_DATE_NUM",
                     "HIDE ECL",         "HIDE ECL_GRID",      "HIDE ECL_GRID_NUM",
                     "HIDE GAL",         "HIDE GAL_GRID",      "HIDE GAL_GRID_NUM",
                     "HIDE MERIDIAN",    "HIDE HRZ_GRID",      "HIDE HRZ_GRID_NUM",
                     "GRID MODE2",       "SHOW SOL_GRID",      "DRIVE"}));
    values.gridMode = -1;
    CommandText none;
    ComposeToggleDialogCommand(kGridDialog, values, none);
    EXPECT_EQ(none.texts.size(), 20u);
    EXPECT_EQ(none.texts[18], "SHOW SOL_GRID");
}

TEST_F(DisplayDialogText, SunAndMoonJoinTheirFlagsAndSendTheOutlineApart)
{
    ToggleDialogValues values;
    values.toggles = {0, 1, 0, 1};
    CommandText sun;
    ComposeToggleDialogCommand(kSunDialog, values, sun);
    EXPECT_EQ(sun.texts, (Texts{"HIDE SUN;SHOW SUN_NAME;HIDE SUN_DATE", "OUTLINE SUN", "DRIVE"}));
    values.toggles = {1, 0, 1, 0};
    CommandText moon;
    ComposeToggleDialogCommand(kMoonDialog, values, moon);
    EXPECT_EQ(moon.texts, (Texts{"SHOW MOON;HIDE MOON_NAME;SHOW MOON_DATE", "REAL MOON", "DRIVE"}));
    values.toggles = {1, 0, 1};
    CommandText jovian;
    ComposeToggleDialogCommand(kJoviSatDialog, values, jovian);
    EXPECT_EQ(jovian.texts, (Texts{"SHOW JMOON", "HIDE JMOON_NAME", "SHOW JMOON_NO", "DRIVE"}));
    values.toggles = {1, 1, 0, 1};
    CommandText constellations;
    ComposeToggleDialogCommand(kConstDialog, values, constellations);
    EXPECT_EQ(constellations.texts,
              (Texts{"SHOW CONS_LINE", "SHOW CONS_NAME1", "HIDE CONS_NAME2", "SHOW CONS_LIMIT", "DRIVE"}));
}

TEST_F(DisplayDialogText, EachToggleDialogWordsItsTogglesWithItsOwnText)
{
    const struct {
        const ToggleDialogTable& table;
        ShowHideTextFunction text;
        int set;
        const char* keyword;
        const char* said;
    } rows[] = {
        {kGridDialog, GridShowHideText, 1, "ECL_GRID", "SHOW ECL_GRID"},
        {kJoviSatDialog, JoviSatShowHideText, 0, "JMOON_NO", "HIDE JMOON_NO"},
        {kConstDialog, ConstShowHideText, 2, "CONS_LIMIT", "SHOW CONS_LIMIT"},
        {kSunDialog, SunShowHideText, 0, "SUN_DATE", "HIDE SUN_DATE"},
        {kMoonDialog, MoonShowHideText, 1, "MOON", "SHOW MOON"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.table.showHideText, row.text) << row.table.name;
        EXPECT_EQ(row.text(row.set, row.keyword), row.said);
    }
}

TEST_F(DisplayDialogText, ToggleDialogValuesSurviveTheirCommands)
{
    for (const ToggleDialogTable* table : {&kGridDialog, &kJoviSatDialog, &kConstDialog, &kSunDialog,
                                         &kMoonDialog}) {
        for (int round = 0; round < 32; ++round) {
            ToggleDialogValues sent;
            sent.toggles = RandomFlags(static_cast<size_t>(table->toggleCount));
            if (table->gridModes != nullptr) {
                sent.gridMode = static_cast<int32_t>(random() % 4);
            }
            CommandText command;
            ComposeToggleDialogCommand(*table, sent, command);
            Run(command);
            const ToggleDialogValues read = ReadToggleDialogValues(*table, scene);
            EXPECT_EQ(read.toggles, sent.toggles) << table->name;
            EXPECT_EQ(read.gridMode, sent.gridMode) << table->name;
        }
    }
}

}  // namespace
