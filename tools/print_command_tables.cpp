// Prints the command language's own tables, one entry a line, for the
// generators that must never drift from them (doc/commands.md):
//   command WORD ARGUMENTS     the command table, in its order; ARGUMENTS is
//                              the handler's count, -1 for a whole list
//   TABLE KEYWORD VALUE        a keyword table: timesys, mode, grid,
//                              filetype, object (SHOW, HIDE, TOGGLE), target
//   body KEYWORD ID            the solar-system and Jovian satellite names
// Bytes outside printable ASCII (the Japanese aliases) are written as \xHH.
#include "command/command_table.h"
#include "core/keywords.h"
#include "sky/catalog/object_names.h"
#include "sky/view/targets.h"

#include <cstdio>

namespace {

constexpr int32_t kFirstBodyId = -3;   // the Earth; the Sun is -2, the Moon -1
constexpr int32_t kLastBodyId = 11;    // Callisto

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

void PrintEntry(const char* table, const char* word, long value)
{
    std::printf("%s ", table);
    PrintWord(word);
    std::printf(" %ld\n", value);
}

void PrintKeywords(const char* table, const KeywordEntry* entries)
{
    for (const KeywordEntry* entry = entries; entry->keyword != nullptr; ++entry) {
        PrintEntry(table, entry->keyword, entry->value);
    }
}

}  // namespace

int main()
{
    for (const CommandEntry* entry = CommandTable; entry->word != nullptr; ++entry) {
        PrintEntry("command", entry->word, entry->argumentCount);
    }
    PrintKeywords("timesys", TimeSystemKeywordTable);
    PrintKeywords("mode", ModeKeywordTable);
    PrintKeywords("grid", GridKeywordTable);
    PrintKeywords("filetype", FileTypeKeywordTable);
    PrintKeywords("object", ObjectKeywordTable);
    PrintKeywords("target", TargetKeywordTable);
    for (int32_t id = kFirstBodyId; id <= kLastBodyId; ++id) {
        PrintEntry("body", SolarBodyKeyword(id), id);
    }
    return 0;
}
