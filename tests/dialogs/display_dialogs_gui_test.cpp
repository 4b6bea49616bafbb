// The projection, star, nebula, planet, grid, Jovian satellite,
// constellation, Sun and Moon dialogs under Xvfb, over a real Scene and
// canvas: filled from the Scene, driven through their widgets' callbacks,
// every text they hand to StkExecuteText checked in order, their
// sensitivity rules as tables, warnings for a refused magnitude window,
// the window manager's close as Cancel, and the image oracle for each.
#include "tests/dialogs/settings_dialog_fixture.h"

#include "core/view_modes.h"
#include "dialogs/kit/scrolled_list.h"
#include "dialogs/nebula_dialog.h"
#include "dialogs/planet_dialog.h"
#include "dialogs/projection_dialog.h"
#include "dialogs/star_dialog.h"
#include "dialogs/toggle_dialogs.h"
#include "dialogs/toggle_dialogs_fields.h"
#include "sky/catalog/gsc_paths.h"
#include "sky/layers/star_layer.h"

#include <sys/stat.h>

#include <array>
#include <map>

namespace {

using dialogtest::DialogDriver;
using Texts = std::vector<std::string>;

class DisplayDialogs : public dialogtest::SettingsDialogTest {
protected:
    Widget ShowToggleDialog(void (*show)(Scene*), const ToggleDialogTable& table)
    {
        show(&scene);
        driver.Pump();
        shown.push_back(ToggleDialogWidget(table));
        driver.ForgetTexts();
        return ToggleDialogWidget(table);
    }

    // Several planets chosen at once, as a shift-click chooses them.
    void SelectPlanets(Widget dialog, const std::vector<int>& positions)
    {
        Widget list = DialogDriver::Child(dialog, "PlanetList");
        // In the multiple policy each selection adds to the others.
        XtVaSetValues(list, XmNselectionPolicy, XmMULTIPLE_SELECT, nullptr);
        XmListDeselectAllItems(list);
        for (const int position : positions) {
            XmListSelectPos(list, position, False);
        }
        XtVaSetValues(list, XmNselectionPolicy, XmEXTENDED_SELECT, nullptr);
        XmListCallbackStruct selection{};
        selection.reason = XmCR_EXTENDED_SELECT;
        XtCallCallbacks(list, XmNextendedSelectionCallback, &selection);
        driver.Pump();
    }

    void ExpectSensitivity(Widget dialog, const std::map<std::string, bool>& expected)
    {
        for (const auto& [name, sensitive] : expected) {
            EXPECT_EQ(Sensitive(dialog, name.c_str()), sensitive) << name;
        }
    }
};

// --- Projection --------------------------------------------------------------

TEST_F(DisplayDialogs, ProjectionShowsTheSceneModeAndGreysFramesItCannotShow)
{
    const char* const majors[] = {"ToggleMajorModeGeneral", "ToggleMajorModeAll1",
                                  "ToggleMajorModeAll2", "ToggleMajorModeSol", "ToggleMajorModeVola"};
    const char* const minors[] = {"ToggleMinorModeHrz", "ToggleMinorModeEqt", "ToggleMinorModeEcl",
                                  "ToggleMinorModeGal"};
    const struct {
        int32_t mode;
        int major, minor;
        std::vector<bool> sensitive;   // Hrz, Eqt, Ecl, Gal
    } rows[] = {
        {kModeHrz, 0, 0, {true, true, true, true}},      {kModeGal, 0, 3, {true, true, true, true}},
        {kModeAll1Eqt, 1, 1, {false, true, true, true}}, {kModeAll2Ecl, 2, 2, {false, true, true, true}},
        {kModeSol3, 3, 3, {false, true, true, true}},    {kModeVola, 4, 0, {true, false, false, false}},
    };
    for (const auto& row : rows) {
        scene.viewMode = row.mode;
        Widget dialog = Show(ShowProjectionDialog, ProjectionDialogWidget);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(DialogDriver::IsSet(dialog, majors[i]), i == row.major) << std::hex << row.mode;
        }
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(DialogDriver::IsSet(dialog, minors[i]), i == row.minor) << std::hex << row.mode;
            EXPECT_EQ(Sensitive(dialog, minors[i]), row.sensitive[static_cast<size_t>(i)])
                << std::hex << row.mode << " " << minors[i];
        }
        driver.Press(dialog, "ButtonCancel");
    }
    EXPECT_TRUE(driver.Texts().empty());
}

