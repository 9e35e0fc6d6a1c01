#pragma once
// Reading and locking a file through its POSIX descriptor, and telling whether a file changed.
// Failures throw std::system_error with the system's errno; the message names the step and the
// file.
#include <sys/stat.h>

#include <filesystem>
#include <string>

namespace fw::fileio {

// What stat says of a file or folder that tells one version of it from the next: a write
// changes its size or times, a replacement its inode, a chmod its mode and change time.
struct FileStamp {
  long long device = 0;
  long long inode = 0;
  long long size = 0;
  long long mode = 0;
  long long modified_ns = 0;
  long long changed_ns = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
FileStamp StampOf(const struct stat& status);
// The stamp of `path` as it is now; all zero when it is not there or cannot be stat'ed.
FileStamp StampOf(const std::filesystem::path& path);

// What is left of `fd` up to its end; `path` names it in an error.
std::string ReadToEnd(int fd, const std::filesystem::path& path);

// Waits for the exclusive lock of `fd` (flock), which holds until the descriptor closes. An error
// names `what` ("the folder /etc/modprobe.d").
void LockExclusive(int fd, const std::string& what);

}  // namespace fw::fileio
