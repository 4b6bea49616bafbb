// The words the commands take as arguments (VIEW ANGLE, STIME SUNRISE, MAG
// STARNAME ...), as keyword tables that the handlers look their arguments
// up in. Being tables, they are what tools/print_command_tables prints for
// the fuzz dictionary and the command documentation, so neither can drift
// from what the handlers take. Matched like every keyword: ASCII letters in
// any case.
#pragma once

#include "core/keywords.h"

// VIEW: what its first argument sets.
enum ViewKeyword : int32_t { kViewAngle = 1, kViewSol = 2, kViewCenter = 3 };
extern const KeywordEntry ViewKeywordTable[];

// ZOOM: UP narrows the view, DOWN widens it. Only the first letter of the
// argument counts ("U", "up" and "Uranus" all narrow); the values are those
// letters.
extern const KeywordEntry ZoomKeywordTable[];

// TRACK and SOL_OFFSET: OFF.
extern const KeywordEntry OffKeywordTable[];

// STARDATA: the star sources besides the built-in stars; the values are
// their bits of the stars display byte (kSaoStarsFlag, kGscStarsFlag).
extern const KeywordEntry StarDataKeywordTable[];

// MAG: which limit it sets; INCMAG and DECMAG step all but NEBULALIMIT.
enum MagnitudeKind : int32_t { kMagStar, kMagStarname, kMagNebulaMin, kMagNebulaMax, kMagNebulaLimit };
extern const KeywordEntry MagnitudeKeywordTable[];
extern const KeywordEntry MagnitudeStepKeywordTable[];

// DATE: NOW, the system clock.
extern const KeywordEntry DateKeywordTable[];

// STIME: SUNRISE 1 and SUNSET 2 lock the clock, NONE 0 ends the lock.
extern const KeywordEntry SunEventKeywordTable[];
// The unit a lock's value ends in ("-30MIN", "5DEG"): DEG an altitude in
// degrees, MIN minutes; searched in this order anywhere in the value.
enum SunLockUnit : int32_t { kLockInDegrees = 1, kLockInMinutes = 2 };
extern const KeywordEntry SunLockUnitKeywordTable[];

// INPUT: the dialog it opens.
extern const KeywordEntry InputKeywordTable[];

// CONTINUE and REVERSE: the real-time runs, 1 following the clock, 2 keeping
// the offset to it.
extern const KeywordEntry RunClockKeywordTable[];
