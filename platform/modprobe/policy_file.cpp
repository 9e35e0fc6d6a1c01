#include "platform/modprobe/policy_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <system_error>

#include "fileio/atomic_file.h"
#include "fileio/posix_file.h"
#include "fileio/unique_fd.h"
#include "platform/modprobe/modprobe_config.h"

namespace fw::modprobe {
namespace {

[[noreturn]] void ThrowErrno(int error, const std::string& what) {
  throw std::system_error(error, std::generic_category(), what);
}

// The folder's lock, held while it lives.
class FolderLock {
 public:
  explicit FolderLock(const std::filesystem::path& folder)
      : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (!fd_) ThrowErrno(errno, "cannot open the folder " + folder.string());
    fileio::LockExclusive(fd_.get(), "the folder " + folder.string());
  }

 private:
  UniqueFd fd_;  // closing it releases the lock
};

}  // namespace

std::string PolicyText(const std::set<std::string>& modules) {
  // Written with "-", as administrators and audit scripts spell the USB storage modules
  // ("usb-storage"); kmod takes "-" and "_" for the same.
  const auto dashed = [](std::string name) {
    std::replace(name.begin(), name.end(), '_', '-');
    return name;
  };
  std::string text =
      "# Managed by Ferrowind (ferrowind --system, ferrowind-cli --system lock and unlock).\n"
      "# The USB storage modules below may not load. Ferrowind rewrites this file whole;\n"
      "# delete it to lift the lock by hand.\n";
  for (const std::string& module : modules) {
    text += "install " + dashed(module) + " /bin/false\n";
    text += "blacklist " + dashed(module) + "\n";
  }
  return text;
}

PolicyFile::PolicyFile(std::filesystem::path root) : folder_(std::move(root) / kConfigFolders[0]) {}

std::set<std::string> PolicyFile::LockedModules() const {
  const std::filesystem::path file = path();
  const UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd) {
    if (errno == ENOENT) return {};
    ThrowErrno(errno, "cannot read " + file.string());
  }
  std::set<std::string> modules;
  for (const ModuleRule& rule : ParseModprobeConfig(fileio::ReadToEnd(fd.get(), file))) {
    if (rule.kind == ModuleRule::Kind::kInstall) modules.insert(rule.module);
  }
  return modules;
}

void PolicyFile::SetLocked(std::string_view module, bool locked) {
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  if (error) ThrowErrno(error.value(), "cannot make the folder " + folder_.string());
  const FolderLock lock(folder_);
  std::set<std::string> modules = LockedModules();
  const std::string name = NormalizeModuleName(module);
  const bool changed = locked ? modules.insert(name).second : modules.erase(name) > 0;
  if (!changed) return;
  const std::filesystem::path file = path();
  if (modules.empty()) {
    if (::unlink(file.c_str()) != 0 && errno != ENOENT)
      ThrowErrno(errno, "cannot remove " + file.string());
    return;
  }
  // Readable by everyone whatever the writer's umask, from the moment it is there: any user may
  // look at the state.
  ReplaceFileAtomically(file, PolicyText(modules), 0644);
}

}  // namespace fw::modprobe
