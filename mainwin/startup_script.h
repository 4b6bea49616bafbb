// The start-up script: a script file named on the command line, else the
// user's "uvolarc" unless "-q" was given.
#pragma once

#include <cstddef>

// The STL statement that runs the start-up script. The file name is quoted
// and the statement is run as one, so a name with blanks, commas or ";"
// reaches STL whole and runs nothing else.
// Given:    commandLineFile  the script named on the command line, or empty
//           gAppEnv          runStartupScript, startupScriptPath
//           size             size of text in bytes
// Returned: text             the statement; empty when there is nothing to run
void StartupScriptStatement(const char* commandLineFile, char* text, size_t size);

// Runs the start-up script through the command language.
void RunStartupScript();
