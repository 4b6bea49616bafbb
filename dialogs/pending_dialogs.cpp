#include "dialogs/pending_dialogs.h"

#include "command/interpreter.h"

namespace {

void NotAvailable(const char* widgetName)
{
    StkSetError("stkErrorNotAvailable", widgetName);
    StkReportError("INPUT");
    StkClearError();
}

}  // namespace

void ShowUserObjectDialog(Scene*)
{
    NotAvailable("UserObjectDialog");
}

void ShowCenterUserObjectDialog(Scene*)
{
    NotAvailable("CenterUserObjectDialog");
}

void ShowCenterSkyMarkDialog(Scene*)
{
    NotAvailable("CenterSkyMarkDialog");
}
