#include "fileio/posix_file.h"

#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <vector>

namespace fw::fileio {
namespace {

long long Nanoseconds(const timespec& time) {
  return static_cast<long long>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

FileStamp StampOf(const struct stat& status) {
  return {static_cast<long long>(status.st_dev),
          static_cast<long long>(status.st_ino),
          static_cast<long long>(status.st_size),
          static_cast<long long>(status.st_mode),
          Nanoseconds(status.st_mtim),
          Nanoseconds(status.st_ctim)};
}

FileStamp StampOf(const std::filesystem::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return {};
  return StampOf(status);
}

std::string ReadToEnd(int fd, const std::filesystem::path& path) {
  std::string text;
  std::vector<char> buffer(1 << 16);
  for (;;) {
    const ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got < 0) {
      if (errno == EINTR) continue;
      throw std::system_error(errno, std::generic_category(), "cannot read " + path.string());
    }
    if (got == 0) return text;
    text.append(buffer.data(), static_cast<std::size_t>(got));
  }
}

void LockExclusive(int fd, const std::string& what) {
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) {
      throw std::system_error(errno, std::generic_category(), "cannot lock " + what);
    }
  }
}

}  // namespace fw::fileio
