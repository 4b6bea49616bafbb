#include "sky/catalog/site_list.h"

#include "core/app_env.h"
#include "core/regular_file.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Blank columns between the fields: the first four make the record test,
// and each ends a field when a record is split.
constexpr int kRecordTestColumns[] = {40, 49, 57, 62};
constexpr int kSeparatorColumns[] = {40, 49, 57, 62, 69};

// Beyond these a record describes no place on the Earth, and used as it
// stands it would put the observer at a latitude of 99 degrees or label the
// clock with a zone days away.
constexpr double kMostLatitude = 90.0;      // degrees
constexpr double kMostLongitude = 180.0;    // degrees
constexpr double kMostZone = 24.0;          // hours
constexpr double kMostHeight = 1e7;         // metres

bool Within(double value, double most)
{
    return std::isfinite(value) && std::fabs(value) <= most;
}

bool IsWestOrSouth(char side, char letter)
{
    return side == letter || side == letter + ('a' - 'A');
}

void CopyTrimmedName(const char* fields, char* name)
{
    int length = kSiteNameWidth;
    while (length > 0 && fields[length - 1] == ' ') {
        --length;
    }
    std::memcpy(name, fields, static_cast<size_t>(length));
    name[length] = '\0';
}

}  // namespace

int IsSiteRecordLine(const char* line)
{
    if (line == nullptr) {
        return 0;
    }
    const size_t length = std::strlen(line);
    const bool endsWithLineFeed = length == kSiteRecordLength + 1 && line[kSiteRecordLength] == '\n';
    const bool endsWithCrLf = length == kSiteRecordLength + 2 && line[kSiteRecordLength] == '\r' &&
                              line[kSiteRecordLength + 1] == '\n';
    if (!endsWithLineFeed && !endsWithCrLf) {
        return 0;
    }
    for (int column : kRecordTestColumns) {
        if (line[column] != ' ') {
            return 0;
        }
    }
    return 1;
}

void SplitSiteRecord(const char* line, char fields[kSiteRecordLength])
{
    std::memcpy(fields, line, kSiteRecordLength);
    for (int column : kSeparatorColumns) {
        fields[column] = '\0';
    }
}

int ParseSiteRecord(const char* line, SiteRecord& site)
{
    if (!IsSiteRecordLine(line)) {
        return 0;
    }
    char fields[kSiteRecordLength];
    SplitSiteRecord(line, fields);
    SiteRecord parsed;
    CopyTrimmedName(fields, parsed.name);
    parsed.location.longitude = std::strtod(fields + kSiteLongitudeColumn, nullptr);
    if (IsWestOrSouth(line[kSiteLongitudeSideColumn], 'W')) {
        parsed.location.longitude = -parsed.location.longitude;
    }
    parsed.location.latitude = std::strtod(fields + kSiteLatitudeColumn, nullptr);
    if (IsWestOrSouth(line[kSiteLatitudeSideColumn], 'S')) {
        parsed.location.latitude = -parsed.location.latitude;
    }
    parsed.location.height = std::strtod(fields + kSiteAltitudeColumn, nullptr);
    parsed.zone = std::strtod(fields + kSiteZoneColumn, nullptr);
    // "nan" or "inf" typed into a field would poison every position computed
    // for the site, and so would a place off the Earth.
    if (!Within(parsed.location.longitude, kMostLongitude) || !Within(parsed.location.latitude, kMostLatitude) ||
        !Within(parsed.location.height, kMostHeight) || !Within(parsed.zone, kMostZone)) {
        return 0;
    }
    site = parsed;
    return 1;
}

int LookUpSite(const char* name, ObserverLocation& location, double& zone)
{
    if (name == nullptr) {
        return 0;
    }
    UniqueFile stream = OpenRegularFile(gAppEnv->siteFile);
    if (!stream) {
        return 0;
    }
    // The list ends at its first line that is no record: a comment, a blank
    // line, a line of another length or layout, a record ParseSiteRecord
    // refuses. A longer line is read no further than a record's length.
    BoundedLine line;
    SiteRecord site;
    while (ReadBoundedLine(stream.get(), kSiteRecordLength + 2, line) && ParseSiteRecord(line.text.c_str(), site)) {
        if (std::strcmp(site.name, name) == 0) {
            location = site.location;
            zone = site.zone;
            return 1;
        }
    }
    return 0;
}
