// Files that are rewritten whole (the options file, the private site list,
// the command history, saved scripts and images, the element-file indexes)
// are written under a temporary name in the target's directory and renamed
// over the target only when every write, the flush and the sync succeeded.
// A failure or a crash part-way therefore never leaves a truncated target
// behind: the old file stays as it was.
//
// Two instances of the program may write one file at the same moment, so
// every writer has a temporary of its own, named like mkstemp's: the
// target's name, ".$NEW$" and six random letters (the name cut so that the
// whole stays within the file system's limit). A writer holds a lock on its
// temporary until the rename; a temporary that nobody holds was left by a
// killed writer, and the next writer of the same target removes it.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

struct ReplacementFile {
    std::string target;
    std::string temporary;
    FILE* stream = nullptr;
    bool writeFailed = false;

    ReplacementFile() = default;
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    // An open replacement that was never committed is abandoned.
    ~ReplacementFile();
};

// Creates a temporary of its own beside the target for writing, after
// removing the temporaries of the target that killed writers left. It is
// created exclusively under a name nobody has used, never through a link,
// and gets the mode of the existing target, so a private file stays
// private; for a new target the umask decides as for any new file.
// Returned: file  its stream, locked until committed or abandoned; its
//                 temporary's path (an index builder hands the descriptor on)
//           1, or 0 when it cannot be created
int OpenReplacement(ReplacementFile& file, const char* target);

// Appends bytes to the temporary file; a failure is remembered and makes the
// commit fail.
// Returned: 1, or 0 on a failed or short write
int WriteReplacement(ReplacementFile& file, const void* data, size_t length);

// The same for a NUL-terminated text.
int WriteReplacementText(ReplacementFile& file, const char* text);

// Flushes and syncs the temporary file, renames it over the target and
// closes it. On any failure the temporary file is removed and the target is
// left untouched.
// Returned: 1 replaced, 0 failed
int CommitReplacement(ReplacementFile& file);

// Closes and removes the temporary file; the target is untouched.
void AbandonReplacement(ReplacementFile& file);
