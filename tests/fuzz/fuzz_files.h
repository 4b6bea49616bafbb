// The file a file-reader fuzz target reads: each input is written to a file
// of its own directory under $TMPDIR (scripts/run-fuzz.sh points it at a
// directory it removes), never into a real ~/.uvola.
#pragma once

#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// A fresh directory of this process.
inline std::string FuzzDirectory()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr ? tmp : "/tmp") + "/uvola-fuzz.XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    return pattern;
}

// Writes the input as the whole file at path.
inline void WriteFuzzInput(const std::string& path, const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::abort();
    }
}
