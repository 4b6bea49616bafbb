// Small file helpers shared by the tests of the options file, locale,
// resources and site list.
#pragma once

#include <sys/stat.h>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

inline std::string TestHome()
{
    return std::getenv("UVOLA_TEST_HOME");
}

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

inline bool Exists(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}
