// The program's own command-line options, after the toolkit has taken its
// own: "-i"/"--install-colormap", "-q"/"--clean-start", "--lang="/"-l=",
// "-V"/"--version", and a script file to run at start-up as the last
// argument.
#pragma once

#include "core/version.h"

// Parses the arguments the toolkit left; sets gAppEnv->installColormap,
// gAppEnv->runStartupScript and the start-up file name. Prints the version
// (standard output), the usage text or "uvola: can't open file NAME"
// (standard error) when the program must end.
// Given:    argc, argv  the arguments, argv[0] the program
// Returned: 1 to go on, 0 to end the program with status 1
int ParseCommandLine(int argc, char** argv);

// Writes the usage text to the standard error stream.
void PrintUsage();

// The script file named on the command line; empty when none was.
const char* StartupFileName();
