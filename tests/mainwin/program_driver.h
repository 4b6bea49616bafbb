// Driving the real program in-process under Xvfb: uvola started by the same
// StartUvola that main calls (with "-q", in the harness's private home, its
// site list from the source tree and its command port on a free loopback
// port), its widgets found by name, real input injected with xdotool at
// their root coordinates, and events pumped through the program's own turn
// of its event loop (so the tip shell sees them first) until the trace
// shows the text expected.
//
// One program per test process: the first ProgramDriver starts it, later
// ones reuse it. Tests that inject input share the ctest RESOURCE_LOCK
// "xinput" (tests/mainwin/mainwin.cmake).
#pragma once

#include "tests/dialogs/dialog_driver.h"
#include "tests/harness/free_port.h"
#include "tests/harness/test_files.h"

#include "dialogs/date_dialog.h"
#include "dialogs/file_dialogs.h"
#include "dialogs/site_dialog.h"
#include "dialogs/time_step_dialog.h"
#include "mainwin/startup.h"
#include "mainwin/toolbar.h"
#include "sky/scene.h"
#include "tooltip/tip_shell.h"

#include <X11/IntrinsicP.h>
#include <X11/ShellP.h>
#include <Xm/MessageB.h>
#include <Xm/ToggleBG.h>
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

extern char** environ;

namespace programtest {

using dialogtest::WidgetDriver;

// The program's turn of its event loop for one event already taken: the
// tip shell first, then the toolkit.
inline void ProgramDispatch(XEvent& event)
{
    if (gAppEnv->tipShell != nullptr) {
        TipShellDispatchEvent(gAppEnv->tipShell, &event);
    }
    XtDispatchEvent(&event);
}

inline std::string UserDirectory()
{
    return TestHome() + "/.uvola";
}


// Options of the program under test, written before it starts: its port,
// no questions at quit and at Initialize, a site from the site list (so no
// box asks for one), and whatever a test adds.
inline std::map<std::string, std::string>& StartOptions()
{
    static std::map<std::string, std::string> options = {
        {"ConfirmQuit", "NO"},
        {"ConfirmInit", "NO"},
        {"SiteName", "Tokyo (Japan)"},
    };
    return options;
}

// The dialogs INPUT opens, by its word, each with the menu item and the
// toolbar button that open it too.
struct InputDialogRow {
    const char* word;
    Widget (*dialog)();
    const char* menuItem;
    int toolbarButton;   // index in ToolbarButtonTable
};

inline const InputDialogRow kInputDialogRows[] = {
    {"DATE", DateDialogWidget, "MenuSettingsDate", kToolbarSetDate},
    {"PERIOD", TimeStepDialogWidget, "MenuSettingsTimeStep", kToolbarSetStep},
    {"LOCATE", SiteDialogWidget, "MenuSettingsObs", kToolbarSetPlace},
    {"OPENFILE", OpenFileDialogWidget, "MenuFileOpen", kToolbarFileOpen},
    {"SAVEFILE", SaveFileDialogWidget, "MenuFileSaveAs", kToolbarFileSave},
};

// Takes down whichever of those dialogs is up, as Cancel would.
inline void CloseInputDialogs()
{
    for (const InputDialogRow& row : kInputDialogRows) {
        if (row.dialog() != nullptr) {
            XtUnmanageChild(row.dialog());
        }
    }
}

// Arguments a test program adds to the command line the program starts with
// (resource lines given with -xrm, say), set before the first ProgramDriver.
inline std::vector<std::string>& ExtraStartArguments()
{
    static std::vector<std::string> arguments;
    return arguments;
}

struct Program {
    XtAppContext app = nullptr;
    int port = 0;
};

inline Program& StartedProgram()
{
    static Program program = [] {
        Program started;
        started.port = FreePort();
        mkdir(UserDirectory().c_str(), 0700);
        std::ofstream options(UserDirectory() + "/options", std::ios::trunc);
        options << "SocketPort = " << started.port << "\n";
        for (const auto& [key, value] : StartOptions()) {
            options << key << " = " << value << "\n";
        }
        options.close();
        static std::string siteFile = "UVola*SiteFile: " UVOLA_SOURCE_DIR "/data/uvola.obs";
        static char name[] = "uvola";
        static char xrm[] = "-xrm";
        static char quiet[] = "-q";
        static std::vector<char*> argv = {name, xrm, siteFile.data(), quiet};
        for (std::string& argument : ExtraStartArguments()) {
            argv.push_back(argument.data());
        }
        int argc = static_cast<int>(argv.size());
        argv.push_back(nullptr);
        started.app = StartUvola(argc, argv.data());
        return started;
    }();
    return program;
}

class ProgramDriver : public WidgetDriver {
public:
    ProgramDriver() : WidgetDriver(StartedProgram().app, ProgramDispatch) { Pump(); }

