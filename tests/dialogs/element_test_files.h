// Element files of the dialogs' tests, written to the private home with
// their index.
#pragma once

#include "tests/dialogs/element_records.h"
#include "tests/harness/test_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace elementtest {

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
