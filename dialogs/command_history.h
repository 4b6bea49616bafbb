// The command dialog's history, kept from one run to the next in the file
// "history" of the per-user directory: one line run per text line, oldest
// first, each as it was typed. Plain functions; the dialog's list is filled
// from them in dialogs/command_dialog.cpp.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

// Longest line the command dialog runs and the history keeps, in bytes.
constexpr size_t kLongestCommandLine = 1023;

// Path of the history file.
// Given:    size    size of buffer in bytes
// Returned: buffer  the user directory followed by "/history"
//           1, or 0 when there is no user directory or the path does not fit
int GetHistoryFilePath(char* buffer, size_t size);

// The lines of a history file, oldest first, without their line ends. A line
// of up to kLongestCommandLine bytes comes back whole (an empty one as an
// empty item); a longer one is left out whole, never split into pieces
// that would run as commands of their own; so is a line holding a NUL byte,
// which would come back cut short.
std::vector<std::string> ReadHistoryLines(FILE* stream);

// Writes the newest `keep` lines of the history, each followed by a line end,
// under a temporary name that replaces the file only once all of it was
// written. A line that would not come back as it is (longer than
// kLongestCommandLine, or holding a line end) is left out.
// Given:    path   the history file
//           lines  the history, oldest first
//           keep   how many of the newest lines to keep (at least 1)
// Returned: 1 written; 0 failed, the old file being left as it was
int WriteHistoryFile(const char* path, const std::vector<std::string>& lines, int keep);
