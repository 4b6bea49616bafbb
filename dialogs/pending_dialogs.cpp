#include "dialogs/pending_dialogs.h"

#include "command/interpreter.h"
#include "sky/text_list.h"

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

void ShowCenterStarDialog(Scene*)
{
    NotAvailable("CenterStarDialog");
}

void ShowCenterNebulaDialog(Scene*)
{
    NotAvailable("CenterNebulaDialog");
}

void ShowCenterPlanetDialog(Scene*)
{
    NotAvailable("CenterPlanetDialog");
}

void ShowCenterCometDialog(Scene*)
{
    NotAvailable("CenterCometDialog");
}

void ShowCenterMPlanetDialog(Scene*)
{
    NotAvailable("CenterMPlanetDialog");
}

void ShowCenterJoviSatDialog(Scene*)
{
    NotAvailable("CenterJoviSatDialog");
}

void ShowCenterConstDialog(Scene*)
{
    NotAvailable("CenterConstDialog");
}

void ShowCenterUserObjectDialog(Scene*)
{
    NotAvailable("CenterUserObjectDialog");
}

void ShowCenterSkyMarkDialog(Scene*)
{
    NotAvailable("CenterSkyMarkDialog");
}

void ToggleTodayDialog(Scene*)
{
    NotAvailable("TodayDialog");
}

void ShowAboutDialog(Scene*)
{
    NotAvailable("AboutDialog");
}

void ShowCopyrightDialog(Scene*)
{
    NotAvailable("CopyrightDialog");
}

void ShowCometDialog(Scene*)
{
    NotAvailable("CometDialog");
}

void ShowMPlanetDialog(Scene*)
{
    NotAvailable("MPlanetDialog");
}

void ShowImageDialog(Scene*, TextList* list)
{
    FreeTextList(list);
    NotAvailable("ImageDialog");
}
