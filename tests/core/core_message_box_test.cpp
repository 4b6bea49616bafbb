// The message and question boxes, message lookup through a real toplevel
// shell, and number fields, under a private X server.
#include <gtest/gtest.h>

#include "core/app_env.h"
#include "core/message_box.h"
#include "core/messages.h"
#include "core/string_utils.h"
#include "data/fallback_resources.h"
#include "tests/harness/test_toplevel.h"

#include <X11/IntrinsicP.h>
#include <X11/Shell.h>
#include <Xm/MessageB.h>
#include <Xm/PushB.h>
#include <Xm/Text.h>
#include <Xm/TextF.h>
#include <Xm/Xm.h>
#include <chrono>
#include <climits>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

XtAppContext app = nullptr;

Widget Toplevel()
{
    if (gAppEnv->toplevel == nullptr) {
        OpenTestToplevel(app);
    }
    return gAppEnv->toplevel;
}

// Runs the event loop until the condition holds or two seconds pass.
bool ProcessUntil(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        XSync(XtDisplay(Toplevel()), False);
        while (XtAppPending(app) != 0) {
            XtAppProcessEvent(app, XtIMAll);
        }
    }
    return true;
}

std::vector<Widget> MessageBoxes()
{
    std::vector<Widget> boxes;
    Widget top = Toplevel();
    for (Cardinal i = 0; i < top->core.num_popups; ++i) {
        Widget shell = top->core.popup_list[i];
        if (shell->core.being_destroyed) {
            continue;
        }
        Widget dialog = XtNameToWidget(shell, "MessageBox");
        if (dialog != nullptr) {
            boxes.push_back(dialog);
        }
    }
    return boxes;
}

bool IsShown(Widget widget)
{
    if (!XtIsRealized(widget)) {
        return false;
    }
    XWindowAttributes attributes;
    XGetWindowAttributes(XtDisplay(widget), XtWindow(widget), &attributes);
    return attributes.map_state == IsViewable;
}

std::string MessageOf(Widget dialog)
{
    XmString message = nullptr;
    XtVaGetValues(dialog, XmNmessageString, &message, nullptr);
    char* text = static_cast<char*>(
        XmStringUnparse(message, nullptr, XmCHARSET_TEXT, XmCHARSET_TEXT, nullptr, 0, XmOUTPUT_ALL));
    std::string result = text != nullptr ? text : "";
    XtFree(text);
    XmStringFree(message);
    return result;
}

// The box's buttons are gadgets, which take no actions: run what a click
// runs, the button's activate callbacks.
void Activate(Widget button)
{
    XEvent event{};
    event.xbutton.type = ButtonRelease;
    event.xbutton.display = XtDisplayOfObject(button);
    event.xbutton.window = XtWindowOfObject(button);
    XmPushButtonCallbackStruct click{};
    click.reason = XmCR_ACTIVATE;
    click.event = &event;
    click.click_count = 1;
    XtCallCallbacks(button, XmNactivateCallback, &click);
}

void CloseAllMessageBoxes()
{
    for (Widget box : MessageBoxes()) {
        XtDestroyWidget(XtParent(box));
    }
    ProcessUntil([] { return MessageBoxes().empty(); });
}

// ---------------------------------------------------------------------------
// Message lookup through the toolkit

TEST(MessagesWithToplevel, KnownUnknownAndLongKeys)
{
    Toplevel();
    char text[512];
    GetMessage("stkErrorFileNotFound", text, sizeof text);
    EXPECT_STREQ(text, "%s: File not found: %s");
    std::memset(text, 'x', sizeof text);
    GetMessage("messageNotAKeyAtAll", text, sizeof text);
    EXPECT_STREQ(text, "");
    std::memset(text, 'x', sizeof text);
    GetMessage("stkErrorFileNotFound", text, 6);
    EXPECT_STREQ(text, "%s: F");
    EXPECT_EQ(text[6], 'x');
}

