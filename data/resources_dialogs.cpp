// Labels every dialog's buttons share; a dialog that labels its OK button
// otherwise says so in a line of its own, which the resource manager
// prefers to these. Then the titles of the message and question boxes,
// which all share one widget name each: texts looked up by key, one for
// each kind of box.
#include "data/fallback_resources.h"

const char* const kDialogResources[] = {
    "UVola*ButtonOK.labelString: OK",
    "UVola*ButtonCancel.labelString: Cancel",
    "UVola*messageTitleMessage: Uvola: Message",
    "UVola*messageTitleInformation: Uvola: Information",
    "UVola*messageTitleWarning: Uvola: Warning",
    "UVola*messageTitleError: Uvola: Error",
    "UVola*messageTitleQuestion: Uvola: Question",
    nullptr,
};
