// The tools around the chart: the toolbar's buttons, close enough around
// their icons for all 27 to fit the window's 640 pixels, the tip shell's
// colour and font (followed by the chart's charcell fallback, see
// data/resources_fonts.cpp), the step box's title and row labels, and the
// command dialog's title, size and modelessness.
#include "data/fallback_resources.h"

const char* const kToolResources[] = {
    "UVola*Toolbar*marginWidth: 0",
    "UVola*Toolbar*marginHeight: 0",
    "UVola*TipHelp.background: #ffffcc",
    "UVola*TipHelp.fontSet: -*-medium-r-normal-*-14-*,-*-*-medium-r-normal--16-*-*-*-c-*-*-*",
    "UVola*StepBox.dialogTitle: StepBox",
    "UVola*StepBox.autoUnmanage: False",
    "UVola*StepBox.noResize: True",
    "UVola*StepBox.resizePolicy: RESIZE_NONE",
    "UVola*StepBox*Label1Min.labelString: 1Min",
    "UVola*StepBox*Label5Min.labelString: 5Mins",
    "UVola*StepBox*Label10Min.labelString: 10Mins",
    "UVola*StepBox*Label30Min.labelString: 30Mins",
    "UVola*StepBox*Label1Hour.labelString: 1Hour",
    "UVola*StepBox*Label3Hour.labelString: 3Hours",
    "UVola*StepBox*Label1Day.labelString: 1Day",
    "UVola*StepBox*Label10Day.labelString: 10Days",
    "UVola*StepBox*Label1Mon.labelString: 1Mon",
    "UVola*StepBox*Label1Year.labelString: 1Year",
    "UVola*CommandDialog.dialogTitle: Command",
    "UVola*CommandDialog.dialogStyle: DIALOG_MODELESS",
    "UVola*CommandDialog.autoUnmanage: False",
    "UVola*CommandDialog.width: 320",
    "UVola*CommandDialog.resizePolicy: RESIZE_NONE",
    "UVola*CommandDialog.cancelLabelString: Close",
    nullptr,
};