    static Scene& SceneOfProgram() { return *gScene; }

    // A widget by name anywhere in the program: under the toplevel shell or
    // in one of its pop-up shells (dialogs, menus, the tip). A missing one
    // fails the test.
    static Widget Find(const char* name)
    {
        Widget found = Search(gAppEnv->toplevel, name);
        EXPECT_NE(found, nullptr) << "no widget " << name;
        return found;
    }

    // Whether a widget of that name exists and is managed: a window shown.
    static bool IsShown(const char* name)
    {
        Widget found = Search(gAppEnv->toplevel, name);
        return found != nullptr && XtIsManaged(found) != 0;
    }

    // Runs xdotool with the arguments and waits for it to end.
    static void Xdotool(std::vector<std::string> args)
    {
        args.insert(args.begin(), "xdotool");
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        pid_t pid = 0;
        ASSERT_EQ(posix_spawnp(&pid, "xdotool", nullptr, nullptr, argv.data(), environ), 0);
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << args[1];
    }

    // The root coordinates of a point of a widget (or gadget).
    static std::pair<int, int> RootPoint(Widget widget, int x, int y)
    {
        Position rootX = 0;
        Position rootY = 0;
        XtTranslateCoords(widget, static_cast<Position>(x), static_cast<Position>(y), &rootX,
                          &rootY);
        return {rootX, rootY};
    }

    static std::pair<int, int> Centre(Widget widget)
    {
        return RootPoint(widget, widget->core.width / 2, widget->core.height / 2);
    }

    static void MoveTo(int x, int y)
    {
        Xdotool({"mousemove", std::to_string(x), std::to_string(y)});
    }

    static void MoveTo(Widget widget)
    {
        const auto [x, y] = Centre(widget);
        MoveTo(x, y);
    }

    // A click of button 1 on the middle of the widget.
    void Click(Widget widget)
    {
        const auto [x, y] = Centre(widget);
        Xdotool({"mousemove", std::to_string(x), std::to_string(y), "click", "1"});
        Pump();
    }

    // Puts the pointer on the chart's top left corner, where no dialog the
    // program centres over its window covers it: keys go to the window
    // under the pointer.
    static void PointAtChart()
    {
        const auto [x, y] = RootPoint(SceneOfProgram().drawingArea, 10, 10);
        MoveTo(x, y);
    }

    // Keys as xdotool names them ("ctrl+t"), pressed over the chart.
    void Keys(const std::vector<std::string>& keys)
    {
        PointAtChart();
        std::vector<std::string> args = {"key"};
        args.insert(args.end(), keys.begin(), keys.end());
        Xdotool(args);
        Pump();
    }

    // A menu chosen by its mnemonics: Alt and the cascade's letter, then
    // each letter once the menu it goes to is up (a key pressed before the
    // menu has taken the keyboard goes to the chart instead).
    // Given:    keys  each letter with the pull-down it opens (null for the
    //                 item chosen last)
    void Mnemonics(const std::vector<std::pair<std::string, const char*>>& keys)
    {
        PointAtChart();
        for (size_t i = 0; i < keys.size(); ++i) {
            const auto& [key, pulldown] = keys[i];
            if (i == 0) {
                Xdotool({"keydown", "alt", "key", key, "keyup", "alt"});
            } else {
                Xdotool({"key", key});
            }
            if (pulldown != nullptr) {
                Widget menu = Find(pulldown);
                EXPECT_TRUE(PumpUntil([menu] { return IsUp(menu); }, std::chrono::seconds(20)))
                    << pulldown;
            }
        }
        Pump();
    }

    // A menu item chosen: its callbacks run as a click would run them.
    void Choose(const char* item)
    {
        Widget widget = Find(item);
        const bool toggle = XtClass(widget) == xmToggleButtonGadgetClass;
        XmToggleButtonCallbackStruct call{};
        call.reason = toggle ? XmCR_VALUE_CHANGED : XmCR_ACTIVATE;
        XtCallCallbacks(widget, toggle ? XmNvalueChangedCallback : XmNactivateCallback, &call);
        Pump();
    }

