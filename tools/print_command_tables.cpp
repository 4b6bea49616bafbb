// Prints the command language's own tables, for what must never drift from
// them: the generated lists of doc/commands.md and the fuzz run's dictionary.
//
//   print_command_tables            one entry a line:
//     command WORD ARGUMENTS        the command table, in its order; ARGUMENTS
//                                   is the handler's count, -1 for a whole list
//     TABLE KEYWORD VALUE           a keyword table: timesys, mode, grid,
//                                   filetype, object (SHOW, HIDE, TOGGLE), target
//     body KEYWORD ID               the solar-system and Jovian satellite names
//     TABLE KEYWORD VALUE           the parts of the solar-object keywords
//                                   (bodygroup, bodysuffix, tail) and the
//                                   words the commands take as arguments:
//                                   view, zoom (first letter), off, stardata,
//                                   mag, magstep, date, stime, stimeunit,
//                                   input, run (CONTINUE, REVERSE)
//   Bytes outside printable ASCII (the Japanese aliases) are written as \xHH.
//
//   print_command_tables --dictionary
//     every word of every table once, a libFuzzer dictionary line each: the
//     word in double quotes, with \\, \" and every byte outside printable
//     ASCII written \xHH
#include "command/argument_keywords.h"
#include "command/command_table.h"
#include "core/keywords.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/solar_body_names.h"
#include "sky/catalog/target_parser.h"

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int32_t kFirstBodyId = -3;   // the Earth; the Sun is -2, the Moon -1
constexpr int32_t kLastBodyId = 11;    // Callisto

struct TableEntry {
    const char* table;
    const char* word;
    long value;
};

void AddKeywords(std::vector<TableEntry>& entries, const char* table, const KeywordEntry* keywords)
{
    for (const KeywordEntry* entry = keywords; entry->keyword != nullptr; ++entry) {
        entries.push_back({table, entry->keyword, entry->value});
    }
}

std::vector<TableEntry> AllEntries()
{
    std::vector<TableEntry> entries;
    for (const CommandEntry* entry = CommandTable; entry->word != nullptr; ++entry) {
        entries.push_back({"command", entry->word, entry->argumentCount});
    }
    AddKeywords(entries, "timesys", TimeSystemKeywordTable);
    AddKeywords(entries, "mode", ModeKeywordTable);
    AddKeywords(entries, "grid", GridKeywordTable);
    AddKeywords(entries, "filetype", FileTypeKeywordTable);
    AddKeywords(entries, "object", ObjectKeywordTable);
    AddKeywords(entries, "target", TargetKeywordTable);
    for (int32_t id = kFirstBodyId; id <= kLastBodyId; ++id) {
        entries.push_back({"body", SolarBodyKeyword(id), id});
    }
    AddKeywords(entries, "bodygroup", SolarGroupKeywordTable);
    AddKeywords(entries, "bodysuffix", SolarSuffixKeywordTable);
    AddKeywords(entries, "tail", CometTailKeywordTable);
    AddKeywords(entries, "view", ViewKeywordTable);
    AddKeywords(entries, "zoom", ZoomKeywordTable);
    AddKeywords(entries, "off", OffKeywordTable);
    AddKeywords(entries, "stardata", StarDataKeywordTable);
    AddKeywords(entries, "mag", MagnitudeKeywordTable);
    AddKeywords(entries, "magstep", MagnitudeStepKeywordTable);
    AddKeywords(entries, "date", DateKeywordTable);
    AddKeywords(entries, "stime", SunEventKeywordTable);
    AddKeywords(entries, "stimeunit", SunLockUnitKeywordTable);
    AddKeywords(entries, "input", InputKeywordTable);
    AddKeywords(entries, "run", RunClockKeywordTable);
    return entries;
}

void PrintWord(const char* word)
{
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(word); *c != '\0'; ++c) {
        if (*c > ' ' && *c < 0x7F && *c != '\\') {
            std::putchar(*c);
        } else {
            std::printf("\\x%02X", *c);
        }
    }
}

void PrintDictionaryWord(const char* word)
{
    std::putchar('"');
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(word); *c != '\0'; ++c) {
        if (*c == '\\' || *c == '"') {
            std::printf("\\%c", *c);
        } else if (*c >= ' ' && *c < 0x7F) {
            std::putchar(*c);
        } else {
            std::printf("\\x%02X", *c);
        }
    }
    std::puts("\"");
}

}  // namespace

int main(int argc, char** argv)
{
    const bool dictionary = argc == 2 && std::strcmp(argv[1], "--dictionary") == 0;
    if (argc > 1 && !dictionary) {
        std::fputs("Usage: print_command_tables [--dictionary]\n", stderr);
        return 2;
    }
    std::set<std::string> written;
    for (const TableEntry& entry : AllEntries()) {
        if (!dictionary) {
            std::printf("%s ", entry.table);
            PrintWord(entry.word);
            std::printf(" %ld\n", entry.value);
        } else if (written.insert(entry.word).second) {
            PrintDictionaryWord(entry.word);
        }
    }
    return 0;
}
