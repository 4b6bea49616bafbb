// The yardstick of uvola's start-up: the least a Motif program with a menu
// bar and a drawing area does to show its window. Started by startup_bench,
// it writes "exposed\n" to its standard output at its drawing area's first
// Expose and ends.
#include <Xm/CascadeB.h>
#include <Xm/DrawingA.h>
#include <Xm/MainW.h>
#include <Xm/PushB.h>
#include <Xm/RowColumn.h>
#include <Xm/Xm.h>

#include <cstdlib>
#include <unistd.h>

namespace {

void FirstExpose(Widget, XtPointer, XtPointer)
{
    static const char kExposed[] = "exposed\n";
    write(STDOUT_FILENO, kExposed, sizeof kExposed - 1);
    std::exit(0);
}

}  // namespace

int main(int argc, char** argv)
{
    XtSetLanguageProc(nullptr, nullptr, nullptr);
    XtAppContext app = nullptr;
    Widget top = XtAppInitialize(&app, "Minimal", nullptr, 0, &argc, argv, nullptr, nullptr, 0);
    Widget main = XmCreateMainWindow(top, const_cast<char*>("Main"), nullptr, 0);
    Widget bar = XmCreateMenuBar(main, const_cast<char*>("MenuBar"), nullptr, 0);
    Widget pulldown = XmCreatePulldownMenu(bar, const_cast<char*>("FilePulldown"), nullptr, 0);
    XtManageChild(XmCreatePushButton(pulldown, const_cast<char*>("Quit"), nullptr, 0));
    Arg cascade[1];
    XtSetArg(cascade[0], XmNsubMenuId, pulldown);
    XtManageChild(XmCreateCascadeButton(bar, const_cast<char*>("File"), cascade, 1));
    XtManageChild(bar);
    Arg size[2];
    XtSetArg(size[0], XmNwidth, 640);
    XtSetArg(size[1], XmNheight, 480);
    Widget area = XmCreateDrawingArea(main, const_cast<char*>("DrawingArea"), size, 2);
    XtAddCallback(area, XmNexposeCallback, FirstExpose, nullptr);
    XtManageChild(area);
    XtManageChild(main);
    XtRealizeWidget(top);
    XtAppMainLoop(app);
}
