#include "platform/registry_store/registry_store.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "fileio/atomic_file.h"
#include "fileio/posix_file.h"
#include "platform/registry_store/reg_file.h"

namespace fw::soft {

namespace {

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

RegStatus StatusOfErrno(int error) {
  return error == EACCES || error == EPERM || error == EROFS ? kErrorAccessDenied
                                                             : kErrorRegistryIoFailed;
}

std::string ErrnoText(int error) {
  return std::strerror(error);
}

// Whether `path` may not be written: no write bit at all, or (for users other than root)
// no permission.
bool Unwritable(const std::filesystem::path& path, const struct stat& st) {
  if ((st.st_mode & kAnyWriteBit) == 0) return true;
  return ::access(path.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS);
}

}  // namespace

std::filesystem::path DefaultRegistryPath() {
  if (const char* file = std::getenv("FERROWIND_REGISTRY"); file != nullptr && *file != '\0') {
    return file;
  }
  std::filesystem::path state;
  // The XDG rules ignore a relative XDG_STATE_HOME.
  if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg != nullptr && xdg[0] == '/') {
    state = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    state = std::filesystem::path(home) / ".local" / "state";
  } else {
    struct passwd entry {};
    struct passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr || *found->pw_dir == '\0') {
      throw std::runtime_error(
          "cannot place the registry file: FERROWIND_REGISTRY, XDG_STATE_HOME and HOME are not "
          "set and the user has no home folder");
    }
    state = std::filesystem::path(found->pw_dir) / ".local" / "state";
  }
  return state / "ferrowind" / "registry.reg";
}

RegistryStore::RegistryStore(std::filesystem::path file) : file_(std::move(file)) {}

std::filesystem::path RegistryStore::lock_file() const {
  std::filesystem::path lock = file_;
  lock += ".lock";
  return lock;
}

RegStatus RegistryStore::Fail(RegStatus status, std::string message) {
  last_error_ = std::move(message);
  return status;
}

void RegistryStore::Forget() {
  tree_ = RegTree();
  held_.Reset();
  held_stamp_ = {};
  load_status_ = kErrorSuccess;
  load_error_.clear();
}

RegStatus RegistryStore::Refresh() {
  const RegStatus status = RefreshFile();
  const std::string problem = status == kErrorSuccess ? std::string() : last_error_;
  if (problem != told_) {
    told_ = problem;
    if (watch_) watch_(told_);
  }
  return status;
}

RegStatus RegistryStore::RefreshFile() {
  last_error_.clear();
  struct stat now {};
  if (::stat(file_.c_str(), &now) != 0) {
    const int error = errno;
    if (error != ENOENT) {
      loaded_ = false;
      Forget();
      return Fail(StatusOfErrno(error),
                  "cannot read the registry file " + file_.string() + ": " + ErrnoText(error));
    }
    if (!loaded_ || held_) {
      Forget();
      loaded_ = true;
    }
    return kErrorSuccess;
  }
  if (loaded_ && held_ && fileio::StampOf(now) == held_stamp_) {
    if (load_status_ != kErrorSuccess) last_error_ = load_error_;
    return load_status_;
  }
  return Load();
}

RegStatus RegistryStore::Load() {
  loaded_ = false;
  Forget();
  UniqueFd fd(::open(file_.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd) {
    const int error = errno;
    if (error == ENOENT) {  // replaced and then removed since the stat
      loaded_ = true;
      return kErrorSuccess;
    }
    return Fail(StatusOfErrno(error),
                "cannot read the registry file " + file_.string() + ": " + ErrnoText(error));
  }
  struct stat st {};
  std::string text;
  try {
    if (::fstat(fd.get(), &st) != 0) {
      throw std::system_error(errno, std::generic_category(), "cannot stat " + file_.string());
    }
    text = fileio::ReadToEnd(fd.get(), file_);
  } catch (const std::system_error& e) {
    return Fail(StatusOfErrno(e.code().value()),
                "cannot read the registry file: " + std::string(e.what()));
  }
  held_ = std::move(fd);
  held_stamp_ = fileio::StampOf(st);
  loaded_ = true;
  ++reads_;
  try {
    tree_ = ParseRegFile(text, file_.string());
  } catch (const RegFileError& e) {
    tree_ = RegTree();
    load_status_ = kErrorBadDb;
    load_error_ = e.what();
    return Fail(load_status_, load_error_);
  }
  return kErrorSuccess;
}

bool RegistryStore::IsReadOnly(std::string* why) const {
  struct stat st {};
  if (::stat(file_.c_str(), &st) == 0 && Unwritable(file_, st)) {
    if (why != nullptr) *why = "the registry file " + file_.string() + " is read-only";
    return true;
  }
  // The folder, or while it does not exist the nearest parent that does: the one that a write
  // would create a file (or the folder) in.
  std::filesystem::path folder = fileio::FolderOf(file_);
  for (;;) {
    if (::stat(folder.c_str(), &st) == 0) {
      if (S_ISDIR(st.st_mode) && Unwritable(folder, st)) {
        if (why != nullptr) *why = "the folder " + folder.string() + " is read-only";
        return true;
      }
      return false;
    }
    if (errno != ENOENT || !folder.has_relative_path()) return false;
    folder = fileio::FolderOf(folder);
  }
}

RegStatus RegistryStore::Modify(const Change& change) {
  last_error_.clear();
  std::string why;
  if (IsReadOnly(&why)) return Fail(kErrorAccessDenied, why + "; nothing was changed");

  UniqueFd lock;
  try {
    std::error_code error;
    std::filesystem::create_directories(fileio::FolderOf(file_), error);
    if (error) {
      throw std::system_error(error,
                              "cannot create the folder " + fileio::FolderOf(file_).string());
    }
    const std::filesystem::path lock_path = lock_file();
    lock.Reset(::open(lock_path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666));
    if (!lock) {
      throw std::system_error(errno, std::generic_category(),
                              "cannot open the lock file " + lock_path.string());
    }
    fileio::LockExclusive(lock.get(), lock_path.string());
  } catch (const std::system_error& e) {
    return Fail(StatusOfErrno(e.code().value()), e.what());
  }

  // Under the lock: what the file holds now, the one change, and the new file.
  if (const RegStatus status = Refresh(); status != kErrorSuccess) return status;
  RegTree changed = tree_;
  if (const RegStatus status = change(changed); status != kErrorSuccess) return status;
  if (changed == tree_) return kErrorSuccess;
  std::string text;
  try {
    text = WriteRegFile(changed);
  } catch (const std::invalid_argument& e) {
    return Fail(kErrorBadPathname, e.what());
  }
  UniqueFd written;
  struct stat st {};
  try {
    RemoveLeftoverTemporaries(file_);
    written = ReplaceFileAtomically(file_, text);
    if (::fstat(written.get(), &st) != 0) {
      throw std::system_error(errno, std::generic_category(), "cannot stat " + file_.string());
    }
  } catch (const std::system_error& e) {
    loaded_ = false;  // whatever happened, read the file again next time
    return Fail(StatusOfErrno(e.code().value()),
                "cannot write the registry file: " + std::string(e.what()));
  }
  tree_ = std::move(changed);
  held_ = std::move(written);
  held_stamp_ = fileio::StampOf(st);
  load_status_ = kErrorSuccess;
  load_error_.clear();
  loaded_ = true;
  return kErrorSuccess;
}

}  // namespace fw::soft
