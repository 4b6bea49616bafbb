// The dialog kit with real widgets under Xvfb: a sample dialog built from
// the kit the way the program's dialogs are built, driven through its own
// callbacks. What it sends goes through StkExecuteText to a Scene with a
// real canvas; refused input runs nothing and is reported as the command
// language reports errors; the window manager's close is a Cancel.
#include "tests/dialogs/dialog_driver.h"

#include "core/keywords.h"
#include "core/string_utils.h"
#include "dialogs/kit/choice_groups.h"
#include "dialogs/kit/command_text.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/kit/number_field.h"
#include "dialogs/kit/scrolled_list.h"

#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/RowColumn.h>
#include <Xm/ToggleB.h>

#include <cstring>

namespace {

using dialogtest::DialogDriver;

// --- The sample dialog -----------------------------------------------------

const FieldRow kLabelLimit{"LabelLimit", -2.0, 10.0, 0.1, 1};
const FieldRow kDiskMag{"DiskMag", 1, 500, 1, 0};
const ToggleRow kToggles[] = {
    {"ToggleStar", "STAR"}, {"ToggleStarName", "STARNAME"}, {"ToggleConstLine", "CONS_LINE"}};
const RadioRow kGridModes[] = {
    {"RadioMode10", 0}, {"RadioMode05", 1}, {"RadioMode02", 2}, {"RadioMode01", 3}};
const std::vector<std::string> kSites = {"Tokyo", "London", "Bad;Site", "Barcelona"};

// The dialog's field values.
struct SampleValues {
    double labelLimit = 0.0;
    int32_t diskMag = 1;
    std::vector<int> toggles;
    int32_t gridMode = 0;
    std::string site;   // empty: none chosen
};

SampleValues ReadSampleScene(const Scene& scene)
{
    SampleValues values;
    values.labelLimit = scene.mag.starLabelLimit / 10.0;
    values.diskMag = scene.diskMagnitude;
    values.toggles = ReadDisplayOptions(scene, kToggles, 3);
    values.gridMode = scene.displayFlags[kFlagGridNumbers] & 3;
    return values;
}

CommandText ComposeSample(const SampleValues& values)
{
    CommandText command;
    AddText(command, "MAG STARNAME %.1f", values.labelLimit);
    AddStatement(command, "DISK_MAG %d", values.diskMag);
    AddShowHideStatements(command, kToggles, values.toggles);
    AddStatement(command, "GRID %s", StkKeywordName(GridKeywordTable, values.gridMode));
    if (!values.site.empty()) {
        AddStatement(command, "LOCATE 139.77E,35.68N,9,40,\"%s\"",
                     CheckedName(command, "LOCATE", values.site.c_str()));
    }
    AddText(command, "DRIVE");
    return command;
}

const char* const kSampleLines[] = {
    "UVola*SampleSearchDialog.autoUnmanage: False",
};

FormDialog sampleDialog;
NumberField labelLimit;
NumberField diskMag;
ToggleGroup toggles;
RadioGroup gridModes;
Widget siteList = nullptr;
ListSearch siteSearch;
std::string lastSiteSearch;
int cancels = 0;
int builds = 0;

void SampleOkCallback(Widget, XtPointer client, XtPointer)
{
    SampleValues values;
    values.labelLimit = GetTextFieldDouble(labelLimit.text);
    values.diskMag = GetTextFieldInt(diskMag.text);
    values.toggles = ToggleValues(toggles);
    RadioValue(gridModes, values.gridMode);
    const int site = SelectedPosition(siteList);
    if (site > 0) {
        values.site = kSites[static_cast<size_t>(site - 1)];
    }
    const CommandText command = ComposeSample(values);
    if (IsCommandRefused(command) == 0) {
        HideFormDialog(sampleDialog);
    }
    RunCommandText(static_cast<Scene*>(client), command);
}

void SampleCancelCallback(Widget, XtPointer, XtPointer)
{
    ++cancels;
    HideFormDialog(sampleDialog);
}

// The label limit means something only while star names are shown.
void StarNameToggleCallback(Widget toggle, XtPointer, XtPointer)
{
    SetNumberFieldSensitive(labelLimit, XmToggleButtonGetState(toggle) != 0);
}

void SampleSearchCallback(Widget, XtPointer, XtPointer)
{
    siteSearch.list = siteList;
    siteSearch.names = &kSites;
    siteSearch.lastText = &lastSiteSearch;
    ShowListSearch(siteSearch, sampleDialog.dialog, "SampleSearchDialog");
}

void CreateSampleDialog(Scene* scene)
{
    ++builds;
    // The sample's own resource lines, as a dialog of the program has them in
    // the fallback list: the kit leaves these settings to resources.
    XrmDatabase database = XtDatabase(XtDisplay(gAppEnv->toplevel));
    for (const char* line : kSampleLines) {
        XrmPutLineResource(&database, line);
    }
    CreateFormDialog(sampleDialog, gAppEnv->toplevel, "SampleDialog", "SampleRowColumn");
    Widget controls = XtVaCreateManagedWidget("RCCtrls", xmRowColumnWidgetClass,
                                              sampleDialog.rowColumn, nullptr);
    Widget form = XtVaCreateManagedWidget("FormLimit", xmFormWidgetClass, controls, nullptr);
    CreateNumberField(form, kLabelLimit, labelLimit);
    Widget diskForm = XtVaCreateManagedWidget("FormDiskMag", xmFormWidgetClass, controls, nullptr);
    CreateNumberField(diskForm, kDiskMag, diskMag);
    toggles.rows = kToggles;
    for (const ToggleRow& row : kToggles) {
        toggles.toggles.push_back(XtVaCreateManagedWidget(row.name, xmToggleButtonWidgetClass, controls, nullptr));
    }
    XtAddCallback(toggles.toggles[1], XmNvalueChangedCallback, StarNameToggleCallback, nullptr);
    CreateRadioGroup(controls, "GridModeRadio", kGridModes, 4, gridModes);
    siteList = CreateResourceList(controls, "SiteList", kSites);
    // Fewer rows than sites, so a search has to scroll.
    XtVaSetValues(siteList, XmNvisibleItemCount, 2, nullptr);
    const DialogButton buttons[] = {
        {"ButtonOK", kButtonDefault, SampleOkCallback, scene},
        {"ButtonCancel", kButtonCancel, SampleCancelCallback, nullptr},
        {"ButtonSearch", kButtonPlain, SampleSearchCallback, nullptr},
    };
    AddDialogButtons(sampleDialog, sampleDialog.rowColumn, "SampleButtons", buttons, 3);
}

void ShowSampleDialog(Scene* scene)
{
    if (sampleDialog.dialog == nullptr) {
        CreateSampleDialog(scene);
    }
    const SampleValues values = ReadSampleScene(*scene);
    SetNumberField(labelLimit, values.labelLimit);
    SetNumberField(diskMag, values.diskMag);
    SetToggleValues(toggles, values.toggles);
    SetNumberFieldSensitive(labelLimit, values.toggles[1] != 0);
    SetRadioValue(gridModes, values.gridMode);
    XmListDeselectAllItems(siteList);
    ShowFormDialog(sampleDialog);
}

// --- The tests -------------------------------------------------------------

// The dialog keeps its Scene for the run, as the program's dialogs do.
Scene sampleScene{};

class SampleDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        canvastest::ResizeArea(320, 240);
        canvastest::PrepareScene(scene);
        gAppEnv->quiet = 0;
        gAppEnv->toplevel = canvastest::World().top;
        cancels = 0;
        ShowSampleDialog(&scene);
        driver.Pump();
        driver.ForgetTexts();
    }
    void TearDown() override
    {
        HideFormDialog(sampleDialog);
        DialogDriver::CloseMessageBoxes(gAppEnv->toplevel);
        DialogDriver::CloseMessageBoxes(sampleDialog.dialog);
    }

    Widget dialog() const { return sampleDialog.dialog; }

    Scene& scene = sampleScene;
    DialogDriver driver;
};

