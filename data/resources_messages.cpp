// Message texts: the command language's error keys, then the user
// interface's "message..." keys. Error texts are formats: the first %s gets
// the statement's command word, the second the error parameter.
#include "data/fallback_resources.h"

const char* const kMessageResources[] = {
    "UVola*stkErrorSyntax: %s: Syntax Error: %s",
    "UVola*stkErrorIllegalParam: %s: Illegal Parameter: %s",
    "UVola*stkErrorFileNotFound: %s: File not found: %s",
    "UVola*stkErrorOutOfMemory: %s: Insufficient memory.",
    "UVola*stkErrorCometNotFound: %s: Comet or Minor Planet not found: %s",
    "UVola*stkErrorInvalidComet: %s: Invalid element: %s",
    "UVola*stkErrorFileWriteFailed: %s: Failed to create file: %s",
    "UVola*stkErrorCalcCometPos: %s: Failed to get position of comet %s, hided.",
    "UVola*stkErrorCalcCometTail: %s: Failed to get position of tail of comet %s, hided.",
    "UVola*stkErrorCalcMpPos: %s: Failed to get posision of minor planet %s, hided.",
    nullptr,
};
