#include "sky/catalog/name_files.h"

#include "core/app_env.h"
#include "core/regular_file.h"
#include "data/catalog_tables.h"

#include <cstdlib>
#include <cstring>

namespace {

// Both name tables hold a display name that is either the row's own
// English name or an allocation of the file's.
template <typename Record>
void FreeDisplayNames(Record* table, int rows)
{
    for (int row = 0; row < rows; ++row) {
        if (table[row].displayName != table[row].defaultName) {
            std::free(const_cast<char*>(table[row].displayName));
        }
        table[row].displayName = table[row].defaultName;
    }
}

template <typename Record>
void LoadDisplayNames(const char* path, Record* table, int rows)
{
    FreeDisplayNames(table, rows);
    std::vector<char*> names(rows);
    LoadNameFile(path, rows, names.data());
    for (int row = 0; row < rows; ++row) {
        if (names[row] != nullptr) {
            table[row].displayName = names[row];
        }
    }
}

// One name: up to 127 characters or the line's end. Returns false at the
// end of the file before any character.
bool ReadOneName(FILE* file, std::string& name)
{
    name.clear();
    int c = std::getc(file);
    if (c == EOF) {
        return false;
    }
    while (c != EOF && c != '\n') {
        name.push_back(static_cast<char>(c));
        if (static_cast<int>(name.size()) == kNameFileLineLength) {
            // A full name: its line feed, if it comes next, belongs to it.
            const int next = std::getc(file);
            if (next != '\n' && next != EOF) {
                std::ungetc(next, file);
            }
            break;
        }
        c = std::getc(file);
    }
    // Files written on DOS keep a carriage return before the line feed.
    if (!name.empty() && name.back() == '\r') {
        name.pop_back();
    }
    return true;
}

}  // namespace

std::vector<std::string> ReadNameFileLines(FILE* file, int rows)
{
    std::vector<std::string> names;
    std::string name;
    while (static_cast<int>(names.size()) < rows && ReadOneName(file, name)) {
        names.push_back(name);
    }
    return names;
}

void LoadNameFile(const char* path, int rows, char** names)
{
    for (int row = 0; row < rows; ++row) {
        names[row] = nullptr;
    }
    if (path == nullptr || path[0] == '\0') {
        return;
    }
    UniqueFile file = OpenRegularFile(path);
    if (!file) {
        return;
    }
    const std::vector<std::string> lines = ReadNameFileLines(file.get(), rows);
    for (size_t row = 0; row < lines.size(); ++row) {
        names[row] = strdup(lines[row].c_str());
    }
}

void LoadConstellationNames()
{
    LoadDisplayNames(gAppEnv->constDataFile, ConstellationTable, kConstellationRows);
}

void LoadStarNames()
{
    LoadDisplayNames(gAppEnv->starNameDataFile, StarNameTable, kStarNameCount);
}

void FreeConstellationNames()
{
    FreeDisplayNames(ConstellationTable, kConstellationRows);
}

void FreeStarNames()
{
    FreeDisplayNames(StarNameTable, kStarNameCount);
}
