// The lists of the comet and minor-planet dialogs: every record of an
// element file, read once per run, with what
// the user chose to load and show of each. Plain functions over the file
// and the entries; the widgets are in dialogs/small_body_dialogs.cpp.
#pragma once

#include "sky/catalog/element_files.h"
#include "sky/scene.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct ElementListEntry {
    char name[31];                // columns 20-49 (from 0), trailing blanks cut
    char secondName[16];          // columns 188-202 (from 0), blanks around it cut
    // What the user chose: the Scene's flag bits of a comet or minor planet
    // (BodyFlagBits: shown, name, magnitude, date, orbit, dust and ion
    // tails), bit 1 set on every entry at show and clear.
    uint8_t flags;
    int64_t offset;               // byte offset of the record's line
    // The index key that finds this record alone (the second name upper
    // case); empty when the second name is empty or shared with another
    // entry, which the record is then read by its offset.
    char key[kIndexKeySize];
};

struct ElementList {
    std::vector<ElementListEntry> entries;
    std::vector<std::string> items;        // the list's texts, entry by entry
    std::vector<std::string> searchNames;  // name and second name, entry by entry
};

// Results of LoadElementList besides the count.
constexpr int kElementFileMissing = -1;
constexpr int kElementListNoMemory = -2;

// The text of a list item: the second name left-aligned in exactly 15
// characters, a blank, the name in exactly 30 (cut or padded).
std::string ElementListItem(const char* secondName, const char* name);

// Reads every record of an element file into the list, in file order;
// lines that are no element record are left out.
// Given:    path  the element file
// Returned: list  the entries (flags 0), items and search names
//           the number of entries; kElementFileMissing when the file
//           cannot be read (the list is then empty); kElementListNoMemory
//           when memory ran out (the list is then empty)
int LoadElementList(ElementList& list, const char* path);

// Empties the list.
void FreeElementList(ElementList& list);

// The elements of a listed record: at its offset, or, when the record there
// is no longer the entry's, through the index by its key when it has one;
// the record read must carry the entry's name and second name.
// Given:    entry        the entry
//           elements     the element file, open for the whole load (null:
//                        only the index can find the record)
//           elementPath  the element file's path, indexPath its index
// Returned: el           the record
//           1 when read, else 0
int ReadListedElements(const ElementListEntry& entry, std::FILE* elements, const char* elementPath,
                       const char* indexPath, OrbitalElements& el);

// The flags of every entry at a Show: the default, and for each loaded
// object found in the list (its item text, the first entry with it) the
// object's flag byte with the show bit.
// Given:    defaults  the kind's default flag byte
//           loaded    elements of the loaded objects, count of them
//           flags     their flag bytes in the Scene
void MarkLoadedEntries(ElementList& list, uint8_t defaults, const OrbitalElements* loaded,
                       const uint8_t* flags, int count);

// A toggle's look for the selected entries.
struct EntryToggleState {
    int indeterminate;   // 1 when the entries differ on the bit
    int set;             // the first entry's bit, when they agree
    int sensitive;
};

// The toggles' looks for the selected entries: a bit on which all agree
// shows the first entry's state, one on which they differ is
// indeterminate. The show toggle (the first bit) is always sensitive; the
// others only when all the entries are shown.
// Given:    positions  1-based selected positions (at least one)
//           bits       the flag bit of each toggle, the show bit first
// Returned: one state per toggle
std::vector<EntryToggleState> EntryToggleStates(const ElementList& list,
                                                const std::vector<int>& positions,
                                                const std::vector<uint8_t>& bits);

// A toggle pressed: the bit set (or cleared) on every selected entry. A
// toggle whose entries differed sets the bit for all, whatever the widget
// says, as users expect of a mixed box.
// Given:    positions  1-based selected positions
//           bit        the toggle's flag bit
//           set        the toggle's state after the press
void SetEntryBit(ElementList& list, const std::vector<int>& positions, uint8_t bit, int set);
