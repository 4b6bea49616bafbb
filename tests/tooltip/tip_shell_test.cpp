// The tip shell on its own: where a tip goes, the entries it keeps, the
// sensitive flags, the dispatch for insensitive widgets, the waits (driven
// by crossing events whose times the test sets), and the shell going away
// as the program lets it (every widget detached first), which
// AddressSanitizer watches in the sanitized run.
#include <gtest/gtest.h>

#include "tooltip/tip_placement.h"
#include "tooltip/tip_shell.h"
#include "tests/harness/test_toplevel.h"

#include <X11/IntrinsicP.h>
#include <X11/ShellP.h>
#include <X11/StringDefs.h>
#include <Xm/Form.h>
#include <Xm/PushB.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

namespace {

// --- Placement, without X ----------------------------------------------------

TEST(TipPlacement, BelowAboveAndInsideTheScreen)
{
    struct Row {
        int rootX, rootY, widgetHeight, tipWidth, tipHeight;
        TipPlace expected;
    };
    // A 1280 x 1024 screen.
    const Row rows[] = {
        {100, 50, 20, 80, 18, {104, 74}},       // below, 4 pixels in and down
        {100, 982, 20, 80, 18, {104, 1006}},    // just fits: ends on the last row
        {100, 983, 20, 80, 18, {104, 961}},     // one more: above the widget
        {1190, 50, 20, 80, 18, {1194, 74}},     // fits as it is
        {1196, 50, 20, 80, 18, {1200, 74}},     // ends on the last column: fits
        {1197, 50, 20, 80, 18, {1199, 74}},     // one more: ends one pixel inside
        {-30, 50, 20, 80, 18, {0, 74}},         // never left of the screen
        {1250, 1010, 14, 80, 18, {1199, 988}},  // the corner: above and shifted
    };
    for (const Row& row : rows) {
        const TipPlace place = PlaceTip(row.rootX, row.rootY, row.widgetHeight, row.tipWidth,
                                        row.tipHeight, 1280, 1024);
        EXPECT_EQ(place.x, row.expected.x) << row.rootX << "," << row.rootY;
        EXPECT_EQ(place.y, row.expected.y) << row.rootX << "," << row.rootY;
    }
}

// --- The widget ----------------------------------------------------------------

XtAppContext app = nullptr;

bool PumpUntil(const std::function<bool()>& done, int milliseconds = 5000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        XSync(XtDisplay(gAppEnv->toplevel), False);
        while (XtAppPending(app) != 0) {
            XtAppProcessEvent(app, XtIMAll);
        }
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        XtAppAddTimeOut(app, 1, [](XtPointer, XtIntervalId*) {}, nullptr);
        XtAppProcessEvent(app, XtIMTimer);
    }
}

void Settle()
{
    PumpUntil([] { return false; }, 30);
}

class TipShellTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ResetAppEnv();
        OpenTestToplevel(app);
    }

    void SetUp() override
    {
        holder = XtVaAppCreateShell("holder", "UVola", topLevelShellWidgetClass,
                                    XtDisplay(gAppEnv->toplevel), XtNx, 100, XtNy, 100, nullptr);
        Widget row = XtVaCreateManagedWidget("row", xmFormWidgetClass, holder, nullptr);
        first = XtVaCreateManagedWidget("first", xmPushButtonWidgetClass, row, XmNwidth, 60,
                                        XmNheight, 20, nullptr);
        second = XtVaCreateManagedWidget("second", xmPushButtonWidgetClass, row, XmNx, 70,
                                         XmNwidth, 60, XmNheight, 20, nullptr);
        XtRealizeWidget(holder);
        tip = XtCreatePopupShell("TipHelp", tipShellWidgetClass, gAppEnv->toplevel, nullptr, 0);
        // Short waits keep the test quick; the rules are the same.
        XtVaSetValues(tip, XtNwaitPeriod, 20, nullptr);
        Settle();
    }

    // As the program does: the widgets are detached before the shell goes.
    void TearDown() override
    {
        if (tip != nullptr) {
            TipShellDeleteWidget(tip, first);
            TipShellDeleteWidget(tip, second);
            XtDestroyWidget(tip);
        }
        XtDestroyWidget(holder);
        Settle();
    }

    bool Up() const { return reinterpret_cast<ShellWidget>(tip)->shell.popped_up != 0; }

    // A crossing or a press on a watched widget, at a time of our choosing.
    static XEvent Event(Widget widget, int type, Time time)
    {
        XEvent event{};
        event.type = type;
        event.xany.display = XtDisplay(widget);
        event.xany.window = XtWindow(widget);
        if (type == ButtonPress) {
            event.xbutton.time = time;
            event.xbutton.button = 1;
        } else {
            event.xcrossing.time = time;
            event.xcrossing.mode = NotifyNormal;
            event.xcrossing.detail = NotifyAncestor;
        }
        return event;
    }

    static void Send(Widget widget, int type, Time time)
    {
        XEvent event = Event(widget, type, time);
        XtDispatchEvent(&event);
    }

    int TextWidth(const char* text) const
    {
        XFontSet fontSet = nullptr;
        XtVaGetValues(tip, XtNfontSet, &fontSet, nullptr);
        XRectangle ink{};
        XRectangle logical{};
        XmbTextExtents(fontSet, text, static_cast<int>(std::strlen(text)), &ink, &logical);
        return logical.width;
    }

    // The tip of a widget, popped up by an enter and taken down again.
    int ShownWidth(Widget widget, Time& time)
    {
        Send(widget, EnterNotify, time += 10000);
        EXPECT_TRUE(PumpUntil([this] { return Up(); }));
        const int width = tip->core.width;
        Send(widget, LeaveNotify, ++time);
        EXPECT_FALSE(Up());
        return width;
    }

    Widget holder = nullptr;
    Widget first = nullptr;
    Widget second = nullptr;
    Widget tip = nullptr;
};

TEST_F(TipShellTest, ShowsBelowItsWidgetAfterTheWaitAndGoesOnLeaving)
{
    TipShellAddWidget(tip, first, "Horizontal Mode", 0, 0);
    XtVaSetValues(tip, XtNwaitPeriod, 300, nullptr);
    const auto entered = std::chrono::steady_clock::now();
    Send(first, EnterNotify, 10000);
    ASSERT_TRUE(PumpUntil([this] { return Up(); }));
    EXPECT_GE(std::chrono::steady_clock::now() - entered, std::chrono::milliseconds(300));
    Position x = 0;
    Position y = 0;
    XtTranslateCoords(first, 0, 0, &x, &y);
    EXPECT_EQ(tip->core.x, x + 4);
    EXPECT_EQ(tip->core.y, y + first->core.height + 4);
    EXPECT_EQ(tip->core.width, TextWidth("Horizontal Mode") + 4);
    Send(first, LeaveNotify, 10100);
    EXPECT_FALSE(Up());
}

TEST_F(TipShellTest, NextTipWithinTheCancelWaitComesAtOnce)
{
    TipShellAddWidget(tip, first, "one", 0, 0);
    TipShellAddWidget(tip, second, "two", 0, 0);
    Send(first, EnterNotify, 10000);
    ASSERT_TRUE(PumpUntil([this] { return Up(); }));
    // A press hides the tip and counts as a popdown.
    Send(first, ButtonPress, 20000);
    EXPECT_FALSE(Up());
    // From now on a real wait would never end within the test.
    XtVaSetValues(tip, XtNwaitPeriod, 600000, nullptr);
    Send(second, EnterNotify, 21999);
    EXPECT_TRUE(PumpUntil([this] { return Up(); }, 2000)) << "within 2 s: at once";
    Send(second, LeaveNotify, 22000);
    Send(first, EnterNotify, 24001);
    Settle();
    EXPECT_FALSE(Up()) << "more than 2 s later: the whole wait again";
    Send(first, LeaveNotify, 24002);
}

TEST_F(TipShellTest, EnterThatIsNotNormalShowsNothing)
{
    TipShellAddWidget(tip, first, "one", 0, 0);
    XEvent event = Event(first, EnterNotify, 10000);
    event.xcrossing.mode = NotifyGrab;
    XtDispatchEvent(&event);
    Settle();
    EXPECT_FALSE(Up());
}

