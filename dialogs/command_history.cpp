#include "dialogs/command_history.h"

#include "core/app_env.h"
#include "core/replacement_file.h"

#include <algorithm>
#include <cstring>

namespace {

bool ComesBackWhole(const std::string& line)
{
    return line.size() <= kLongestCommandLine &&
           line.find_first_of(std::string("\n\0", 2)) == std::string::npos;
}

}  // namespace

int GetHistoryFilePath(char* buffer, size_t size)
{
    const char* directory = gAppEnv->userDirectory;
    if (directory[0] == '\0' || size == 0) {
        return 0;
    }
    const int length = std::snprintf(buffer, size, "%s/history", directory);
    if (length < 0 || static_cast<size_t>(length) >= size) {
        buffer[0] = '\0';
        return 0;
    }
    return 1;
}

std::vector<std::string> ReadHistoryLines(FILE* stream)
{
    std::vector<std::string> lines;
    std::string line;
    bool tooLong = false;
    for (;;) {
        const int c = std::getc(stream);
        if (c == EOF && line.empty() && !tooLong) {
            return lines;
        }
        if (c == EOF || c == '\n') {
            if (!tooLong && ComesBackWhole(line)) {
                lines.push_back(line);
            }
            if (c == EOF) {
                return lines;
            }
            line.clear();
            tooLong = false;
        } else if (line.size() < kLongestCommandLine) {
            line.push_back(static_cast<char>(c));
        } else {
            tooLong = true;
        }
    }
}

int WriteHistoryFile(const char* path, const std::vector<std::string>& lines, int keep)
{
    ReplacementFile file;
    if (OpenReplacement(file, path) == 0) {
        return 0;
    }
    const size_t first = lines.size() > static_cast<size_t>(std::max(keep, 1))
                             ? lines.size() - static_cast<size_t>(std::max(keep, 1))
                             : 0;
    for (size_t i = first; i < lines.size(); ++i) {
        if (ComesBackWhole(lines[i])) {
            WriteReplacementText(file, lines[i].c_str());
            WriteReplacementText(file, "\n");
        }
    }
    return CommitReplacement(file);
}
