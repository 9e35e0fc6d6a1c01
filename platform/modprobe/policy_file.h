#pragma once
// Ferrowind's own file of module rules, /etc/modprobe.d/ferrowind.conf under a root: for each
// module it locks, "install MODULE /bin/false" (modprobe runs that instead of loading it) and
// "blacklist MODULE" (no alias loads it either). Writers take the folder's lock (flock) and
// replace the file whole, so two writers at once lose nothing and a reader never sees half a
// file; the file goes when it locks nothing. No other file is ever written.
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace fw::modprobe {

inline constexpr std::string_view kPolicyFileName = "ferrowind.conf";

class PolicyFile {
 public:
  explicit PolicyFile(std::filesystem::path root);

  std::filesystem::path path() const { return folder_ / kPolicyFileName; }
  // The modules the file locks (names as kmod compares them). Throws std::runtime_error naming
  // the file when it exists but cannot be read.
  std::set<std::string> LockedModules() const;
  // Adds or removes the module's two lines. Throws std::system_error (its code the errno, its
  // message naming the file or folder and the step) and then changes nothing.
  void SetLocked(std::string_view module, bool locked);

 private:
  std::filesystem::path folder_;
};

// The file's text for a set of modules, in their order: the comment that says who manages it,
// then each module's install and blacklist lines.
std::string PolicyText(const std::set<std::string>& modules);

}  // namespace fw::modprobe
