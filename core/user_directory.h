// The user's home directory from the user database, "~" expansion in file
// names, and the per-user directory ".uvola" that start-up creates first.
#pragma once

#include <cstddef>

// Home directory of the named user, or of the real user id when userName is
// null, from the user database (never from $HOME).
// Returned: 1 and the path in out; 0 and an empty out for a user the
// database does not know, or a home that does not fit in outSize.
int GetHomeDirectory(char* out, size_t outSize, const char* userName);

// Expands a leading "~" (the current user's home) or "~name" (that user's
// home) in path; any other path is copied unchanged.
// Returned: out, or nullptr with out emptied when the result does not fit or
//           the user is not in the database ("~nobody/x" names no file; it
//           is never "/x"). Callers treat the empty path as a missing file.
char* ExpandTilde(const char* path, char* out, size_t outSize);

// Creates "~/.uvola" (mode 0755) unless it exists, and names the start-up
// script in it. Both outputs are kPathSize buffers.
// Returned: 1 with both paths set; 0 with both empty when there is no home
// directory or the directory cannot be created.
int MakeUserDirectory(char* userDirectory, char* startupScriptPath);
