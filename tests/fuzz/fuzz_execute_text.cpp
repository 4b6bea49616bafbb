// Fuzzes the command interpreter with arbitrary command text, in quiet mode
// as the command port runs it. Inputs that would end the process or touch
// files (EXIT, GSAVE, STL, INPUT, LOAD) are skipped: those handlers do real
// work on the machine. Without an event loop a run that CONTINUE or REVERSE
// starts takes no step by itself, so the target takes a few of its steps.
#include "command/animation.h"
#include "command/interpreter.h"
#include "core/app_env.h"
#include "core/string_utils.h"
#include "core/tokenizer.h"
#include "sky/scene.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

constexpr int kAnimationSteps = 3;

const char* const kSkippedCommands[] = {"EXIT", "GSAVE", "STL", "INPUT", "LOAD"};

bool IsSkippedCommand(const char* word)
{
    for (const char* skipped : kSkippedCommands) {
        if (AsciiCaseEqual(word, skipped)) {
            return true;
        }
    }
    return false;
}

// Finds the command words the way the interpreter does: statements end at
// ";", LF and CR, and the first token of each is its word.
bool RunsSkippedCommand(const std::string& text)
{
    size_t begin = 0;
    while (begin <= text.size()) {
        size_t end = text.find_first_of(";\n\r", begin);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string statement = text.substr(begin, end - begin);
        TokenizerState tokens;
        if (IsSkippedCommand(StkNextToken(tokens, statement.data(), 0))) {
            return true;
        }
        begin = end + 1;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Command text is a C string: it ends at the first NUL.
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string statementText(text.c_str());
    if (RunsSkippedCommand(statementText)) {
        return 0;
    }
    ResetAppEnv();
    gAppEnv->toplevel = nullptr;
    gAppEnv->quiet = 1;
    ResetScene(*gScene);
    StkExecuteText(*gScene, statementText.c_str());
    for (int step = 0; step < kAnimationSteps && gScene->animation.running != 0; ++step) {
        StkAdvanceAnimation(*gScene);
    }
    return 0;
}
