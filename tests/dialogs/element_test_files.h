// Element files of the dialogs' tests: records made from one comet's line
// with the names the test needs, written to the private home with their
// index.
#pragma once

#include "sky/catalog/element_files.h"
#include "tests/harness/test_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

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

struct ElementFiles {
    std::string elements;
    std::string index;
};

// Writes the lines with CR LF and builds the index beside them (its
// progress dots kept off the test's output).
inline ElementFiles WriteElementFile(const std::string& name, const std::vector<std::string>& lines,
                                     bool buildIndex = true)
{
    ElementFiles files{TestHome() + "/" + name, TestHome() + "/" + name + ".dbm"};
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    WriteFile(files.elements, text);
    if (buildIndex) {
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        BuildElementIndex(files.elements.c_str(), files.index.c_str());
        ::testing::internal::GetCapturedStderr();
        ::testing::internal::GetCapturedStdout();
    }
    return files;
}

}  // namespace elementtest
