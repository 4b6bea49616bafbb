// The directory a file box opens in and the one it remembers after a
// choice, without a widget: the file dialogs and the user-object dialog's
// Add keep one each, and the options file keeps them between runs.
#pragma once

#include <string>

// The directory remembered after a file was chosen: the name up to its
// last "/" (without it; "/" for a file in the root), or the whole name when
// it ends with "/"; a name without "/" keeps the directory remembered before.
// Given:    chosen    the chosen file name
//           previous  the directory remembered so far
std::string RememberedDirectory(const std::string& chosen, const std::string& previous);

// The directory a dialog opens in: a remembered one may come from the
// options file as the user wrote it, "~" and all.
std::string DirectoryToOpen(const char* remembered);
