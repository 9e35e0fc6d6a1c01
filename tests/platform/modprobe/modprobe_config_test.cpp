// The modprobe.d reader: the rules of a file's text, which file of a name kmod reads, and which
// rule decides whether a module can load.
#include "platform/modprobe/modprobe_config.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/modprobe/policy_cache.h"

namespace fw::modprobe {
namespace {

using Kind = ModuleRule::Kind;

TEST(ModprobeConfig, ReadsInstallAndBlacklistRulesAsModprobeDoes) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<ModuleRule> rules;
  };
  const std::vector<Case> cases = {
      {"both rules, dash made underscore",
       "install usb-storage /bin/false\nblacklist usb-storage\n",
       {{Kind::kInstall, "usb_storage", "/bin/false"}, {Kind::kBlacklist, "usb_storage", ""}}},
      {"comments and blank lines",
       "# install uas /bin/false\n\n  blacklist uas # old\n",
       {{Kind::kBlacklist, "uas", ""}}},
      {"a continued line",
       "install uas \\\n  /bin/echo off\n",
       {{Kind::kInstall, "uas", "/bin/echo off"}}},
      {"tabs, CR LF and no final newline",
       "install\tuas\t/bin/true\r\nblacklist uas",
       {{Kind::kInstall, "uas", "/bin/true"}, {Kind::kBlacklist, "uas", ""}}},
      {"other commands and malformed lines", "options uas quirks=1\ninstall uas\nblacklist\n", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ParseModprobeConfig(c.text), c.rules);
  }
}

// A throwaway root for modprobe.d folders, removed again at the end.
struct ScratchRoot {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("modprobe-test-" + std::to_string(::getpid()));
  ScratchRoot() { std::filesystem::remove_all(path); }
  ~ScratchRoot() { std::filesystem::remove_all(path); }
  void Write(const std::string& file, const std::string& text) const {
    std::filesystem::create_directories((path / file).parent_path());
    std::ofstream(path / file) << text;
  }
};

TEST(ModprobeConfig, TheFirstInstallRuleOfTheFilesKmodReadsDecides) {
  const ScratchRoot scratch;
  const std::filesystem::path& root = scratch.path;
  const auto write = [&](const std::string& file, const std::string& text) {
    scratch.Write(file, text);
  };
  EXPECT_FALSE(FileThatBlocks(root, "usb-storage"));  // no folder at all
  // /etc hides the same name in /usr/lib; files are read by name across the folders.
  write("usr/lib/modprobe.d/hardening.conf", "install usb-storage /bin/false\n");
  write("etc/modprobe.d/hardening.conf", "blacklist usb-storage\n");
  EXPECT_FALSE(FileThatBlocks(root, "usb-storage"));
  write("lib/modprobe.d/zz.conf", "install usb_storage /bin/true\n");
  EXPECT_EQ(FileThatBlocks(root, "usb-storage"), root / "lib/modprobe.d/zz.conf");
  // An earlier name with another command wins; a file that is not *.conf is not read.
  write("run/modprobe.d/aa.conf",
        "install usb-storage /sbin/modprobe --ignore-install usb-storage\n");
  write("etc/modprobe.d/00.conf.disabled", "install usb-storage /bin/false\n");
  EXPECT_FALSE(FileThatBlocks(root, "usb-storage"));
  EXPECT_EQ(FileThatBlocks(root, "usb-storage", root / "run/modprobe.d/aa.conf"),
            root / "lib/modprobe.d/zz.conf");
  EXPECT_FALSE(FileThatBlocks(root, "uas"));
}

// A kept answer never hides a change: each step changes the files in another way (a new file, one
// rewritten in place, one masked, one removed) and both caches answer as a fresh read does. One
// keeps answers at once; the other not within two seconds of a change, so that even a rewrite of
// the same size within one timestamp tick is seen.
TEST(PolicyCache, AnswersAsAFreshReadAfterEveryKindOfChange) {
  const ScratchRoot scratch;
  const std::filesystem::path& root = scratch.path;
  const auto write = [&](const std::string& file, const std::string& text) {
    scratch.Write(file, text);
  };
  const std::string zz = "lib/modprobe.d/zz.conf";
  struct Step {
    const char* what;
    std::function<void()> change;
    std::optional<std::string> blocked_by;  // relative to root
  };
  const std::vector<Step> steps = {
      {"no folder", [] {}, std::nullopt},
      {"a new file", [&] { write(zz, "install usb-storage /bin/false\n"); }, zz},
      {"rewritten in place, same size", [&] { write(zz, "install usb-storage /bin/fals_\n"); },
       std::nullopt},
      {"rewritten in place, other size", [&] { write(zz, "install usb_storage /bin/true\n"); }, zz},
      {"masked by /etc", [&] { write("etc/modprobe.d/zz.conf", "blacklist usb-storage\n"); },
       std::nullopt},
      {"mask removed", [&] { std::filesystem::remove(root / "etc/modprobe.d/zz.conf"); }, zz},
      {"file removed", [&] { std::filesystem::remove(root / zz); }, std::nullopt},
  };
  PolicyCache at_once(root, std::chrono::milliseconds(0));
  PolicyCache settling(root);
  for (const Step& step : steps) {
    step.change();
    const std::optional<std::filesystem::path> expected =
        step.blocked_by ? std::optional(root / *step.blocked_by) : std::nullopt;
    EXPECT_EQ(FileThatBlocks(root, "usb-storage"), expected) << step.what;
    if (std::string(step.what) != "rewritten in place, same size") {
      // Without settling, only a change the stamps show is seen.
      EXPECT_EQ(at_once.FileThatBlocks("usb-storage"), expected) << step.what;
    }
    EXPECT_EQ(settling.FileThatBlocks("usb_storage"), expected) << step.what;
    EXPECT_EQ(settling.FileThatBlocks("usb-storage"), expected) << step.what << ", asked again";
  }
}

}  // namespace
}  // namespace fw::modprobe
