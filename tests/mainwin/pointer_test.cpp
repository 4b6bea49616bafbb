// The pointer, the keys and the X actions on the real program, with real
// input (xdotool): a click picks and shows the information box, a drag
// pans so that the point grabbed follows the pointer, the keys and the
// wheel draw what their texts draw over the command port, the box's
// buttons send their texts, and button 3 posts the popup.
#include "tests/mainwin/program_driver.h"

#include "astro/vector_math.h"
#include "data/catalog_tables.h"
#include "dialogs/image_viewer.h"
#include "mainwin/info_box_lines.h"
#include "sky/catalog/click_data.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/object_names.h"
#include "sky/font_sets.h"
#include "sky/label_text.h"
#include "sky/picking.h"
#include "sky/view/projection.h"
#include "tests/harness/test_files.h"
#include "tests/sky/sky_view_fixture.h"

#include <Xm/DrawnB.h>
#include <Xm/RowColumn.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <sstream>

namespace {

using programtest::ProgramDriver;

// Sirius in the middle of an equatorial chart at a fixed instant.
constexpr char kStart[] = "INIT; DATE 2024,3,20,21,0,0; MODE EQT; LOOK STAR alphaCMa; DRIVE";

int FixedWidth(const char* text)
{
    return 7 * static_cast<int>(std::strlen(text));
}

class PointerTest : public ::testing::Test {
public:
    void SetUp() override
    {
        gStkTextObserver = dialogtest::RecordText;
        Reset(kStart);
    }

    void TearDown() override
    {
        if (ImageViewerState().dialog != nullptr) {
            CloseImageDialog(nullptr, nullptr, nullptr);
        }
        FreeClickData(Scene());
        ProgramDriver::Xdotool({"mouseup", "1"});
        ProgramDriver::Xdotool({"mouseup", "3"});
        Reset(kStart);
    }

    void Reset(const char* start)
    {
        XtUnmanageChild(Box());
        Run(start);
        ProgramDriver::CloseMessageBoxes(gAppEnv->toplevel);
        Scene().pickedObject.picked = 0;
        ProgramDriver::MoveTo(Scene().drawingArea);
        driver.Pump();
        driver.ForgetTexts();
    }

    static ::Scene& Scene() { return ProgramDriver::SceneOfProgram(); }
    static Widget Box() { return ProgramDriver::Find("ClickDataDialog"); }

    void Run(const char* text)
    {
        StkExecuteText(Scene(), text);
        driver.Pump();
    }

    // Sirius's pixel on the chart drawn last.
    static std::pair<int, int> SiriusPixel()
    {
        double v[3];
        skytest::StarVector(0, v);
        ProjectedPoint point{};
        EXPECT_EQ(ProjectPointDouble(Scene(), v, point), 1);
        return {point.x, point.y};
    }

    // A pixel of the chart where nothing can be picked, below where the
    // information box first shows.
    static std::pair<int, int> EmptyPixel()
    {
        for (int y = 200; y < Scene().view.skyRect.height; y += 20) {
            for (int x = 20; x < Scene().view.skyRect.width; x += 20) {
                auto probe = std::make_unique<::Scene>(Scene());
                probe->pickedObject.picked = 0;
                if (FindNextObjectAt(*probe, x, y) == 0) {
                    return {x, y};
                }
            }
        }
        ADD_FAILURE() << "no empty pixel";
        return {0, 0};
    }

    static std::vector<std::string> Root(int x, int y)
    {
        const auto [rx, ry] = ProgramDriver::RootPoint(Scene().drawingArea, x, y);
        return {std::to_string(rx), std::to_string(ry)};
    }

    // Button 1 pressed at (x, y), moved by (dx, dy) in `steps` motions as a
    // hand moves it, and released.
    void Press(int x, int y, int dx, int dy, int steps = 1)
    {
        auto from = Root(x, y);
        ProgramDriver::Xdotool({"mousemove", from[0], from[1], "mousedown", "1"});
        for (int i = 1; i <= steps; ++i) {
            auto to = Root(x + dx * i / steps, y + dy * i / steps);
            ProgramDriver::Xdotool({"mousemove", to[0], to[1]});
            driver.Pump();
        }
        ProgramDriver::Xdotool({"mouseup", "1"});
        driver.Pump();
    }

