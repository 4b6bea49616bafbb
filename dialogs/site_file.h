// The site list file as the site dialogs keep and change it: every line,
// record or not, read whole, so that list position p always stands for
// line p of the file. Changes rewrite the file through a replacement file
// and only after checking that it still holds what the dialog shows: another
// instance of the program, or an editor, may have changed it since. The
// check and the rewrite run under a lock that every instance takes, so no
// change is lost between them. Plain functions; the list widget is in
// dialogs/site_dialog.cpp.
#pragma once

#include <string>
#include <vector>

// A refusal: the message key and the path or name for its "%s".
struct SiteFileError {
    const char* key = nullptr;
    std::string argument;
};

// Every line of the file, each with its line feed when it has one, however
// long, NUL bytes included.
// Returned: lines; 1 read, 0 when the file cannot be opened or read through
//           (anything but a regular file counts as missing)
int ReadSiteFileLines(const char* path, std::vector<std::string>& lines);

// The name a line stands for in the list: its first 40 characters before
// its line end, trailing blanks removed.
std::string SiteLineName(const std::string& line);

// The names of lines, in order.
std::vector<std::string> SiteLineNames(const std::vector<std::string>& lines);

// What a change does to the file.
enum SiteFileChangeKind {
    kSiteLineReplace,   // line index becomes line
    kSiteLineInsert,    // line goes first
    kSiteLineDelete,    // line index goes
};

struct SiteFileChange {
    SiteFileChangeKind kind;
    int index;           // 0-based line, for replace and delete
    std::string line;    // the new line with its line feed, for replace and insert
};

// Rewrites the file with one change, when the file still holds exactly the
// lines the dialog shows; an insertion is made to the file as it is. The
// whole runs under the lock "<path>.lock", waited for a few seconds.
// Given:    path   the site list file in use
//           shown  the lines as the dialog shows them
//           change what to do
// Returned: shown  the file's lines as now written (unchanged on failure);
//                  after an insertion they may hold other instances' changes
//           1 done; 0 refused, with error (and the path for its "%s"):
//             messageSiteFileBusy     another instance held the lock too long
//             messageCannotOpenFile   the file cannot be read
//             messageSiteFileChanged  it no longer holds the shown lines (the
//                                     caller reloads); no path
//             messageCannotCreateFile the lock or the temporary file cannot
//                                     be created
//             messageCannotWriteFile  a write, the flush or the rename failed
//           On every failure the file is as it was and no temporary file is
//           left.
int ChangeSiteFile(const char* path, std::vector<std::string>& shown,
                   const SiteFileChange& change, SiteFileError& error);

// What became of a change of the file, as the dialogs show it.
enum SiteWriteResult {
    kSiteWritten = 0,     // the file and the list hold the change
    kSiteWriteFailed,     // a warning said why; file and list as they were
    kSiteFileReloaded,    // the file had changed behind the dialog: a warning
                          // said so and the list shows the file as it is now
};

// What the site edit dialog needs of the site dialog's list, handed to it
// when it is opened, so the edit dialog does not reach back into the list's
// own file.
struct SiteListAccess {
    // The names of the list, in file order.
    const std::vector<std::string>& (*names)();
    // Writes a line in place of line index (0-based), or as the first line
    // for a negative index, and updates the list.
    SiteWriteResult (*writeLine)(int index, const std::string& line);
};