// Before the toplevel exists the texts come from the compiled list; they
// must read the same as through the toolkit afterwards.
TEST(MessagesWithToplevel, EveryMessageReadsAsWithoutDisplay)
{
    Widget top = Toplevel();
    int compared = 0;
    for (char** line = FallbackResourceList(); *line != nullptr; ++line) {
        const char* path = *line + 5;
        const char* colon = std::strchr(path, ':');
        if (std::strncmp(*line, "UVola*", 6) != 0 || colon == nullptr) {
            continue;
        }
        const std::string key(path + 1, colon);
        if (key.find_first_of("*.") != std::string::npos ||
            (key.rfind("message", 0) != 0 && key.rfind("stkError", 0) != 0)) {
            continue;
        }
        char withX[1024];
        char withoutX[1024];
        GetMessage(key.c_str(), withX, sizeof withX);
        gAppEnv->toplevel = nullptr;
        GetMessage(key.c_str(), withoutX, sizeof withoutX);
        gAppEnv->toplevel = top;
        EXPECT_STREQ(withX, withoutX) << key;
        ++compared;
    }
    EXPECT_GE(compared, 11);
}

TEST(MessagesWithToplevel, UserResourcesOverrideTheDefaults)
{
    Widget top = Toplevel();
    XrmDatabase database = XtDatabase(XtDisplay(top));
    XrmPutStringResource(&database, "UVola*stkErrorOutOfMemory", "%s: Plus de m\xE9moire.");
    char text[256];
    GetMessage("stkErrorOutOfMemory", text, sizeof text);
    EXPECT_STREQ(text, "%s: Plus de m\xE9moire.");
    XrmPutStringResource(&database, "UVola*stkErrorOutOfMemory", "%s: Insufficient memory.");
}

// ---------------------------------------------------------------------------
// Message boxes

TEST(MessageBox, EachCallMapsANewBoxWithOnlyOk)
{
    Widget top = Toplevel();
    CloseAllMessageBoxes();
    ShowMessageBox(top, "first", kMessageBoxWarning);
    ShowMessageBox(top, "second", kMessageBoxWarning);
    ASSERT_TRUE(ProcessUntil([] {
        auto boxes = MessageBoxes();
        return boxes.size() == 2 && IsShown(XtParent(boxes[0])) && IsShown(XtParent(boxes[1]));
    }));
    auto boxes = MessageBoxes();
    EXPECT_EQ(MessageOf(boxes[0]), "first");
    EXPECT_EQ(MessageOf(boxes[1]), "second");
    for (Widget box : boxes) {
        EXPECT_TRUE(XtIsManaged(XmMessageBoxGetChild(box, XmDIALOG_OK_BUTTON)));
        EXPECT_FALSE(XtIsManaged(XmMessageBoxGetChild(box, XmDIALOG_CANCEL_BUTTON)));
        EXPECT_FALSE(XtIsManaged(XmMessageBoxGetChild(box, XmDIALOG_HELP_BUTTON)));
    }
    // OK closes that box and only that one, and it is gone for good.
    Activate(XmMessageBoxGetChild(boxes[0], XmDIALOG_OK_BUTTON));
    ASSERT_TRUE(ProcessUntil([] { return MessageBoxes().size() == 1; }));
    EXPECT_EQ(MessageOf(MessageBoxes()[0]), "second");
    CloseAllMessageBoxes();
}

// The window's title, as the window manager shows it.
std::string TitleOf(Widget dialog)
{
    char* title = nullptr;
    XtVaGetValues(XtParent(dialog), XtNtitle, &title, nullptr);
    return title != nullptr ? title : "";
}

// Whether a shown box's window is exactly as wide as its own layout asks.
bool HasItsOwnWidth(Widget dialog)
{
    XtWidgetGeometry preferred{};
    XtQueryGeometry(dialog, nullptr, &preferred);
    return XtParent(dialog)->core.width == preferred.width;
}