    void ClickAt(int x, int y, const char* button = "1")
    {
        auto at = Root(x, y);
        ProgramDriver::Xdotool({"mousemove", at[0], at[1], "click", button});
        driver.Pump();
    }

    // Button 3 held down at (x, y), as a hand holds it while it reads the
    // popup; released by TearDown.
    void HoldButtonThree(int x, int y)
    {
        auto at = Root(x, y);
        ProgramDriver::Xdotool({"mousemove", at[0], at[1], "mousedown", "3"});
        driver.Pump();
    }

    bool Dragged() const
    {
        for (const std::string& text : driver.Texts()) {
            if (text.rfind("TRACK OFF;LOOK ", 0) == 0) {
                return true;
            }
        }
        return false;
    }

    std::vector<std::string> BoxLines()
    {
        InfoBoxLines lines{};
        std::vector<std::string> texts;
        if (ComposeClickDataInfo(Scene(), InfoBoxFont{FixedWidth, 7}, lines) != 0) {
            for (const InfoBoxPiece& piece : lines.pieces) {
                texts.emplace_back(piece.text);
            }
        }
        return texts;
    }

    ProgramDriver driver;
};

TEST_F(PointerTest, ClickShowsTheObjectAndEmptySkyHidesTheBox)
{
    const auto [x, y] = SiriusPixel();
    ClickAt(x, y);
    ASSERT_TRUE(ProgramDriver::PumpUntil([] { return XtIsManaged(Box()); }));
    EXPECT_EQ(Scene().pickedObject.type, kObjectStar);
    EXPECT_EQ(Scene().pickedObject.id, 0);
    ASSERT_FALSE(BoxLines().empty());
    EXPECT_NE(BoxLines()[0].find("Sirius"), std::string::npos);
    // 6h45m08.7s, shown three seconds on: 45.2m, not 45.1m.
    EXPECT_EQ(BoxLines()[1].rfind("R.A.  6h45.2m", 0), 0u) << BoxLines()[1];
    EXPECT_TRUE(driver.Texts().empty());

    const auto [ex, ey] = EmptyPixel();
    ClickAt(ex, ey);
    ASSERT_TRUE(ProgramDriver::PumpUntil([] { return !XtIsManaged(Box()); }));
    EXPECT_EQ(Scene().pickedObject.picked, 0);
}

// A pick whose object is gone (here a comet past the end of the list) is
// dropped at the next redraw and the box hidden; INIT hides it too.
TEST_F(PointerTest, StalePickAndInitHideTheBox)
{
    const auto [x, y] = SiriusPixel();
    ClickAt(x, y);
    ASSERT_TRUE(ProgramDriver::PumpUntil([] { return XtIsManaged(Box()); }));
    Scene().pickedObject.type = kObjectSolarBody;
    Scene().pickedObject.id = kCometIdBase + Scene().cometCount + 5;
    Run("DRIVE");
    EXPECT_TRUE(ProgramDriver::PumpUntil([] { return !XtIsManaged(Box()); }));
    EXPECT_EQ(Scene().pickedObject.picked, 0);

    ClickAt(x, y);
    ASSERT_TRUE(ProgramDriver::PumpUntil([] { return XtIsManaged(Box()); }));
    Run("INIT");
    EXPECT_TRUE(ProgramDriver::PumpUntil([] { return !XtIsManaged(Box()); }));
}

TEST_F(PointerTest, FivePixelsIsAClickAndSixADragEveryWay)
{
    const auto [x, y] = EmptyPixel();
    const std::pair<int, int> clicks[] = {{5, 5}, {-5, -5}, {5, -5}, {-5, 5}};
    for (const auto& [dx, dy] : clicks) {
        SCOPED_TRACE(std::to_string(dx) + "," + std::to_string(dy));
        Reset(kStart);
        Press(x + 20, y + 20, dx, dy);
        EXPECT_FALSE(Dragged());
    }
    const std::pair<int, int> drags[] = {{6, 0}, {-6, 0}, {0, 6}, {0, -6}};
    for (const auto& [dx, dy] : drags) {
        SCOPED_TRACE(std::to_string(dx) + "," + std::to_string(dy));
        Reset(kStart);
        Press(x + 20, y + 20, dx, dy);
        EXPECT_TRUE(ProgramDriver::PumpUntil([this] { return Dragged(); }));
    }
}

TEST_F(PointerTest, DraggedStarFollowsThePointer)
{
    // The pan adds differences of azimuth and altitude (or of the view's
    // longitude and latitude) to the centre, which is exact along the
    // equator of the frame and off by a pixel or two elsewhere on a drag
    // of this length in the horizontal view.
    const std::pair<const char*, int> starts[] = {
        {"INIT; DATE 2024,3,20,21,0,0; MODE HRZ; LOOK STAR alphaCMa; DRIVE", 2},
        {kStart, 1},
    };
    for (const auto& [start, tolerance] : starts) {
        SCOPED_TRACE(start);
        Reset(start);
        const auto [x, y] = SiriusPixel();
        Press(x, y, 40, 25, 5);
        ASSERT_TRUE(ProgramDriver::PumpUntil([this] { return Dragged(); }));
        driver.Pump();
        const auto [nx, ny] = SiriusPixel();
        EXPECT_NEAR(nx, x + 40, tolerance);
        EXPECT_NEAR(ny, y + 25, tolerance);
    }
}

// --- One chart reached two ways ------------------------------------------

struct OracleRow {
    const char* name;
    std::function<void(PointerTest&)> act;
    std::vector<std::string> texts;    // what the action sends
    const char* portText;
};

std::function<void(PointerTest&)> Keys(std::vector<std::string> keys)
{
    return [keys](PointerTest& test) { test.driver.Keys(keys); };
}

std::function<void(PointerTest&)> Wheel(const char* modifier, const char* button)
{
    return [modifier, button](PointerTest&) {
        ProgramDriver::PointAtChart();
        std::vector<std::string> args;
        if (modifier != nullptr) {
            args = {"keydown", modifier};
        }
        args.insert(args.end(), {"click", button});
        if (modifier != nullptr) {
            args.insert(args.end(), {"keyup", modifier});
        }
        ProgramDriver::Xdotool(args);
    };
}

void PressBoxButton(PointerTest& test, const char* name)
{
    const auto [x, y] = PointerTest::SiriusPixel();
    test.ClickAt(x, y);
    ASSERT_TRUE(ProgramDriver::PumpUntil([] { return XtIsManaged(PointerTest::Box()); }));
    test.driver.ForgetTexts();
    XmPushButtonCallbackStruct press{};
    press.reason = XmCR_ACTIVATE;
    XtCallCallbacks(ProgramDriver::Find(name), XmNactivateCallback, &press);
}

TEST_F(PointerTest, KeysWheelAndBoxDrawWhatTheirTextsDraw)
{
    const OracleRow rows[] = {
        {"PageUp", Keys({"Prior"}), {"ZOOM UP;DRIVE"}, "ZOOM UP;DRIVE"},
        {"PageDown", Keys({"Next"}), {"ZOOM DOWN;DRIVE"}, "ZOOM DOWN;DRIVE"},
        {"ShiftUp",
         [](PointerTest& test) {
             ProgramDriver::PointAtChart();
             ProgramDriver::Xdotool({"keydown", "shift", "key", "Up", "keyup", "shift"});
             test.driver.Pump();
         },
         {"INCMAG STAR 0.1;DRIVE"},
         "INCMAG STAR 0.1;DRIVE"},
        {"CtrlWheel", Wheel("ctrl", "4"), {"ZOOM UP;DRIVE"}, "ZOOM UP;DRIVE"},
        {"Center", [](PointerTest& test) { PressBoxButton(test, "ClickDataCenter"); },
         {"LOOK STAR alphaCMa", "DRIVE"}, "LOOK STAR alphaCMa;DRIVE"},
        {"Track", [](PointerTest& test) { PressBoxButton(test, "ClickDataTrack"); },
         {"TRACK STAR alphaCMa", "DRIVE"}, "TRACK STAR alphaCMa;DRIVE"},
    };
    for (const OracleRow& row : rows) {
        SCOPED_TRACE(row.name);
        Reset(kStart);
        row.act(*this);
        ASSERT_TRUE(driver.PumpUntilText(row.texts.back()));
        driver.Pump();
        EXPECT_EQ(driver.Texts(), row.texts);
        const std::string byHand = ProgramDriver::Gsave(std::string("hand-") + row.name);

        Reset(kStart);
        EXPECT_EQ(driver.PortRequest(row.portText), "");
        const std::string byPort = ProgramDriver::Gsave(std::string("port-") + row.name);
        ASSERT_GT(byHand.size(), 1000u);
        EXPECT_TRUE(byHand == byPort) << "the two charts differ";
    }
}

TEST_F(PointerTest, WheelScrollsAsTheArrowKeys)
{
    Wheel(nullptr, "4")(*this);
    ASSERT_TRUE(ProgramDriver::PumpUntil([this] { return !driver.Texts().empty(); }));
    driver.Pump();
    const std::vector<std::string> byWheel = driver.Texts();
    const std::string wheelChart = ProgramDriver::Gsave("wheel");
    Reset(kStart);
    driver.Keys({"Left"});
    ASSERT_TRUE(ProgramDriver::PumpUntil([this] { return !driver.Texts().empty(); }));
    driver.Pump();
    EXPECT_EQ(driver.Texts(), byWheel);
    EXPECT_TRUE(ProgramDriver::Gsave("arrow") == wheelChart);
}

TEST_F(PointerTest, ArrowsSendNothingWhileCapsLockIsOn)
{
    driver.Keys({"Caps_Lock"});
    driver.ForgetTexts();
    driver.Keys({"Left", "Up"});
    driver.Pump();
    const std::vector<std::string> sent = driver.Texts();
    driver.Keys({"Caps_Lock"});
    EXPECT_TRUE(sent.empty());
}

TEST_F(PointerTest, TrackButtonShowsWhetherThePickedStarIsTracked)
{
    PressBoxButton(*this, "ClickDataTrack");
    ASSERT_TRUE(driver.PumpUntilText("DRIVE"));
    Widget track = ProgramDriver::Find("ClickDataTrack");
    unsigned char shadow = 0;
    XtVaGetValues(track, XmNshadowType, &shadow, nullptr);
    EXPECT_EQ(shadow, XmSHADOW_IN);
    driver.ForgetTexts();
    XmPushButtonCallbackStruct press{};
    press.reason = XmCR_ACTIVATE;
    XtCallCallbacks(track, XmNactivateCallback, &press);
    driver.Pump();
    EXPECT_EQ(driver.Texts(), (std::vector<std::string>{"TRACK OFF", "DRIVE"}));
    XtVaGetValues(track, XmNshadowType, &shadow, nullptr);
    EXPECT_EQ(shadow, XmSHADOW_OUT);
}

// Formats from the user's resources that would read other arguments than
// the box passes give way to the compiled defaults.
TEST_F(PointerTest, BadFormatsFallBackToTheDefaults)
{
    const auto [x, y] = SiriusPixel();
    ClickAt(x, y);
    ASSERT_TRUE(ProgramDriver::PumpUntil([] { return XtIsManaged(Box()); }));
    const std::vector<std::string> good = BoxLines();
    XrmDatabase database = XtDatabase(gAppEnv->display);
    // Each key with a bad format and its own default to put back.
    const char* rows[][3] = {
        {"UVola*messageInfoBoxEqt", "%n%2dh%4.1fm %c%2d %2d", "R.A. %2dh%4.1fm  Decl %c%2d\260%2d'"},
        {"UVola*messageInfoBoxMag", "Mag%4.1f %s", "Mag%4.1f"},
        {"UVola*messageInfoBoxRiseSet", "Rise %d  Set %s", "Rise %s  Set %s"},
        {"UVola*messageInfoBoxHrz", "Azm %6.2f %6.2f %6.2f", "Azm %6.2f\260  Alt %6.2f\260"},
    };
    for (const auto& row : rows) {
        XrmPutStringResource(&database, row[0], row[1]);
    }
    EXPECT_EQ(BoxLines(), good);
    for (const auto& row : rows) {
        XrmPutStringResource(&database, row[0], row[2]);
    }
}

// --- Actions ---------------------------------------------------------------

// What the program writes on the standard error stream while `act` runs.
std::string StandardErrorOf(const std::function<void()>& act)
{
    std::fflush(stderr);
    const int saved = dup(2);
    FILE* capture = std::tmpfile();
    dup2(fileno(capture), 2);
    act();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    std::rewind(capture);
    std::string text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, capture) != nullptr) {
        text += buffer;
    }
    std::fclose(capture);
    return text;
}