TEST_F(DisplayDialogs, PickingAProjectionChoosesAFrameItCanShow)
{
    const struct {
        int32_t start;
        const char* major;
        const char* frame;   // set by hand after the pick, or null
        const char* text;
    } rows[] = {
        {kModeEqt, "ToggleMajorModeVola", nullptr, "MODE VOLA; DRIVE"},
        {kModeHrz, "ToggleMajorModeSol", nullptr, "MODE SOL1; DRIVE"},
        {kModeHrz, "ToggleMajorModeSol", "ToggleMinorModeEcl", "MODE SOL2; DRIVE"},
        {kModeHrz, "ToggleMajorModeSol", "ToggleMinorModeGal", "MODE SOL3; DRIVE"},
        {kModeAll1Gal, "ToggleMajorModeGeneral", nullptr, "MODE GAL; DRIVE"},
        {kModeVola, "ToggleMajorModeGeneral", nullptr, "MODE HRZ; DRIVE"},
        {kModeHrz, "ToggleMajorModeAll2", nullptr, "MODE ALL2_EQT; DRIVE"},
    };
    for (const auto& row : rows) {
        scene.viewMode = row.start;
        Widget dialog = Show(ShowProjectionDialog, ProjectionDialogWidget);
        driver.SetToggle(dialog, row.major, true);
        if (row.frame != nullptr) {
            driver.SetToggle(dialog, row.frame, true);
        }
        driver.Press(dialog, "ButtonOK");
        EXPECT_EQ(driver.Texts(), Texts{row.text}) << row.major;
        EXPECT_FALSE(XtIsManaged(dialog));
        driver.ForgetTexts();
    }
    // The planisphere leaves only the horizontal frame.
    Widget dialog = Show(ShowProjectionDialog, ProjectionDialogWidget);
    driver.SetToggle(dialog, "ToggleMajorModeVola", true);
    ExpectSensitivity(dialog, {{"ToggleMinorModeHrz", true}, {"ToggleMinorModeEqt", false},
                               {"ToggleMinorModeEcl", false}, {"ToggleMinorModeGal", false}});
    EXPECT_TRUE(DialogDriver::IsSet(dialog, "ToggleMinorModeHrz"));
}

TEST_F(DisplayDialogs, ProjectionDrawsWhatItsTextDraws)
{
    ExpectSameChartAsItsTexts("DRIVE", [this] {
        Widget dialog = Show(ShowProjectionDialog, ProjectionDialogWidget);
        driver.SetToggle(dialog, "ToggleMajorModeAll2", true);
        driver.SetToggle(dialog, "ToggleMinorModeGal", true);
        driver.Press(dialog, "ButtonOK");
    });
    EXPECT_EQ(scene.viewMode, kModeAll2Gal);
}

// --- Nebulae -----------------------------------------------------------------

