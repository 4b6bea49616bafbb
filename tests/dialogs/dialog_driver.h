// Driving widgets in-process under Xvfb, as a user would: fields typed,
// toggles and list items chosen and buttons pressed through the widgets' own
// callbacks, the window manager's close sent as the X message it is, and
// every text handed to StkExecuteText while a driver lives recorded, in
// order. WidgetDriver holds what every driver shares; DialogDriver drives a
// dialog built on the canvas fixture's application shell (so a test can give
// the Scene a real canvas); tests/mainwin/program_driver.h drives the whole
// program, started as main starts it.
#pragma once

#include <gtest/gtest.h>

#include "command/interpreter.h"
#include "core/app_env.h"
#include "tests/sky/sky_canvas_fixture.h"

#include <X11/IntrinsicP.h>
#include <Xm/List.h>
#include <Xm/MessageB.h>
#include <Xm/PushB.h>
#include <Xm/Text.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace dialogtest {

inline std::vector<std::string>& RecordedTexts()
{
    static std::vector<std::string> texts;
    return texts;
}

inline void RecordText(const char* text)
{
    RecordedTexts().push_back(text);
}

// How a driver's pump hands an X event on: the toolkit's dispatch, or the
// program's own turn of its event loop.
using EventDispatcher = void (*)(XEvent& event);

inline void ToolkitDispatch(XEvent& event)
{
    XtDispatchEvent(&event);
}

class WidgetDriver {
public:
    WidgetDriver(XtAppContext app, EventDispatcher dispatcher)
    {
        App() = app;
        Dispatcher() = dispatcher;
        RecordedTexts().clear();
        gStkTextObserver = RecordText;
    }
    ~WidgetDriver() { gStkTextObserver = nullptr; }
    WidgetDriver(const WidgetDriver&) = delete;
    WidgetDriver& operator=(const WidgetDriver&) = delete;

    // The texts StkExecuteText was given, in order.
    const std::vector<std::string>& Texts() const { return RecordedTexts(); }
    void ForgetTexts() { RecordedTexts().clear(); }

    // A descendant of the dialog by name; a missing one fails the test.
    static Widget Child(Widget dialog, const char* name)
    {
        Widget widget = XtNameToWidget(dialog, ("*" + std::string(name)).c_str());
        EXPECT_NE(widget, nullptr) << "no widget " << name;
        return widget;
    }

    void Type(Widget dialog, const char* field, const char* text)
    {
        XmTextSetString(Child(dialog, field), const_cast<char*>(text));
        Pump();
    }

    static std::string Text(Widget dialog, const char* field)
    {
        char* value = XmTextGetString(Child(dialog, field));
        std::string text = value;
        XtFree(value);
        return text;
    }

    // Sets a toggle and tells its valueChanged callbacks, as a click does.
    void SetToggle(Widget dialog, const char* toggle, bool on)
    {
        XmToggleButtonSetState(Child(dialog, toggle), on ? True : False, True);
        Pump();
    }

    static bool IsSet(Widget dialog, const char* toggle)
    {
        return XmToggleButtonGetState(Child(dialog, toggle)) != 0;
    }

    // A push or arrow button pressed: its activate callbacks run.
    void Press(Widget dialog, const char* button)
    {
        XmPushButtonCallbackStruct press{};
        press.reason = XmCR_ACTIVATE;
        press.click_count = 1;
        XtCallCallbacks(Child(dialog, button), XmNactivateCallback, &press);
        Pump();
    }

    // A list item chosen with notification, as a click does.
    void Select(Widget dialog, const char* list, int position)
    {
        XmListSelectPos(Child(dialog, list), position, True);
        Pump();
    }