TEST_F(PointerTest, ActionsRefuseWrongArguments)
{
    struct Row {
        const char* action;
        std::vector<const char*> params;
        const char* error;
        std::vector<std::string> texts;
    };
    const Row rows[] = {
        {"ScrollWindow", {"UP", "DOWN"}, "ScrollWindow action: Number of argument invalid.\n", {}},
        {"ScrollWindow", {}, "ScrollWindow action: Number of argument invalid.\n", {}},
        {"ScrollWindow", {"SIDEWAYS"}, "ScrollWindow action: argument invalid.\n", {}},
        {"StkDoit", {}, "Number of StkDoit action argument invalid.\n", {}},
        {"StkDoit", {"A", "B"}, "Number of StkDoit action argument invalid.\n", {}},
        {"StkDoit", {"ZOOM UP;DRIVE"}, "", {"ZOOM UP;DRIVE"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.action);
        driver.ForgetTexts();
        std::vector<String> params;
        for (const char* p : row.params) {
            params.push_back(const_cast<String>(p));
        }
        const std::string error = StandardErrorOf([&] {
            XtCallActionProc(Scene().drawingArea, row.action, nullptr, params.data(),
                             static_cast<Cardinal>(params.size()));
        });
        driver.Pump();
        EXPECT_EQ(error, row.error);
        EXPECT_EQ(driver.Texts(), row.texts);
    }
}

// --- The popup -------------------------------------------------------------

std::string LabelOf(Widget widget, const char* resource = XmNlabelString)
{
    XmString string = nullptr;
    XtVaGetValues(widget, resource, &string, nullptr);
    char* text = static_cast<char*>(XmStringUnparse(string, nullptr, XmCHARSET_TEXT, XmCHARSET_TEXT,
                                                    nullptr, 0, XmOUTPUT_ALL));
    std::string result(text);
    XtFree(text);
    XmStringFree(string);
    return result;
}

int ManagedCount(const char* format, int count)
{
    int managed = 0;
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, format, i);
        managed += XtIsManaged(ProgramDriver::Find(name)) ? 1 : 0;
    }
    return managed;
}

