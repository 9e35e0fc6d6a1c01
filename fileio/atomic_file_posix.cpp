#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <string_view>
#include <system_error>

#include "fileio/atomic_file.h"

namespace fw::soft {

namespace {

[[noreturn]] void ThrowErrno(int error, const std::string& what) {
  throw std::system_error(error, std::generic_category(), what);
}

// Removes the temporary file unless it has been renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::filesystem::path path) : path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  const std::filesystem::path& path() const { return path_; }
  void Keep() { path_.clear(); }

 private:
  std::filesystem::path path_;
};

// The folder and name prefix of `file`'s temporary files.
std::filesystem::path FolderOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

std::string TemporaryPrefix(const std::filesystem::path& file) {
  return "." + file.filename().string() + ".";
}

// Whether `name` is "<prefix><digits>.<digits>.tmp", as ReplaceFileAtomically names them.
bool IsTemporaryName(std::string_view name, std::string_view prefix) {
  constexpr std::string_view kSuffix = ".tmp";
  if (!name.starts_with(prefix) || !name.ends_with(kSuffix)) return false;
  name.remove_prefix(prefix.size());
  name.remove_suffix(kSuffix.size());
  const std::size_t dot = name.find('.');
  const auto digits = [](std::string_view part) {
    return !part.empty() &&
           std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  return dot != std::string_view::npos && digits(name.substr(0, dot)) &&
         digits(name.substr(dot + 1));
}

void WriteAll(int fd, std::string_view text, const std::filesystem::path& path) {
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno, "cannot write " + path.string());
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace

UniqueFd ReplaceFileAtomically(const std::filesystem::path& file, std::string_view text) {
  const std::filesystem::path folder = FolderOf(file);

  // A name of this process's own; O_EXCL makes sure nobody else's file is reused.
  UniqueFd fd;
  std::filesystem::path temporary;
  for (unsigned attempt = 0; !fd; ++attempt) {
    temporary = folder / (TemporaryPrefix(file) + std::to_string(::getpid()) + "." +
                          std::to_string(attempt) + ".tmp");
    fd.Reset(::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd && (errno != EEXIST || attempt >= 1000)) {
      ThrowErrno(errno, "cannot create the temporary file " + temporary.string());
    }
  }
  TemporaryFile guard(temporary);

  struct stat old {};
  if (::stat(file.c_str(), &old) == 0 && ::fchmod(fd.get(), old.st_mode & 07777) != 0) {
    ThrowErrno(errno, "cannot set the permissions of " + temporary.string());
  }
  WriteAll(fd.get(), text, temporary);
  if (::fsync(fd.get()) != 0) ThrowErrno(errno, "cannot flush " + temporary.string());
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

std::size_t RemoveLeftoverTemporaries(const std::filesystem::path& file) {
  const std::string prefix = TemporaryPrefix(file);
  std::size_t removed = 0;
  std::error_code error;
  for (std::filesystem::directory_iterator it(FolderOf(file), error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (IsTemporaryName(name, prefix) && ::unlink(it->path().c_str()) == 0) ++removed;
  }
  return removed;
}

}  // namespace fw::soft
