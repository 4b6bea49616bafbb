// The command text a dialog sends, composed from its field values without
// touching a widget. Names and paths the user typed or chose go in through
// CheckedName, so no field can end a statement and start another, end its
// quotes early, or make a statement that the interpreter would refuse for
// its length: such input refuses the whole command, and nothing of it runs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Scene;

// One dialog's command: texts, each handed to StkExecuteText by a call of
// its own, each made of statements joined by ";". The first refused piece
// refuses the whole command.
struct CommandText {
    std::vector<std::string> texts;
    std::string errorKey;     // empty while every piece was accepted
    std::string errorWord;    // command word of the statement refused
    std::string errorParam;   // the offending name, or the refused statement
};

// A name or path for a statement. One holding ";", '"', CR or LF is
// refused with "stkErrorIllegalParam", the word and the name.
// Given:    word  command word of the statement the name goes into
//           name  the text from the field or the list (null: empty)
// Returned: command  the refusal, when this is the first
//           the name when accepted, else "" (so formatting goes on harmlessly)
const char* CheckedName(CommandText& command, const char* word, const char* name);

// Starts a new text with one statement, formatted as printf does. A
// statement longer than kMaxStatementLength, or holding ";", CR or LF (an
// unchecked value), refuses the command with "stkErrorIllegalParam", its
// command word and the statement. Nothing is added once refused.
void AddText(CommandText& command, const char* format, ...) __attribute__((format(printf, 2, 3)));

// One more statement in the last text (the first text when there is none);
// checked as AddText checks.
void AddStatement(CommandText& command, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// Ends the last text with ";", for the texts whose every statement is ended
// by one ("SHOW MARS;DISK MARS;"); the interpreter reads the empty statement
// after it as nothing.
void EndText(CommandText& command);

// 1 when a piece was refused: the dialog then stays up with what the user
// typed, and RunCommandText only reports.
int IsCommandRefused(const CommandText& command);

// Runs the texts in order through StkExecuteText. A refused command runs
// nothing: its error is recorded and reported as the interpreter reports
// a statement's error.
// Given:    scene    the Scene the commands change
// Returned: 1 when the texts ran, 0 when refused
int RunCommandText(Scene* scene, const CommandText& command);