TEST_F(DisplayDialogs, NebulaWindowIsSentInItsOrder)
{
    Widget dialog = Show(ShowNebulaDialog, NebulaDialogWidget);
    driver.SetToggle(dialog, "ToggleNebula", true);
    driver.SetToggle(dialog, "ToggleNebulaLimit", true);
    driver.Type(dialog, "EditMagMinLimit", "11.0");
    driver.Type(dialog, "EditMagMaxLimit", "0.0");
    driver.Press(dialog, "ButtonOK");
    ASSERT_EQ(driver.Texts().size(), 1u);
    const std::string& text = driver.Texts()[0];
    EXPECT_NE(text.find(";SHOW NEBULA;MAG NEBULAMIN 11.0;MAG NEBULAMAX 0.0;MAG NEBULALIMIT 1;DRIVE"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.rfind("SHOW MESSIER;", 0), 0u) << text;
    EXPECT_FALSE(XtIsManaged(dialog));
    EXPECT_EQ(scene.mag.nebulaFaint, 110);
    EXPECT_EQ(scene.mag.nebulaBoundsInUse, 1);
}

TEST_F(DisplayDialogs, RefusedNebulaWindowWarnsAndRunsNothing)
{
    const struct {
        const char* min;
        const char* max;
        const char* warning;
    } rows[] = {
        {"5.0", "8.0", "Maximum magnitude must be less than minimum magnitude."},
        {"18.5", "0.0", "Limit magnitude must be between -2.0 and 18.0"},
        {"3.0", "-2.5", "Limit magnitude must be between -2.0 and 18.0"},
    };
    for (const auto& row : rows) {
        Widget dialog = Show(ShowNebulaDialog, NebulaDialogWidget);
        driver.SetToggle(dialog, "ToggleNebula", true);
        driver.SetToggle(dialog, "ToggleNebulaLimit", true);
        driver.Type(dialog, "EditMagMinLimit", row.min);
        driver.Type(dialog, "EditMagMaxLimit", row.max);
        driver.Press(dialog, "ButtonOK");
        EXPECT_TRUE(driver.Texts().empty()) << row.min;
        EXPECT_EQ(TakeWarnings(), Texts{row.warning}) << row.min;
        EXPECT_TRUE(XtIsManaged(dialog));
        EXPECT_EQ(DialogDriver::Text(dialog, "EditMagMinLimit"), row.min);
    }
}

// OK through the widgets for "", "x", "5x" and "12" in each number field:
// the field's leading number is sent (no number: 0), within the dialog's
// own limits, or the dialog's own warning keeps it up and sends nothing.
TEST_F(DisplayDialogs, NumberFieldsSendTheirLeadingNumber)
{
    const char* const typed[] = {"", "x", "5x", "12"};
    const struct {
        void (*show)(Scene*);
        Widget (*widget)();
        std::vector<const char*> toggles;   // switched on first
        const char* other;                  // the window's other bound, or null
        const char* otherText;
        const char* field;
        const char* prefix;
        std::array<const char*, 4> sent;    // for each typed text
    } rows[] = {
        {ShowStarDialog, StarDialogWidget, {"ToggleStar", "ToggleStarName"}, nullptr, nullptr,
         "EditMagLimit", "MAG STAR ", {"MAG STAR 0.0", "MAG STAR 0.0", "MAG STAR 5.0", "MAG STAR 6.5"}},
        {ShowStarDialog, StarDialogWidget, {"ToggleStar", "ToggleStarName"}, nullptr, nullptr,
         "EditNameMagLimit", "MAG STARNAME ",
         {"MAG STARNAME 0.0", "MAG STARNAME 0.0", "MAG STARNAME 5.0", "MAG STARNAME 10.0"}},
        {ShowNebulaDialog, NebulaDialogWidget, {"ToggleNebula", "ToggleNebulaLimit"}, "EditMagMaxLimit",
         "0.0", "EditMagMinLimit", "MAG NEBULAMIN ",
         {"MAG NEBULAMIN 0.0", "MAG NEBULAMIN 0.0", "MAG NEBULAMIN 5.0", "MAG NEBULAMIN 12.0"}},
        {ShowNebulaDialog, NebulaDialogWidget, {"ToggleNebula", "ToggleNebulaLimit"}, "EditMagMinLimit",
         "11.0", "EditMagMaxLimit", "MAG NEBULAMAX ",
         {"MAG NEBULAMAX 0.0", "MAG NEBULAMAX 0.0", "MAG NEBULAMAX 5.0",
          "Maximum magnitude must be less than minimum magnitude."}},
        {ShowPlanetDialog, PlanetDialogWidget, {"ToggleShow"}, nullptr, nullptr, "EditDiskMag",
         "DISK_MAG ", {"DISK_MAG 0", "DISK_MAG 0", "DISK_MAG 5", "DISK_MAG 12"}},
    };
    for (const auto& row : rows) {
        for (size_t i = 0; i < 4; ++i) {
            SCOPED_TRACE(testing::Message() << row.field << " [" << typed[i] << "]");
            Widget dialog = Show(row.show, row.widget);
            for (const char* toggle : row.toggles) {
                driver.SetToggle(dialog, toggle, true);
            }
            if (row.other != nullptr) {
                driver.Type(dialog, row.other, row.otherText);
            }
            driver.Type(dialog, row.field, typed[i]);
            driver.Press(dialog, "ButtonOK");
            std::string sent = "nothing";
            for (const std::string& text : driver.Texts()) {
                const size_t at = text.find(row.prefix);
                if (at != std::string::npos) {
                    sent = text.substr(at, text.find(';', at) - at);
                }
            }
            const Texts warnings = TakeWarnings();
            if (driver.Texts().empty()) {
                EXPECT_EQ(warnings, Texts{row.sent[i]});
                EXPECT_TRUE(XtIsManaged(dialog));
                driver.Press(dialog, "ButtonCancel");
            } else {
                EXPECT_EQ(sent, row.sent[i]);
                EXPECT_FALSE(XtIsManaged(dialog));
            }
            driver.ForgetTexts();
        }
    }
}

// A translated range text that would read a text where the program passes
// a number is not used; the program's own stands in.
TEST_F(DisplayDialogs, RangeWarningKeepsItsOwnFormatAgainstABadResource)
{
    XrmDatabase database = XtScreenDatabase(XtScreen(gAppEnv->toplevel));
    XrmPutLineResource(&database, "UVola*messageNebulaLimitRange: between %s and %s");
    Widget dialog = Show(ShowNebulaDialog, NebulaDialogWidget);
    driver.SetToggle(dialog, "ToggleNebula", true);
    driver.SetToggle(dialog, "ToggleNebulaLimit", true);
    driver.Type(dialog, "EditMagMinLimit", "19");
    driver.Press(dialog, "ButtonOK");
    EXPECT_EQ(TakeWarnings(), Texts{"Limit magnitude must be between -2.0 and 18.0"});
    XrmPutLineResource(&database, "UVola*messageNebulaLimitRange: Von %.1f bis %.1f");
    driver.Press(dialog, "ButtonOK");
    EXPECT_EQ(TakeWarnings(), Texts{"Von -2.0 bis 18.0"});
    XrmPutLineResource(&database,
                       "UVola*messageNebulaLimitRange: Limit magnitude must be between %.1f and %.1f");
}

TEST_F(DisplayDialogs, NebulaControlsWaitForTheLayerAndTheWindow)
{
    const char* const followers[] = {"ToggleNebulaLabel", "ToggleNebulaMag", "ToggleNebulaIC",
                                     "ToggleNebulaCompound", "ToggleNebulaLimit"};
    const char* const window[] = {"EditMagMinLimit", "ArrowMagMaxLimitUp", "LabelMagMinLimit"};
    const struct {
        bool layer, limit;
        bool followersOn, windowOn;
    } rows[] = {
        {false, false, false, false}, {false, true, false, false},
        {true, false, true, false},   {true, true, true, true},
    };
    Widget dialog = Show(ShowNebulaDialog, NebulaDialogWidget);
    for (const auto& row : rows) {
        driver.SetToggle(dialog, "ToggleNebulaLimit", row.limit);
        driver.SetToggle(dialog, "ToggleNebula", row.layer);
        for (const char* name : followers) {
            EXPECT_EQ(Sensitive(dialog, name), row.followersOn) << name << row.layer << row.limit;
        }
        for (const char* name : window) {
            EXPECT_EQ(Sensitive(dialog, name), row.windowOn) << name << row.layer << row.limit;
        }
        EXPECT_TRUE(Sensitive(dialog, "ToggleNebula"));
    }
    // The arrows stop at 15.0, below what OK takes.
    driver.Type(dialog, "EditMagMinLimit", "14.95");
    driver.Press(dialog, "ArrowMagMinLimitUp");
    driver.Press(dialog, "ArrowMagMinLimitUp");
    EXPECT_EQ(DialogDriver::Text(dialog, "EditMagMinLimit"), "15.0");
    EXPECT_TRUE(driver.Texts().empty());
}

TEST_F(DisplayDialogs, NebulaDrawsWhatItsTextDraws)
{
    ExpectSameChartAsItsTexts("LOOK NEBULA M42;ZOOM UP 4;DRIVE", [this] {
        Widget dialog = Show(ShowNebulaDialog, NebulaDialogWidget);
        driver.SetToggle(dialog, "ToggleNebula", true);
        driver.SetToggle(dialog, "ToggleNebulaLabel", true);
        driver.SetToggle(dialog, "ToggleNebulaGalaxy", false);
        driver.Press(dialog, "ButtonOK");
    });
}

// --- Stars -------------------------------------------------------------------

class StarDialogs : public DisplayDialogs {
protected:
    void SetUp() override
    {
        DisplayDialogs::SetUp();
        // A catalogue root whose region table is there, and the index and
        // SAO file of the program's data.
        gscRoot = TestHome() + "/gsc";
        mkdir(gscRoot.c_str(), 0755);
        mkdir((gscRoot + "/TABLES").c_str(), 0755);
        WriteFile(gscRoot + "/TABLES/REGIONS.TBL", "");
        std::snprintf(gAppEnv->gscIndexFile, kPathSize, "%s/data/uvola.gsc", UVOLA_SOURCE_DIR);
        std::snprintf(gAppEnv->saoFile, kPathSize, "%s/data/uvola.sao", UVOLA_SOURCE_DIR);
        std::snprintf(gAppEnv->gscDataPath, kPathSize, "%s", gscRoot.c_str());
    }

    std::string gscRoot;
};

TEST_F(StarDialogs, StarLimitFollowsTheCatalogueAndStardataComesFirst)
{
    const struct {
        const char* catalog;
        const char* limit;
        const char* stardata;
        const char* mag;
    } rows[] = {
        {"CatalogStd", "12", "STARDATA STD", "MAG STAR 6.5;"},
        {"CatalogGsc", "12", "STARDATA GSC", "MAG STAR 12.0;"},
        {"CatalogSao", "12", "STARDATA SAO", "MAG STAR 9.5;"},
        {"CatalogStd", "-5", "STARDATA STD", "MAG STAR -2.0;"},
    };
    for (const auto& row : rows) {
        Widget dialog = Show(ShowStarDialog, StarDialogWidget);
        driver.SetToggle(dialog, row.catalog, true);
        driver.Type(dialog, "EditMagLimit", row.limit);
        driver.Press(dialog, "ButtonOK");
        ASSERT_EQ(driver.Texts().size(), 3u) << row.catalog;
        EXPECT_EQ(driver.Texts()[0], row.stardata);
        EXPECT_NE(driver.Texts()[1].find(row.mag), std::string::npos) << driver.Texts()[1];
        EXPECT_EQ(driver.Texts()[1].rfind("SHOW STAR;", 0), 0u) << driver.Texts()[1];
        EXPECT_EQ(driver.Texts()[2], "DRIVE");
        driver.ForgetTexts();
    }
}

TEST_F(StarDialogs, CataloguesTheMachineCannotDrawAreGreyAndNotShown)
{
    scene.displayFlags[kFlagStars] |= kSaoStarsFlag;
    Widget dialog = Show(ShowStarDialog, StarDialogWidget);
    EXPECT_TRUE(DialogDriver::IsSet(dialog, "CatalogSao"));
    ExpectSensitivity(dialog, {{"CatalogSao", true}, {"CatalogGsc", true}, {"CatalogStd", true}});
    driver.Press(dialog, "ButtonCancel");
    std::snprintf(gAppEnv->saoFile, kPathSize, "%s/none.sao", TestHome().c_str());
    std::snprintf(gAppEnv->gscDataPath, kPathSize, "%s/nowhere", TestHome().c_str());
    dialog = Show(ShowStarDialog, StarDialogWidget);
    EXPECT_TRUE(DialogDriver::IsSet(dialog, "CatalogStd"));
    EXPECT_FALSE(DialogDriver::IsSet(dialog, "CatalogSao"));
    ExpectSensitivity(dialog, {{"CatalogSao", false}, {"CatalogGsc", false}});
}

TEST_F(StarDialogs, LabelControlsWaitForTheStarsAndTheLabelLimitForALabel)
{
    const char* const labels[] = {"ToggleStarName", "ToggleStarMag", "ToggleStarBayer",
                                  "ToggleStarFlamsteed"};
    const char* const limit[] = {"EditNameMagLimit", "LabelNameMagLimit", "ArrowNameMagLimitUp"};
    const struct {
        bool stars;
        std::vector<bool> labels;
        bool labelsOn, limitOn;
    } rows[] = {
        {true, {true, false, false, false}, true, true},
        {true, {false, false, false, true}, true, true},
        {true, {false, false, false, false}, true, false},
        {false, {true, true, true, true}, false, false},
    };
    Widget dialog = Show(ShowStarDialog, StarDialogWidget);
    for (const auto& row : rows) {
        driver.SetToggle(dialog, "ToggleStar", true);
        for (size_t i = 0; i < 4; ++i) {
            driver.SetToggle(dialog, labels[i], row.labels[i]);
        }
        driver.SetToggle(dialog, "ToggleStar", row.stars);
        for (const char* name : labels) {
            EXPECT_EQ(Sensitive(dialog, name), row.labelsOn) << name;
        }
        for (const char* name : limit) {
            EXPECT_EQ(Sensitive(dialog, name), row.limitOn) << name;
        }
        EXPECT_TRUE(Sensitive(dialog, "EditMagLimit"));
    }
    // The arrows never leave -2.0 .. 10.0, whatever the catalogue.
    driver.SetToggle(dialog, "CatalogGsc", true);
    driver.Type(dialog, "EditMagLimit", "9.95");
    driver.Press(dialog, "ArrowMagLimitUp");
    driver.Press(dialog, "ArrowMagLimitUp");
    EXPECT_EQ(DialogDriver::Text(dialog, "EditMagLimit"), "10.0");
    driver.Type(dialog, "EditMagLimit", "-1.95");
    driver.Press(dialog, "ArrowMagLimitDown");
    EXPECT_EQ(DialogDriver::Text(dialog, "EditMagLimit"), "-2.0");
}

// The root goes into the options file: a pasted line break is dropped, and
// the root is stored after STARDATA ran.
TEST_F(StarDialogs, GscRootIsStoredWithoutControlCharacters)
{
    Widget dialog = Show(ShowStarDialog, StarDialogWidget);
    driver.Type(dialog, "TextGscPath", "/mnt/\ncd\r\tgsc");
    EXPECT_EQ(DialogDriver::Text(dialog, "TextGscPath"), "/mnt/cdgsc");
    driver.Press(dialog, "ButtonOK");
    EXPECT_STREQ(gAppEnv->gscDataPath, "/mnt/cdgsc");
}

// The root's field keeps its width of 180 pixels in the row it stands in,
// at the first show and after.
TEST_F(StarDialogs, GscPathFieldIsItsOwnWidth)
{
    for (int show = 0; show < 2; ++show) {
        Widget dialog = Show(ShowStarDialog, StarDialogWidget);
        Dimension width = 0;
        XtVaGetValues(DialogDriver::Child(dialog, "TextGscPath"), XmNwidth, &width, nullptr);
        EXPECT_EQ(width, 180) << show;
        driver.Press(dialog, "ButtonCancel");
    }
}

TEST_F(StarDialogs, StarsDrawWhatTheirTextsDraw)
{
    ExpectSameChartAsItsTexts("LOOK STAR alphaOri;DRIVE", [this] {
        Widget dialog = Show(ShowStarDialog, StarDialogWidget);
        driver.SetToggle(dialog, "ToggleStarName", true);
        driver.Type(dialog, "EditMagLimit", "3.0");
        driver.Type(dialog, "EditNameMagLimit", "2.5");
        driver.Press(dialog, "ButtonOK");
    });
}

// --- Planets -----------------------------------------------------------------

TEST_F(DisplayDialogs, PlanetTogglesShowTheSelectionAndEditItWhole)
{
    for (uint8_t& flags : scene.planetFlags) {
        flags = kBodyShown;
    }
    scene.planetFlags[2] |= kBodyName;   // Mars
    Widget dialog = Show(ShowPlanetDialog, PlanetDialogWidget);
    EXPECT_EQ(SelectedPositions(DialogDriver::Child(dialog, "PlanetList")), (std::vector<int>{1}));
    SelectPlanets(dialog, {4, 5});   // Mars and Jupiter
    unsigned char state = 0;
    XtVaGetValues(DialogDriver::Child(dialog, "ToggleName"), XmNset, &state, nullptr);
    EXPECT_EQ(state, XmINDETERMINATE);
    driver.SetToggle(dialog, "ToggleName", true);
    driver.SetToggle(dialog, "ToggleShow", false);
    ExpectSensitivity(dialog, {{"ToggleShow", true}, {"ToggleName", false}, {"ToggleDisk", false}});
    XmListDeselectAllItems(DialogDriver::Child(dialog, "PlanetList"));
    driver.Select(dialog, "PlanetList", 3);   // the Earth alone
    ExpectSensitivity(dialog, {{"ToggleShow", true}, {"ToggleMag", false}, {"ToggleDisk", false}});
    EXPECT_FALSE(DialogDriver::IsSet(dialog, "ToggleMag"));
    driver.Type(dialog, "EditDiskMag", "");
    driver.Press(dialog, "ButtonOK");
    ASSERT_EQ(driver.Texts().size(), 11u);
    EXPECT_EQ(driver.Texts()[3], "HIDE MARS;SHOW MARS_NAME;HIDE MARS_DATE;HIDE MARS_OBT;HIDE MARS_MAG;REAL MARS;");
    EXPECT_EQ(driver.Texts()[4], "HIDE JUPITER;SHOW JUPITER_NAME;HIDE JUPITER_DATE;HIDE JUPITER_OBT;"
                                 "HIDE JUPITER_MAG;REAL JUPITER;");
    EXPECT_EQ(driver.Texts()[2].find("MAG"), std::string::npos) << driver.Texts()[2];
    EXPECT_EQ(driver.Texts()[9], "DISK_MAG 0;");
    EXPECT_EQ(TakeWarnings(), Texts{"DISK_MAG: Illegal Parameter: 0"});
}

TEST_F(DisplayDialogs, PlanetsDrawWhatTheirTextsDraw)
{
    ExpectSameChartAsItsTexts("MODE SOL1;DRIVE", [this] {
        Widget dialog = Show(ShowPlanetDialog, PlanetDialogWidget);
        driver.Select(dialog, "PlanetList", 4);   // Mars alone
        driver.SetToggle(dialog, "ToggleName", true);
        driver.SetToggle(dialog, "ToggleOrbit", true);
        driver.Press(dialog, "ButtonOK");
    });
}

// --- Grid, Jovian satellites, constellations, Sun, Moon ----------------------

TEST_F(DisplayDialogs, GridSendsItsStyleAndGreysScalesWithoutGrid)
{
    Widget dialog = ShowToggleDialog(ShowGridDialog, kGridDialog);
    driver.SetToggle(dialog, "RadioMode02", true);
    EXPECT_FALSE(DialogDriver::IsSet(dialog, "RadioMode10"));
    for (const bool grid : {true, false}) {
        driver.SetToggle(dialog, "ToggleEclGrid", grid);
        EXPECT_EQ(Sensitive(dialog, "ToggleEclGridNum"), grid);
    }
    EXPECT_FALSE(Sensitive(dialog, "ToggleSolGrid"));
    driver.Press(dialog, "ButtonOK");
    ASSERT_EQ(driver.Texts().size(), 21u);
    EXPECT_EQ(driver.Texts()[18], "GRID MODE2");
    EXPECT_EQ(driver.Texts()[11], "HIDE ECL_GRID_NUM");
    EXPECT_EQ(driver.Texts()[19], "HIDE SOL_GRID");
    EXPECT_EQ(scene.displayFlags[kFlagGridNumbers] & 3, 2);
    StkExecuteText(scene, "MODE SOL2");
    dialog = ShowToggleDialog(ShowGridDialog, kGridDialog);
    EXPECT_TRUE(DialogDriver::IsSet(dialog, "RadioMode02"));
    EXPECT_TRUE(Sensitive(dialog, "ToggleSolGrid"));
    // Choosing one style clears the others; with none set (which the radio
    // box does not let a user do) OK sends no GRID command.
    driver.SetToggle(dialog, "RadioMode01", true);
    const char* const styles[] = {"RadioMode10", "RadioMode05", "RadioMode02", "RadioMode01"};
    for (const char* style : styles) {
        EXPECT_EQ(DialogDriver::IsSet(dialog, style), std::string(style) == "RadioMode01") << style;
        XmToggleButtonSetState(DialogDriver::Child(dialog, style), False, False);
    }
    driver.Press(dialog, "ButtonOK");
    ASSERT_EQ(driver.Texts().size(), 20u);
    EXPECT_EQ(driver.Texts()[18].find(" SOL_GRID"), 4u) << driver.Texts()[18];
}

TEST_F(DisplayDialogs, SunOffSendsItsFlagsThenTheOutlineItsGreyToggleShows)
{
    const struct {
        int32_t mode;
        bool outline;
        const char* last;
        bool outlineSensitive;
    } rows[] = {
        {kModeHrz, true, "OUTLINE SUN", false},
        {kModeHrz, false, "REAL SUN", false},
        {kModeSol1, true, "OUTLINE SUN", false},
    };
    for (const auto& row : rows) {
        scene.viewMode = row.mode;
        scene.sunFlags = static_cast<uint8_t>(kBodyShown | kBodyName | (row.outline ? kBodyOutline : 0));
        Widget dialog = ShowToggleDialog(ShowSunDialog, kSunDialog);
        EXPECT_EQ(Sensitive(dialog, "ToggleSunOutline"), row.mode != kModeSol1);
        driver.SetToggle(dialog, "ToggleSun", false);
        ExpectSensitivity(dialog, {{"ToggleSunName", false}, {"ToggleSunDate", false},
                                   {"ToggleSunOutline", row.outlineSensitive}});
        driver.Press(dialog, "ButtonOK");
        EXPECT_EQ(driver.Texts(), (Texts{"HIDE SUN;SHOW SUN_NAME;HIDE SUN_DATE", row.last, "DRIVE"}));
        driver.ForgetTexts();
    }
}

TEST_F(DisplayDialogs, JovianSatelliteLabelsWaitForTheSatellites)
{
    Widget dialog = ShowToggleDialog(ShowJoviSatDialog, kJoviSatDialog);
    for (const bool on : {false, true, false}) {
        driver.SetToggle(dialog, "ToggleShow", on);
        ExpectSensitivity(dialog, {{"ToggleName", on}, {"ToggleNumber", on}, {"ToggleShow", true}});
    }
    driver.SetToggle(dialog, "ToggleName", true);
    driver.Press(dialog, "ButtonOK");
    EXPECT_EQ(driver.Texts(), (Texts{"HIDE JMOON", "SHOW JMOON_NAME", "HIDE JMOON_NO", "DRIVE"}));
}

TEST_F(DisplayDialogs, ToggleDialogsDrawWhatTheirTextsDraw)
{
    const struct {
        void (*show)(Scene*);
        const ToggleDialogTable& table;
        const char* setup;
        std::vector<std::pair<const char*, bool>> clicks;
    } rows[] = {
        {ShowGridDialog, kGridDialog, "DRIVE",
         {{"ToggleHrzGrid", true}, {"ToggleEqt2000Grid", true}, {"RadioMode05", true}}},
        {ShowConstDialog, kConstDialog, "LOOK CONS \"Orion\";DRIVE",
         {{"ToggleConstLine", true}, {"ToggleConstBoundary", true}}},
        {ShowMoonDialog, kMoonDialog, "MODE EQT;LOOK MOON;ZOOM UP 8;DRIVE",
         {{"ToggleMoonName", true}, {"ToggleMoonOutline", true}}},
        {ShowSunDialog, kSunDialog, "MODE EQT;LOOK SUN;DRIVE", {{"ToggleSun", false}}},
        {ShowJoviSatDialog, kJoviSatDialog, "MODE EQT;LOOK JUPITER;ZOOM UP 1000;DRIVE",
         {{"ToggleShow", true}, {"ToggleName", true}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.table.name);
        ExpectSameChartAsItsTexts(row.setup, [this, &row] {
            Widget dialog = ShowToggleDialog(row.show, row.table);
            for (const auto& [toggle, on] : row.clicks) {
                driver.SetToggle(dialog, toggle, on);
            }
            driver.Press(dialog, "ButtonOK");
        });
    }
}

// --- Every dialog ------------------------------------------------------------

// OK: the dialog's commands run while it is still up, and it goes before
// the closing DRIVE; the nebula dialog goes first and sends one text.
Widget watchedDialog = nullptr;

void RecordTextAndWhetherUp(const char* text)
{
    dialogtest::RecordText((std::string(XtIsManaged(watchedDialog) ? "up: " : "down: ") + text).c_str());
}

TEST_F(DisplayDialogs, OkRunsTheCommandsBeforeTheDialogGoes)
{
    const struct {
        void (*show)(Scene*);
        Widget (*widget)();
        size_t whileUp;   // texts run while the dialog is up
    } rows[] = {
        {ShowStarDialog, StarDialogWidget, 2},   {ShowPlanetDialog, PlanetDialogWidget, 10},
        {ShowGridDialog, [] { return ToggleDialogWidget(kGridDialog); }, 20},
        {ShowSunDialog, [] { return ToggleDialogWidget(kSunDialog); }, 2},
        {ShowNebulaDialog, NebulaDialogWidget, 0},
    };
    for (const auto& row : rows) {
        watchedDialog = Show(row.show, row.widget);
        gStkTextObserver = RecordTextAndWhetherUp;
        driver.Press(watchedDialog, "ButtonOK");
        gStkTextObserver = dialogtest::RecordText;
        const Texts& texts = driver.Texts();
        ASSERT_EQ(texts.size(), row.whileUp + 1) << XtName(watchedDialog);
        for (size_t i = 0; i < row.whileUp; ++i) {
            EXPECT_EQ(texts[i].rfind("up: ", 0), 0u) << texts[i];
        }
        EXPECT_EQ(texts.back().rfind("down: ", 0), 0u) << texts.back();
        EXPECT_TRUE(row.whileUp == 0 || texts.back() == "down: DRIVE") << texts.back();
        driver.ForgetTexts();
    }
}

TEST_F(DisplayDialogs, WindowManagerCloseSendsNothingAndShowRefills)
{
    const struct {
        void (*show)(Scene*);
        Widget (*widget)();
        const char* toggle;
    } rows[] = {
        {ShowProjectionDialog, ProjectionDialogWidget, "ToggleMajorModeVola"},
        {ShowNebulaDialog, NebulaDialogWidget, "ToggleNebula"},
        {ShowStarDialog, StarDialogWidget, "ToggleStar"},
        {ShowPlanetDialog, PlanetDialogWidget, "ToggleShow"},
    };
    for (const auto& row : rows) {
        Widget dialog = Show(row.show, row.widget);
        const bool before = DialogDriver::IsSet(dialog, row.toggle);
        driver.SetToggle(dialog, row.toggle, !before);
        ASSERT_TRUE(driver.CloseFromWindowManager(dialog)) << row.toggle;
        dialog = Show(row.show, row.widget);
        EXPECT_EQ(DialogDriver::IsSet(dialog, row.toggle), before) << row.toggle;
        driver.Press(dialog, "ButtonCancel");
    }
    for (const ToggleDialogTable* table : {&kGridDialog, &kJoviSatDialog, &kConstDialog, &kSunDialog, &kMoonDialog}) {
        void (*show)(Scene*) = table == &kGridDialog      ? ShowGridDialog
                               : table == &kJoviSatDialog ? ShowJoviSatDialog
                               : table == &kConstDialog   ? ShowConstDialog
                               : table == &kSunDialog     ? ShowSunDialog
                                                         : ShowMoonDialog;
        Widget dialog = ShowToggleDialog(show, *table);
        ASSERT_TRUE(driver.CloseFromWindowManager(dialog)) << table->name;
    }
    EXPECT_TRUE(driver.Texts().empty());
}

}  // namespace
