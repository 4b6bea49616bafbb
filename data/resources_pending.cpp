// The text of the error that commands not yet available report. The block
// goes away with the last of those commands.
#include "data/fallback_resources.h"

const char* const kPendingResources[] = {
    "UVola*stkErrorNotAvailable: %s: Not available in this version: %s",
    nullptr,
};
