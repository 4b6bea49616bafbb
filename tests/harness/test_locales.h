// Locales compiled for the tests, shared by the locale and label tests.
#pragma once

#include "tests/harness/test_files.h"

#include <sys/stat.h>
#include <cstdlib>
#include <string>

// Latin-1 locales compiled into a private LOCPATH, so that the tests do not
// depend on the locales the machine has generated: en_US.ISO_8859-1 and
// de_DE.ISO_8859-1. Empty when localedef fails.
inline std::string CompiledLocales()
{
    static const std::string directory = [] {
        const std::string candidate = TestHome() + "/locales";
        mkdir(candidate.c_str(), 0755);
        const std::string command = "localedef -i en_US -f ISO-8859-1 " + candidate + "/en_US.ISO_8859-1 && " +
                                    "localedef -i de_DE -f ISO-8859-1 " + candidate + "/de_DE.ISO_8859-1";
        return std::system((command + " >/dev/null 2>&1").c_str()) == 0 ? candidate : std::string();
    }();
    return directory;
}
