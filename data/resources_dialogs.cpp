// Labels every dialog's buttons share; a dialog that labels its OK button
// otherwise says so in a line of its own, which the resource manager
// prefers to these.
#include "data/fallback_resources.h"

const char* const kDialogResources[] = {
    "UVola*ButtonOK.labelString: OK",
    "UVola*ButtonCancel.labelString: Cancel",
    nullptr,
};
