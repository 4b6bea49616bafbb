// Names of objects and their references in the command language: the
// display and keyword names of solar-system bodies, the command text that
// names any object (STAR alphaOri, NEBULA M31, COMET2), and the reading of
// the built-in identification tables (designations, proper names, nebula
// places and types).
#pragma once

#include "astro/body_records.h"
#include "core/keywords.h"
#include "data/catalog_tables.h"
#include "sky/object_type.h"

#include <cstddef>
#include <cstdint>

struct OrbitalElements;
struct Scene;

// Longest command reference: "EQT %f,%f" with two six-decimal values, or an
// AD reference with a 30-character name.
constexpr size_t kObjectCommandTextSize = 64;

constexpr int32_t kFirstJovianMoonId = 8;    // Io; Callisto is 11

// Command keywords of the Sun, the Moon, the planets, the Galilean
// satellites and the Earth, valued by their ObjectId: "SUN" (-2) ..
// "PLUTO" (7), "IO" .. "CALLIST" (8..11), "EARTH" (-3).
extern const KeywordEntry SolarBodyKeywordTable[];

// Command keyword of a body: its SolarBodyKeywordTable entry, "EARTH" for
// any other id.
const char* SolarBodyKeyword(int32_t id);

// Name of a solar-system body.
// Given:    id       ObjectId: a loaded comet (10000 + i) or minor planet
//                    (20000 + i) gives the name field of its elements;
//                    -2 Sun, -1 Moon, 0..7 Mercury..Pluto, 8..11
//                    Io..Callisto; any other id is the Earth
//           keyword  1: the command keyword ("SUN", "CALLIST"); 0: the
//                    localised name from the message texts
//           length   size of buffer in bytes
// Returned: buffer   the name, cut to length - 1 characters, terminated
void GetSolarBodyName(const Scene& scene, ObjectId id, int keyword, char* buffer, size_t length);

// The first of the name, second name, number and designation fields of an
// element record that is not all blanks; null when all are.
const char* GetOrbitalElementsLabel(const OrbitalElements& elements);

// The command-language reference of an object.
// Given:    type     ObjectType (50..56 have references)
//           id       star number, ObjectId, constellation row, nebula
//                    index, Jovian satellite 0..3, user-object running
//                    index or Magellanic Cloud 0..1
// Returned: buffer   at least kObjectCommandTextSize bytes: the reference
//           1 when the object has a reference, else 0 (a user object
//           without a name or with a double quote in it has none)
int FormatObjectCommandText(const Scene& scene, int32_t type, int32_t id, char* buffer);

// Row of a star's designation.
// Given:    star     star number 0..9119
// Returned: row      row of StarDesignationTable
//           flag     the star's proper-name flag (attribute bit 3)
//           1 when the star has a designation, else 0
int GetStarDesignationIndex(int32_t star, int32_t& row, int32_t& flag);

// The parts of a designation row.
// Given:    row            row of StarDesignationTable
// Returned: greekLetter    1..24 (alpha..omega), 0 none
//           superscript    0..15, 0 none
//           flamsteed      Flamsteed number, 0 none
//           constellation  ConstellationTable row 0..87
void DecodeStarDesignation(int32_t row, int32_t& greekLetter, int32_t& superscript,
                           int32_t& flamsteed, int32_t& constellation);

// The star number that owns a designation row, -1 when no star does.
int32_t StarOfDesignationRow(int32_t row);

// Name of a Greek letter 1..24 ("alpha".."omega"); null for any other.
const char* GreekLetterName(int32_t letter);

// Display name of a named star, or null when the star has none.
const char* GetStarProperName(int32_t star);

// The last star (brightest first) within the scene's star limit.
// Returned: star  its star number
//           0 when the limit is brighter than every star, else 1
int GetLastStarWithinLimit(const Scene& scene, int32_t& star);

// J2000 place of a nebula.
// Given:    index  nebula index 0..GetNebulaCount() - 1
// Returned: ra, dec  degrees
void GetNebulaPosition(int32_t index, double& ra, double& dec);

// Number of built-in nebula records (Messier, NGC and IC together).
int32_t GetNebulaCount();

// Attribute record of a nebula index.
const NebulaAttributes& GetNebulaAttributes(int32_t index);

// Localised name of a nebula type 0..5; empty for any other type.
void GetNebulaTypeName(int32_t type, char* buffer, size_t length);
