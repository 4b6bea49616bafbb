// Searches by name over the built-in tables: stars by designation or proper
// name, constellations, nebulae by catalogue number, the Magellanic Clouds
// and the Jovian satellites; and over what is loaded: comets, minor planets,
// user objects and sky marks. The target parser runs them on the words of a
// command. Comparisons ignore the case of ASCII letters only, so names in
// any locale's encoding compare as they are; the star and constellation
// searches upper-case those letters of their text in place, as the keyword
// lookup does.
#pragma once

#include "sky/object_type.h"

#include <cstdint>

struct Scene;
struct UserObjectFile;

// A star by designation, written without blanks as FormatObjectCommandText
// writes it: Greek letter with an optional superscript digit ("alpha1Cen",
// "ALPHACEN") or a Flamsteed number ("9CMa"), then a constellation name.
// Given:    text  the designation (null: not found)
// Returned: text  the constellation part upper-cased (FindConstellationByName)
//           star  the lowest star number with the first matching designation
//           1 when found, else 0
int FindStarByDesignation(char* text, int32_t& star);

// A star by the display name of StarNameTable, case-insensitive.
// Returned: text  upper-cased in place
int FindStarByProperName(char* text, int32_t& star);

// FindStarByDesignation, else FindStarByProperName.
int FindStarByName(char* text, int32_t& star);

// A constellation by abbreviation, display name or default name, compared
// without regard to case.
// Given:    text  the name (null: not found)
// Returned: text  upper-cased in place
//           its row 0..87 (the second Serpens row is never returned), or -1
int32_t FindConstellationByName(char* text);

// A Messier, NGC or IC object: "M31", "NGC224", "N224", "IC434", "I434"
// in any case.
// Returned: index  nebula index (the row of NebulaPositionTable)
//           1 when found, else 0
int FindNebulaByDesignation(const char* text, int32_t& index);

// "LMC" (0) or "SMC" (1), case-insensitive.
int FindMagellanicCloudByName(const char* text, int32_t& index);

// A loaded comet (kind 'C') by its second name, number, designation or
// name, in that order, case-insensitive; both sides are blank-padded to the
// field's width first, so a text equals a blank-padded field.
// Returned: id  10000 + i of the first comet found
//           1 when found, else 0
int FindCometByName(const Scene& scene, const char* text, ObjectId& id);

// The same over the loaded minor planets (any kind but 'N'): 20000 + i.
int FindMinorPlanetByName(const Scene& scene, const char* text, ObjectId& id);

// "IO", "EUROPA", "GANYMEDE" or "CALLIST", case-insensitive.
// Returned: index  0..3
int FindJovianSatelliteByName(const char* text, int32_t& index);

// A user object by name, in the Scene's user-object files.
// Given:    text   the name (null: not found), compared in any case with
//                  the first 30 characters of each non-empty name
// Returned: index  running index of the first such object over all files,
//                  in load order, LINE and END records counted
//           1 when found, else 0
int FindUserObjectByName(const Scene& scene, const char* text, int32_t& index);

// The same over a list of sky-mark files (AppEnv's).
int FindSkyMarkByName(const UserObjectFile* files, int32_t count, const char* text, int32_t& index);
