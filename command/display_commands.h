// Display options by keyword, shared by SHOW, HIDE and TOGGLE, the dialogs
// that send them and the script writer that writes them back. The handlers
// themselves are declared in command/command_handlers.h.
#pragma once

#include <cstdint>

struct Scene;

// Operations of StkShowHideObject (those of ApplyBitOp).
constexpr int kFlagClear = 0;
constexpr int kFlagSet = 1;
constexpr int kFlagToggle = 2;

// Sets, clears or toggles one display option: a keyword of
// ObjectKeywordTable (in any case) switches its group's flag byte, any
// other is read as a solar-object keyword (MARS_NAME, PLANET_OBT, COMET2,
// IONTAIL1) and switches the BodyFlags of that body or group. METEOR
// switches both meteor kinds; showing a nebula type or catalogue shows the
// nebulae, and hiding the last one hides them; the status bar moves the top
// of the sky rectangle.
// Given:    scene      flags; loaded comets and minor planets
//           keyword    the option (null: refused)
//           operation  kFlagClear, kFlagSet or kFlagToggle
// Returned: scene      the flag bytes
//           keyword    upper-cased in place (StkLookupKeyword)
//           1 done; 0 for an unknown keyword ("stkErrorIllegalParam" with
//           it recorded, upper-cased), the scene unchanged
int StkShowHideObject(Scene& scene, char* keyword, int operation);

// Whether a display option is on: the reading of the Scene that SHOW and
// HIDE write, so a dialog fills its toggles from the keywords it sends.
// Given:    scene    flags; loaded comets and minor planets
//           keyword  a keyword of ObjectKeywordTable or a solar-object
//                    keyword of one body, in any case; left as it is
// Returned: 1 on, 0 off; -1 for a keyword with no flag of its own to read
//           (unknown, a body group such as PLANET, or a group without a
//           flag byte such as TOOLBAR)
int StkDisplayOptionShown(const Scene& scene, const char* keyword);

// The flag byte of a keyword group of ObjectKeywordTable (the high byte of
// its values).
// Returned: the byte; null for the groups accepted without one (the menu
//           bar, toolbar and step box; view circle and image marks) and for
//           groups not in the table
uint8_t* StkGroupFlagByte(Scene& scene, int group);
inline const uint8_t* StkGroupFlagByte(const Scene& scene, int group)
{
    return StkGroupFlagByte(const_cast<Scene&>(scene), group);
}

// The solar-object keyword of a body and a BodyFlags bit, the reverse of
// StkParseSolarObjectKeyword: SUN_SPOT, MARS_NAME, PLANET_OBT, COMET2_DATE
// (loaded comets and minor planets by their number from 1), DUSTTAIL1,
// IONTAIL.
// Given:    scene  loaded comets and minor planets
//           id     ObjectId, or 100 / 101 / 102 for PLANET, COMET and
//                  MINORPLANET
//           bit    2, 4, 8, 16, 32, 64 or 128
// Returned: the keyword in one static buffer (overwritten by the next
//           call), or null for a body that does not exist or a bit it has
//           no keyword for
const char* StkSolarObjectKeyword(const Scene& scene, int32_t id, int32_t bit);
