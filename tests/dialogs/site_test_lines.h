// Site list lines for the site tests, written in the record layout by a
// format of the tests' own, not by the code under test.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace sitetest {

// A record line: the name in 40 columns, then the longitude (8 columns),
// latitude (7), altitude (4) and zone (6), each after a blank, a blank and
// the line feed.
inline std::string Record(const char* name, const char* longitude, const char* latitude,
                          const char* altitude, const char* zone)
{
    char line[128];
    std::snprintf(line, sizeof line, "%-40s %8s %7s %4s %6s \n", name, longitude, latitude,
                  altitude, zone);
    return line;
}

inline std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
    }
    return text;
}

}  // namespace sitetest
