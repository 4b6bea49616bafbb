// The site dialogs' plain halves: the fields of the edit dialog filled from
// a line of the site list file, a new record line made from the typed
// fields (or the message of the first check that fails), and the LOCATE
// text that moves the view to a site. No widget is touched here.
//
// A record line is 70 columns and a line feed:
//   0-39  name, left-aligned, blank-padded    41-48 "%7.3f" and 'E' or 'W'
//   50-56 "%6.3f" and 'N' or 'S'              58-61 altitude "%4d"
//   63-68 '+' or '-' and the zone's hours "%05.2f"
// Columns 40, 49, 57, 62 and 69 are blanks.
#pragma once

#include "astro/time_records.h"
#include "dialogs/kit/command_text.h"

#include <string>
#include <vector>

// The template of a new site: no name, 0 E, 0 N, altitude 0, zone +00.00.
extern const char kNewSiteLine[];

// What Show writes into the edit dialog's fields: texts, since an angle no
// number can stand for leaves its fields empty and the zone is shown as its
// columns hold it.
struct SiteEditFields {
    std::string name;                 // NameText
    bool west = false;                // LongW; else LongE
    std::string longDeg, longMin;     // LongDeg, LongMin
    bool south = false;               // LatiS; else LatiN
    std::string latiDeg, latiMin;     // LatiDeg, LatiMin
    std::string altitude;             // AltiText
    bool zoneMinus = false;           // TZMinus; else TZPlus
    std::string zoneHours;            // TZHour
};

// What OK reads from the edit dialog: the name's text and the number
// fields' numbers (GetTextFieldInt, GetTextFieldDouble for the zone).
struct SiteEditValues {
    std::string name;             // NameText
    bool west = false;            // LongW; else LongE
    int longDeg = 0, longMin = 0;
    bool south = false;           // LatiS; else LatiN
    int latiDeg = 0, latiMin = 0;
    int altitude = 0;             // metres
    bool zoneMinus = false;       // TZMinus; else TZPlus
    double zoneHours = 0.0;       // the zone's magnitude
};

// The fields for a line. A line shorter than a record is read as if padded
// with blanks to 70 columns. Longitude and latitude show whole degrees and
// rounded minutes without carry (139.999 shows 139 and 60, which OK then
// refuses); an angle that is no finite number an int can hold leaves
// both of its fields empty. Like a text field, no text holds a NUL byte.
// Given:    line  a line of the file, with or without its line feed
SiteEditFields SiteFieldsOfLine(const std::string& line);

// The record line for typed fields, checked in this order (the first
// failure gives its message key): the name without its leading blanks, cut
// to 40 characters, not blank ("messageMustSpecSiteName"), not a name the
// command language would refuse in LOCATE (";", '"', CR or LF:
// "stkErrorIllegalParam" in command, to be reported as the command
// language reports), and not equal to any of names but the one at
// editedIndex ("messageSiteAlreadyExist"; exact and case-sensitive);
// longitude degrees 0..180 ("messageInvalidSiteLongDeg"), minutes 0..59
// ("messageInvalidSiteLongMin"), the angle at most 180
// ("messageInvalidSiteLong"); latitude the same with 90
// ("messageInvalidSiteLatiDeg", "...LatiMin", "...Lati"); altitude
// -999..9999 ("messageInvalidSiteAlti"); zone hours 0..14, the sign coming
// from the choice ("messageInvalidSiteTz"). A number field with no number
// in it reads as 0: an empty altitude is 0 metres.
// Given:    values       what was typed
//           names        the names of the list, in file order
//           editedIndex  0-based line being edited, -1 for a new site
// Returned: line         70 columns and a line feed (only when accepted)
//           command      holds the refusal of an unsafe name
//           null, or the message key of the refusal ("" when command holds it)
const char* MakeSiteLine(const SiteEditValues& values, const std::vector<std::string>& names,
                         int editedIndex, std::string& line, CommandText& command);

// The text that moves the view to a site, one text of two statements:
// LOCATE lon E|W, lat N|S, zone, height, "name";DRIVE
// Given:    name      the site's name (refused when unsafe: command says so)
//           location  degrees east and north, metres
//           zone      hours east of UT
// Returned: command
void ComposeLocateCommand(const char* name, const ObserverLocation& location, double zone,
                          CommandText& command);

// Whether a line names the default site: its name columns equal SiteName
// padded to 40 columns. With no default site set, a new site's blank name
// matches.
bool IsDefaultSiteLine(const std::string& line, const char* siteName);
