// The string-pair list of the click-data pictures.
#include "sky/text_list.h"

#include <new>

namespace {

std::optional<std::string> CopyOf(const char* text)
{
    return text != nullptr ? std::optional<std::string>(text) : std::nullopt;
}

}  // namespace

TextList* NewTextList()
{
    return new (std::nothrow) TextList{0, {}};
}

int AddTextListItem(TextList* list, const char* first, const char* second)
{
    if (list == nullptr) {
        return 0;
    }
    // The list is filled from toolkit callbacks: running out of memory is
    // reported, never thrown through them.
    try {
        list->items.emplace_back(CopyOf(first), CopyOf(second));
    } catch (const std::bad_alloc&) {
        return 0;
    }
    list->count = static_cast<int32_t>(list->items.size());
    return 1;
}

void FreeTextList(TextList* list)
{
    delete list;
}
