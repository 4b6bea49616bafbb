// Fuzzes script files: the input is written as a script and run with STL in
// quiet mode, as a script named on the command port runs. Its statements go
// through a command table of the fuzzer's own in which EXIT, GSAVE, INPUT
// and LOAD do nothing: those handlers end the process, write files or open
// dialogs. STL itself stays, so scripts may run scripts, themselves too.
#include "command/command_table.h"
#include "command/interpreter.h"
#include "core/app_env.h"
#include "sky/catalog/small_body_lists.h"
#include "sky/scene.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Nothing(Scene&) {}
void NothingWith1(Scene&, char*) {}
void NothingWith2(Scene&, char*, char*) {}
void NothingWith4(Scene&, char*, char*, char*, char*) {}

std::vector<CommandEntry> FuzzCommandTable()
{
    std::vector<CommandEntry> table;
    for (const CommandEntry* entry = CommandTable; entry->word != nullptr; ++entry) {
        const std::string word = entry->word;
        if (word == "EXIT") {
            table.push_back(MakeCommandEntry("EXIT", Nothing, entry->keepsCentring));
        } else if (word == "GSAVE") {
            table.push_back(MakeCommandEntry("GSAVE", NothingWith2, entry->keepsCentring));
        } else if (word == "INPUT") {
            table.push_back(MakeCommandEntry("INPUT", NothingWith1, entry->keepsCentring));
        } else if (word == "LOAD") {
            table.push_back(MakeCommandEntry("LOAD", NothingWith4, entry->keepsCentring));
        } else {
            table.push_back(*entry);
        }
    }
    table.push_back({nullptr, {}, 0, 0});
    return table;
}

// One script file for the whole run, in TMPDIR.
std::string ScriptPath()
{
    const char* directory = std::getenv("TMPDIR");
    std::string pattern = std::string(directory != nullptr ? directory : "/tmp") + "/fuzz-stl-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd >= 0) {
        close(fd);
    }
    return pattern;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::vector<CommandEntry> table = FuzzCommandTable();
    static const std::string path = ScriptPath();
    FILE* script = std::fopen(path.c_str(), "wb");
    if (script == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, script);
    std::fclose(script);

    ResetAppEnv();
    gAppEnv->toplevel = nullptr;
    gAppEnv->quiet = 1;
    FreeCometList(*gScene);
    FreeMinorPlanetList(*gScene);
    ResetScene(*gScene);
    StkUseCommandTable(table.data());
    const std::string statement = "STL \"" + path + "\"";
    StkExecuteLine(*gScene, statement.c_str());
    return 0;
}