TEST_F(PointerTest, PopupNamesTheKindsAndThePlace)
{
    const auto [x, y] = SiriusPixel();
    const PickedObject before = Scene().pickedObject;
    HoldButtonThree(x, y);
    Widget popup = ProgramDriver::Find("popup");
    ASSERT_TRUE(ProgramDriver::PumpUntil([popup] { return ProgramDriver::IsUp(popup); }));
    EXPECT_EQ(std::memcmp(&before, &Scene().pickedObject, sizeof before), 0);
    EXPECT_EQ(ManagedCount("Button%d", 10), 1);
    EXPECT_EQ(LabelOf(ProgramDriver::Find("Button0")), "Star");
    EXPECT_EQ(ManagedCount("Label%d", 4), 4);
    EXPECT_EQ(LabelOf(ProgramDriver::Find("Label0")).rfind("Eqt.2000  R.A.  6h45.", 0), 0u);
    EXPECT_EQ(LabelOf(ProgramDriver::Find("Label3")).rfind("Horizon.  Azm. ", 0), 0u);
    EXPECT_TRUE(XtIsManaged(ProgramDriver::Find("Separator")));

    // "Star" opens the star dialog.
    XmPushButtonCallbackStruct press{};
    press.reason = XmCR_ACTIVATE;
    XtCallCallbacks(ProgramDriver::Find("Button0"), XmNactivateCallback, &press);
    Widget stars = ProgramDriver::Find("StarDialog");
    EXPECT_TRUE(XtIsManaged(stars));
    ProgramDriver::Xdotool({"key", "Escape", "mouseup", "3"});
    driver.Pump();
    EXPECT_TRUE(ProgramDriver::MessageBoxes(gAppEnv->toplevel).empty());
    EXPECT_TRUE(driver.Texts().empty());
    XtUnmanageChild(stars);
    driver.Pump();
}

