#include "dialogs/kit/list_match.h"

#include "core/string_utils.h"

namespace {

std::string Upper(std::string text)
{
    StrUpper(text.data());
    return text;
}

}  // namespace

int FindNextMatch(const std::vector<std::string>& names, int keysPerEntry, int start,
                  const char* text)
{
    if (keysPerEntry < 1) {
        return -1;
    }
    const int count = static_cast<int>(names.size()) / keysPerEntry;
    if (count == 0) {
        return -1;
    }
    const std::string piece = Upper(text != nullptr ? text : "");
    const int first = ((start % count) + count) % count;
    for (int step = 0; step < count; ++step) {
        const int entry = (first + step) % count;
        for (int key = 0; key < keysPerEntry; ++key) {
            const std::string& name = names[static_cast<size_t>(entry * keysPerEntry + key)];
            if (Upper(name).find(piece) != std::string::npos) {
                return entry;
            }
        }
    }
    return -1;
}
