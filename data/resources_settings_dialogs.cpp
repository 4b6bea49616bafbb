// The script and image file dialogs, the environment dialog and the
// user-object dialogs: titles, modality, sizes and labels.
#include "data/fallback_resources.h"

const char* const kSettingsDialogResources[] = {
    // Script and image files
    "UVola*OpenFile.dialogTitle: Open",
    "UVola*OpenFile.dialogStyle: DIALOG_FULL_APPLICATION_MODAL",
    "UVola*OpenFile.resizePolicy: RESIZE_NONE",
    "UVola*OpenFile.width: 320",
    "UVola*SaveFile.dialogTitle: Save As",
    "UVola*SaveFile.dialogStyle: DIALOG_FULL_APPLICATION_MODAL",
    "UVola*SaveFile.resizePolicy: RESIZE_NONE",
    "UVola*SaveFile.width: 320",
    "UVola*SaveImage.dialogTitle: Save Image",
    "UVola*SaveImage.dialogStyle: DIALOG_FULL_APPLICATION_MODAL",
    "UVola*SaveImage.resizePolicy: RESIZE_NONE",
    "UVola*SaveImage.width: 320",
    nullptr,
};