TEST_F(PointerTest, PopupInSolarSystemViewHasThreeLinesAndNoneOnTheStatusLine)
{
    Reset("INIT; DATE 2024,3,20,21,0,0; MODE SOL2; DRIVE");
    const auto [ex, ey] = EmptyPixel();
    HoldButtonThree(ex, ey);
    Widget popup = ProgramDriver::Find("popup");
    ASSERT_TRUE(ProgramDriver::PumpUntil([popup] { return ProgramDriver::IsUp(popup); }));
    EXPECT_EQ(ManagedCount("Label%d", 4), 3);
    EXPECT_FALSE(XtIsManaged(ProgramDriver::Find("Separator")));
    ProgramDriver::Xdotool({"key", "Escape", "mouseup", "3"});
    ASSERT_TRUE(ProgramDriver::PumpUntil([popup] { return !ProgramDriver::IsUp(popup); }));

    Reset("INIT; DATE 2024,3,20,21,0,0; MODE EQT; SHOW STATUSBAR; DRIVE");
    HoldButtonThree(Scene().view.skyRect.width / 2, 2);
    driver.Pump();
    EXPECT_FALSE(XtIsManaged(popup));
}

// A click of button 3, over an object or over empty sky where the popup
// holds only its position lines, leaves the popup up to be read; the next
// click or Escape takes it down.
TEST_F(PointerTest, ClickedPopupStaysUpUntilEscapeOrTheNextClick)
{
    Widget popup = ProgramDriver::Find("popup");
    const auto mapped = [popup] {
        XWindowAttributes attributes{};
        Widget shell = XtParent(popup);
        return ProgramDriver::IsUp(popup) &&
               XGetWindowAttributes(XtDisplay(shell), XtWindow(shell), &attributes) != 0 &&
               attributes.map_state == IsViewable;
    };
    const auto sirius = SiriusPixel();
    const auto empty = EmptyPixel();
    const struct {
        const char* place;
        std::pair<int, int> pixel;
        std::vector<std::string> close;
    } rows[] = {
        {"empty sky, Escape", empty, {"key", "Escape"}},
        {"empty sky, a click beside the window", empty, {"mousemove", "1200", "1000", "click", "1"}},
        {"Sirius, Escape", sirius, {"key", "Escape"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.place);
        auto at = Root(row.pixel.first, row.pixel.second);
        ProgramDriver::Xdotool({"mousemove", at[0], at[1], "mousedown", "3"});
        ASSERT_TRUE(ProgramDriver::PumpUntil(mapped));
        ProgramDriver::Xdotool({"mouseup", "3"});
        ProgramDriver::PumpUntil([] { return false; }, std::chrono::milliseconds(300));
        EXPECT_TRUE(mapped());
        ProgramDriver::Xdotool(row.close);
        EXPECT_TRUE(ProgramDriver::PumpUntil([popup] { return !ProgramDriver::IsUp(popup); }));
    }
    EXPECT_TRUE(driver.Texts().empty());
}

TEST_F(PointerTest, ButtonTwoLeavesThePickAsItWas)
{
    const auto [x, y] = SiriusPixel();
    ClickAt(x, y);
    ASSERT_TRUE(ProgramDriver::PumpUntil([] { return XtIsManaged(Box()); }));
    const PickedObject before = Scene().pickedObject;
    ClickAt(x, y, "2");
    driver.Pump();
    EXPECT_EQ(std::memcmp(&before, &Scene().pickedObject, sizeof before), 0);
    EXPECT_TRUE(ProgramDriver::MessageBoxes(gAppEnv->toplevel).empty());
    EXPECT_TRUE(driver.Texts().empty());
}

// The image viewer's title and the picture it shows, once it is up.
std::string ViewerTitle()
{
    return LabelOf(ImageViewerState().dialog, XmNdialogTitle);
}

bool ViewerShows()
{
    return ProgramDriver::PumpUntil([] {
        const ImageViewerParts parts = ImageViewerState();
        return parts.dialog != nullptr && XtIsManaged(parts.dialog) && parts.picture != nullptr;
    });
}

// Loads click data through the command language, with the pictures the
// program ships; the pointer and the buttons send no text of their own.
void LoadClickDataOverPort(PointerTest& test, const std::string& path)
{
    std::snprintf(gAppEnv->clickImagePath, sizeof gAppEnv->clickImagePath, "%s",
                  UVOLA_SOURCE_DIR "/data/image/");
    test.Run(("LOAD CLICKDATA \"" + path + "\"").c_str());
    test.driver.ForgetTexts();
}

// The box's Image button is sensitive exactly while the shown object has a
// picture: after LOAD CLICKDATA with the box up and after a new pick. It
// opens the object's first picture; line 5 is the entry's text.
TEST_F(PointerTest, ImageButtonFollowsTheClickData)
{
    struct Row {
        const char* entries;    // null: the program's own click data
        bool sensitive;
        const char* fifthLine;  // null: no fifth line
        const char* title;
    };
    const Row rows[] = {
        {nullptr, false, "Sirius, the brightest star of the night sky, 8.6 light years away.",
         nullptr},
        {":STAR alphaCMa\n@IMAGE orion.jpg \"Dog star\"\n", true, nullptr, "Dog star"},
        {":STAR alphaCMa\n@TEXT \"Text only\"\n", false, "Text only", nullptr},
        {":STAR alphaCMa\n@TEXT \"Both\"\n@IMAGE m42.jpg \"First\"\n@IMAGE m45.jpg \"Second\"\n",
         true, "Both", "First"},
        {":M42\n@IMAGE m42.jpg \"Nebula\"\n", false, nullptr, nullptr},
    };
    const auto [x, y] = SiriusPixel();
    ClickAt(x, y);
    ASSERT_TRUE(ProgramDriver::PumpUntil([] { return XtIsManaged(Box()); }));
    Widget image = ProgramDriver::Find("ClickDataImage");
    int number = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(number);
        std::string path = UVOLA_SOURCE_DIR "/data/uvola.cdf";
        if (row.entries != nullptr) {
            path = TestHome() + "/box" + std::to_string(number) + ".cdf";
            WriteFile(path, row.entries);
        }
        ++number;
        LoadClickDataOverPort(*this, path);
        EXPECT_EQ(XtIsSensitive(image) == True, row.sensitive);
        const auto lines = BoxLines();
        ASSERT_EQ(lines.size(), row.fifthLine != nullptr ? 5u : 4u);
        if (row.fifthLine != nullptr) {
            EXPECT_EQ(lines[4], row.fifthLine);
        }
        ClickAt(x, y);
        ASSERT_TRUE(ProgramDriver::PumpUntil([] { return XtIsManaged(Box()); }));
        EXPECT_EQ(XtIsSensitive(image) == True, row.sensitive);
        if (row.title != nullptr) {
            XmPushButtonCallbackStruct press{};
            press.reason = XmCR_ACTIVATE;
            XtCallCallbacks(image, XmNactivateCallback, &press);
            ASSERT_TRUE(ViewerShows());
            EXPECT_EQ(ViewerTitle(), row.title);
            CloseImageDialog(nullptr, nullptr, nullptr);
        }
    }
    EXPECT_TRUE(driver.Texts().empty());
}

