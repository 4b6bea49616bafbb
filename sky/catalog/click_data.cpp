#include "sky/catalog/click_data.h"

const char* FindClickDataText(const Scene&, int32_t, int32_t)
{
    return nullptr;
}

int FindClickDataImages(const Scene&, int32_t, int32_t, TextList*)
{
    return 0;
}
