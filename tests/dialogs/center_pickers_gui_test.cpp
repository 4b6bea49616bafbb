// The Center pickers driven on a private X server: the exact command each
// OK sends, the warnings that keep a picker up, the choices remembered,
// names from files that would end a statement refused, and the chart a
// pick draws equal to the one drawn from the same command typed.
#include "tests/dialogs/finding_gui_support.h"

#include "astro/body_ids.h"
#include "data/catalog_tables.h"
#include "dialogs/center_pickers.h"
#include "dialogs/center_pickers_fields.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/kit/scrolled_list.h"
#include "sky/catalog/small_body_lists.h"
#include "sky/layers/user_object_layer.h"
#include "tests/dialogs/element_test_files.h"
#include "tests/dialogs/user_object_records.h"

#include <algorithm>
#include <cstring>

namespace {

using dialogtest::DialogDriver;
using findingtest::FindingGuiTest;

class CenterPickers : public FindingGuiTest {
protected:
    Widget Picker(const char* name) { return CenterPickerWidget(name); }
    std::vector<std::string> Boxes() { return DialogDriver::MessageBoxes(gAppEnv->toplevel); }
};

int PositionOf(const std::vector<std::string>& items, const std::string& item)
{
    return static_cast<int>(std::find(items.begin(), items.end(), item) - items.begin()) + 1;
}

// A star name from a name file may hold anything; one that would end the
// statement is refused at OK and nothing runs.
TEST_F(CenterPickers, StarPickerSendsTheSortedNameAndRefusesUnsafeOnes)
{
    static char unsafe[] = "A; EXIT; B";
    const char* kept = StarNameTable[5].displayName;
    StarNameTable[5].displayName = unsafe;
    const std::vector<std::string> names = SortedStarNames();
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(),
                               [](const std::string& a, const std::string& b) { return a < b; }));
    ShowCenterStarDialog(&scene);
    Widget dialog = Picker("CenterStarDialog");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(DialogDriver::Child(dialog, "StarList") != nullptr, true);

    driver.Select(dialog, "StarList", PositionOf(names, unsafe));
    driver.Press(dialog, "ButtonOK");
    EXPECT_TRUE(driver.Texts().empty());
    EXPECT_TRUE(XtIsManaged(dialog));
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"LOOK: Illegal Parameter: A; EXIT; B"}));
    DialogDriver::CloseMessageBoxes(gAppEnv->toplevel);

    const int sirius = PositionOf(names, "Sirius");
    driver.Select(dialog, "StarList", sirius);
    driver.Press(dialog, "ButtonOK");
    EXPECT_EQ(driver.Texts(), (std::vector<std::string>{"LOOK STAR \"Sirius\";BLINK \"Sirius\""}));
    EXPECT_FALSE(XtIsManaged(dialog));
    const std::string picked = Chart();

    // Shown again it selects Sirius; the list stays as first built.
    ShowCenterStarDialog(&scene);
    EXPECT_EQ(SelectedPosition(DialogDriver::Child(dialog, "StarList")), sirius);
    EXPECT_TRUE(driver.CloseFromWindowManager(dialog));
    StarNameTable[5].displayName = kept;
    EXPECT_EQ(picked, TypedChart("LOOK STAR \"Sirius\"; BLINK \"Sirius\""));
}

TEST_F(CenterPickers, NebulaPickerFindsByCatalogueAndNumber)
{
    ShowCenterNebulaDialog(&scene);
    Widget dialog = Picker("CenterNebulaDialog");
    EXPECT_TRUE(DialogDriver::IsSet(dialog, "ToggleTypeM"));
    EXPECT_EQ(DialogDriver::Text(dialog, "EditNumber"), "1");

    for (const char* refused : {"111", "abc", "", "99999"}) {
        driver.Type(dialog, "EditNumber", refused);
        driver.Press(dialog, "ButtonOK");
        EXPECT_TRUE(driver.Texts().empty()) << refused;
        EXPECT_TRUE(XtIsManaged(dialog));
        EXPECT_EQ(Boxes(), (std::vector<std::string>{"No such a nebula or galaxy."})) << refused;
        DialogDriver::CloseMessageBoxes(gAppEnv->toplevel);
    }
    driver.SetToggle(dialog, "ToggleTypeNGC", true);
    driver.Type(dialog, "EditNumber", "224");
    driver.Press(dialog, "ButtonOK");
    EXPECT_EQ(driver.Texts(), (std::vector<std::string>{"LOOK NEBULA N224;BLINK NEBULA N224"}));
    EXPECT_FALSE(XtIsManaged(dialog));

    // The refused numbers were not remembered; NGC 224 was.
    ShowCenterNebulaDialog(&scene);
    EXPECT_TRUE(DialogDriver::IsSet(dialog, "ToggleTypeNGC"));
    EXPECT_FALSE(DialogDriver::IsSet(dialog, "ToggleTypeM"));
    EXPECT_EQ(DialogDriver::Text(dialog, "EditNumber"), "224");
    driver.ForgetTexts();
    driver.SetToggle(dialog, "ToggleTypeM", true);
    driver.Type(dialog, "EditNumber", "31");
    driver.Press(dialog, "ButtonOK");
    EXPECT_EQ(driver.Texts(), (std::vector<std::string>{"LOOK NEBULA M31;BLINK NEBULA M31"}));
    EXPECT_EQ(Chart(), TypedChart("LOOK NEBULA M31; BLINK NEBULA M31"));
}

