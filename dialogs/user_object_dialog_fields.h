// The user-object dialog's working list, without a widget: the files the
// dialog shows, added and deleted, and the commands that make the Scene
// load exactly them. Whole paths, however long, are kept; a name that a
// LOAD statement could not carry is refused when it is added.
#pragma once

#include <string>
#include <vector>

struct CommandText;

// The list item of a path: the text after its last "/" (the whole path
// when it has none).
std::string UserObjectItem(const std::string& path);

// Why a file was not added.
enum UserObjectAddResult {
    kUserObjectAdded = 0,
    kUserObjectListed,       // "messageObjectAlreadySelected"
    kUserObjectUnreadable,   // "messageCannotOpenFile"
    kUserObjectBadName,      // the LOAD statement's refusal
};

// Adds a chosen file at the end of the list, unless it is listed already
// (the same path), cannot be read, or could not be named in a LOAD
// statement.
// Given:    readable  whether the path is a regular file the user can read
// Returned: paths     one longer when added
//           refusal   the statement's refusal, for kUserObjectBadName
UserObjectAddResult AddUserObjectPath(std::vector<std::string>& paths, const std::string& path,
                                      bool readable, CommandText& refusal);

// Deletes the entry at a 1-based position.
// Returned: the 1-based position to select next: the entry that moved up,
//           else the new last one; 0 when the list is now empty; -1 when
//           position named no entry (nothing deleted)
int DeleteUserObjectPath(std::vector<std::string>& paths, int position);

// "UNLOAD AD", one "LOAD AD \"path\"" per entry in list order, "DRIVE".
void ComposeUserObjectCommands(const std::vector<std::string>& paths, CommandText& command);
