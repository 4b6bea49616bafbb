// What the script and image file dialogs do with the name the user chose,
// without a widget: the command that opens a script or saves the chart, and
// the check of a name the state writer saves under. The directory kept for
// the next time is the file box's (dialogs/kit/file_box_directory.h).
#pragma once

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
