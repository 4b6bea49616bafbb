// Labels every dialog's buttons share; a dialog that labels its OK button
// otherwise says so in a line of its own, which the resource manager
// prefers to these. A message box holds the whole program until it is
// answered, as every other dialog that asks for something does. The number
// fields' arrows, alike in every dialog, are sized and placed once here by
// their class; a dialog's own line of an arrow's name wins over these.
#include "data/fallback_resources.h"

const char* const kDialogResources[] = {
    "UVola*ButtonOK.labelString: OK",
    "UVola*ButtonCancel.labelString: Cancel",
    "UVola*MessageBox.dialogStyle: DIALOG_FULL_APPLICATION_MODAL",
    // Every arrow button is a number field's: small, passed over by the
    // keyboard (the keys type the number), right of the field's text.
    "UVola*XmArrowButton.width: 20",
    "UVola*XmArrowButton.height: 15",
    "UVola*XmArrowButton.highlightThickness: 0",
    "UVola*XmArrowButton.traversalOn: False",
    "UVola*XmArrowButton.leftAttachment: ATTACH_WIDGET",
    "UVola*XmArrowButton.topAttachment: ATTACH_WIDGET",
    nullptr,
};