// A click-data text, short or long, is the box's fifth line as it stands:
// the box neither wraps it nor grows for it, and keeps its place and the
// 340 x 114 its resources give it.
TEST_F(PointerTest, InfoBoxShowsTheClickDataTextOnLineFiveAtItsOwnSize)
{
    const std::string sentence = "Sirius, the brightest star of the night sky, 8.6 light years away. ";
    const std::string rows[] = {"Short.", sentence + sentence + sentence, "Short."};
    const auto [x, y] = SiriusPixel();
    std::pair<int, int> place{};
    int number = 0;
    for (const std::string& text : rows) {
        SCOPED_TRACE(number);
        const std::string path = TestHome() + "/line" + std::to_string(number++) + ".cdf";
        WriteFile(path, ":STAR alphaCMa\n@TEXT \"" + text + "\"\n");
        LoadClickDataOverPort(*this, path);
        ClickAt(x, y);
        ASSERT_TRUE(ProgramDriver::PumpUntil([] { return XtIsManaged(Box()); }));
        driver.Pump();
        const auto lines = BoxLines();
        ASSERT_EQ(lines.size(), 5u);
        std::string shown = text;
        shown.erase(shown.find_last_not_of(' ') + 1);
        EXPECT_EQ(lines[4].substr(0, shown.size()), shown.substr(0, lines[4].size()));
        EXPECT_EQ(Box()->core.width, 340);
        EXPECT_EQ(Box()->core.height, 114);
        if (number == 1) {
            place = ProgramDriver::RootPoint(Box(), 0, 0);
        }
        EXPECT_EQ(ProgramDriver::RootPoint(Box(), 0, 0), place);
    }
    FreeClickData(Scene());
}

