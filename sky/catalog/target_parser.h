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

// An object reference: the object, or the place for the frame types and
// SCREEN.
struct ObjectRef {
    int32_t type;              // ObjectType
    int32_t id;
    double longitude;          // degrees in the type's frame, or pixels (SCREEN)
    double latitude;
};

// Coordinates of a target are held within these bounds, so that every later
// integer conversion of a view centre (the scroll bars' tenths of a degree)
// and every saved VIEW CENTER or TRACK line stays sound; a SCREEN point must
// be a pixel of an X window.
constexpr double kTargetCoordinateLimit = 1.0e6;   // degrees
constexpr double kTargetPixelLimit = 32767.0;

// The target keywords: HRZ, EQT, EQT_B1950, EQT_DATE, ECL, GAL, STAR, CONS,
// NEBULA, SCREEN, AD, VIEW_CENTER, SKYMARK with their ObjectType.
extern const KeywordEntry TargetKeywordTable[];

// The order in which a bare name is tried as a keyword's name: CONS, STAR,
// NEBULA, AD, SKYMARK.
extern const int32_t TargetFallbackTypes[5];

// Reads a target. A keyword of TargetKeywordTable takes its name or its two
// coordinates from text2 and text3; any other keyword is tried as the name
// of a solar-system body, a Jovian satellite (which also switches the
// satellites on, as SHOW JMOON) or a Magellanic Cloud. The keyword is
// upper-cased in place as it is looked up, and so are star and
// constellation names. Coordinates are read as numbers are everywhere in
// commands (strtod, strtol: text that is no number reads 0); a missing one
// keeps the view centre's, converted into the keyword's frame. Equatorial
// coordinates are hours and degrees ("5.5", "-5.4") or, when the integer
// part of text2 has three or more characters, HHMM.m and DDMM.m. NaN,
// infinities and coordinates beyond kTargetCoordinateLimit degrees (a
// SCREEN pixel beyond kTargetPixelLimit, or SCREEN without both numbers)
// are refused.
// Given:    scene     view centre and time (defaults), loaded comets and
//                     minor planets (names)
//           keyword   first word of the target (null: not a target)
//           text2     second word or null
//           text3     third word or null
// Returned: scene     Jovian satellite flag (satellite names)
//           out       the target (unspecified when refused)
//           textsUsed 1 a name alone, 2 keyword and name, 3 keyword and
//                     two coordinates
//           1 parsed, 0 not a target
int ParseTarget(Scene& scene, char* keyword, char* text2, char* text3, ObjectRef& out,
                int32_t& textsUsed);

// ParseTarget, and when that fails the keyword tried as a name of each
// type of TargetFallbackTypes in order (M31, Betelgeuse); texts used then
// counts one less.
int ParseTargetWithFallback(Scene& scene, char* keyword, char* text2, char* text3, ObjectRef& out,
                            int32_t& textsUsed);
