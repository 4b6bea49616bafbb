#include "dialogs/kit/command_text.h"

#include "command/interpreter.h"
#include "core/tokenizer.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kIllegalParam[] = "stkErrorIllegalParam";

void Refuse(CommandText& command, const std::string& word, const std::string& param)
{
    command.errorKey = kIllegalParam;
    command.errorWord = word;
    command.errorParam = param;
}

// The command word, as the interpreter takes it from the statement.
std::string CommandWordOf(std::string statement)
{
    TokenizerState tokens;
    const char* word = StkNextToken(tokens, statement.data(), 0);
    return word != nullptr ? word : "";
}

std::string Formatted(const char* format, va_list args)
{
    // A statement mostly fits here: formatted once, not measured first
    // (a dialog loading 100,000 objects adds 400,000 statements).
    char buffer[256];
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, measure);
    va_end(measure);
    if (length <= 0) {
        return "";
    }
    if (static_cast<size_t>(length) < sizeof buffer) {
        return std::string(buffer, static_cast<size_t>(length));
    }
    std::string text(static_cast<size_t>(length), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, args);
    return text;
}

// A statement the interpreter would run as it stands: one statement, not
// longer than it takes.
bool Fits(CommandText& command, const std::string& statement)
{
    if (statement.size() > static_cast<size_t>(kMaxStatementLength) ||
        statement.find_first_of(";\r\n") != std::string::npos) {
        Refuse(command, CommandWordOf(statement), statement);
        return false;
    }
    return true;
}

void Add(CommandText& command, bool newText, const char* format, va_list args)
{
    if (IsCommandRefused(command) != 0) {
        return;
    }
    const std::string statement = Formatted(format, args);
    if (!Fits(command, statement)) {
        return;
    }
    if (newText || command.texts.empty()) {
        command.texts.push_back(statement);
    } else {
        command.texts.back() += ";" + statement;
    }
}

}  // namespace

int IsCommandRefused(const CommandText& command)
{
    return command.errorKey.empty() ? 0 : 1;
}

const char* CheckedName(CommandText& command, const char* word, const char* name)
{
    if (name == nullptr || IsCommandRefused(command) != 0) {
        return "";
    }
    if (std::strpbrk(name, ";\"\r\n") != nullptr) {
        Refuse(command, word != nullptr ? word : "", name);
        return "";
    }
    return name;
}

void AddText(CommandText& command, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Add(command, true, format, args);
    va_end(args);
}

void AddStatement(CommandText& command, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Add(command, false, format, args);
    va_end(args);
}

void EndText(CommandText& command)
{
    if (IsCommandRefused(command) == 0 && !command.texts.empty()) {
        command.texts.back() += ";";
    }
}

int RunCommandText(Scene* scene, const CommandText& command)
{
    if (IsCommandRefused(command) != 0) {
        StkSetError(command.errorKey.c_str(), command.errorParam.c_str());
        StkReportError(command.errorWord.c_str());
        return 0;
    }
    for (const std::string& text : command.texts) {
        StkExecuteText(*scene, text.c_str());
    }
    return 1;
}
