// The comet and minor-planet dialogs and their progress gauge, driven on a
// private X server over element files written by the test: OK replaces
// the loaded objects in list order with the chosen flags, mixed toggles,
// the search wrapping round, the gauge's thresholds, its Cancel keeping what
// was read, records with shared, lower-case and empty second names, a
// file listed once for the run, a missing one, and the chart equal to the one an
// STL script of the same elements and commands draws. The gauge pumps X
// events only: a command-port request waits until the read is over.
// The lists are read once per run, so finding.cmake runs each case in a
// process of its own, by name: a new case is named there too.
#include "tests/dialogs/finding_gui_support.h"

#include "astro/calendar.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/kit/scrolled_list.h"
#include "dialogs/progress_gauge.h"
#include "dialogs/small_body_dialogs.h"
#include "sky/catalog/small_body_lists.h"
#include "tests/dialogs/element_test_files.h"

#include <Xm/Label.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

using dialogtest::DialogDriver;
using elementtest::Record;
using elementtest::WriteElementFile;
using findingtest::FindingGuiTest;
using findingtest::LabelText;

std::string NameOf(int i)
{
    char name[16];
    std::snprintf(name, sizeof name, "Comet%03d", i);
    return name;
}

std::vector<std::string> NumberedRecords(char kind, int count)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) {
        lines.push_back(Record(kind, NameOf(i), std::to_string(i) + (kind == 'C' ? "P" : ""), false,
                               1 + i % 28));
    }
    return lines;
}

