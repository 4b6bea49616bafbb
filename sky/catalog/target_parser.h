// Targets as the command language names a place or an object on the sky
// (STAR alphaOri, EQT 0530.5 -0523, JUPITER, M31), read into an object
// reference with coordinates. It lives with the catalogues, whose names it
// looks up and whose files (user objects, click data) name their objects
// so; turning the view toward a target is sky/view/targets.
#pragma once

#include "core/keywords.h"
#include "sky/object_type.h"

#include <cstdint>

struct Scene;

// A parsed target: the object, or the place for the frame types and SCREEN.
struct TargetRef {
    int32_t type;              // ObjectType
    int32_t id;
    double longitude;          // degrees in the type's frame, or pixels (SCREEN)
    double latitude;
    int32_t textsUsed;         // 1 a name alone, 2 keyword and name, 3 keyword and two numbers
};

// The target keywords: HRZ, EQT, EQT_B1950, EQT_DATE, ECL, GAL, STAR, CONS,
// NEBULA, SCREEN, AD, VIEW_CENTER, SKYMARK with their ObjectType.
extern const KeywordEntry TargetKeywordTable[];

// Reads a target. A keyword of TargetKeywordTable takes its name or its two
// coordinates from text2 and text3; any other keyword is tried as the name
// of a solar-system body, a Jovian satellite (which also switches the
// satellites on, as SHOW JMOON) or a Magellanic Cloud. A missing coordinate
// keeps the view centre's, converted into the keyword's frame. Equatorial
// coordinates are hours and degrees ("5.5", "-5.4") or, when the integer
// part of text2 has three or more characters, HHMM.m and DDMM.m.
// Coordinates that are no number, not finite, or out of range (a latitude
// or declination beyond +-90 degrees, a right ascension outside 0..24 h, a
// longitude beyond +-360 degrees, a pixel beyond +-32767) are refused. No
// text given is changed.
// Given:    scene    view centre and time (defaults), loaded comets and
//                    minor planets (names)
//           keyword  first word of the target (null: not a target)
//           text2    second word or null
//           text3    third word or null
// Returned: scene    Jovian satellite flag (satellite names)
//           out      the target (unspecified when refused)
//           1 parsed, 0 not a target
int ParseTarget(Scene& scene, const char* keyword, const char* text2, const char* text3,
                TargetRef& out);

// ParseTarget, and when that fails the keyword tried as a name of a
// constellation, a star, a nebula, a user object and a sky mark in this
// order (M31, Betelgeuse); texts used then counts one less.
int ParseTargetWithFallback(Scene& scene, const char* keyword, const char* text2,
                            const char* text3, TargetRef& out);