// The number field reads its leading number, and no number as 0; the field
// stands 50 pixels wide, however its column is laid out.
TEST_F(CenterPickers, NebulaNumberReadsItsLeadingNumber)
{
    struct Row {
        const char* typed;
        const char* sent;   // null: the warning, and the picker stays up
    };
    const Row rows[] = {
        {"", nullptr},
        {"x", nullptr},
        {"5x", "LOOK NEBULA M5;BLINK NEBULA M5"},
        {"12", "LOOK NEBULA M12;BLINK NEBULA M12"},
        {"110x", "LOOK NEBULA M110;BLINK NEBULA M110"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        ShowCenterNebulaDialog(&scene);
        Widget dialog = Picker("CenterNebulaDialog");
        Dimension width = 0;
        XtVaGetValues(DialogDriver::Child(dialog, "EditNumber"), XmNwidth, &width, nullptr);
        EXPECT_EQ(width, 50);
        driver.SetToggle(dialog, "ToggleTypeM", true);
        driver.ForgetTexts();
        driver.Type(dialog, "EditNumber", row.typed);
        driver.Press(dialog, "ButtonOK");
        if (row.sent == nullptr) {
            EXPECT_TRUE(driver.Texts().empty());
            EXPECT_TRUE(XtIsManaged(dialog));
            EXPECT_EQ(Boxes(), (std::vector<std::string>{"No such a nebula or galaxy."}));
            DialogDriver::CloseMessageBoxes(gAppEnv->toplevel);
        } else {
            EXPECT_EQ(driver.Texts(), (std::vector<std::string>{row.sent}));
            EXPECT_FALSE(XtIsManaged(dialog));
        }
    }
    ShowCenterNebulaDialog(&scene);
    EXPECT_EQ(DialogDriver::Text(Picker("CenterNebulaDialog"), "EditNumber"), "110");
    EXPECT_TRUE(driver.CloseFromWindowManager(Picker("CenterNebulaDialog")));
}

TEST_F(CenterPickers, EarthOnlyInTheSolarSystemViews)
{
    ShowCenterPlanetDialog(&scene);
    Widget dialog = Picker("CenterPlanetDialog");
    driver.Select(dialog, "PlanetList", 3);
    driver.Press(dialog, "ButtonOK");
    EXPECT_TRUE(driver.Texts().empty());
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Can't center earth except for solar mode"}));
    EXPECT_TRUE(XtIsManaged(dialog));
    DialogDriver::CloseMessageBoxes(gAppEnv->toplevel);

    driver.Select(dialog, "PlanetList", 6);
    driver.Press(dialog, "ButtonOK");
    EXPECT_EQ(driver.Texts(), (std::vector<std::string>{"LOOK SATURN;BLINK SATURN"}));
    const std::string picked = Chart();
    EXPECT_EQ(picked, TypedChart("LOOK SATURN; BLINK SATURN"));

    StkExecuteText(scene, "MODE SOL2");
    driver.ForgetTexts();
    ShowCenterPlanetDialog(&scene);
    EXPECT_EQ(SelectedPosition(DialogDriver::Child(dialog, "PlanetList")), 6);
    driver.Select(dialog, "PlanetList", 3);
    driver.Press(dialog, "ButtonOK");
    EXPECT_EQ(driver.Texts(), (std::vector<std::string>{"LOOK EARTH;BLINK EARTH"}));
}

TEST_F(CenterPickers, JovianSatellitesOutsideTheSolarSystemViewsOnly)
{
    ShowCenterJoviSatDialog(&scene);
    Widget dialog = Picker("CenterJoviSatDialog");
    StkExecuteText(scene, "MODE SOL1");
    driver.ForgetTexts();
    driver.Select(dialog, "JoviSatList", 2);
    driver.Press(dialog, "ButtonOK");
    EXPECT_TRUE(driver.Texts().empty());
    EXPECT_TRUE(XtIsManaged(dialog));
    StkExecuteText(scene, "MODE HRZ");
    driver.ForgetTexts();
    driver.Press(dialog, "ButtonOK");
    EXPECT_EQ(driver.Texts(), (std::vector<std::string>{"LOOK EUROPA;BLINK EUROPA"}));
}

TEST_F(CenterPickers, ConstellationsByTheirSortedNamesWithoutBlink)
{
    ShowCenterConstDialog(&scene);
    Widget dialog = Picker("CenterConstDialog");
    const std::vector<std::string> names = SortedConstellationNames();
    ASSERT_EQ(names.size(), 88u);
    EXPECT_EQ(SelectedPosition(DialogDriver::Child(dialog, "ConstList")), 1);
    driver.Select(dialog, "ConstList", PositionOf(names, "Orion"));
    driver.Press(dialog, "ButtonOK");
    EXPECT_EQ(driver.Texts(), (std::vector<std::string>{"LOOK CONS \"Orion\""}));
}

// Each picker's own Cancel hides it; its own OK runs the choice.
TEST_F(CenterPickers, EachPickerHasItsOwnOkAndCancel)
{
    struct Row {
        void (*show)(Scene*);
        const char* dialogName;
        XtCallbackProc cancel;
    };
    const Row rows[] = {
        {ShowCenterStarDialog, "CenterStarDialog", CenterStarDialogCancelCallback},
        {ShowCenterNebulaDialog, "CenterNebulaDialog", CenterNebulaDialogCancelCallback},
        {ShowCenterPlanetDialog, "CenterPlanetDialog", CenterPlanetDialogCancelCallback},
        {ShowCenterCometDialog, "CenterCometDialog", CenterCometDialogCancelCallback},
        {ShowCenterMPlanetDialog, "CenterMPlanetDialog", CenterMPlanetDialogCancelCallback},
        {ShowCenterJoviSatDialog, "CenterJoviSatDialog", CenterJoviSatDialogCancelCallback},
        {ShowCenterConstDialog, "CenterConstDialog", CenterConstDialogCancelCallback},
        {ShowCenterUserObjectDialog, "CenterUserObjectDialog", CenterUserObjectDialogCancelCallback},
        {ShowCenterSkyMarkDialog, "CenterSkyMarkDialog", CenterSkyMarkDialogCancelCallback},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dialogName);
        row.show(&scene);
        Widget dialog = Picker(row.dialogName);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(XtIsManaged(dialog));
        row.cancel(nullptr, &scene, nullptr);
        EXPECT_FALSE(XtIsManaged(dialog));
    }
    EXPECT_TRUE(driver.Texts().empty());
    ShowCenterPlanetDialog(&scene);
    XmListSelectPos(DialogDriver::Child(Picker("CenterPlanetDialog"), "PlanetList"), 5, False);
    CenterPlanetDialogOkCallback(nullptr, &scene, nullptr);
    EXPECT_EQ(driver.Texts(), (std::vector<std::string>{"LOOK JUPITER;BLINK JUPITER"}));
    EXPECT_FALSE(XtIsManaged(Picker("CenterPlanetDialog")));
}

