#include "command/script_runner.h"

#include "command/command_handlers.h"
#include "command/interpreter.h"
#include "command/script_reader.h"
#include "core/app_env.h"
#include "core/regular_file.h"
#include "core/string_utils.h"
#include "sky/catalog/element_files.h"
#include "sky/catalog/script_element_lookup.h"
#include "sky/catalog/small_body_lists.h"
#include "sky/scene.h"

#include <cstring>
#include <string>

namespace {

// Comet ids run from 10000 up to the first minor planet's.
constexpr int32_t kMaxLoadedComets = kMinorPlanetIdBase - kCometIdBase;

// What the scripts of one top-level statement have done so far, nested
// scripts included. The depth limit alone does not bound it: a script that
// runs itself five times a line runs 15^16 statements, while the window and
// the command port wait for the statement to end.
struct ScriptWork {
    int32_t statements = 0;
    int32_t files = 0;
    bool stopped = false;
};
ScriptWork work;

// Counts one more statement or opened file; past the bound every script of
// the top-level statement stops, with the error naming the script reached.
bool WithinBounds(int32_t& count, int32_t bound, const char* path)
{
    if (!work.stopped && ++count > bound) {
        work.stopped = true;
        StkSetError("stkErrorScriptTooLong", path);
    }
    return !work.stopped;
}

// The script's BLOCK ORBIT, read at the first COMET or MINORPLANET
// statement and looked up from then on, with the entries taken by earlier
// statements of this run.
struct OrbitBlock {
    FILE* file = nullptr;
    ScriptOrbitLookup lookup;
};

bool IsWords(const ScriptStatement& statement, const char* word, const char* first)
{
    return AsciiCaseEqual(statement.word, word) != 0 && AsciiCaseEqual(statement.args[0], first) != 0;
}

// COMET name or MINORPLANET name: the object's element line must be one
// of its kind that the element reader takes.
void LoadSmallBody(Scene& scene, OrbitBlock& block, bool comet, const char* name)
{
    if (name == nullptr) {
        StkSetError("stkErrorIllegalParam", nullptr);
        return;
    }
    char line[kScriptLineSize];
    if (FindScriptElementLine(block.file, name, line, sizeof line, &block.lookup) == 0) {
        StkSetError("stkErrorCometNotFound", name);
        return;
    }
    OrbitalElements elements;
    if (ParseElementLine(elements, line) == 0 || elements.kind != (comet ? 'C' : 'M')) {
        StkSetError("stkErrorInvalidComet", name);
        return;
    }
    if (comet && scene.cometCount >= kMaxLoadedComets) {
        StkSetError("stkErrorIllegalParam", name);
        return;
    }
    if ((comet ? AddComet(scene, elements) : AddMinorPlanet(scene, elements)) == 0) {
        StkSetError("stkErrorOutOfMemory", name);
    }
}

void RunStatement(Scene& scene, OrbitBlock& block, const ScriptStatement& statement)
{
    if (statement.refused) {
        StkSetError("stkErrorIllegalParam", statement.text);
        return;
    }
    const char* word = statement.word;
    if (word == nullptr || word[0] == '\0' || AsciiCaseEqual(statement.args[0], "WINDOW") != 0) {
        return;
    }
    const bool comet = AsciiCaseEqual(word, "COMET") != 0;
    if (comet || AsciiCaseEqual(word, "MINORPLANET") != 0) {
        LoadSmallBody(scene, block, comet, statement.args[0]);
        return;
    }
    StkDispatch(scene, word, statement.args.data());
}

void RunScene(Scene& scene, FILE* file, const char* path)
{
    ScriptReader reader;
    reader.file = file;
    ScriptStatement statement;
    bool inScene = false;
    while (!inScene && StkReadStatement(reader, statement) != 0) {
        inScene = !statement.refused && IsWords(statement, "SCENE", "MAIN");
    }
    OrbitBlock block;
    block.file = file;
    while (inScene && StkReadStatement(reader, statement) != 0) {
        if (!statement.refused && IsWords(statement, "END", "SCENE")) {
            return;
        }
        if (!WithinBounds(work.statements, kMaxScriptStatements, path)) {
            return;
        }
        RunStatement(scene, block, statement);
    }
}

}  // namespace

int32_t StkRunScriptScene(Scene& scene, const char* path)
{
    if (path == nullptr) {
        return 0;
    }
    if (gAppEnv->scriptRunning == 0) {
        work = ScriptWork{};
    }
    if (gAppEnv->scriptRunning >= kMaxScriptDepth) {
        StkSetError("stkErrorIllegalParam", path);
        return 0;
    }
    if (!WithinBounds(work.files, kMaxScriptFiles, path)) {
        return 0;
    }
    // Anything but a regular file (a FIFO would block the open, a directory
    // reads as nothing) is no script.
    UniqueFile file = OpenRegularFile(path);
    if (!file) {
        StkSetError("stkErrorFileNotFound", path);
        return 0;
    }
    ++gAppEnv->scriptRunning;
    RunScene(scene, file.get(), path);
    --gAppEnv->scriptRunning;
    return 1;
}

void CmdStl(Scene& scene, char* a1)
{
    if (a1 == nullptr) {
        StkSetError("stkErrorIllegalParam", "");
        return;
    }
    // The name as given, "~" and all, as LOAD CLICKDATA takes its own.
    StkRunScriptScene(scene, a1);
}
