// uvola: the program's entry. Start-up runs in a fixed order (see
// mainwin/startup.h), then the program's own event loop runs for the rest
// of the process; it ends through QuitApplication.
#include "mainwin/startup.h"

int main(int argc, char** argv)
{
    XtAppContext app = StartUvola(argc, argv);
    RunEventLoop(app);
}
