#include "sky/catalog/user_objects.h"

const UserObject* UserObjectAt(const UserObjectFile* files, int32_t count, int32_t index)
{
    if (index < 0) {
        return nullptr;
    }
    for (int32_t i = 0; i < count; ++i) {
        if (index < files[i].count) {
            return &files[i].objects[index];
        }
        index -= files[i].count;
    }
    return nullptr;
}

int32_t UserObjectTotal(const UserObjectFile* files, int32_t count)
{
    int32_t total = 0;
    for (int32_t i = 0; i < count; ++i) {
        total += files[i].count;
    }
    return total;
}