// The comet list is made from the loaded comets at every Show, and finds
// the one chosen last by its text.
TEST_F(CenterPickers, CometPickerFollowsTheLoadedComets)
{
    ShowCenterCometDialog(&scene);
    Widget dialog = Picker("CenterCometDialog");
    Widget list = DialogDriver::Child(dialog, "CometList");
    EXPECT_EQ(SelectedPosition(list), -1) << "no comets: an empty list";
    driver.Press(dialog, "ButtonOK");
    EXPECT_TRUE(driver.Texts().empty());
    HideFormDialog(FormDialog{dialog});

    for (const char* name : {"Alpha", "Beta", "Gamma"}) {
        OrbitalElements el{};
        ASSERT_EQ(ParseElementLine(el, elementtest::Record('C', name, std::string(name, 1) + "P").c_str()), 1);
        ASSERT_EQ(AddComet(scene, el), 1);
    }
    ShowCenterCometDialog(&scene);
    EXPECT_EQ(SelectedPosition(list), 1);
    driver.Select(dialog, "CometList", 2);
    driver.Press(dialog, "ButtonOK");
    EXPECT_EQ(driver.Texts(), (std::vector<std::string>{"LOOK COMET2;BLINK COMET2"}));

    // Gamma and Beta swap places: Beta is found again, now second to none.
    FreeCometList(scene);
    for (const char* name : {"Gamma", "Delta", "Beta"}) {
        OrbitalElements el{};
        ASSERT_EQ(ParseElementLine(el, elementtest::Record('C', name, std::string(name, 1) + "P").c_str()), 1);
        ASSERT_EQ(AddComet(scene, el), 1);
    }
    ShowCenterCometDialog(&scene);
    EXPECT_EQ(SelectedPosition(list), 3);
    EXPECT_TRUE(driver.CloseFromWindowManager(dialog));
    FreeCometList(scene);
    ShowCenterCometDialog(&scene);
    EXPECT_EQ(SelectedPosition(list), -1);
    HideFormDialog(FormDialog{dialog});
    FreeCometList(scene);
}

