// The application shell of the GUI tests: class "UVola" with the compiled-in
// fallback resources, realized, and registered in AppEnv as the program does.
#pragma once

#include "core/app_env.h"
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
    XtVaSetValues(top, XmNwidth, 200, XmNheight, 100, nullptr);
    XtRealizeWidget(top);
    gAppEnv->toplevel = top;
    gAppEnv->display = XtDisplay(top);
    return top;
}
