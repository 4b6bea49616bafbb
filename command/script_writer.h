// The current state written as a script file that rebuilds it: the File
// menu's Save and Save As and the Settings menu's Save As Default all save
// through StkSaveScript, and STL reads the file back.
//
// A script is
//   BLOCK CONTROL
//   <tab>SCENE MAIN
//   <tab><tab>one statement per line
//   <tab>END SCENE
//   END BLOCK
// and, when comets or minor planets are loaded, an empty line and a BLOCK
// ORBIT with ":<label>" and the element line of each, comets first.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct Scene;
struct KeywordEntry;
struct OrbitalElements;

// The forms of a saved script.
constexpr int kScriptFormScene = 0;     // the whole state
constexpr int kScriptFormDefault = 1;   // the default environment (uvolarc):
                                        // no date and no star limit, but the
                                        // star-limit offset

// The statements of a script as they are written, without their indent.
struct ScriptText {
    std::vector<std::string> statements;
    bool refused = false;   // a statement would not read back as written
};

// Writes the state as a script file into a stream. The callers hand it the
// stream of a replacement file (core/replacement_file.h) and commit that
// only when this succeeded, so a save that fails (a full disk, a statement
// that cannot be written, a crash) leaves the old file byte for byte.
// Given:    scene   the state
//           stream  the open output
//           form    kScriptFormScene or kScriptFormDefault
// Returned: 1 written and flushed; 0 failed (nothing is written when a
//           statement cannot be; the caller tells the user, e.g. with
//           "messageCannotCreateFile")
int32_t StkSaveScript(const Scene& scene, FILE* stream, int form);

// The statements of the control block: INIT, the status bar, the loaded
// user-object files, the scene state, then REALTIME and CONTINUE while an
// animation runs, else DRIVE; the default form ends with INCMAG or DECMAG
// STAR by the star-limit offset and another DRIVE.
void StkWriteCommands(const Scene& scene, ScriptText& out, int form);

// The statements that set the scene: comets and minor planets, place, time
// system, date (scene form only), time step, Sun-event lock, mode, view,
// target, magnitudes and every display option that differs from what INIT
// leaves.
void StkWriteSceneState(const Scene& scene, ScriptText& out, int form);

// SHOW and HIDE lines for one flag byte of ObjectKeywordTable's groups:
// "SHOW a, b" for the bits set in flags and clear in defaults, then
// "HIDE c" for those clear in flags and set in defaults, in bit order; bits
// without a keyword are left out, and a line without names is not written.
// Given:    flags, defaults  the byte and what INIT leaves in it
//           group            the keyword group (the high byte of the values)
//           table            the keyword table
void StkWriteFlagCommands(ScriptText& out, uint8_t flags, uint8_t defaults, int group,
                          const KeywordEntry* table);

// The same for the BodyFlags of one body or group, with the solar-object
// keywords (MARS_NAME, PLANET_OBT, COMET2, DUSTTAIL1).
// Given:    id  ObjectId, or 100 / 101 / 102 for PLANET, COMET, MINORPLANET
void StkWriteBodyFlagCommands(const Scene& scene, ScriptText& out, uint8_t flags, uint8_t defaults,
                              int32_t id);

// The entries of BLOCK ORBIT: ":<label>" and the element line as it was
// read, for each comet and then each minor planet.
// Returned: 1, or 0 when an object has no label or no whole element line
int32_t StkWriteOrbitBlock(const Scene& scene, std::string& out);

// The label a loaded object is written under, in COMET and MINORPLANET
// statements and in BLOCK ORBIT: its first name field that is not blank,
// without surrounding blanks; empty when every field is blank.
std::string ScriptObjectLabel(const OrbitalElements& elements);

// Adds one statement (printf format). A statement the reader would not give
// back whole is refused instead: one longer than the interpreter runs, or
// one holding ";", CR or LF.
void AddScriptStatement(ScriptText& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

// A text to be written between double quotes; one that holds a double quote
// would end early when read, and refuses the script.
// Returned: the text
const char* QuotedScriptText(ScriptText& out, const char* text);
