// Element records of the dialogs' tests and benchmarks: one comet's line
// with the kind, names and perihelion day the test needs.
#pragma once

#include "sky/catalog/element_files.h"

#include <cstdio>
#include <string>

namespace elementtest {

// Halley's record as comet.elm holds it, without its line end.
inline std::string TemplateLine()
{
    static const std::string line =
        "C     1P            Halley                         19860205.895317 0.96714291  0.58597811 "
        "111.332485  58.420081 162.262691 2000.0   5.50                                           "
        "         1P             ";
    return line;
}

// One record: the template with the kind, name (columns 20-49) and second
// name (columns 188-202) given; short records end before the second name.
// The perihelion day moves with `day` (1..28), so records differ in their
// elements too.
inline std::string Record(char kind, const std::string& name, const std::string& secondName,
                          bool shortForm = false, int day = 5)
{
    std::string line = TemplateLine();
    line[0] = kind;
    line.replace(kNameColumn, 30, (name + std::string(30, ' ')).substr(0, 30));
    line.replace(kSecondNameColumn, 15, (secondName + std::string(15, ' ')).substr(0, 15));
    char dd[3];
    std::snprintf(dd, sizeof dd, "%02d", day);
    line.replace(57, 2, dd);
    if (shortForm) {
        line.resize(kShortElementLine);
    }
    return line;
}

}  // namespace elementtest
