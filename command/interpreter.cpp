#include "command/interpreter.h"

#include "command/command_table.h"
#include "command/error_text.h"
#include "core/app_env.h"
#include "core/message_box.h"
#include "core/messages.h"
#include "core/string_utils.h"
#include "core/tokenizer.h"
#include "sky/scene.h"

#include <array>
#include <cstring>
#include <string>

namespace {

constexpr size_t kStatementBufferSize = kMaxStatementLength + 1;
constexpr size_t kErrorFormatSize = 512;

const CommandEntry* activeCommandTable = CommandTable;

bool IsStatementSeparator(char c)
{
    return c == ';' || c == '\n' || c == '\r';
}

// A piece of nothing but blanks and tabs is no statement; running it would
// clear the error of the statement before it.
bool IsBlankPiece(const char* begin, const char* end)
{
    for (const char* c = begin; c != end; ++c) {
        if (*c != ' ' && *c != '\t') {
            return false;
        }
    }
    return true;
}

}  // namespace

StkTextObserver gStkTextObserver = nullptr;

void StkRefuseStatement(const char* statement)
{
    // The command word is cut like the parameter, so that a word of
    // hundreds of characters cannot push the error text out of the message.
    char start[sizeof gAppEnv->errorParam];
    CopyCut(start, sizeof start, statement);
    TokenizerState tokens;
    const char* word = StkNextToken(tokens, start, 0);
    StkSetError("stkErrorIllegalParam", statement);
    StkReportError(word);
}

void StkReportError(const char* word)
{
    AppEnv& env = *gAppEnv;
    char format[kErrorFormatSize];
    GetMessage(env.errorKey, format, sizeof format);
    FormatErrorText(format, word, env.errorParam, env.errorMessage, sizeof env.errorMessage);
    if (env.quiet == 0 && env.toplevel != nullptr) {
        ShowMessageBox(env.toplevel, env.errorMessage, kMessageBoxWarning);
    }
}

void StkSetError(const char* key, const char* parameter)
{
    SetPendingError(key, parameter);
}

void StkClearError()
{
    gAppEnv->errorKey[0] = '\0';
    gAppEnv->errorParam[0] = '\0';
}

void StkUseCommandTable(const CommandEntry* table)
{
    activeCommandTable = table != nullptr ? table : CommandTable;
}

void StkDispatch(Scene& scene, const char* word, char* const* args)
{
    const CommandEntry* entry = StkFindCommand(activeCommandTable, word);
    if (entry == nullptr) {
        StkSetError("stkErrorSyntax", word);
        return;
    }
    StkCallHandler(*entry, scene, args);
    if (entry->keepsCentring == 0) {
        scene.keepCentred = 0;
    }
}

void StkExecuteLine(Scene& scene, const char* statement)
{
    StkClearError();
    if (statement == nullptr) {
        return;
    }
    if (std::strlen(statement) > kMaxStatementLength) {
        StkRefuseStatement(statement);
        return;
    }

    char buffer[kStatementBufferSize];
    CopyCut(buffer, sizeof buffer, statement);
    std::array<char*, kMaxCommandArguments> args{};
    TokenizerState tokens;
    const char* word = StkNextToken(tokens, buffer, 0);
    for (char*& arg : args) {
        char* token = StkNextToken(tokens, nullptr, 1);
        if (token == nullptr) {
            break;
        }
        // An empty token is an omitted argument; so is a quoted one that
        // begins with a blank.
        arg = (token[0] == '\0' || token[0] == ' ') ? nullptr : token;
    }

    if (word != nullptr && word[0] != '\0') {
        StkDispatch(scene, word, args.data());
    }
    if (gAppEnv->errorKey[0] != '\0') {
        StkReportError(word);
    }
}

void StkExecuteText(Scene& scene, const char* text)
{
    if (text == nullptr) {
        return;
    }
    if (gStkTextObserver != nullptr) {
        gStkTextObserver(text);
    }
    // Our own copy: a handler may run command text of its own, and the
    // caller's text may be a buffer that such a handler reuses.
    const std::string copy(text);
    size_t begin = 0;
    while (begin < copy.size()) {
        size_t end = begin;
        while (end < copy.size() && !IsStatementSeparator(copy[end])) {
            ++end;
        }
        if (!IsBlankPiece(copy.data() + begin, copy.data() + end)) {
            StkExecuteLine(scene, copy.substr(begin, end - begin).c_str());
        }
        begin = end + 1;
    }
}
