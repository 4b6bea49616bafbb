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

void CmdStl(Scene*, const char*)
{
    NotAvailable("STL");
}
