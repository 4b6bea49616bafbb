#include "sky/ui_hooks.h"

UiHooks gUiHooks = {};
CanvasHooks gCanvasHooks = {};

void UiUpdateToolbar(Scene& scene)
{
    if (gUiHooks.updateToolbar != nullptr) {
        gUiHooks.updateToolbar(scene);
    }
}

void UiUpdateToolbarButtonIfEqual(Scene& scene, int a, int b, int index)
{
    if (gUiHooks.updateToolbarButtonIfEqual != nullptr) {
        gUiHooks.updateToolbarButtonIfEqual(scene, a, b, index);
    }
}

void UiUpdateInfoBoxButtons(Scene& scene)
{
    if (gUiHooks.updateInfoBoxButtons != nullptr) {
        gUiHooks.updateInfoBoxButtons(scene);
    }
}

void UiShowInfoBox(Scene& scene, int on)
{
    if (gUiHooks.showInfoBox != nullptr) {
        gUiHooks.showInfoBox(scene, on);
    }
}

int UiOpenInput(Scene& scene, InputDialog dialog)
{
    if (dialog < 0 || dialog >= kInputDialogCount || gUiHooks.openInput[dialog] == nullptr) {
        return 0;
    }
    gUiHooks.openInput[dialog](scene);
    return 1;
}