// Button 2 where M42 and a star lie together hands the pictures of both,
// each object's in its entry's order and the objects in the order the
// pointer's walk meets them, to the viewer; the pick stays as it was.
TEST_F(PointerTest, ButtonTwoShowsThePicturesOfEveryObjectThere)
{
    Reset("INIT; DATE 2024,3,20,21,0,0; MODE EQT; LOOK M42; DRIVE");
    int32_t m42 = -1;
    ASSERT_EQ(FindNebulaByDesignation("M42", m42), 1);
    double place[2];
    GetNebulaPosition(m42, place[0], place[1]);
    double v[3];
    VectorFromSpherical(place, v);
    ProjectedPoint point{};
    ASSERT_EQ(ProjectPointDouble(Scene(), v, point), 1);

    // What lies at M42's pixel, in the order the pointer finds it.
    std::vector<std::pair<int32_t, int32_t>> found;
    auto probe = std::make_unique<::Scene>(Scene());
    probe->pickedObject.picked = 0;
    while (FindNextObjectAt(*probe, point.x, point.y) != 0 && found.size() < 50) {
        const std::pair<int32_t, int32_t> object{probe->pickedObject.type, probe->pickedObject.id};
        if (!found.empty() && object == found.front()) {
            break;
        }
        found.push_back(object);
        probe->pickedObject.picked = 1;
    }
    std::vector<std::string> expected;
    char star[kObjectCommandTextSize] = "";
    for (const auto& [type, id] : found) {
        if (type == kObjectNebula && id == m42) {
            expected.emplace_back("Nebula");
        } else if (type == kObjectStar && star[0] == '\0' &&
                   FormatObjectCommandText(Scene(), type, id, star) != 0) {
            expected.emplace_back("Star one");
            expected.emplace_back("Star two");
        }
    }
    ASSERT_EQ(expected.size(), 3u) << "M42 and a star should share a pixel";
    const std::string path = TestHome() + "/pair.cdf";
    WriteFile(path, std::string(":M42\n@IMAGE m42.jpg \"Nebula\"\n:") + star +
                        "\n@IMAGE orion.jpg \"Star one\"\n@IMAGE m45.jpg \"Star two\"\n");
    LoadClickDataOverPort(*this, path);
    const PickedObject before = Scene().pickedObject;

    ClickAt(point.x, point.y, "2");
    ASSERT_TRUE(ViewerShows());
    EXPECT_EQ(std::memcmp(&before, &Scene().pickedObject, sizeof before), 0);
    std::vector<std::string> titles{ViewerTitle()};
    for (Widget next = ImageViewerState().next; XtIsSensitive(next) && titles.size() < 5;) {
        XmPushButtonCallbackStruct press{};
        press.reason = XmCR_ACTIVATE;
        XtCallCallbacks(next, XmNactivateCallback, &press);
        driver.Pump();
        titles.push_back(ViewerTitle());
    }
    EXPECT_EQ(titles, expected);
    EXPECT_TRUE(driver.Texts().empty());
}

}  // namespace