// A box keeps the toolkit's title (its shell's name) and the width its
// text and buttons give it.
TEST(MessageBox, TypeChoosesTheKindOfDialog)
{
    Widget top = Toplevel();
    const struct {
        int type;
        unsigned char kind;
    } rows[] = {
        {kMessageBoxPlain, XmDIALOG_MESSAGE},     {kMessageBoxInformation, XmDIALOG_INFORMATION},
        {kMessageBoxWarning, XmDIALOG_WARNING},   {kMessageBoxError, XmDIALOG_ERROR},
        {0, XmDIALOG_ERROR},                      {99, XmDIALOG_ERROR},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.type);
        CloseAllMessageBoxes();
        ShowMessageBox(top, "OK", row.type);
        auto boxes = MessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        unsigned char kind = 0;
        unsigned char style = 0;
        XtVaGetValues(boxes[0], XmNdialogType, &kind, XmNdialogStyle, &style, nullptr);
        EXPECT_EQ(kind, row.kind);
        EXPECT_EQ(style, XmDIALOG_FULL_APPLICATION_MODAL);
        EXPECT_EQ(TitleOf(boxes[0]), "MessageBox_popup");
        ASSERT_TRUE(ProcessUntil([&] { return IsShown(XtParent(boxes[0])); }));
        EXPECT_TRUE(HasItsOwnWidth(boxes[0]));
    }
    CloseAllMessageBoxes();
}

int gArms = 0;

void CountArm(Widget, XtPointer, XtPointer)
{
    ++gArms;
}

// A press on a button of another window of the program, as the main
// window's menu bar would get it.
void PressButton(Widget button)
{
    XEvent event{};
    event.xbutton.type = ButtonPress;
    event.xbutton.display = XtDisplay(button);
    event.xbutton.window = XtWindow(button);
    event.xbutton.button = Button1;
    event.xbutton.x = 2;
    event.xbutton.y = 2;
    event.xbutton.same_screen = True;
    event.xbutton.time = CurrentTime;
    XtDispatchEvent(&event);
}

// While a warning is up the rest of the program takes no input: the box
// must be answered first.
TEST(MessageBox, WhileABoxIsUpNoOtherWindowTakesInput)
{
    Widget top = Toplevel();
    CloseAllMessageBoxes();
    Widget shell = XtVaAppCreateShell("other", "UVola", topLevelShellWidgetClass, XtDisplay(top),
                                      XmNwidth, 60, XmNheight, 30, nullptr);
    Widget button = XmCreatePushButton(shell, const_cast<char*>("ButtonOther"), nullptr, 0);
    XtManageChild(button);
    XtAddCallback(button, XmNarmCallback, CountArm, nullptr);
    XtRealizeWidget(shell);
    gArms = 0;
    PressButton(button);
    EXPECT_EQ(gArms, 1) << "without a box the button takes the press";

    ShowMessageBox(top, "modal", kMessageBoxWarning);
    ASSERT_TRUE(ProcessUntil([] { return MessageBoxes().size() == 1 && IsShown(XtParent(MessageBoxes()[0])); }));
    gArms = 0;
    PressButton(button);
    EXPECT_EQ(gArms, 0) << "the box lets another window take input";
    CloseAllMessageBoxes();
    gArms = 0;
    PressButton(button);
    EXPECT_EQ(gArms, 1) << "the closed box still holds the input";
    XtDestroyWidget(shell);
}

TEST(MessageBox, EmptyTextGivesAnEmptyBox)
{
    Widget top = Toplevel();
    CloseAllMessageBoxes();
    char text[64];
    GetMessage("messageNoSuchKey", text, sizeof text);
    ShowMessageBox(top, text, kMessageBoxWarning);
    ASSERT_EQ(MessageBoxes().size(), 1u);
    EXPECT_EQ(MessageOf(MessageBoxes()[0]), "");
    CloseAllMessageBoxes();
}

// ---------------------------------------------------------------------------
// Question box, answered by a timer as a user would

struct Answerer {
    unsigned char button;     // XmDIALOG_OK_BUTTON, XmDIALOG_CANCEL_BUTTON, or 0: close
    bool fired = false;
    Widget dialogSeen = nullptr;
};

void AnswerQuestion(XtPointer clientData, XtIntervalId*)
{
    auto* answerer = static_cast<Answerer*>(clientData);
    answerer->fired = true;
    Widget dialog = XtNameToWidget(Toplevel(), "*QuestionDialog");
    answerer->dialogSeen = dialog;
    if (dialog == nullptr || !IsShown(XtParent(dialog))) {
        XtAppAddTimeOut(app, 50, AnswerQuestion, clientData);
        return;
    }
    if (answerer->button == 0) {
        XtUnmanageChild(dialog);   // as when the window manager closes it
    } else {
        Activate(XmMessageBoxGetChild(dialog, answerer->button));
    }
}

