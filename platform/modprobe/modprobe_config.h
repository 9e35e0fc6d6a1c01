#pragma once
// The kernel module policy as kmod reads it from the modprobe.d folders: which file's `install`
// rule decides how a module loads, and so whether it can load at all.
//
// kmod reads the *.conf files of /etc/modprobe.d, /run/modprobe.d, /usr/local/lib/modprobe.d,
// /usr/lib/modprobe.d and /lib/modprobe.d. A file name in an earlier folder hides the same name
// in a later one; the files are then read in the order of their names, each line a command
// ("install MODULE COMMAND...", "blacklist MODULE", ...), "#" starting a comment and a "\" at
// the end of a line joining the next one. In module names "-" and "_" are the same. The first
// install rule read for a module is the one modprobe runs.
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fw::modprobe {

// The folders kmod reads, most important first, relative to the root of the file system.
inline constexpr std::string_view kConfigFolders[] = {"etc/modprobe.d", "run/modprobe.d",
                                                      "usr/local/lib/modprobe.d",
                                                      "usr/lib/modprobe.d", "lib/modprobe.d"};

struct ModuleRule {
  enum class Kind { kInstall, kBlacklist };
  Kind kind;
  std::string module;   // with "-" written as "_"
  std::string command;  // for kInstall: the command line, its words joined by one space
  friend bool operator==(const ModuleRule&, const ModuleRule&) = default;
};

// A module name as kmod compares it: "-" becomes "_".
std::string NormalizeModuleName(std::string_view name);

// The install and blacklist rules of one file's text, in order. Other commands and malformed
// lines are skipped, as modprobe skips them.
std::vector<ModuleRule> ParseModprobeConfig(std::string_view text);

// The files kmod reads under `root`, in the order it reads them. Throws std::runtime_error naming
// a folder that is there but cannot be read.
std::vector<std::filesystem::path> EffectiveConfigFiles(const std::filesystem::path& root);

// The rule that makes `module` unloadable: the first install rule for it is "/bin/false" or
// "/bin/true" (the command alone). Gives the file that holds it, or nothing when the module
// loads. `ignored` (when given) is read as if it were not there. Throws std::runtime_error
// naming a file that exists but cannot be read.
std::optional<std::filesystem::path> FileThatBlocks(const std::filesystem::path& root,
                                                    std::string_view module,
                                                    const std::filesystem::path& ignored = {});
// The same among `files`, as EffectiveConfigFiles gives them.
std::optional<std::filesystem::path> FileThatBlocksAmong(
    std::span<const std::filesystem::path> files, std::string_view module,
    const std::filesystem::path& ignored = {});

}  // namespace fw::modprobe
