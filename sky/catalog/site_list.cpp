#include "sky/catalog/site_list.h"

#include "core/app_env.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr int kLongitudeColumn = 41;
constexpr int kLongitudeSideColumn = 48;
constexpr int kLatitudeColumn = 50;
constexpr int kLatitudeSideColumn = 56;
constexpr int kAltitudeColumn = 58;
constexpr int kZoneColumn = 63;
// Blank columns between the fields: the first four make the record test,
// and each ends a field when a record is split.
constexpr int kRecordTestColumns[] = {40, 49, 57, 62};
constexpr int kSeparatorColumns[] = {40, 49, 57, 62, 69};

// Room for a record with CR LF and its terminator, and enough to tell that a
// longer line is no record.
constexpr int kLineBufferSize = 128;

struct FileCloser {
    void operator()(FILE* stream) const { std::fclose(stream); }
};

// Reads one line; a line longer than the buffer is consumed whole and
// returned cut, so its tail is never taken for a line of its own (the cut
// text has no line feed at column 70 and so is no record).
bool ReadSiteLine(FILE* stream, char* line, int size)
{
    if (std::fgets(line, size, stream) == nullptr) {
        return false;
    }
    const size_t length = std::strlen(line);
    if (length > 0 && line[length - 1] != '\n') {
        int c;
        while ((c = std::fgetc(stream)) != EOF && c != '\n') {
        }
    }
    return true;
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
    parsed.location.longitude = std::strtod(fields + kLongitudeColumn, nullptr);
    if (IsWestOrSouth(line[kLongitudeSideColumn], 'W')) {
        parsed.location.longitude = -parsed.location.longitude;
    }
    parsed.location.latitude = std::strtod(fields + kLatitudeColumn, nullptr);
    if (IsWestOrSouth(line[kLatitudeSideColumn], 'S')) {
        parsed.location.latitude = -parsed.location.latitude;
    }
    parsed.location.height = std::strtod(fields + kAltitudeColumn, nullptr);
    parsed.zone = std::strtod(fields + kZoneColumn, nullptr);
    // "nan" or "inf" typed into a field would poison every position computed
    // for the site.
    if (!std::isfinite(parsed.location.longitude) || !std::isfinite(parsed.location.latitude) ||
        !std::isfinite(parsed.location.height) || !std::isfinite(parsed.zone)) {
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
    std::unique_ptr<FILE, FileCloser> stream(std::fopen(gAppEnv->siteFile, "r"));
    if (!stream) {
        return 0;
    }
    char line[kLineBufferSize];
    SiteRecord site;
    // A comment, a blank line or a hand-edited line in the wrong layout is
    // skipped rather than ending the search: the site dialog lists every
    // line, and a site below such a line must still be found.
    while (ReadSiteLine(stream.get(), line, sizeof line)) {
        if (ParseSiteRecord(line, site) && std::strcmp(site.name, name) == 0) {
            location = site.location;
            zone = site.zone;
            return 1;
        }
    }
    return 0;
}