TEST_F(TipShellTest, AddingAgainReplacesTheTextAndKeepsOneEntry)
{
    Time time = 0;
    TipShellAddWidget(tip, first, "short", 0, 0);
    TipShellAddWidget(tip, first, "a rather longer tip", 0, 0);
    EXPECT_EQ(ShownWidth(first, time), TextWidth("a rather longer tip") + 4);
    TipShellAddWidget(tip, first, nullptr, 0, 0);
    EXPECT_EQ(ShownWidth(first, time), TextWidth("a rather longer tip") + 4) << "null keeps it";
    TipShellAddWidget(tip, first, "abcdef", 3, 0);
    EXPECT_EQ(ShownWidth(first, time), TextWidth("abc") + 4) << "size bytes at most";
    // A text shorter than the size is read only to its end: the buffer
    // holds exactly "ab" and its NUL, and the sanitizer would see more.
    char* exact = static_cast<char*>(std::malloc(3));
    std::memcpy(exact, "ab", 3);
    TipShellAddWidget(tip, first, exact, 100, 0);
    std::free(exact);
    EXPECT_EQ(ShownWidth(first, time), TextWidth("ab") + 4);

    TipShellDeleteWidget(tip, first);
    EXPECT_FALSE(TipShellGetSensitive(tip, first)) << "one delete leaves no entry behind";
    Send(first, EnterNotify, time += 10000);
    Settle();
    EXPECT_FALSE(Up()) << "its handlers are gone";
    TipShellDeleteWidget(tip, first);   // not watched: ignored
}

TEST_F(TipShellTest, SensitiveFlags)
{
    EXPECT_FALSE(TipShellGetSensitive(tip, nullptr)) << "no entries";
    TipShellAddWidget(tip, first, "one", 0, 0);
    TipShellAddWidget(tip, second, "two", 0, 0);
    EXPECT_TRUE(TipShellGetSensitive(tip, first));
    TipShellSetSensitive(tip, first, False);
    EXPECT_FALSE(TipShellGetSensitive(tip, first));
    EXPECT_FALSE(TipShellGetSensitive(tip, nullptr)) << "the first entry's flag";
    EXPECT_TRUE(TipShellGetSensitive(tip, second));
    Send(first, EnterNotify, 10000);
    Settle();
    EXPECT_FALSE(Up()) << "an insensitive entry shows nothing";
    Send(first, LeaveNotify, 10001);
    TipShellSetSensitive(tip, nullptr, True);
    EXPECT_TRUE(TipShellGetSensitive(tip, first));
    EXPECT_TRUE(TipShellGetSensitive(tip, second));
    EXPECT_FALSE(TipShellGetSensitive(tip, holder)) << "not watched";
}

// The toolkit keeps crossing events from insensitive widgets; the event
// loop hands them to the shell instead.
TEST_F(TipShellTest, DispatchServesInsensitiveWidgetsOnly)
{
    TipShellAddWidget(tip, first, "one", 0, 0);
    TipShellAddWidget(tip, second, "two", 0, 0);
    XEvent enter = Event(first, EnterNotify, 10000);
    EXPECT_FALSE(TipShellDispatchEvent(tip, &enter)) << "sensitive: the toolkit delivers it";
    XtSetSensitive(first, False);
    EXPECT_TRUE(TipShellDispatchEvent(tip, &enter));
    EXPECT_TRUE(PumpUntil([this] { return Up(); }));
    XEvent leave = Event(first, LeaveNotify, 10001);
    EXPECT_TRUE(TipShellDispatchEvent(tip, &leave));
    EXPECT_FALSE(Up());
    XEvent press = Event(first, ButtonPress, 10002);
    EXPECT_FALSE(TipShellDispatchEvent(tip, &press));
    // Any other event is not looked at, whatever the widget.
    EXPECT_FALSE(TipShellDispatchEvent(first, &press));
}

