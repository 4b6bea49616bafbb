// Solar-system object keywords of the command language (MARS, MARS_NAME,
// PLANET_OBT, COMET2_DATE, IONTAIL1) read into a body and a BodyFlags bit,
// and solar-system bodies found by name for the target parser.
#pragma once

#include "core/keywords.h"
#include "sky/object_type.h"

#include <cstdint>

struct Scene;

// Ids of the body groups a keyword can name besides single bodies.
constexpr int32_t kAllPlanetsId = 100;       // the eight planets and the Earth
constexpr int32_t kAllCometsId = 101;        // every loaded comet
constexpr int32_t kAllMinorPlanetsId = 102;  // every loaded minor planet

// The parts of the solar-object keywords besides the bodies' own
// (SolarBodyKeywordTable): the suffixes, valued by their BodyFlags bit
// ("_SPOT" only for the Sun), the groups, valued by their ids, and the comet
// tails, valued by their BodyFlags bit.
extern const KeywordEntry SolarSuffixKeywordTable[];
extern const KeywordEntry SolarGroupKeywordTable[];
extern const KeywordEntry CometTailKeywordTable[];

// Longest solar-object keyword read; a longer one names nothing.
constexpr int kSolarKeywordSize = 48;

// Reads a solar-object keyword: a body part (EARTH, SUN, MOON, MERCURY ..
// PLUTO, COMETn, MINORPLANETn, PLANET, COMET, MINORPLANET) and a suffix
// (none, "_NAME", "_MAG", "_DATE", "_OBT", "_SPOT" for the Sun), or a tail
// keyword (DUSTTAIL, IONTAIL, optionally followed by a comet number). The
// body part is matched in any case; the keyword itself is not changed.
// Given:    scene    loaded comets and minor planets (COMETn, MINORPLANETn)
//           keyword  the text (null: failure)
// Returned: id       ObjectId, or 100 / 101 / 102 for the groups
//           bit      BodyFlags bit: 2 shown, 4 name, 8 magnitude, 16 date,
//                    32 orbit, 64 Sun spot or dust tail, 128 ion tail
//           1 when the keyword names a body or group, else 0 (outputs
//           unchanged)
int StkParseSolarObjectKeyword(const Scene& scene, const char* keyword, int32_t& id, int32_t& bit);

// A solar-system body by name: a plain solar-object keyword (a keyword
// with a suffix or a tail keyword names no body), else a loaded comet, else
// a loaded minor planet by any of its name fields.
// Given:    scene  loaded comets and minor planets
//           text   the name (null: not found)
// Returned: id     ObjectId, or 100 / 101 / 102 for PLANET, COMET and
//                  MINORPLANET
//           1 when found, else 0
int FindSolarBodyByName(const Scene& scene, const char* text, ObjectId& id);