// The user-object and sky-mark lists hold the named records, made anew at
// every Show; OK sends LOOK of the name, and a name that would end the
// statement is refused with the picker kept up.
TEST_F(CenterPickers, UserObjectAndSkyMarkPickersLookByName)
{
    findingtest::UserFiles user;
    scene.userObjectFiles = user.files;
    scene.userObjectFileCount = 2;
    scene.displayFlags[kFlagUserObjects] = kMarksShownFlag;
    gAppEnv->skyMarks = user.files + 1;
    gAppEnv->skyMarkCount = 1;
    struct Row {
        void (*show)(Scene*);
        const char* dialogName;
        int tower;   // the position of "Tower"
        const char* sent;
    };
    const Row rows[] = {
        {ShowCenterUserObjectDialog, "CenterUserObjectDialog", 3, "LOOK AD \"Tower\""},
        {ShowCenterSkyMarkDialog, "CenterSkyMarkDialog", 2, "LOOK SKYMARK \"Tower\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dialogName);
        driver.ForgetTexts();
        row.show(&scene);
        Widget dialog = Picker(row.dialogName);
        ASSERT_NE(dialog, nullptr);
        Widget list = DialogDriver::Child(dialog, "ObjectList");
        EXPECT_EQ(SelectedPosition(list), 1);
        driver.Select(dialog, "ObjectList", row.tower - 1);
        driver.Press(dialog, "ButtonOK");
        EXPECT_TRUE(driver.Texts().empty());
        EXPECT_TRUE(XtIsManaged(dialog));
        EXPECT_EQ(Boxes(), (std::vector<std::string>{"LOOK: Illegal Parameter: a; EXIT; b"}));
        DialogDriver::CloseMessageBoxes(gAppEnv->toplevel);

        driver.Select(dialog, "ObjectList", row.tower);
        driver.Press(dialog, "ButtonOK");
        EXPECT_EQ(driver.Texts(), (std::vector<std::string>{row.sent}));
        EXPECT_FALSE(XtIsManaged(dialog));
        DialogDriver::CloseMessageBoxes(gAppEnv->toplevel);
        row.show(&scene);
        EXPECT_EQ(SelectedPosition(list), row.tower) << "found again by its name";
        EXPECT_TRUE(driver.CloseFromWindowManager(dialog));
    }

    // Hidden user objects list nothing, though their files stay loaded.
    scene.displayFlags[kFlagUserObjects] = 0;
    ShowCenterUserObjectDialog(&scene);
    Widget dialog = Picker("CenterUserObjectDialog");
    EXPECT_EQ(SelectedPosition(DialogDriver::Child(dialog, "ObjectList")), -1);
    driver.ForgetTexts();
    driver.Press(dialog, "ButtonOK");
    EXPECT_TRUE(driver.Texts().empty());
    HideFormDialog(FormDialog{dialog});
    scene.userObjectFiles = nullptr;
    scene.userObjectFileCount = 0;
    gAppEnv->skyMarks = nullptr;
    gAppEnv->skyMarkCount = 0;
}

}  // namespace
