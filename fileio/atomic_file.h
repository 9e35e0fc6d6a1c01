#pragma once
// Writing files so that nobody ever sees one half-written. The bytes go to a file of their own
// and are flushed to the disk before anything depends on them; a file replaced is replaced by
// renaming such a file, written beside it (in the same folder, so that the rename stays on one
// file system), over it. A reader that opens the file meanwhile gets the old file or the new
// one, whole.
//
//   POSIX    write, fsync, rename, then an fsync of the folder so that the rename itself
//            survives a crash
//   Windows  WriteFile, FlushFileBuffers, then MoveFileExA with MOVEFILE_REPLACE_EXISTING and
//            MOVEFILE_WRITE_THROUGH
//
// Failures throw std::system_error: its code is the system's (errno, or GetLastError on
// Windows), its message names the step and the file, and what() adds the system's reason.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#ifndef _WIN32
#include <sys/types.h>

#include <optional>

#include "fileio/unique_fd.h"
#endif

namespace fw {

// A file that could not be made or written, and at which step, for callers that word their own
// messages.
class FileWriteError : public std::system_error {
 public:
  enum class Step {
    kCreate,  // the file could not be created
    kWrite,   // its bytes could not be written or flushed
  };
  FileWriteError(Step step, std::error_code code, const std::string& what)
      : std::system_error(code, what), step_(step) {}
  Step step() const { return step_; }

 private:
  Step step_;
};

namespace fileio {
// The folder `file` is in ("." for a bare name).
std::filesystem::path FolderOf(const std::filesystem::path& file);
}  // namespace fileio

// Creates `file`, which must not exist yet, writes `bytes` to it and flushes them to the disk
// before closing it. Throws FileWriteError; then no file is left at `file`.
void WriteNewFileFlushed(const std::filesystem::path& file, std::string_view bytes);

// Replaces (or creates) `file` with `bytes`: they go to a new temporary file beside it,
// ".<name>.<process>.<n>.tmp", flushed, which is then renamed over `file`. Throws
// std::system_error; then no temporary file is left behind and the old file is untouched
// (POSIX: except when only the final flush of the folder failed; the new file is in place then,
// but may not survive a crash).
#ifdef _WIN32
void ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes);
#else
// The new file's permission bits are `mode`, set before it takes the file's name, so that no
// reader ever finds it with others; without one it keeps the old file's (a new file gets 0666
// less the umask). Returns the new file, open for reading.
UniqueFd ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                               std::optional<mode_t> mode = std::nullopt);
#endif

// Removes the temporary files that replacements of `file` left behind when their process died
// before the rename, and returns how many it removed. Only for a caller that knows no other
// replacement of `file` is under way (the registry store holds its lock): it cannot tell a dead
// writer's file from a live one's. Failures are ignored; the files are retried on the next call.
std::size_t RemoveLeftoverTemporaries(const std::filesystem::path& file);

}  // namespace fw
