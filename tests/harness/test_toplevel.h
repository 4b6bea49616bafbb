// The application shell of the GUI tests: class "UVola" with the compiled-in
// fallback resources and the program's resource converters, realized, and
// registered in AppEnv as the program does.
#pragma once

#include "core/app_env.h"
#include "core/rep_type_converters.h"
#include "data/fallback_resources.h"

#include <X11/Shell.h>
#include <Xm/Xm.h>

inline Widget OpenTestToplevel(XtAppContext& app)
{
    static char name[] = "uvola";
    static char* argv[] = {name, nullptr};
    int argc = 1;
    Widget top = XtOpenApplication(&app, "UVola", nullptr, 0, &argc, argv, FallbackResourceList(),
                                   applicationShellWidgetClass, nullptr, 0);
    InstallAsciiRepTypeConverters();
    XtVaSetValues(top, XmNwidth, 200, XmNheight, 100, nullptr);
    XtRealizeWidget(top);
    gAppEnv->toplevel = top;
    gAppEnv->display = XtDisplay(top);
    return top;
}
