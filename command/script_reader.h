// Reading statements from a script file. Lines may hold several statements
// separated by ";" (CR ends a statement too); empty lines and lines that
// begin with "#" are skipped. Each open file has its own reader, so a script
// that runs another through STL does not disturb its own reading.
#pragma once

#include "command/interpreter.h"

#include <array>
#include <cstdio>
#include <string>

// Longest line read as it stands, in characters without its line feed. A
// longer line is read to its end and given out as one refused statement.
constexpr size_t kMaxScriptLineLength = 4095;

// Arguments a script statement may carry; only the first ten reach a
// handler.
constexpr int kMaxScriptArguments = 19;

// Where a reader stands in its file.
struct ScriptReader {
    FILE* file = nullptr;
    std::string line;      // the current line
    size_t next = 0;       // start of its next statement
    bool lineTooLong = false;
};

// One statement as read.
struct ScriptStatement {
    char text[kMaxStatementLength + 1];   // the statement, cut into its tokens
    const char* word;                     // the command word, "" for none
    std::array<char*, kMaxScriptArguments> args;    // null where omitted
    // Longer than the interpreter runs, or part of a line over
    // kMaxScriptLineLength: not to be run. text then holds its start, cut,
    // word is "" and every argument null.
    bool refused;
};

// The next statement of a file.
// Given:    reader     the file's reader (file set)
// Returned: statement  the statement
//           1 with a statement, 0 at the end of the file
int StkReadStatement(ScriptReader& reader, ScriptStatement& statement);
