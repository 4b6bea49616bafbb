// The keyword tables shared by the command handlers, the script writer and
// the target parser, and the lookups in them. They live in core/ because the
// sky library's target parser reads them as the command handlers do.
#pragma once

#include <cstdint>

// One keyword of a table; a table ends with an entry whose keyword is null.
// Keywords are stored in upper case.
struct KeywordEntry {
    const char* keyword;
    int32_t value;
};

// TIMESYS: LST 0, UT 1, LMT 2.
extern const KeywordEntry TimeSystemKeywordTable[];
// MODE: the ViewMode codes, in the order whose names the reverse lookup gives.
extern const KeywordEntry ModeKeywordTable[];
// GRID: NORMAL 0, MODE1 1, MODE2 2, MODE3 3.
extern const KeywordEntry GridKeywordTable[];
// LOAD, UNLOAD: AD 5 (user-object file), CLICKDATA 7 (click-data file).
extern const KeywordEntry FileTypeKeywordTable[];
// SHOW, HIDE, TOGGLE: flag group in the high byte, bit mask in the low byte.
// The Japanese aliases are EUC-JP bytes.
extern const KeywordEntry ObjectKeywordTable[];

// The flag groups of ObjectKeywordTable, the high byte of its values; each
// but the window and view-mark groups has a flag byte of the Scene.
enum ObjectKeywordGroup : int {
    kGroupJovianMoons = 0x05,
    kGroupStars = 0x0A,
    kGroupConstellations = 0x0B,
    kGroupNebulae = 0x0C,
    kGroupNebulaTypes = 0x0D,
    kGroupNebulaCatalogues = 0x0E,
    kGroupSkyAndGround = 0x0F,
    kGroupGridNumbers = 0x10,
    kGroupHorizontalGrid = 0x11,
    kGroupEquatorialGrids = 0x12,
    kGroupOtherGrids = 0x13,
    kGroupLineNumbers = 0x14,
    kGroupWindows = 0x15,         // MENUBAR, TOOLBAR, STEPBOX
    kGroupTrace = 0x16,
    kGroupUserObjects = 0x17,
    kGroupStatusBar = 0x18,
    kGroupStarLabels = 0x19,
    kGroupMilkyWay = 0x1A,
    kGroupViewMarks = 0x1B,       // VIEW_CIRCLE, VIEW_PHOTO, IMAGE_MARK
    kGroupSkyMarks = 0x1C,
    kGroupPictureMarks = 0x1D,
};

// Finds a keyword in a table. The argument is upper-cased in place first,
// so a handler that reports it shows the keyword as it was looked up.
// Given:    argument  text to look up, in any case (null: not found); only the
//                     ASCII letters a-z are upper-cased, and the comparison
//                     is byte for byte, so the EUC-JP aliases match the same
//                     bytes in any locale (tr_TR's dotted I included)
//           table     keyword table
// Returned: argument  upper-cased
//           value     the value of the first entry that matches (unchanged
//                     when none does)
//           1 when found, else 0
int StkLookupKeyword(char* argument, const KeywordEntry* table, int32_t& value);

// Finds a word in a table without regard to the case of its ASCII letters
// and leaves it as it is: the words a command takes "in any case" (NOW,
// OFF, SAO, SUNRISE, the MAG kinds, ...), which it reports as typed.
// Given:    word   text to look up (null: not found)
//           table  keyword table
// Returned: value  the value of the first entry that matches (unchanged
//                  when none does)
//           1 when found, else 0
int StkMatchWord(const char* word, const KeywordEntry* table, int32_t& value);

// The keyword of the first entry with a value.
// Given:    table, value
// Returned: its keyword, or null when no entry has that value
const char* StkKeywordName(const KeywordEntry* table, int32_t value);
