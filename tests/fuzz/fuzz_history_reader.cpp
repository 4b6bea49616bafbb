// Fuzzes the command history reader: whatever the file holds, every line it
// gives back is a whole line of the file, never a piece of a longer one, of
// at most kLongestCommandLine bytes, without a line end or a NUL; and what
// it gives back, written as a history file, reads back the same.
#include "dialogs/command_history.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

void Require(bool promise)
{
    if (!promise) {
        __builtin_trap();
    }
}

std::vector<std::string> ReadText(const std::string& text)
{
    // fmemopen refuses an empty buffer; an empty file holds no line.
    if (text.empty()) {
        return {};
    }
    FILE* stream = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    Require(stream != nullptr);
    std::vector<std::string> lines = ReadHistoryLines(stream);
    std::fclose(stream);
    return lines;
}

// The lines of a file as a reader that takes nothing but whole, short,
// clean lines sees them; an empty line is a line too.
std::vector<std::string> WholeLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = text.substr(start, end - start);
        if (line.size() <= kLongestCommandLine && line.find('\0') == std::string::npos) {
            lines.push_back(line);
        }
        start = end + 1;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = ReadText(text);
    Require(lines == WholeLines(text));
    std::string written;
    for (const std::string& line : lines) {
        Require(line.size() <= kLongestCommandLine);
        Require(line.find_first_of(std::string("\n\0", 2)) == std::string::npos);
        written += line + "\n";
    }
    Require(ReadText(written) == lines);
    return 0;
}
