// What the script and image file dialogs do with the name the user chose,
// without a widget: the command that opens a script or saves the chart, the
// check of a name the state writer saves under, and the directory kept for
// the next time.
#pragma once

#include <string>

struct CommandText;

// "STL \"name\"": the script run. A name that would break the statement
// (";", '"', CR or LF, or too long) refuses the command.
void ComposeOpenScript(const char* name, CommandText& command);

// "GSAVE \"name\"": the chart saved under the whole name, blanks and all.
void ComposeSaveImage(const char* name, CommandText& command);

// A name the state is saved under: it becomes the current script name and
// its directory goes into the options file, so a line break or a name
// longer than kPathSize - 1 characters is refused as a command would be
// ("stkErrorIllegalParam", the word "SAVEFILE" and the name).
// Returned: command  the refusal, when refused
//           1 accepted, 0 refused
int CheckSaveName(const char* name, CommandText& command);

// The directory remembered after a file was chosen: the name up to its
// last "/" (without it; "/" for a file in the root), or the whole name when
// it ends with "/"; a name without "/" keeps the directory remembered before.
// Given:    chosen    the chosen file name
//           previous  the directory remembered so far
std::string RememberedDirectory(const std::string& chosen, const std::string& previous);

// The directory a dialog opens in: a remembered one may come from the
// options file as the user wrote it, "~" and all.
std::string DirectoryToOpen(const char* remembered);

// Makes a directory and the missing directories above it (mode 0755), as
// "mkdir -p" does, so that a dialog can open the folder it is meant to.
// Returned: 1 when the path is a directory afterwards, else 0
int MakeDirectoryPath(const std::string& path);
