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

void CmdStl(Scene*, const char*)
{
    NotAvailable("STL");
}
