#include "command/script_reader.h"

#include "core/string_utils.h"
#include "core/tokenizer.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kStatementEnds[] = ";\r";

// The next line without its line feed, whole up to kMaxScriptLineLength
// characters; the rest of a longer line is read and dropped.
// Returned: false at the end of the file with nothing read
bool ReadLine(ScriptReader& reader)
{
    reader.line.clear();
    reader.next = 0;
    reader.lineTooLong = false;
    bool any = false;
    for (int c = getc_unlocked(reader.file); c != EOF; c = getc_unlocked(reader.file)) {
        any = true;
        if (c == '\n') {
            break;
        }
        if (reader.line.size() < kMaxScriptLineLength) {
            reader.line.push_back(static_cast<char>(c));
        } else {
            reader.lineTooLong = true;
        }
    }
    return any;
}

bool IsSkippedLine(const std::string& line)
{
    return line.empty() || line[0] == '#';
}

void Refuse(ScriptStatement& statement, const std::string& piece)
{
    CopyCut(statement.text, sizeof statement.text, piece.c_str());
    statement.refused = true;
}

void Tokenise(ScriptStatement& statement, const std::string& piece)
{
    CopyCut(statement.text, sizeof statement.text, piece.c_str());
    TokenizerState tokens;
    statement.word = StkNextToken(tokens, statement.text, 0);
    for (char*& arg : statement.args) {
        char* token = StkNextToken(tokens, nullptr, 1);
        if (token == nullptr) {
            break;
        }
        // An empty token is an omitted argument; so is a quoted one that
        // begins with a blank.
        arg = (token[0] == '\0' || token[0] == ' ') ? nullptr : token;
    }
}

}  // namespace

int StkReadStatement(ScriptReader& reader, ScriptStatement& statement)
{
    while (reader.next >= reader.line.size()) {
        if (!ReadLine(reader)) {
            return 0;
        }
        if (IsSkippedLine(reader.line)) {
            reader.next = reader.line.size();
        }
    }
    statement.word = "";
    statement.args.fill(nullptr);
    statement.refused = false;
    if (reader.lineTooLong) {
        // Statements cut out of a line that was itself cut short could run
        // a half of what was meant: the line is refused whole.
        Refuse(statement, reader.line);
        reader.next = reader.line.size();
        return 1;
    }
    size_t end = reader.line.find_first_of(kStatementEnds, reader.next);
    if (end == std::string::npos) {
        end = reader.line.size();
    }
    // The indent of the saved form is no part of the statement.
    const size_t start = std::min(reader.line.find_first_not_of(" \t", reader.next), end);
    const std::string piece = reader.line.substr(start, end - start);
    reader.next = end + 1;
    if (piece.size() > kMaxStatementLength) {
        Refuse(statement, piece);
    } else {
        Tokenise(statement, piece);
    }
    return 1;
}
