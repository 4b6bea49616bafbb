// Commands whose handlers are not written yet. Each refuses with
// "stkErrorNotAvailable" rather than pretend to have done its work; a handler
// leaves this file when its real one is written.
#include "command/command_handlers.h"

#include "command/interpreter.h"

namespace {

void NotAvailable(const char* word)
{
    StkSetError("stkErrorNotAvailable", word);
}

}  // namespace

void CmdMode(Scene*, const char*)
{
    NotAvailable("MODE");
}

void CmdMag(Scene*, const char*, const char*)
{
    NotAvailable("MAG");
}

void CmdIncmag(Scene*, const char*, const char*)
{
    NotAvailable("INCMAG");
}

void CmdDecmag(Scene*, const char*, const char*)
{
    NotAvailable("DECMAG");
}

void CmdStarsize(Scene*, const char*)
{
    NotAvailable("STARSIZE");
}

void CmdStardata(Scene*, const char*)
{
    NotAvailable("STARDATA");
}

void CmdInit(Scene*)
{
    NotAvailable("INIT");
}

void CmdMirror(Scene*, const char*)
{
    NotAvailable("MIRROR");
}

void CmdView(Scene*, const char* const*)
{
    NotAvailable("VIEW");
}

void CmdZoom(Scene*, const char*, const char*)
{
    NotAvailable("ZOOM");
}

void CmdLook(Scene*, const char*, const char*, const char*)
{
    NotAvailable("LOOK");
}

void CmdTrack(Scene*, const char*, const char*, const char*)
{
    NotAvailable("TRACK");
}

void CmdBlink(Scene*, const char*, const char*, const char*)
{
    NotAvailable("BLINK");
}

void CmdSolOffset(Scene*, const char*, const char*, const char*)
{
    NotAvailable("SOL_OFFSET");
}

void CmdShow(Scene*, const char* const*)
{
    NotAvailable("SHOW");
}

void CmdHide(Scene*, const char* const*)
{
    NotAvailable("HIDE");
}

void CmdToggle(Scene*, const char* const*)
{
    NotAvailable("TOGGLE");
}

void CmdGrid(Scene*, const char*)
{
    NotAvailable("GRID");
}

void CmdLoad(Scene*, const char*, const char*, const char*, const char*)
{
    NotAvailable("LOAD");
}

void CmdUnload(Scene*, const char*, const char*, const char*, const char*)
{
    NotAvailable("UNLOAD");
}

void CmdReal(Scene*, const char* const*)
{
    NotAvailable("REAL");
}

void CmdOutline(Scene*, const char* const*)
{
    NotAvailable("OUTLINE");
}

void CmdDisk(Scene*, const char* const*)
{
    NotAvailable("DISK");
}

void CmdDiskMag(Scene*, const char*)
{
    NotAvailable("DISK_MAG");
}

void CmdStl(Scene*, const char*)
{
    NotAvailable("STL");
}
