#pragma once
// Replacing a file so that nobody ever sees it half-written: the new text goes to a temporary
// file in the same folder, is flushed to the disk, and is renamed over the old file; then the
// folder is flushed so that the rename itself survives a crash. A reader that opens the file
// meanwhile gets the old file or the new one, whole.
#include <cstddef>
#include <filesystem>
#include <string_view>

#include "platform/soft/unique_fd.h"

namespace fw::soft {

// Replaces (or creates) `file` with `text`. The new file keeps the old one's permission bits;
// a new file gets 0666 less the umask. Returns the new file, open for reading. Throws
// std::system_error (its code the errno, its message naming the file and the step that failed);
// then no temporary file is left behind and the old file is untouched, except when only the
// final flush of the folder failed: the new file is in place then, but may not survive a crash.
UniqueFd ReplaceFileAtomically(const std::filesystem::path& file, std::string_view text);

// Removes the temporary files that replacements of `file` left behind when their process died
// before the rename (".<name>.<pid>.<n>.tmp" beside it), and returns how many it removed. Only
// for a caller that knows no other replacement of `file` is under way (the registry store holds
// its lock): it cannot tell a dead writer's file from a live one's. Failures are ignored; the
// files are retried on the next call.
std::size_t RemoveLeftoverTemporaries(const std::filesystem::path& file);

}  // namespace fw::soft