int AskAnsweredBy(Answerer& answerer, const char* question)
{
    XtAppAddTimeOut(app, 100, AnswerQuestion, &answerer);
    return AskQuestion(Toplevel(), question);
}

TEST(QuestionBox, OkGivesOneCancelGivesZeroAndTheDialogIsReused)
{
    Toplevel();
    Answerer ok{XmDIALOG_OK_BUTTON};
    EXPECT_EQ(AskAnsweredBy(ok, "Quit Uvola?"), 1);
    EXPECT_TRUE(ok.fired);   // it waited for the answer
    ASSERT_NE(ok.dialogSeen, nullptr);
    EXPECT_EQ(MessageOf(ok.dialogSeen), "Quit Uvola?");

    Answerer cancel{XmDIALOG_CANCEL_BUTTON};
    EXPECT_EQ(AskAnsweredBy(cancel, "Really?"), 0);
    EXPECT_TRUE(cancel.fired);
    EXPECT_EQ(cancel.dialogSeen, ok.dialogSeen);
    EXPECT_EQ(MessageOf(cancel.dialogSeen), "Really?");
    EXPECT_FALSE(XtIsManaged(cancel.dialogSeen));
}

TEST(QuestionBox, IsModalWithCancelAsDefault)
{
    Toplevel();
    Answerer ok{XmDIALOG_OK_BUTTON};
    AskAnsweredBy(ok, "?");
    unsigned char style = 0;
    unsigned char defaultButton = 0;
    XtVaGetValues(ok.dialogSeen, XmNdialogStyle, &style, XmNdefaultButtonType, &defaultButton,
                  nullptr);
    EXPECT_EQ(style, XmDIALOG_PRIMARY_APPLICATION_MODAL);
    EXPECT_EQ(defaultButton, XmDIALOG_CANCEL_BUTTON);
    EXPECT_FALSE(XtIsManaged(XmMessageBoxGetChild(ok.dialogSeen, XmDIALOG_HELP_BUTTON)));
    EXPECT_EQ(TitleOf(ok.dialogSeen), "QuestionDialog_popup");
    EXPECT_TRUE(HasItsOwnWidth(ok.dialogSeen));
}

TEST(QuestionBox, ClosedWithoutAnAnswerCountsAsCancel)
{
    Toplevel();
    Answerer closer{0};
    EXPECT_EQ(AskAnsweredBy(closer, "Close me"), 0);
    EXPECT_TRUE(closer.fired);
}

// ---------------------------------------------------------------------------
// Number fields

TEST(TextFields, ReadNumbersLikeStrtolAndStrtodWithoutOverflow)
{
    // Both kinds of text widget the dialogs use.
    Widget fields[] = {
        XmCreateTextField(Toplevel(), const_cast<char*>("EditNumber"), nullptr, 0),
        XmCreateText(Toplevel(), const_cast<char*>("EditText"), nullptr, 0),
    };
    const std::pair<const char*, int> integers[] = {
        {"12", 12},   {" -7", -7}, {"42abc", 42},          {"7000x", 7000},
        {"", 0},      {"abc", 0},  {"99999999999999", INT_MAX}, {"-99999999999999", INT_MIN},
        {"0x1f", 0},
    };
    const std::pair<const char*, double> reals[] = {
        {"4.5", 4.5}, {"-1.25x", -1.25}, {"", 0.0}, {"mag", 0.0}, {"nan", 0.0}, {"inf", 0.0},
        {"1e999", 0.0},
    };
    for (Widget field : fields) {
        for (const auto& [text, expected] : integers) {
            XmTextSetString(field, const_cast<char*>(text));
            EXPECT_EQ(GetTextFieldInt(field), expected) << text;
        }
        for (const auto& [text, expected] : reals) {
            XmTextSetString(field, const_cast<char*>(text));
            EXPECT_EQ(GetTextFieldDouble(field), expected) << text;
        }
        XtDestroyWidget(field);
    }
}

}  // namespace
