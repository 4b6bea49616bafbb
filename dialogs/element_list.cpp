#include "dialogs/element_list.h"

#include "core/regular_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <unordered_map>

namespace {

// A record line padded to its long form and two more blanks, so every
// column a reader takes lies inside it (a short line ends before the
// second name).
constexpr size_t kPaddedLine = 205;

// The text without the blanks at its end, and at its start too when asked.
std::string Trimmed(std::string text, bool leadingToo)
{
    text.erase(text.find_last_not_of(' ') + 1);
    if (leadingToo) {
        text.erase(0, std::min(text.size(), text.find_first_not_of(' ')));
    }
    return text;
}

// Characters `width` from column `column` (counted from 0, as the element
// file's column constants are), trimmed.
void CopyField(char* out, const std::string& line, int column, int width, bool leadingToo)
{
    const std::string field =
        Trimmed(line.substr(static_cast<size_t>(column), static_cast<size_t>(width)), leadingToo);
    std::memcpy(out, field.c_str(), field.size() + 1);
}

ElementListEntry EntryOf(const std::string& line, int64_t offset)
{
    std::string padded = line;
    padded.resize(kPaddedLine, ' ');
    ElementListEntry entry{};
    CopyField(entry.name, padded, kNameColumn, kNameWidth, false);
    CopyField(entry.secondName, padded, kSecondNameColumn, kSecondNameWidth, true);
    entry.offset = offset;
    CopyIndexKey(entry.key, padded.c_str(), kSecondNameColumn, kSecondNameWidth);
    return entry;
}

// Only a key no other entry shares finds its own record through the index.
void ForgetSharedKeys(std::vector<ElementListEntry>& entries)
{
    std::unordered_map<std::string, int> uses;
    for (const ElementListEntry& entry : entries) {
        ++uses[entry.key];
    }
    for (ElementListEntry& entry : entries) {
        if (uses[entry.key] > 1) {
            entry.key[0] = '\0';
        }
    }
}

void ReadEntries(FILE* file, ElementList& list)
{
    char* buffer = nullptr;
    size_t capacity = 0;
    int64_t offset = 0;
    for (ssize_t got; (got = getline(&buffer, &capacity, file)) > 0; offset += got) {
        const size_t length = std::strcspn(buffer, "\r\n");
        if (length > static_cast<size_t>(got) || IsElementRecordLine(buffer, length) == 0) {
            continue;
        }
        OrbitalElements elements;
        if (ParseElementLine(elements, buffer) == 0) {
            continue;
        }
        list.entries.push_back(EntryOf(std::string(buffer, length), offset));
        const ElementListEntry& entry = list.entries.back();
        list.items.push_back(ElementListItem(entry.secondName, entry.name));
        list.searchNames.emplace_back(entry.name);
        list.searchNames.emplace_back(entry.secondName);
    }
    std::free(buffer);
}

bool SameText(const char* listed, const char* read)
{
    return Trimmed(listed, true) == Trimmed(read, true);
}

bool CarriesEntry(const OrbitalElements& el, const ElementListEntry& entry)
{
    return SameText(entry.name, el.name) && SameText(entry.secondName, el.secondName);
}

}  // namespace

std::string ElementListItem(const char* secondName, const char* name)
{
    char text[64];
    std::snprintf(text, sizeof text, "%-15.15s %-30.30s", secondName, name);
    return text;
}

int LoadElementList(ElementList& list, const char* path)
{
    FreeElementList(list);
    const UniqueFile file = OpenRegularFile(path);
    if (file == nullptr) {
        return kElementFileMissing;
    }
    try {
        ReadEntries(file.get(), list);
        ForgetSharedKeys(list.entries);
    } catch (const std::bad_alloc&) {
        FreeElementList(list);
        return kElementListNoMemory;
    }
    return static_cast<int>(list.entries.size());
}

void FreeElementList(ElementList& list)
{
    list = ElementList{};
}

int ReadListedElements(const ElementListEntry& entry, std::FILE* elements, const char* elementPath,
                       const char* indexPath, OrbitalElements& el)
{
    // At the offset first: a keyed read opens the index database for every
    // record, which made loading 100,000 objects take seconds. The index
    // still finds a record that has moved since the list was read.
    if (ReadOrbitalElementsAtOffset(elements, entry.offset, el) != 0 && CarriesEntry(el, entry)) {
        return 1;
    }
    return entry.key[0] != '\0' && ReadOrbitalElementsAt(entry.key, el, elementPath, indexPath) != 0 &&
                   CarriesEntry(el, entry)
               ? 1
               : 0;
}

void MarkLoadedEntries(ElementList& list, uint8_t defaults, const OrbitalElements* loaded,
                       const uint8_t* flags, int count)
{
    for (ElementListEntry& entry : list.entries) {
        entry.flags = defaults;
    }
    // The first entry of each text, looked up at once: searched for along
    // the list, a Show after loading 100,000 objects took 19 seconds.
    std::unordered_map<std::string, size_t> firstEntry;
    firstEntry.reserve(list.items.size());
    for (size_t i = 0; i < list.items.size(); ++i) {
        firstEntry.emplace(list.items[i], i);
    }
    // Last to first, so that of two loaded objects with one text the first
    // one's flags stand.
    for (int i = count - 1; i >= 0; --i) {
        const auto found = firstEntry.find(ElementListItem(loaded[i].secondName, loaded[i].name));
        if (found != firstEntry.end()) {
            list.entries[found->second].flags = static_cast<uint8_t>(flags[i] | kBodyShown);
        }
    }
}

std::vector<EntryToggleState> EntryToggleStates(const ElementList& list,
                                                const std::vector<int>& positions,
                                                const std::vector<uint8_t>& bits)
{
    std::vector<EntryToggleState> states(bits.size());
    if (positions.empty()) {
        return states;
    }
    const uint8_t first = list.entries[static_cast<size_t>(positions.front() - 1)].flags;
    uint8_t differ = 0;
    for (int position : positions) {
        differ |= static_cast<uint8_t>(list.entries[static_cast<size_t>(position - 1)].flags ^ first);
    }
    const bool allShown = (differ & kBodyShown) == 0 && (first & kBodyShown) != 0;
    for (size_t i = 0; i < bits.size(); ++i) {
        states[i].indeterminate = (differ & bits[i]) != 0 ? 1 : 0;
        states[i].set = (first & bits[i]) != 0 ? 1 : 0;
        states[i].sensitive = (i == 0 || allShown) ? 1 : 0;
    }
    return states;
}

void SetEntryBit(ElementList& list, const std::vector<int>& positions, uint8_t bit, int set)
{
    uint8_t seen = 0, unseen = 0;
    for (int position : positions) {
        const uint8_t flags = list.entries[static_cast<size_t>(position - 1)].flags;
        seen |= static_cast<uint8_t>(flags & bit);
        unseen |= static_cast<uint8_t>(~flags & bit);
    }
    const bool mixed = seen != 0 && unseen != 0;
    for (int position : positions) {
        uint8_t& flags = list.entries[static_cast<size_t>(position - 1)].flags;
        flags = (set != 0 || mixed) ? static_cast<uint8_t>(flags | bit)
                                    : static_cast<uint8_t>(flags & ~bit);
    }
}
