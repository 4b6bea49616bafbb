// The command interpreter: the one entry through which menus, dialogs, keys,
// scripts, the animation and the command port change the Scene.
#pragma once

struct Scene;
struct CommandEntry;

// Longest statement the interpreter runs, in characters. A longer one is
// refused as a whole ("stkErrorIllegalParam"), never cut short and run.
constexpr int kMaxStatementLength = 255;

// Executes every statement of a command text in order.
// Given:    scene  the Scene the handlers change
//           text   statements separated by ";", LF or CR (null: nothing);
//                  the caller's text is never changed
// Notes:    Each call works on its own copy with its own position, so a
//           handler that runs command text itself does not disturb the
//           statements after it. A statement's error is reported right after
//           it; the error of the last statement stays pending in gAppEnv.
void StkExecuteText(Scene& scene, const char* text);

// Observer of the command road: when set, it is given every text
// StkExecuteText receives, before the text runs, texts that handlers run
// themselves included. Null in the program; the dialog tests record what a
// dialog sends with it.
using StkTextObserver = void (*)(const char* text);
extern StkTextObserver gStkTextObserver;

// Executes one statement and reports its error: with the quiet flag set (the
// command port) the message stays in gAppEnv->errorMessage, otherwise it is
// also shown in a warning box on the toplevel shell.
// Given:    scene      the Scene
//           statement  a command word and up to ten arguments (longer
//                      than kMaxStatementLength: refused)
void StkExecuteLine(Scene& scene, const char* statement);

// Finds a command word in the command table, calls its handler with the
// arguments its entry asks for, and clears the Scene's keep-centred flag
// afterwards when the entry says so. An unknown word records
// "stkErrorSyntax" with the word.
// Given:    scene  the Scene
//           word   the command word, in any case
//           args   ten argument slots, null where omitted; the handler
//                  may change their text
void StkDispatch(Scene& scene, const char* word, char* const* args);

// Reports the error recorded for a statement: its message, formatted with
// the command word, goes to gAppEnv->errorMessage and, unless the quiet flag
// is set, into a warning box on the toplevel shell. Dialogs report the
// input they refuse through it too, so users see one kind of message.
// Given:    word  the statement's command word (null: empty)
void StkReportError(const char* word);

// Refuses a text whole, too long to run: "stkErrorIllegalParam" with its
// start, reported with its command word as a statement's error is. The
// interpreter refuses over-long statements so, and the command dialog
// over-long lines.
void StkRefuseStatement(const char* statement);

// Records a command error for the statement being run; a later call in the
// same statement overwrites it.
// Given:    key        error key, e.g. "stkErrorIllegalParam" (up to 31
//                      characters)
//           parameter  the offending text (null: empty; cut at 39 characters)
void StkSetError(const char* key, const char* parameter);

// Forgets the recorded error and its parameter.
void StkClearError();

// Makes StkDispatch use another command table, or the built-in one again for
// null. Only tests use it, to run handlers of their own.
void StkUseCommandTable(const CommandEntry* table);