TEST_F(TipShellTest, PlacedAboveAndInsideAtTheScreensEdges)
{
    Screen* screen = XtScreen(tip);
    Widget corner = XtVaAppCreateShell("corner", "UVola", topLevelShellWidgetClass,
                                       XtDisplay(tip), XtNx, WidthOfScreen(screen) - 30, XtNy,
                                       HeightOfScreen(screen) - 20, XtNwidth, 30, XtNheight, 20,
                                       nullptr);
    Widget button = XtVaCreateManagedWidget("button", xmPushButtonWidgetClass, corner, XmNwidth,
                                            30, XmNheight, 20, nullptr);
    XtRealizeWidget(corner);
    Settle();
    TipShellAddWidget(tip, button, "a tip wider than the button", 0, 0);
    Send(button, EnterNotify, 10000);
    ASSERT_TRUE(PumpUntil([this] { return Up(); }));
    Position x = 0;
    Position y = 0;
    XtTranslateCoords(button, 0, 0, &x, &y);
    EXPECT_EQ(tip->core.y, y - tip->core.height - 4) << "above";
    EXPECT_EQ(tip->core.x + tip->core.width, WidthOfScreen(screen) - 1) << "one pixel inside";
    TipShellDeleteWidget(tip, button);
    XtDestroyWidget(corner);
    Settle();
}

// Deleting detaches only: a tip on its way never comes, a tip shown stays
// up, and the watched widget keeps no callback of the shell's.
TEST_F(TipShellTest, DeletingAnEntryLeavesAShownTipUp)
{
    TipShellAddWidget(tip, first, "one", 0, 0);
    TipShellAddWidget(tip, second, "two", 0, 0);
    EXPECT_EQ(XtHasCallbacks(first, XtNdestroyCallback), XtCallbackHasNone);
    Send(first, EnterNotify, 10000);
    TipShellDeleteWidget(tip, first);
    Settle();
    EXPECT_FALSE(Up()) << "the pending tip went with its entry";
    Send(second, EnterNotify, 20000);
    ASSERT_TRUE(PumpUntil([this] { return Up(); }));
    TipShellDeleteWidget(tip, second);
    Settle();
    EXPECT_TRUE(Up());
    EXPECT_FALSE(TipShellGetSensitive(tip, nullptr)) << "no entry left";
}

// The environment dialog's way: every widget detached, then the shell
// destroyed with its tip up; the class has no destroy method of its own,
// and the widgets live on unharmed.
TEST_F(TipShellTest, DestroyedAfterItsWidgetsAreDetached)
{
    EXPECT_EQ(tipShellWidgetClass->core_class.destroy, nullptr);
    TipShellAddWidget(tip, first, "one", 0, 0);
    Send(first, EnterNotify, 10000);
    ASSERT_TRUE(PumpUntil([this] { return Up(); }));
    TipShellDeleteWidget(tip, first);
    XtDestroyWidget(tip);
    tip = nullptr;
    Settle();
    Send(first, LeaveNotify, 20000);
    Send(first, ButtonPress, 20001);
    Settle();
}

TEST_F(TipShellTest, FallsBackToFixedWhenTheFontIsMissing)
{
    XrmDatabase database = XtScreenDatabase(XtScreen(gAppEnv->toplevel));
    XrmPutLineResource(&database, "*NoFontTip.fontSet: -nosuchfoundry-nosuchfamily-*");
    Widget other = XtCreatePopupShell("NoFontTip", tipShellWidgetClass, gAppEnv->toplevel,
                                      nullptr, 0);
    XtVaSetValues(other, XtNwaitPeriod, 10, nullptr);
    TipShellAddWidget(other, first, "still shown", 0, 0);
    Send(first, EnterNotify, 10000);
    EXPECT_TRUE(PumpUntil([other] { return reinterpret_cast<ShellWidget>(other)->shell.popped_up != 0; }));
    TipShellDeleteWidget(other, first);
    XtDestroyWidget(other);
    Settle();
}

TEST_F(TipShellTest, AnotherKindOfWidgetStopsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(TipShellAddWidget(first, second, "tip", 0, 0),
                 "Wrong class of widget passed to TipShellAddWidget");
    EXPECT_DEATH(TipShellSetSensitive(holder, nullptr, True),
                 "Wrong class of widget passed to TipShellSetSensitive");
}

}  // namespace