TEST_F(SampleDialogTest, OkSendsTheComposedTextAndTheSceneFollows)
{
    driver.Type(dialog(), "EditLabelLimit", "5.5");
    driver.Type(dialog(), "EditDiskMag", "120");
    driver.SetToggle(dialog(), "ToggleStar", true);
    driver.SetToggle(dialog(), "ToggleStarName", false);
    driver.SetToggle(dialog(), "ToggleConstLine", true);
    driver.SetToggle(dialog(), "RadioMode02", true);
    driver.Select(dialog(), "SiteList", 2);
    driver.Press(dialog(), "ButtonOK");

    EXPECT_EQ(driver.Texts(), (std::vector<std::string>{
                                  "MAG STARNAME 5.5;DISK_MAG 120;SHOW STAR;HIDE STARNAME;"
                                  "SHOW CONS_LINE;"
                                  "GRID MODE2;LOCATE 139.77E,35.68N,9,40,\"London\"",
                                  "DRIVE"}));
    EXPECT_STREQ(gAppEnv->errorKey, "");
    EXPECT_FALSE(XtIsManaged(dialog()));
    EXPECT_EQ(scene.mag.starLabelLimit, 55);
    EXPECT_EQ(scene.diskMagnitude, 120);
    EXPECT_EQ(ReadDisplayOptions(scene, kToggles, 3), (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(scene.displayFlags[kFlagGridNumbers] & 3, 2);
    EXPECT_STREQ(scene.siteName, "London");
    EXPECT_EQ(scene.redrawRequested, 0) << "DRIVE drew the chart";

    // Shown again it is the same dialog, filled from the changed Scene;
    // shown while up it is only raised.
    ShowSampleDialog(&scene);
    ShowSampleDialog(&scene);
    EXPECT_EQ(builds, 1);
    EXPECT_TRUE(XtIsManaged(dialog()));
    EXPECT_EQ(DialogDriver::Text(dialog(), "EditLabelLimit"), "5.5");
    EXPECT_EQ(DialogDriver::Text(dialog(), "EditDiskMag"), "120");
    EXPECT_TRUE(DialogDriver::IsSet(dialog(), "RadioMode02"));
    EXPECT_FALSE(DialogDriver::IsSet(dialog(), "RadioMode10"));
}

TEST_F(SampleDialogTest, RefusedNameRunsNothingAndIsReportedAsCommandErrorsAre)
{
    static Scene before;
    std::memcpy(&before, &scene, sizeof scene);
    driver.Select(dialog(), "SiteList", 3);
    driver.Press(dialog(), "ButtonOK");

    EXPECT_TRUE(driver.Texts().empty());
    EXPECT_EQ(std::memcmp(&before, &scene, sizeof scene), 0) << "the Scene changed";
    EXPECT_TRUE(XtIsManaged(dialog())) << "the dialog stays up with the choice";
    EXPECT_EQ(DialogDriver::MessageBoxes(gAppEnv->toplevel),
              (std::vector<std::string>{"LOCATE: Illegal Parameter: Bad;Site"}));
}

TEST_F(SampleDialogTest, FieldsAreReadAsTheirLeadingNumbers)
{
    const struct {
        const char *limit, *disk, *sent;
    } rows[] = {{"abc", "2.5", "MAG STARNAME 0.0;DISK_MAG 2;"}, {"6.5x", "x", "MAG STARNAME 6.5;DISK_MAG 0;"}};
    for (const auto& row : rows) {
        driver.Type(dialog(), "EditLabelLimit", row.limit);
        driver.Type(dialog(), "EditDiskMag", row.disk);
        driver.Press(dialog(), "ButtonOK");
        ASSERT_FALSE(driver.Texts().empty()) << row.limit;
        EXPECT_EQ(driver.Texts()[0].rfind(row.sent, 0), 0u) << driver.Texts()[0];
        driver.ForgetTexts();
        DialogDriver::CloseMessageBoxes(gAppEnv->toplevel);
        ShowSampleDialog(&scene);
    }
}

TEST_F(SampleDialogTest, ArrowsStepTheFieldThroughTheirCallbacks)
{
    driver.Type(dialog(), "EditLabelLimit", "9.9");
    driver.Press(dialog(), "ArrowLabelLimitUp");
    EXPECT_EQ(DialogDriver::Text(dialog(), "EditLabelLimit"), "10.0");
    driver.Press(dialog(), "ArrowLabelLimitUp");
    EXPECT_EQ(DialogDriver::Text(dialog(), "EditLabelLimit"), "10.0");
    driver.Press(dialog(), "ArrowLabelLimitDown");
    EXPECT_EQ(DialogDriver::Text(dialog(), "EditLabelLimit"), "9.9");
    driver.Type(dialog(), "EditDiskMag", "x");
    driver.Press(dialog(), "ArrowDiskMagDown");
    EXPECT_EQ(DialogDriver::Text(dialog(), "EditDiskMag"), "1");
    driver.Press(dialog(), "ArrowDiskMagUp");
    EXPECT_EQ(DialogDriver::Text(dialog(), "EditDiskMag"), "2");
    EXPECT_TRUE(driver.Texts().empty());
}

TEST_F(SampleDialogTest, ARowOfTheFieldFollowsItsToggle)
{
    for (const bool shown : {false, true, false}) {
        driver.SetToggle(dialog(), "ToggleStarName", shown);
        for (const char* name : {"LabelLabelLimit", "EditLabelLimit", "ArrowLabelLimitUp",
                                 "ArrowLabelLimitDown"}) {
            EXPECT_EQ(XtIsSensitive(DialogDriver::Child(dialog(), name)) != 0, shown) << name;
        }
    }
}

TEST_F(SampleDialogTest, WindowManagerCloseIsCancel)
{
    scene.mag.starLabelLimit = 45;
    driver.Type(dialog(), "EditLabelLimit", "3.0");
    ASSERT_TRUE(driver.CloseFromWindowManager(dialog()));
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(driver.Texts().empty());
    // The shell was not destroyed: it shows again, refilled.
    ShowSampleDialog(&scene);
    EXPECT_TRUE(XtIsManaged(dialog()));
    EXPECT_EQ(DialogDriver::Text(dialog(), "EditLabelLimit"), "4.5");
}

TEST_F(SampleDialogTest, ToggleAndRadioGroupsGiveBackTheirValues)
{
    for (const std::vector<int>& values : {std::vector<int>{1, 0, 1}, std::vector<int>{0, 1, 0},
                                           std::vector<int>{0, 0, 0}, std::vector<int>{1, 1, 1}}) {
        SetToggleValues(toggles, values);
        EXPECT_EQ(ToggleValues(toggles), values);
    }
    for (const RadioRow& mode : kGridModes) {
        SetRadioValue(gridModes, mode.value);
        int32_t value = -1;
        EXPECT_EQ(RadioValue(gridModes, value), 1);
        EXPECT_EQ(value, mode.value);
    }
    SetRadioValue(gridModes, 9);
    int32_t value = -1;
    EXPECT_EQ(RadioValue(gridModes, value), 0);
    EXPECT_EQ(value, -1);
}

// Whether the list scrolls or shows every site, a search starts after the
// selected site, so searching again finds the next match and then wraps.
TEST_F(SampleDialogTest, SearchPromptFindsTheNextMatchingSite)
{
    for (int rows : {2, 4}) {
        SCOPED_TRACE(std::to_string(rows) + " rows");
        XtVaSetValues(siteList, XmNvisibleItemCount, rows, nullptr);
        XmListDeselectAllItems(siteList);
        XmListSetPos(siteList, 1);
        driver.Press(dialog(), "ButtonSearch");
        Widget prompt = siteSearch.prompt;
        ASSERT_NE(prompt, nullptr);
        EXPECT_TRUE(XtIsManaged(prompt));
        driver.Type(prompt, "Text", "lon");
        for (int expected : {2, 4, 2}) {
            driver.Press(prompt, "OK");
            EXPECT_EQ(SelectedPosition(siteList), expected);
            EXPECT_FALSE(XtIsManaged(prompt));
            driver.Press(dialog(), "ButtonSearch");
            EXPECT_EQ(DialogDriver::Text(prompt, "Text"), "lon");
        }
        // A site the user chose: the search goes on after it.
        driver.Select(dialog(), "SiteList", 3);
        driver.Press(prompt, "OK");
        EXPECT_EQ(SelectedPosition(siteList), 4);
        // No match: the prompt stays and the selection with it.
        driver.Press(dialog(), "ButtonSearch");
        driver.Type(prompt, "Text", "Nowhere");
        driver.Press(prompt, "OK");
        EXPECT_TRUE(XtIsManaged(prompt));
        EXPECT_EQ(SelectedPosition(siteList), 4);
        driver.Press(prompt, "Cancel");
        EXPECT_FALSE(XtIsManaged(prompt));
    }
    XtVaSetValues(siteList, XmNvisibleItemCount, 2, nullptr);
    EXPECT_TRUE(driver.Texts().empty());
}

TEST_F(SampleDialogTest, ButtonsAreLabelledAndTheDefaultAndCancelAreSet)
{
    Widget ok = DialogDriver::Child(dialog(), "ButtonOK");
    Widget defaultButton = nullptr;
    Widget cancelButton = nullptr;
    XtVaGetValues(dialog(), XmNdefaultButton, &defaultButton, XmNcancelButton, &cancelButton,
                  nullptr);
    EXPECT_EQ(defaultButton, ok);
    EXPECT_EQ(cancelButton, DialogDriver::Child(dialog(), "ButtonCancel"));
    XmString label = nullptr;
    XtVaGetValues(cancelButton, XmNlabelString, &label, nullptr);
    char* text = static_cast<char*>(
        XmStringUnparse(label, nullptr, XmCHARSET_TEXT, XmCHARSET_TEXT, nullptr, 0, XmOUTPUT_ALL));
    EXPECT_STREQ(text, "Cancel");
    XtFree(text);
    XmStringFree(label);
}

TEST_F(SampleDialogTest, WarningsFillTheirTextWithTheArgument)
{
    ShowDialogWarning(dialog(), "messageCannotOpenFile", "/no/such.adf");
    driver.Pump();
    EXPECT_EQ(DialogDriver::MessageBoxes(dialog()),
              (std::vector<std::string>{"Can't open file: /no/such.adf"}));
}

// A dialog of the kit is as wide as its content makes it, a narrow one
// too, at its first showing and at every later one.
TEST(DialogKit, DialogsShowAtTheWidthOfTheirContent)
{
    gAppEnv->toplevel = canvastest::World().top;
    DialogDriver driver;
    for (const Dimension contentWidth : {40, 400}) {
        SCOPED_TRACE(contentWidth);
        FormDialog dialog;
        CreateFormDialog(dialog, gAppEnv->toplevel, contentWidth < 100 ? "NarrowDialog" : "WideDialog",
                         "RCContent");
        XtVaCreateManagedWidget("Content", xmLabelWidgetClass, dialog.rowColumn, XmNwidth, contentWidth,
                                XmNrecomputeSize, False, nullptr);
        AddOkCancelButtons(dialog, dialog.rowColumn, "ContentButtons", HideDialogCallback, dialog.dialog);
        for (int showing = 1; showing <= 2; ++showing) {
            ShowFormDialog(dialog);
            ASSERT_TRUE(DialogDriver::PumpUntil([&] { return XtIsRealized(dialog.dialog); }));
            driver.Pump();
            XtWidgetGeometry preferred{};
            XtQueryGeometry(dialog.dialog, nullptr, &preferred);
            EXPECT_EQ(XtParent(dialog.dialog)->core.width, preferred.width) << showing;
            HideFormDialog(dialog);
            driver.Pump();
        }
    }
}

}  // namespace
