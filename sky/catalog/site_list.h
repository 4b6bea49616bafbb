// Reader of the site list file: named observing sites in fixed columns, one
// record per line (70 characters and a line feed, columns 0-based):
//   0-39  site name, blank-padded
//   41-48 longitude in degrees, 'E' or 'W' in column 48
//   50-56 latitude in degrees, 'N' or 'S' in column 56
//   58-61 altitude in metres
//   63-68 time zone in hours east of UT, signed
// Columns 40, 49, 57, 62 (and 69) are blanks. The site dialogs write the file
// in the same layout.
#pragma once

#include "astro/time_records.h"

constexpr int kSiteRecordLength = 70;   // characters before the line end
constexpr int kSiteNameWidth = 40;
// Where each field starts; the side letters stand in the last column of
// their field.
constexpr int kSiteLongitudeColumn = 41;
constexpr int kSiteLongitudeSideColumn = 48;
constexpr int kSiteLatitudeColumn = 50;
constexpr int kSiteLatitudeSideColumn = 56;
constexpr int kSiteAltitudeColumn = 58;
constexpr int kSiteZoneColumn = 63;

// One site as read from a record.
struct SiteRecord {
    char name[kSiteNameWidth + 1];   // trailing blanks removed
    ObserverLocation location;       // degrees, east and north positive; metres
    double zone;                     // hours east of UT
};

// Whether a line (as read, with its line end) is a site record: the four
// separator columns are blanks and the line ends after column 69 with a line
// feed, or a carriage return and a line feed.
// Returned: 1 record, 0 not
int IsSiteRecordLine(const char* line);

// Copies the five fields of a record line into fields at their own columns,
// each ended by a NUL in its separator column (40, 49, 57, 62, 69).
// Given:    line    a line for which IsSiteRecordLine is 1
// Returned: fields  kSiteRecordLength bytes
void SplitSiteRecord(const char* line, char fields[kSiteRecordLength]);

// Reads the site of a record line: the name without trailing blanks, the
// longitude (negative for 'W' or 'w' in column 48), the latitude (negative
// for 'S' or 's' in column 56), the height and the zone.
// Returned: 1 with site filled; 0 when the line is not a record, or a
//           number in it is not finite or out of range: latitude beyond
//           90 degrees either way, longitude beyond 180, height beyond 1e7 m,
//           zone beyond 24 h
int ParseSiteRecord(const char* line, SiteRecord& site);

// Looks a site up by name in the site list file in use (gAppEnv->siteFile;
// anything but a regular file counts as missing). The records are read from
// the top up to the first line that ParseSiteRecord refuses, which ends the
// list; the first record whose name equals name exactly (case-sensitive)
// wins.
// Given:    name      site name as stored, without trailing blanks
// Returned: location  latitude, east longitude (degrees), height (metres)
//           zone      hours east of UT
//           1 found, 0 not found or the file cannot be opened (outputs then
//           unchanged)
int LookUpSite(const char* name, ObserverLocation& location, double& zone);
