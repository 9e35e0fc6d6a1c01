// The POSIX side of the atomic writes: write, fsync, rename, and an fsync of the folder.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "fileio/atomic_file.h"
#include "fileio/temporary_names.h"

namespace fw {

namespace {

[[noreturn]] void ThrowErrno(int error, const std::string& what) {
  throw std::system_error(error, std::generic_category(), what);
}

[[noreturn]] void ThrowWriteError(FileWriteError::Step step, int error, const std::string& what) {
  throw FileWriteError(step, std::error_code(error, std::generic_category()), what);
}

// Removes the file unless it has been kept (renamed into place, or written whole).
class RemovedUnlessKept {
 public:
  explicit RemovedUnlessKept(std::filesystem::path path) : path_(std::move(path)) {}
  RemovedUnlessKept(const RemovedUnlessKept&) = delete;
  RemovedUnlessKept& operator=(const RemovedUnlessKept&) = delete;
  ~RemovedUnlessKept() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  void Keep() { path_.clear(); }

 private:
  std::filesystem::path path_;
};

// Writes all of `bytes` to `fd` and flushes them to the disk; `path` names the file in errors.
void WriteAllFlushed(int fd, std::string_view bytes, const std::filesystem::path& path) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      ThrowWriteError(FileWriteError::Step::kWrite, errno, "cannot write " + path.string());
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  if (::fsync(fd) != 0) {
    ThrowWriteError(FileWriteError::Step::kWrite, errno, "cannot flush " + path.string());
  }
}

}  // namespace

void WriteNewFileFlushed(const std::filesystem::path& file, std::string_view bytes) {
  UniqueFd fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (!fd) ThrowWriteError(FileWriteError::Step::kCreate, errno, "cannot create " + file.string());
  RemovedUnlessKept guard(file);
  WriteAllFlushed(fd.get(), bytes, file);
  guard.Keep();
}

UniqueFd ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                               std::optional<mode_t> mode) {
  const std::filesystem::path folder = fileio::FolderOf(file);

  // A name of this process's own; O_EXCL makes sure nobody else's file is reused.
  UniqueFd fd;
  std::filesystem::path temporary;
  for (unsigned attempt = 0; !fd; ++attempt) {
    temporary = fileio::TemporaryBeside(file, static_cast<unsigned long>(::getpid()), attempt);
    fd.Reset(::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd && (errno != EEXIST || attempt >= fileio::kLastTemporaryAttempt)) {
      ThrowErrno(errno, "cannot create the temporary file " + temporary.string());
    }
  }
  RemovedUnlessKept guard(temporary);

  struct stat old {};
  if (!mode && ::stat(file.c_str(), &old) == 0) mode = old.st_mode & 07777;
  if (mode && ::fchmod(fd.get(), *mode) != 0) {
    ThrowErrno(errno, "cannot set the permissions of " + temporary.string());
  }
  WriteAllFlushed(fd.get(), bytes, temporary);
  if (::rename(temporary.c_str(), file.c_str()) != 0) {
    ThrowErrno(errno, "cannot rename " + temporary.string() + " to " + file.string());
  }
  guard.Keep();

  const UniqueFd directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // Some file systems cannot flush a folder (EINVAL); their renames are as durable as they get.
  if (!directory || (::fsync(directory.get()) != 0 && errno != EINVAL)) {
    ThrowErrno(errno, "cannot flush the folder " + folder.string());
  }
  return fd;
}

}  // namespace fw
