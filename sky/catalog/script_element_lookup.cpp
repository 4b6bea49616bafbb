#include "sky/catalog/script_element_lookup.h"

#include "core/string_utils.h"

#include <algorithm>

namespace {

// A label as the lookups compare it: ASCII letters folded to lower case,
// whatever the locale.
std::string FoldedLabel(const char* text)
{
    std::string folded(text);
    for (char& c : folded)
        c = AsciiLower(c);
    return folded;
}

void ReadLookup(FILE* file, ScriptOrbitLookup& lookup)
{
    ReadScriptOrbitBlock(file, lookup.entries);
    lookup.taken.assign(lookup.entries.size(), false);
    lookup.sorted.reserve(lookup.entries.size());
    for (size_t i = 0; i < lookup.entries.size(); ++i) {
        std::string folded = FoldedLabel(lookup.entries[i].label.c_str());
        lookup.byLabel[folded].first.push_back(i);
        lookup.sorted.emplace_back(std::move(folded), i);
    }
    std::sort(lookup.sorted.begin(), lookup.sorted.end());
    lookup.read = true;
}

// The first entry of exactly this label not taken yet.
const ScriptOrbitEntry* TakeExact(ScriptOrbitLookup& lookup, const std::string& folded)
{
    const auto same = lookup.byLabel.find(folded);
    if (same == lookup.byLabel.end())
        return nullptr;
    auto& [indexes, passed] = same->second;
    while (passed < indexes.size() && lookup.taken[indexes[passed]])
        ++passed;
    if (passed == indexes.size())
        return nullptr;
    lookup.taken[indexes[passed]] = true;
    return &lookup.entries[indexes[passed]];
}

// The first entry, in file order, whose label begins with the name.
const ScriptOrbitEntry* TakePrefix(ScriptOrbitLookup& lookup, const std::string& folded)
{
    size_t first = lookup.entries.size();
    for (auto it = std::lower_bound(lookup.sorted.begin(), lookup.sorted.end(), std::make_pair(folded, size_t{0}));
         it != lookup.sorted.end() && it->first.compare(0, folded.size(), folded) == 0; ++it)
        first = std::min(first, it->second);
    if (first == lookup.entries.size())
        return nullptr;
    lookup.taken[first] = true;
    return &lookup.entries[first];
}

} // namespace

int32_t FindScriptElementLine(FILE* file, const char* name, char* line, int size, ScriptOrbitLookup* lookup)
{
    ScriptOrbitLookup once;
    ScriptOrbitLookup& use = lookup != nullptr ? *lookup : once;
    if (name == nullptr || size <= 0 || (!use.read && file == nullptr))
        return 0;
    if (!use.read)
        ReadLookup(file, use);
    const std::string folded = FoldedLabel(name);
    const ScriptOrbitEntry* entry = TakeExact(use, folded);
    if (entry == nullptr)
        entry = TakePrefix(use, folded);
    if (entry == nullptr)
        return 0;
    CopyCut(line, static_cast<size_t>(size), entry->line.c_str());
    return 1;
}
