// command_port_probe: the smallest program that serves the command port the
// way uvola does, for end-to-end tests of the port and of the harness that
// do not depend on the main window. It starts like uvola as far as the port
// goes (records, per-user directory, toolkit with the fallback resources,
// SocketPort from the options file) and runs the real command table, except
// that DRIVE only stands for the redraw and EXIT closes the port and ends
// the process with status 0. Without a SocketPort, or when the port cannot
// be opened, it ends with status 1.
#include "command/command_handlers.h"
#include "command/command_port.h"
#include "command/command_table.h"
#include "command/interpreter.h"
#include "core/app_env.h"
#include "core/options.h"
#include "core/user_directory.h"
#include "data/fallback_resources.h"
#include "sky/scene.h"

#include <X11/Shell.h>
#include <Xm/Xm.h>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void ProbeDrive(Scene&)
{
}

void ProbeExit(Scene&)
{
    CloseCommandPort();
    std::exit(0);
}

// The real table with the two commands that need the main window replaced.
std::vector<CommandEntry> ProbeCommandTable()
{
    std::vector<CommandEntry> table;
    for (const CommandEntry* entry = CommandTable; entry->word != nullptr; ++entry) {
        table.push_back(*entry);
        if (std::strcmp(entry->word, "DRIVE") == 0) {
            table.back() = MakeCommandEntry("DRIVE", ProbeDrive, entry->keepsCentring);
        } else if (std::strcmp(entry->word, "EXIT") == 0) {
            table.back() = MakeCommandEntry("EXIT", ProbeExit, entry->keepsCentring);
        }
    }
    table.push_back(CommandEntry{});
    return table;
}

}  // namespace

int main(int argc, char** argv)
{
    ResetAppEnv();
    MakeUserDirectory(gAppEnv->userDirectory, gAppEnv->startupScriptPath);
    XtAppContext app = nullptr;
    Widget top = XtOpenApplication(&app, "UVola", nullptr, 0, &argc, argv, FallbackResourceList(),
                                   applicationShellWidgetClass, nullptr, 0);
    XtVaSetValues(top, XmNwidth, 200, XmNheight, 100, nullptr);
    XtRealizeWidget(top);
    gAppEnv->toplevel = top;
    gAppEnv->display = XtDisplay(top);
    ResetScene(*gScene);

    static const std::vector<CommandEntry> table = ProbeCommandTable();
    StkUseCommandTable(table.data());
    gAppEnv->socketPort = GetOptionInt("SocketPort", 0);
    if (gAppEnv->socketPort == 0 || OpenCommandPort() == 0) {
        return 1;
    }
    XtAppMainLoop(app);
    return 0;
}
