// Labels every dialog's buttons share; a dialog that labels its OK button
// otherwise says so in a line of its own, which the resource manager
// prefers to these. Then the titles of the message and question boxes,
// which all share one widget name each: texts looked up by key, one for
// each kind of box. A message box holds the whole program until it is
// answered, as every other dialog that asks for something does.
#include "data/fallback_resources.h"

const char* const kDialogResources[] = {
    "UVola*ButtonOK.labelString: OK",
    "UVola*ButtonCancel.labelString: Cancel",
    "UVola*MessageBox.dialogStyle: DIALOG_FULL_APPLICATION_MODAL",
    "UVola*messageTitleMessage: Uvola: Message",
    "UVola*messageTitleInformation: Uvola: Information",
    "UVola*messageTitleWarning: Uvola: Warning",
    "UVola*messageTitleError: Uvola: Error",
    "UVola*messageTitleQuestion: Uvola: Question",
    nullptr,
};