    // The question the next action asks ("QuestionDialog") answered by its
    // OK or Cancel button, pressed from a timer that fires inside the
    // question's own event loop.
    static void AnswerQuestionLater(bool ok)
    {
        XtAppAddTimeOut(
            StartedProgram().app, 50,
            [](XtPointer client, XtIntervalId*) {
                Widget question = Find("QuestionDialog");
                const unsigned char button = client != nullptr ? XmDIALOG_OK_BUTTON
                                                               : XmDIALOG_CANCEL_BUTTON;
                XmPushButtonCallbackStruct press{};
                press.reason = XmCR_ACTIVATE;
                XtCallCallbacks(XmMessageBoxGetChild(question, button), XmNactivateCallback, &press);
            },
            ok ? gAppEnv->toplevel : nullptr);
    }

    // Pumps until the trace holds the text.
    bool PumpUntilText(const std::string& text,
                       std::chrono::milliseconds limit = std::chrono::seconds(20))
    {
        return PumpUntil([&] {
            return std::find(Texts().begin(), Texts().end(), text) != Texts().end();
        }, limit);
    }

    // Pumps until the message boxes on the toplevel shell are these.
    static bool PumpUntilBoxes(const std::vector<std::string>& boxes)
    {
        return PumpUntil([&] { return MessageBoxes(gAppEnv->toplevel) == boxes; },
                         std::chrono::seconds(20));
    }

    static bool IsUp(Widget shellChild)
    {
        Widget shell = XtParent(shellChild);
        return XtIsManaged(shellChild) && XtIsShell(shell) &&
               reinterpret_cast<ShellWidget>(shell)->shell.popped_up;
    }

    // The chart saved by GSAVE as "chart" in a folder of the test home, as
    // its bytes (the image's name is the file's, so two images to compare
    // are saved under one name in two folders).
    static std::string Gsave(const std::string& folder)
    {
        const std::string path = TestHome() + "/" + folder;
        mkdir(path.c_str(), 0700);
        StkExecuteText(SceneOfProgram(), ("GSAVE " + path + "/chart").c_str());
        return ReadFile(path + "/chart.xpm");
    }

    // Sends one request over the command port, as another program would,
    // and pumps until its reply comes; returns the reply without the prompt.
    std::string PortRequest(const std::string& text)
    {
        const int client = Connect();
        std::string reply = ReadReply(client);
        const std::string line = text + "\n";
        send(client, line.data(), line.size(), MSG_NOSIGNAL);
        reply = ReadReply(client);
        send(client, "bye\n", 4, MSG_NOSIGNAL);
        Pump();
        close(client);
        Pump();
        return reply;
    }

private:
    static Widget Search(Widget root, const char* name)
    {
        if (root == nullptr || root->core.being_destroyed) {
            return nullptr;
        }
        if (std::strcmp(XtName(root), name) == 0) {
            return root;
        }
        if (XtIsComposite(root)) {
            const CompositeWidget composite = reinterpret_cast<CompositeWidget>(root);
            for (Cardinal i = 0; i < composite->composite.num_children; ++i) {
                if (Widget found = Search(composite->composite.children[i], name)) {
                    return found;
                }
            }
        }
        if (XtIsWidget(root)) {
            for (Cardinal i = 0; i < root->core.num_popups; ++i) {
                if (Widget found = Search(root->core.popup_list[i], name)) {
                    return found;
                }
            }
        }
        return nullptr;
    }

    static int Connect()
    {
        const int client = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(StartedProgram().port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        fcntl(client, F_SETFL, O_NONBLOCK);
        return client;
    }

    static std::string ReadReply(int client)
    {
        std::string received;
        const bool prompted = PumpUntil([&] {
            char buffer[512];
            const ssize_t n = recv(client, buffer, sizeof buffer, 0);
            if (n > 0) {
                received.append(buffer, static_cast<size_t>(n));
            }
            return received.find("uvola> ") != std::string::npos;
        }, std::chrono::seconds(20));
        EXPECT_TRUE(prompted) << received;
        return received.substr(0, received.find("uvola> "));
    }
};

}  // namespace programtest
