// The modprobe.d reader: the rules of a file's text, which file of a name kmod reads, and which
// rule decides whether a module can load.
#include "platform/modprobe/modprobe_config.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

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

TEST(ModprobeConfig, TheFirstInstallRuleOfTheFilesKmodReadsDecides) {
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("modprobe-test-" + std::to_string(::getpid()));
  std::filesystem::remove_all(root);
  const auto write = [&](const std::string& file, const std::string& text) {
    std::filesystem::create_directories((root / file).parent_path());
    std::ofstream(root / file) << text;
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
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace fw::modprobe
