// The Help menu's About and Copyright windows, and the image viewer. The
// About window's version line is written from the program's one version
// constant through messageAboutVersion.
#include "data/fallback_resources.h"

const char* const kHelpResources[] = {
    "UVola*AboutDialog.dialogTitle: About Uvola",
    "UVola*AboutDialog.dialogStyle: DIALOG_FULL_APPLICATION_MODAL",
    "UVola*AboutDialog.noResize: True",
    "UVola*AboutDialog*LabelName.labelString: Uvola",
    "UVola*AboutDialog*LabelName.fontList: -*-helvetica-bold-r-normal--24-*-*-*-*-*-*-*",
    "UVola*AboutDialog*LabelCopyright.labelString: Copyright (C) 2026 the Uvola developers",
    "UVola*AboutDialog*LabelURL.labelString: Read README.md for the manual and the news",
    "UVola*AboutDialog*LabelAuthor.labelString: Written by the Uvola developers",
    "UVola*AboutDialog*ButtonOK.labelString: \\040\\040OK\\040\\040",
    "UVola*CopyrightDialog.dialogTitle: COPYRIGHT",
    "UVola*CopyrightDialog.dialogStyle: DIALOG_FULL_APPLICATION_MODAL",
    "UVola*CopyrightDialog.noResize: True",
    "UVola*CopyrightDialog*ButtonOK.labelString: \\040\\040OK\\040\\040",
    "UVola*messageAboutVersion: Version %s",
    "UVola*ImageDialog.dialogTitle: Image",
    nullptr,
};