std::string Trimmed(const char* text)
{
    std::string s = text;
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

class SmallBodyDialogs : public FindingGuiTest {
protected:
    void UseCometFile(const std::vector<std::string>& lines)
    {
        const auto files = WriteElementFile("dialog-comets.elm", lines);
        std::snprintf(gAppEnv->cometFile, sizeof gAppEnv->cometFile, "%s", files.elements.c_str());
        std::snprintf(gAppEnv->cometIndexFile, sizeof gAppEnv->cometIndexFile, "%s", files.index.c_str());
    }
    void UseMinorPlanetFile(const std::vector<std::string>& lines)
    {
        const auto files = WriteElementFile("dialog-mp.elm", lines);
        std::snprintf(gAppEnv->mplanetFile, sizeof gAppEnv->mplanetFile, "%s", files.elements.c_str());
        std::snprintf(gAppEnv->mplanetIndexFile, sizeof gAppEnv->mplanetIndexFile, "%s", files.index.c_str());
    }
    void SelectOnly(Widget dialog, const char* list, const std::vector<int>& positions)
    {
        Widget widget = DialogDriver::Child(dialog, list);
        XmListDeselectAllItems(widget);
        // A click with Ctrl held adds to an extended selection; without a
        // pointer, the list takes the positions as a multiple one.
        XtVaSetValues(widget, XmNselectionPolicy, XmMULTIPLE_SELECT, nullptr);
        for (int position : positions) {
            XmListSelectPos(widget, position, False);
        }
        XtVaSetValues(widget, XmNselectionPolicy, XmEXTENDED_SELECT, nullptr);
        XmListCallbackStruct call{};
        call.reason = XmCR_EXTENDED_SELECT;
        XtCallCallbacks(widget, XmNextendedSelectionCallback, &call);
        driver.Pump();
    }
    // Chooses the positions for loading with the Show box.
    void Choose(Widget dialog, const char* list, const std::vector<int>& positions)
    {
        SelectOnly(dialog, list, positions);
        driver.SetToggle(dialog, "ToggleShow", true);
    }
    std::vector<std::string> LoadedNames(bool comets)
    {
        std::vector<std::string> names;
        const int count = comets ? scene.cometCount : scene.mplanetCount;
        for (int i = 0; i < count; ++i) {
            names.push_back(Trimmed((comets ? scene.cometElements : scene.mplanetElements)[i].name));
        }
        return names;
    }
    void TearDown() override
    {
        FreeCometList(scene);
        FreeMinorPlanetList(scene);
        FindingGuiTest::TearDown();
    }
};

TEST_F(SmallBodyDialogs, OkReplacesTheLoadedCometsInListOrderWithTheirFlags)
{
    UseCometFile(NumberedRecords('C', 5));
    OrbitalElements old{};
    ASSERT_EQ(ParseElementLine(old, Record('C', "Comet005", "5P", false, 6).c_str()), 1);
    ASSERT_EQ(AddComet(scene, old), 1);
    scene.cometFlags[0] = 0x06;   // shown with its name only
    ShowCometDialog(&scene);
    Widget dialog = CometDialogWidget();
    ASSERT_NE(dialog, nullptr);
    for (const char* toggle : {"ToggleShow", "ToggleName", "ToggleDustTail"}) {
        EXPECT_FALSE(XtIsSensitive(DialogDriver::Child(dialog, toggle))) << toggle;
    }
    // Comet005 is loaded: its box says so.
    SelectOnly(dialog, "CometList", {5});
    EXPECT_TRUE(DialogDriver::IsSet(dialog, "ToggleShow"));
    EXPECT_TRUE(DialogDriver::IsSet(dialog, "ToggleName"));
    EXPECT_FALSE(DialogDriver::IsSet(dialog, "ToggleOrbit"));

    Choose(dialog, "CometList", {4, 2});
    SelectOnly(dialog, "CometList", {2});
    driver.SetToggle(dialog, "ToggleDate", true);
    driver.SetToggle(dialog, "ToggleDustTail", false);
    driver.Press(dialog, "ButtonOK");
    EXPECT_FALSE(XtIsManaged(dialog));
    EXPECT_EQ(driver.Texts(),
              (std::vector<std::string>{
                  "HIDE COMET1_NAME;SHOW COMET1_DATE;HIDE COMET1_MAG;SHOW COMET1_OBT;SHOW IONTAIL1;HIDE DUSTTAIL1",
                  "HIDE COMET2_NAME;HIDE COMET2_DATE;HIDE COMET2_MAG;SHOW COMET2_OBT;SHOW IONTAIL2;SHOW DUSTTAIL2",
                  "SHOW COMET3_NAME;HIDE COMET3_DATE;HIDE COMET3_MAG;HIDE COMET3_OBT;HIDE IONTAIL3;HIDE DUSTTAIL3",
                  "DRIVE"}));
    EXPECT_EQ(LoadedNames(true), (std::vector<std::string>{"Comet002", "Comet004", "Comet005"}));
    EXPECT_EQ(scene.cometFlags[0] & 0x10, 0x10);
    EXPECT_EQ(scene.cometFlags[0] & 0x40, 0);

    // Shown again, the three are marked loaded; Clear forgets every choice.
    ShowCometDialog(&scene);
    SelectOnly(dialog, "CometList", {2, 4, 5});
    EXPECT_TRUE(DialogDriver::IsSet(dialog, "ToggleShow"));
    driver.Press(dialog, "ButtonClear");
    EXPECT_TRUE(SelectedPositions(DialogDriver::Child(dialog, "CometList")).empty());
    EXPECT_FALSE(XtIsSensitive(DialogDriver::Child(dialog, "ToggleShow")));
    driver.ForgetTexts();
    EXPECT_TRUE(driver.CloseFromWindowManager(dialog));
    EXPECT_TRUE(driver.Texts().empty()) << "closing the window is a Cancel";
    EXPECT_EQ(scene.cometCount, 3);
}

TEST_F(SmallBodyDialogs, MixedTogglesAreIndeterminateAndSetForAllWhenPressed)
{
    UseCometFile(NumberedRecords('C', 4));
    ShowCometDialog(&scene);
    Widget dialog = CometDialogWidget();
    Choose(dialog, "CometList", {1, 3});
    SelectOnly(dialog, "CometList", {1});
    driver.SetToggle(dialog, "ToggleName", true);
    SelectOnly(dialog, "CometList", {1, 3});
    unsigned char mode = 0;
    XtVaGetValues(DialogDriver::Child(dialog, "ToggleName"), XmNtoggleMode, &mode, nullptr);
    EXPECT_EQ(mode, XmTOGGLE_INDETERMINATE);
    EXPECT_EQ(XmToggleButtonGetState(DialogDriver::Child(dialog, "ToggleName")), XmINDETERMINATE);
    XtVaGetValues(DialogDriver::Child(dialog, "ToggleOrbit"), XmNtoggleMode, &mode, nullptr);
    EXPECT_EQ(mode, XmTOGGLE_BOOLEAN);
    EXPECT_TRUE(XtIsSensitive(DialogDriver::Child(dialog, "ToggleName")));
    driver.SetToggle(dialog, "ToggleName", false);
    XtVaGetValues(DialogDriver::Child(dialog, "ToggleName"), XmNtoggleMode, &mode, nullptr);
    EXPECT_EQ(mode, XmTOGGLE_BOOLEAN);
    EXPECT_TRUE(DialogDriver::IsSet(dialog, "ToggleName"));
    // One shown and one not: only the Show box can be pressed.
    SelectOnly(dialog, "CometList", {1, 2});
    EXPECT_TRUE(XtIsSensitive(DialogDriver::Child(dialog, "ToggleShow")));
    EXPECT_FALSE(XtIsSensitive(DialogDriver::Child(dialog, "ToggleName")));
    driver.Press(dialog, "ButtonOK");
    ASSERT_EQ(driver.Texts().size(), 3u);
    EXPECT_EQ(driver.Texts()[0].rfind("SHOW COMET1_NAME", 0), 0u);
    EXPECT_EQ(driver.Texts()[1].rfind("SHOW COMET2_NAME", 0), 0u);
}

TEST_F(SmallBodyDialogs, SearchFindsByEitherNameAndWrapsRound)
{
    std::vector<std::string> lines = NumberedRecords('C', 30);
    lines[20] = Record('C', "Hale-Bopp", "C/1995 O1");
    UseCometFile(lines);
    ShowCometDialog(&scene);
    Widget dialog = CometDialogWidget();
    Widget list = DialogDriver::Child(dialog, "CometList");
    driver.Press(dialog, "ButtonSearch");
    Widget prompt = DialogDriver::Child(dialog, "CometSearchDialog");
    driver.Type(prompt, "Text", "bopp");
    driver.Press(prompt, "OK");
    EXPECT_EQ(SelectedPositions(list), (std::vector<int>{21}));
    EXPECT_FALSE(XtIsManaged(prompt));
    driver.Press(dialog, "ButtonSearch");
    driver.Type(prompt, "Text", "comet00");
    driver.Press(prompt, "OK");
    EXPECT_EQ(SelectedPositions(list), (std::vector<int>{1})) << "from below the top, round to the start";
    driver.Press(dialog, "ButtonSearch");
    EXPECT_EQ(DialogDriver::Text(prompt, "Text"), "comet00");
    driver.Press(prompt, "OK");
    EXPECT_EQ(SelectedPositions(list), (std::vector<int>{2}));
    driver.Press(dialog, "ButtonSearch");
    driver.Type(prompt, "Text", "o1");
    driver.Press(prompt, "OK");
    EXPECT_EQ(SelectedPositions(list), (std::vector<int>{21})) << "the second name";
    driver.Press(dialog, "ButtonSearch");
    driver.Type(prompt, "Text", "nowhere");
    driver.Press(prompt, "OK");
    EXPECT_TRUE(XtIsManaged(prompt));
    driver.Press(prompt, "Cancel");
    EXPECT_FALSE(XtIsManaged(prompt));

    // The text searched is remembered up to 127 bytes; the prompt's own
    // Cancel hides it.
    driver.Press(dialog, "ButtonSearch");
    driver.Type(prompt, "Text", std::string(200, 'z').c_str());
    CometSearchDialogOkCallback(prompt, nullptr, nullptr);
    EXPECT_TRUE(XtIsManaged(prompt));
    CometSearchDialogCancelCallback(prompt, nullptr, nullptr);
    EXPECT_FALSE(XtIsManaged(prompt));
    driver.Press(dialog, "ButtonSearch");
    EXPECT_EQ(DialogDriver::Text(prompt, "Text"), std::string(127, 'z'));
    driver.Press(prompt, "Cancel");
    CometDialogCancelCallback(dialog, &scene, nullptr);
    EXPECT_FALSE(XtIsManaged(dialog));
}

TEST_F(SmallBodyDialogs, SharedLowerCaseAndEmptySecondNamesLoadTheirOwnRecords)
{
    UseCometFile({Record('C', "Twin A", "77P", false, 1), Record('C', "Lower", "c/2020 f3", false, 2),
                  Record('C', "Empty", "", true, 3), Record('C', "Twin B", "77P", false, 4),
                  Record('C', "Blank Too", "", false, 5)});
    ShowCometDialog(&scene);
    Widget dialog = CometDialogWidget();
    Choose(dialog, "CometList", {1, 2, 3, 4, 5});
    driver.Press(dialog, "ButtonOK");
    EXPECT_EQ(LoadedNames(true),
              (std::vector<std::string>{"Twin A", "Lower", "Empty", "Twin B", "Blank Too"}));
    for (int i = 0; i < scene.cometCount; ++i) {
        EXPECT_NEAR(scene.cometElements[i].perihelionTime, JulianDayFromCalendar(1986, 2, i + 1.895317), 1e-6);
    }
}

// The list is the file as it was at the first Show: a file changed later
// in the run is not read again.
TEST_F(SmallBodyDialogs, AFileIsListedOncePerRunAndAMissingOneSaysSo)
{
    UseCometFile(NumberedRecords('C', 3));
    ShowCometDialog(&scene);
    Widget dialog = CometDialogWidget();
    HideFormDialog(FormDialog{dialog});
    UseCometFile(NumberedRecords('C', 7));
    ShowCometDialog(&scene);
    int count = 0;
    XtVaGetValues(DialogDriver::Child(dialog, "CometList"), XmNitemCount, &count, nullptr);
    EXPECT_EQ(count, 3);
    HideFormDialog(FormDialog{dialog});

    // A file with no entries stops without a word; a missing one says so,
    // in its own words.
    UseMinorPlanetFile({});
    ShowMPlanetDialog(&scene);
    EXPECT_EQ(MPlanetDialogWidget(), nullptr);
    EXPECT_TRUE(DialogDriver::MessageBoxes(gAppEnv->toplevel).empty());
    std::snprintf(gAppEnv->mplanetFile, sizeof gAppEnv->mplanetFile, "%s/none.elm", TestHome().c_str());
    ShowMPlanetDialog(&scene);
    EXPECT_EQ(MPlanetDialogWidget(), nullptr);
    EXPECT_EQ(DialogDriver::MessageBoxes(gAppEnv->toplevel),
              (std::vector<std::string>{"Orbital element file not found."}));
}

// A comet read shows the gauge from 100 objects, a minor-planet read from
// 101; the gauge's title says which.
TEST_F(SmallBodyDialogs, GaugeOpensForLongReadsOnly)
{
    UseCometFile(NumberedRecords('C', 101));
    UseMinorPlanetFile(NumberedRecords('M', 101));
    std::vector<int> first99, first100, all;
    for (int i = 1; i <= 101; ++i) {
        (i <= 99 ? first99 : all).push_back(i);
    }
    all.insert(all.begin(), first99.begin(), first99.end());
    first100 = first99;
    first100.push_back(100);

    ShowCometDialog(&scene);
    Choose(CometDialogWidget(), "CometList", first99);
    driver.Press(CometDialogWidget(), "ButtonOK");
    EXPECT_EQ(scene.cometCount, 99);
    EXPECT_EQ(GaugeDialogWidget(), nullptr);
    ShowCometDialog(&scene);
    Choose(CometDialogWidget(), "CometList", first100);
    driver.Press(CometDialogWidget(), "ButtonOK");
    EXPECT_EQ(scene.cometCount, 100);
    ASSERT_NE(GaugeDialogWidget(), nullptr);
    EXPECT_FALSE(XtIsManaged(GaugeDialogWidget()));
    Widget title = DialogDriver::Child(GaugeDialogWidget(), "GaugeLabelTitle");
    EXPECT_EQ(LabelText(title), "Reading Comets");
    // A comet read counts one more than its objects: the last report is 99%.
    EXPECT_EQ(LabelText(DialogDriver::Child(GaugeDialogWidget(), "GaugeLabelPercentage")), "99%");

    ShowMPlanetDialog(&scene);
    Choose(MPlanetDialogWidget(), "MPlanetList", first100);
    driver.Press(MPlanetDialogWidget(), "ButtonOK");
    EXPECT_EQ(scene.mplanetCount, 100);
    EXPECT_EQ(LabelText(title), "Reading Comets");
    ShowMPlanetDialog(&scene);
    Choose(MPlanetDialogWidget(), "MPlanetList", all);
    driver.Press(MPlanetDialogWidget(), "ButtonOK");
    EXPECT_EQ(scene.mplanetCount, 101);
    EXPECT_EQ(LabelText(title), "Reading Minor Planets");
}

// The gauge's Cancel, pressed (here through the window manager's close)
// while the read goes on, keeps what was read; a Cancel left over does not
// stop the next, small read.
int cancelAfter = 0;

void CancelDuringRead(const char* text)
{
    dialogtest::RecordText(text);
    if (--cancelAfter == 0) {
        Widget shell = XtParent(GaugeDialogWidget());
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = XtWindow(shell);
        event.xclient.message_type = XInternAtom(gAppEnv->display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(gAppEnv->display, "WM_DELETE_WINDOW", False));
        XSendEvent(gAppEnv->display, XtWindow(shell), False, NoEventMask, &event);
        XSync(gAppEnv->display, False);
    }
}

TEST_F(SmallBodyDialogs, GaugeCancelKeepsWhatWasRead)
{
    UseCometFile(NumberedRecords('C', 150));
    ShowCometDialog(&scene);
    std::vector<int> all;
    for (int i = 1; i <= 150; ++i) {
        all.push_back(i);
    }
    Choose(CometDialogWidget(), "CometList", all);
    cancelAfter = 10;
    gStkTextObserver = CancelDuringRead;
    driver.Press(CometDialogWidget(), "ButtonOK");
    gStkTextObserver = dialogtest::RecordText;
    EXPECT_EQ(IsGaugeCancelled(), 1);
    EXPECT_EQ(scene.cometCount, 10);
    EXPECT_EQ(driver.Texts().back(), "DRIVE");

    ShowCometDialog(&scene);
    driver.Press(CometDialogWidget(), "ButtonClear");
    Choose(CometDialogWidget(), "CometList", {1, 2, 3});
    driver.Press(CometDialogWidget(), "ButtonOK");
    EXPECT_EQ(scene.cometCount, 3) << "the old Cancel stopped the new read";
}

// With a command-port request and a timer waiting, a progress report
// returns at once without running them; they run after the read.
int portRequests = 0;

void PortRequest(XtPointer, int* fd, XtInputId*)
{
    char byte = 0;
    if (read(*fd, &byte, 1) == 1) {
        ++portRequests;
    }
}

TEST_F(SmallBodyDialogs, GaugePumpsXEventsOnly)
{
    OpenGauge("messageReadingMinorPlanets");
    EXPECT_EQ(LabelText(DialogDriver::Child(GaugeDialogWidget(), "GaugeLabelTitle")), "Reading Minor Planets");
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    ASSERT_EQ(write(pipeEnds[1], "x", 1), 1);
    XtAppContext app = canvastest::World().app;
    const XtInputId input = XtAppAddInput(app, pipeEnds[0], reinterpret_cast<XtPointer>(XtInputReadMask),
                                          PortRequest, nullptr);
    XtAppAddTimeOut(app, 0, [](XtPointer, XtIntervalId*) { ++portRequests; }, nullptr);
    portRequests = 0;
    UpdateGauge(40);
    UpdateGauge(40);
    EXPECT_EQ(portRequests, 0);
    EXPECT_EQ(LabelText(DialogDriver::Child(GaugeDialogWidget(), "GaugeLabelPercentage")), "40%");
    driver.Press(GaugeDialogWidget(), "GaugeCancelButton");
    EXPECT_EQ(IsGaugeCancelled(), 1);
    CloseGauge();
    EXPECT_TRUE(DialogDriver::PumpUntil([] { return portRequests == 2; }));
    XtRemoveInput(input);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    EXPECT_EQ(IsGaugeCancelled(), 1) << "until the next open";
    OpenGauge("messageReadingComets");
    EXPECT_EQ(IsGaugeCancelled(), 0);
    CloseGauge();
}

// Three comets chosen in the dialog draw the chart an STL script draws
// with their element lines and the commands the dialog sent.
TEST_F(SmallBodyDialogs, ChosenCometsDrawWhatTheirScriptDraws)
{
    const std::vector<std::string> lines = NumberedRecords('C', 6);
    UseCometFile(lines);
    ShowCometDialog(&scene);
    Widget dialog = CometDialogWidget();
    Choose(dialog, "CometList", {2, 3, 6});
    SelectOnly(dialog, "CometList", {3});
    driver.SetToggle(dialog, "ToggleName", true);
    driver.Press(dialog, "ButtonOK");
    const std::vector<std::string> texts = driver.Texts();
    StkExecuteText(scene, "MODE SOL2; SOL_OFFSET 0,0,0");
    const std::string chosen = Chart();
    ASSERT_EQ(texts.size(), 4u);

    std::string script = "BLOCK CONTROL\n\tSCENE MAIN\n";
    for (int i : {2, 3, 6}) {
        script += "\t\tCOMET \"" + NameOf(i) + "\"\n";
    }
    for (size_t i = 0; i + 1 < texts.size(); ++i) {
        script += "\t\t" + texts[i] + "\n";
    }
    script += "\tEND SCENE\nEND BLOCK\n\nBLOCK ORBIT\n";
    for (int i : {2, 3, 6}) {
        script += ":" + NameOf(i) + "\n" + lines[static_cast<size_t>(i - 1)] + "\r\n";
    }
    script += "END BLOCK\n";
    const std::string path = TestHome() + "/three-comets.stl";
    WriteFile(path, script);
    FreeCometList(scene);
    EXPECT_NE(chosen, TypedChart("MODE SOL2; SOL_OFFSET 0,0,0")) << "the comets show on the chart";
    EXPECT_EQ(chosen, TypedChart(("STL " + path + "; DRIVE; MODE SOL2; SOL_OFFSET 0,0,0").c_str()));
    EXPECT_EQ(scene.cometCount, 3);
}

}  // namespace
