// A list of string pairs: the (file, title) pairs of the click-data
// pictures that the image viewer is given.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// One pair; either string may be absent.
using TextPair = std::pair<std::optional<std::string>, std::optional<std::string>>;

struct TextList {
    int32_t count;
    std::vector<TextPair> items;
};

// Returned: an empty list, or null when no memory is left
TextList* NewTextList();

// Appends a pair of private copies.
// Given:    list           the list (null: refused)
//           first, second  the texts, null where absent
// Returned: list           one pair longer
//           1 done; 0 when memory ran out, the list as it was
int AddTextListItem(TextList* list, const char* first, const char* second);

// Frees the list and every copy in it (null: nothing).
void FreeTextList(TextList* list);
