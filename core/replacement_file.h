// Files that are rewritten whole (the options file, the private site list,
// saved images) are written under a temporary name, the target's name
// followed by ".$NEW$", and renamed over the target only when every write,
// the flush and the close succeeded. A failure or a crash part-way therefore
// never leaves a truncated target behind: the old file stays as it was, and
// the fixed name means a crash leaves at most one stale temporary per file,
// which the next write replaces.
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

// Creates target + ".$NEW$" afresh for writing. Whatever stood under that
// name (a stale temporary, or a link planted to make us write elsewhere) is
// removed first, and the new file is created exclusively without following
// links. It gets the mode of the existing target, so a private file stays
// private; for a new target the umask decides as for any new file.
// Returned: 1, or 0 when it cannot be created
int OpenReplacement(ReplacementFile& file, const char* target);

// Appends bytes to the temporary file; a failure is remembered and makes the
// commit fail.
// Returned: 1, or 0 on a failed or short write
int WriteReplacement(ReplacementFile& file, const void* data, size_t length);

// The same for a NUL-terminated text.
int WriteReplacementText(ReplacementFile& file, const char* text);

// Flushes, syncs and closes the temporary file and renames it over the
// target. On any failure the temporary file is removed and the target is
// left untouched.
// Returned: 1 replaced, 0 failed
int CommitReplacement(ReplacementFile& file);

// Closes and removes the temporary file; the target is untouched.
void AbandonReplacement(ReplacementFile& file);