    // The window manager's close button: WM_DELETE_WINDOW sent to the
    // dialog's shell window; returns once the dialog is down.
    bool CloseFromWindowManager(Widget dialog)
    {
        Widget shell = XtParent(dialog);
        Display* display = XtDisplay(shell);
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = XtWindow(shell);
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, XtWindow(shell), False, NoEventMask, &event);
        return PumpUntil([dialog] { return !XtIsManaged(dialog); });
    }

    // Handles every event the server has sent and every timer and input
    // that is due, for at most 50 ms: a timer that re-arms itself faster
    // than its work takes would keep the pump busy for good.
    static void Pump()
    {
        XSync(gAppEnv->display, False);
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(50);
        while (XtInputMask pending = XtAppPending(App())) {
            if (std::chrono::steady_clock::now() > until) {
                return;
            }
            if ((pending & XtIMXEvent) != 0) {
                XEvent event;
                XtAppNextEvent(App(), &event);
                Dispatcher()(event);
            } else {
                XtAppProcessEvent(App(), pending);
            }
        }
    }

    // Pumps until the condition holds or the time is up, waiting a
    // millisecond between rounds (timers and work procedures run meanwhile).
    static bool PumpUntil(const std::function<bool()>& done,
                          std::chrono::milliseconds limit = std::chrono::seconds(5))
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            Pump();
            XtAppAddTimeOut(App(), 1, [](XtPointer, XtIntervalId*) {}, nullptr);
            XtAppProcessEvent(App(), XtIMTimer | XtIMAlternateInput);
        }
        return true;
    }

    // The texts of the message boxes open on a parent, oldest first.
    static std::vector<std::string> MessageBoxes(Widget parent)
    {
        std::vector<std::string> texts;
        for (Widget box : Boxes(parent)) {
            texts.push_back(StringResource(box, XmNmessageString));
        }
        return texts;
    }

    // The plain text of a widget's compound-string resource (a label's
    // XmNlabelString, a box's XmNmessageString).
    static std::string StringResource(Widget widget, const char* resource)
    {
        XmString string = nullptr;
        XtVaGetValues(widget, resource, &string, nullptr);
        char* text = static_cast<char*>(XmStringUnparse(string, nullptr, XmCHARSET_TEXT,
                                                        XmCHARSET_TEXT, nullptr, 0, XmOUTPUT_ALL));
        std::string plain = text != nullptr ? text : "";
        XtFree(text);
        XmStringFree(string);
        return plain;
    }

    // The plain texts of a list's items, in order.
    static std::vector<std::string> ListItems(Widget list)
    {
        XmStringTable items = nullptr;
        int count = 0;
        XtVaGetValues(list, XmNitems, &items, XmNitemCount, &count, nullptr);
        std::vector<std::string> texts;
        for (int i = 0; i < count; ++i) {
            char* text = static_cast<char*>(XmStringUnparse(items[i], nullptr, XmCHARSET_TEXT,
                                                            XmCHARSET_TEXT, nullptr, 0,
                                                            XmOUTPUT_ALL));
            texts.emplace_back(text != nullptr ? text : "");
            XtFree(text);
        }
        return texts;
    }

    static void CloseMessageBoxes(Widget parent)
    {
        for (Widget box : Boxes(parent)) {
            XtDestroyWidget(XtParent(box));
        }
        Pump();
    }

protected:
    static XtAppContext& App()
    {
        static XtAppContext app = nullptr;
        return app;
    }

    static EventDispatcher& Dispatcher()
    {
        static EventDispatcher dispatcher = ToolkitDispatch;
        return dispatcher;
    }

private:
    static std::vector<Widget> Boxes(Widget parent)
    {
        std::vector<Widget> boxes;
        for (Cardinal i = 0; i < parent->core.num_popups; ++i) {
            Widget shell = parent->core.popup_list[i];
            Widget box = XtNameToWidget(shell, "MessageBox");
            if (!shell->core.being_destroyed && box != nullptr) {
                boxes.push_back(box);
            }
        }
        return boxes;
    }
};

// A dialog built on the canvas fixture's application shell.
class DialogDriver : public WidgetDriver {
public:
    DialogDriver() : WidgetDriver(canvastest::World().app, ToolkitDispatch) {}
};

}  // namespace dialogtest
