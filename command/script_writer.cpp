// The script file as a whole: the control block around the statements, the
// orbit block, the checks that keep every statement readable, and the save
// into a stream.
#include "command/script_writer.h"

#include "command/interpreter.h"
#include "sky/catalog/object_names.h"
#include "sky/scene.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kBlankCharacters[] = " \t";

// The element line of an object as it was read, when it is one whole line
// that ends with its line end; anything else would join or split lines of
// the orbit block.
bool WholeElementLine(const OrbitalElements& elements, std::string& line)
{
    line.assign(elements.sourceLine, strnlen(elements.sourceLine, sizeof elements.sourceLine));
    const size_t end = line.find_first_of("\r\n");
    return end != std::string::npos && end > 0 &&
           (line.compare(end, std::string::npos, "\r\n") == 0 || line.compare(end, std::string::npos, "\n") == 0);
}

bool AddOrbitEntry(const OrbitalElements& elements, std::string& out)
{
    const std::string label = ScriptObjectLabel(elements);
    std::string line;
    if (label.empty() || !WholeElementLine(elements, line)) {
        return false;
    }
    out += ":" + label + "\n" + line;
    return true;
}

// The whole file: the control block with its statements indented, then the
// orbit block when comets or minor planets are loaded.
int32_t ComposeScript(const Scene& scene, int form, std::string& file)
{
    ScriptText commands;
    StkWriteCommands(scene, commands, form);
    if (commands.refused) {
        return 0;
    }
    file = "BLOCK CONTROL\n\tSCENE MAIN\n";
    for (const std::string& statement : commands.statements) {
        file += "\t\t" + statement + "\n";
    }
    file += "\tEND SCENE\nEND BLOCK\n";
    if (scene.cometCount > 0 || scene.mplanetCount > 0) {
        file += "\nBLOCK ORBIT\n";
        if (StkWriteOrbitBlock(scene, file) == 0) {
            return 0;
        }
        file += "END BLOCK\n";
    }
    return 1;
}

}  // namespace

void AddScriptStatement(ScriptText& out, const char* format, ...)
{
    char statement[kMaxStatementLength + 2];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(statement, sizeof statement, format, args);
    va_end(args);
    // The reader splits lines at ";", CR and LF and refuses what is longer
    // than the interpreter runs: such a statement would come back cut up.
    if (length < 0 || length > kMaxStatementLength || std::strpbrk(statement, ";\r\n") != nullptr) {
        out.refused = true;
        return;
    }
    out.statements.emplace_back(statement);
}

const char* QuotedScriptText(ScriptText& out, const char* text)
{
    if (std::strchr(text, '"') != nullptr) {
        out.refused = true;
    }
    return text;
}

std::string ScriptObjectLabel(const OrbitalElements& elements)
{
    const char* field = GetOrbitalElementsLabel(elements);
    if (field == nullptr) {
        return "";
    }
    // A quoted name that starts with a blank reads as omitted.
    const std::string label(field);
    const size_t first = label.find_first_not_of(kBlankCharacters);
    if (first == std::string::npos) {
        return "";
    }
    return label.substr(first, label.find_last_not_of(kBlankCharacters) - first + 1);
}

int32_t StkWriteOrbitBlock(const Scene& scene, std::string& out)
{
    for (int32_t i = 0; i < scene.cometCount; ++i) {
        if (!AddOrbitEntry(scene.cometElements[i], out)) {
            return 0;
        }
    }
    for (int32_t i = 0; i < scene.mplanetCount; ++i) {
        if (!AddOrbitEntry(scene.mplanetElements[i], out)) {
            return 0;
        }
    }
    return 1;
}

int32_t StkSaveScript(const Scene& scene, FILE* stream, int form)
{
    std::string file;
    if (stream == nullptr || ComposeScript(scene, form, file) == 0) {
        return 0;
    }
    const bool written = std::fwrite(file.data(), 1, file.size(), stream) == file.size();
    return written && std::fflush(stream) == 0 && std::ferror(stream) == 0 ? 1 : 0;
}
