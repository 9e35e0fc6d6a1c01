// ferrowind-cli run as people run it, over the Linux build's registry store: what status prints
// (text and --json) and is-locked answers for every pairing of the two drivers, what lock and
// unlock write, their exit statuses, and a command that fails or is misused changing nothing:
// not the registry file's bytes, inode or modification time, nor the names in its folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/registry_store/soft_registry.h"
#include "tests/platform/registry_store/scratch_dir.h"
#include "tests/tools/tool_run.h"

namespace fw::cli {
namespace {

using soft::test::ReadWholeFile;
using soft::test::RunTool;
using soft::test::ScratchDir;
using soft::test::ToolRun;
using soft::test::WriteWholeFile;

constexpr std::string_view kUsbStor = "SYSTEM\\CurrentControlSet\\Services\\USBSTOR";
constexpr std::string_view kUaspStor = "SYSTEM\\CurrentControlSet\\Services\\UASPStor";

// A driver's key in the store file: none, the key alone, or the key with Start as the file
// writes it ("dword:00000004", "\"on\"", "hex:04,00").
struct Driver {
  bool key = false;
  std::string start;
};
const Driver kAbsent{};
const Driver kKeyOnly{true, ""};
Driver Dword(int value) {
  return {true, "dword:0000000" + std::to_string(value)};
}
Driver Data(std::string text) {
  return {true, std::move(text)};
}

class CliToolTest : public ::testing::Test {
 protected:
  ToolRun Run(std::vector<std::string> args) {
    return RunTool(FERROWIND_CLI_TOOL, std::move(args), file_, dir_.path());
  }

  void Store(const Driver& usbstor, const Driver& uaspstor) {
    std::string text = "Windows Registry Editor Version 5.00\n";
    for (const auto& [path, driver] : {std::pair{kUaspStor, uaspstor}, {kUsbStor, usbstor}}) {
      if (!driver.key) continue;
      text += "\n[HKEY_LOCAL_MACHINE\\" + std::string(path) + "]\n";
      if (!driver.start.empty()) text += "\"Start\"=" + driver.start + "\n";
    }
    std::filesystem::create_directories(file_.parent_path());
    WriteWholeFile(file_, text);
  }

  // Start of a driver as the program reads it: its bytes, or nothing when absent.
  std::optional<std::vector<std::uint8_t>> StartOf(std::string_view path) {
    soft::SoftRegistry registry(file_);
    RegKey key = 0;
    if (registry.RegOpenKeyExA(kHkeyLocalMachine, path, 0, kKeyRead, &key) != kErrorSuccess) {
      return std::nullopt;
    }
    std::vector<std::uint8_t> data(64);
    std::uint32_t size = static_cast<std::uint32_t>(data.size());
    const RegStatus status = registry.RegQueryValueExA(key, "Start", nullptr, data.data(), &size);
    registry.RegCloseKey(key);
    if (status != kErrorSuccess) return std::nullopt;
    data.resize(size);
    return data;
  }
  bool KeyExists(std::string_view path) {
    soft::SoftRegistry registry(file_);
    RegKey key = 0;
    if (registry.RegOpenKeyExA(kHkeyLocalMachine, path, 0, kKeyRead, &key) != kErrorSuccess) {
      return false;
    }
    registry.RegCloseKey(key);
    return true;
  }

  // The registry file and its folder, as a command that changes nothing must leave them.
  struct StoreState {
    std::set<std::string> names;
    std::string bytes;
    std::tuple<dev_t, ino_t, time_t, long> identity{};
    friend bool operator==(const StoreState&, const StoreState&) = default;
  };
  StoreState State() const {
    StoreState state;
    for (const auto& entry : std::filesystem::directory_iterator(file_.parent_path())) {
      state.names.insert(entry.path().filename().string());
    }
    struct stat info {};
    if (::stat(file_.c_str(), &info) == 0) {
      state.bytes = ReadWholeFile(file_);
      state.identity = {info.st_dev, info.st_ino, info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
    }
    return state;
  }

  void MakeReadOnly() { ::chmod(file_.c_str(), 0444); }

  ScratchDir dir_;
  std::filesystem::path file_ = dir_ / "state/registry.reg";
};

const std::vector<std::uint8_t> kFour{4, 0, 0, 0};
const std::vector<std::uint8_t> kThree{3, 0, 0, 0};

TEST_F(CliToolTest, StatusAndIsLockedJudgeBothDrivers) {
  struct Case {
    const char* what;
    Driver usbstor;
    Driver uaspstor;
    std::string state;
    std::string usbstor_start;  // as --json prints it
    std::string uaspstor_start;
    std::string usbstor_line;  // the line status prints
    std::string uaspstor_line;
  };
  const std::string locked_line = "Start = 4 (disabled: USB drives plugged in are not started)";
  const std::string unlocked_line = "Start = 3 (on demand: USB drives plugged in are started)";
  const std::string no_key = "no key (the driver is not installed)";
  const std::vector<Case> cases = {
      {"4, no UASPStor", Dword(4), kAbsent, "locked", "4", "null", locked_line, no_key},
      {"4 and 4", Dword(4), Dword(4), "locked", "4", "4", locked_line, locked_line},
      {"4, UASPStor without Start", Dword(4), kKeyOnly, "locked", "4", "null", locked_line,
       "no Start value (HKLM\\SYSTEM\\CurrentControlSet\\Services\\UASPStor has none)"},
      {"3, no UASPStor", Dword(3), kAbsent, "unlocked", "3", "null", unlocked_line, no_key},
      {"3 and 3", Dword(3), Dword(3), "unlocked", "3", "3", unlocked_line, unlocked_line},
      {"3 and 2", Dword(3), Dword(2), "unlocked", "3", "2", unlocked_line,
       "Start = 2 (automatic start)"},
      {"4 and 3", Dword(4), Dword(3), "partly locked", "4", "3", locked_line, unlocked_line},
      {"3 and 4", Dword(3), Dword(4), "partly locked", "3", "4", unlocked_line, locked_line},
      {"no USBSTOR", kAbsent, Dword(4), "unknown", "null", "4", no_key, locked_line},
      {"USBSTOR without Start", kKeyOnly, kAbsent, "unknown", "null", "null",
       "no Start value (HKLM\\SYSTEM\\CurrentControlSet\\Services\\USBSTOR has none)", no_key},
      {"USBSTOR 1", Dword(1), kAbsent, "unknown", "1", "null", "Start = 1 (system start)", no_key},
      {"USBSTOR 0xFFFFFFFF", Data("dword:ffffffff"), kAbsent, "unknown", "4294967295", "null",
       "Start = 4294967295 (not a start type)", no_key},
      {"USBSTOR text 4", Data("\"4\""), kAbsent, "locked", "4", "null", locked_line, no_key},
      {"USBSTOR text on", Data("\"on\""), kAbsent, "unknown", "null", "null",
       "Start = \"on\" (a text that is no whole number)", no_key},
      {"USBSTOR binary", Data("hex:04,00,00,00"), kAbsent, "unknown", "null", "null",
       "Start has a type other than REG_DWORD and REG_SZ", no_key},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Store(c.usbstor, c.uaspstor);
    const StoreState before = State();

    const ToolRun json = Run({"status", "--json"});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out, R"({"state": ")" + c.state +
                            R"(", "drivers": [{"name": "USBSTOR", "start": )" + c.usbstor_start +
                            R"(}, {"name": "UASPStor", "start": )" + c.uaspstor_start + "}]}\n");
    EXPECT_TRUE(nlohmann::json::accept(json.out)) << json.out;
    EXPECT_EQ(json.err, "");

    const ToolRun text = Run({"status"});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, "USBSTOR:  " + c.usbstor_line + "\nUASPStor: " + c.uaspstor_line +
                            "\nState: " + c.state + "\n");

    const ToolRun is_locked = Run({"is-locked"});
    EXPECT_EQ(is_locked.status, c.state == "locked" ? 0 : 1);
    EXPECT_EQ(is_locked.out + is_locked.err, "");

    // Reading opens the keys for query access only: a read-only store reads the same.
    MakeReadOnly();
    EXPECT_EQ(Run({"status", "--json"}).out, json.out);
    EXPECT_EQ(Run({"is-locked"}).status, is_locked.status);
    ::chmod(file_.c_str(), 0644);
    EXPECT_TRUE(State() == before) << "reading changed the registry file";
  }
}

TEST_F(CliToolTest, AnUnreadableRegistryIsUnknownAndFailsStatus) {
  Store(Dword(4), kAbsent);
  WriteWholeFile(file_, ReadWholeFile(file_) + "this line is not registry text\n");
  const ToolRun status = Run({"status", "--json"});
  EXPECT_EQ(status.status, 1);
  EXPECT_EQ(status.out, R"({"state": "unknown", "drivers": [{"name": "USBSTOR", "start": null}, )"
                        R"({"name": "UASPStor", "start": null}]})"
                        "\n");
  // The reason names the registry file and its bad line.
  EXPECT_NE(status.err.find("cannot read HKLM\\SYSTEM\\CurrentControlSet\\Services\\USBSTOR: the "
                            "registry cannot be read (status 1009): " +
                            file_.string() + ":5:"),
            std::string::npos)
      << status.err;
  EXPECT_EQ(Run({"is-locked"}).status, 1);
}

TEST_F(CliToolTest, LockAndUnlockWriteBothDriversOrChangeNothing) {
  enum class Trouble { kNone, kReadOnly, kUnreadable };
  struct Case {
    const char* what;
    std::string command;
    Driver uaspstor;
    Trouble trouble;
    int status;
    std::string out;        // on success
    std::string err_start;  // on failure: how the reason begins
  };
  const std::string cannot_lock_uasp =
      "ferrowind-cli: cannot lock: Start of HKLM\\SYSTEM\\CurrentControlSet\\Services\\UASPStor "
      "cannot be set to 4: ";
  const std::string cannot_lock_usb =
      "ferrowind-cli: cannot lock: Start of HKLM\\SYSTEM\\CurrentControlSet\\Services\\USBSTOR "
      "cannot be set to 4: ";
  const std::vector<Case> cases = {
      {"lock", "lock", Dword(0), Trouble::kNone, 0, "locked: USBSTOR and UASPStor Start = 4\n", ""},
      {"lock, UASPStor without Start", "lock", kKeyOnly, Trouble::kNone, 0,
       "locked: USBSTOR and UASPStor Start = 4\n", ""},
      {"lock, no UASPStor", "lock", kAbsent, Trouble::kNone, 0,
       "locked: USBSTOR Start = 4 (no UASPStor key)\n", ""},
      {"unlock", "unlock", Dword(0), Trouble::kNone, 0,
       "unlocked: USBSTOR and UASPStor Start = 3\n", ""},
      {"unlock, no UASPStor", "unlock", kAbsent, Trouble::kNone, 0,
       "unlocked: USBSTOR Start = 3 (no UASPStor key)\n", ""},
      {"lock, read-only", "lock", Dword(0), Trouble::kReadOnly, 5, "",
       cannot_lock_uasp + "access is denied (status 5): the registry file " + file_.string() +
           " is read-only; nothing was changed\n"},
      {"lock, read-only, no UASPStor", "lock", kAbsent, Trouble::kReadOnly, 5, "",
       cannot_lock_usb + "access is denied (status 5): the registry file " + file_.string() +
           " is read-only; nothing was changed\n"},
      {"unlock, read-only", "unlock", Dword(0), Trouble::kReadOnly, 5, "",
       "ferrowind-cli: cannot unlock: Start of "
       "HKLM\\SYSTEM\\CurrentControlSet\\Services\\UASPStor cannot be set to 3: access is denied "
       "(status 5): the registry file " +
           file_.string() + " is read-only; nothing was changed\n"},
      {"lock, unreadable", "lock", Dword(0), Trouble::kUnreadable, 1, "",
       cannot_lock_uasp + "the registry cannot be read (status 1009): " + file_.string() + ":"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const bool lock = c.command == "lock";
    Store(lock ? Dword(3) : Dword(4), c.uaspstor);
    if (c.trouble == Trouble::kUnreadable) {
      WriteWholeFile(file_, ReadWholeFile(file_) + "this line is not registry text\n");
    }
    if (c.trouble == Trouble::kReadOnly) MakeReadOnly();
    const StoreState before = State();
    const std::optional<std::vector<std::uint8_t>> uaspstor_before = StartOf(kUaspStor);

    const ToolRun run = Run({c.command});
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(run.out, c.out);
    if (c.status == 0) {
      EXPECT_EQ(run.err, "");
      EXPECT_EQ(StartOf(kUsbStor), lock ? kFour : kThree);
      if (c.uaspstor.key) {
        EXPECT_EQ(StartOf(kUaspStor), lock ? kFour : kThree);
      } else {
        EXPECT_FALSE(KeyExists(kUaspStor)) << "the UASPStor key was made";
      }
      EXPECT_EQ(Run({"is-locked"}).status, lock ? 0 : 1);
    } else {
      EXPECT_TRUE(run.err.starts_with(c.err_start)) << run.err;
      EXPECT_TRUE(State() == before) << "a failed " << c.command << " changed the registry file";
    }
    ::chmod(file_.c_str(), 0644);
  }
}

TEST_F(CliToolTest, BadUsageIsRefusedWithStatus2AndChangesNothing) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{}, "no command given (status, is-locked, lock or unlock)"},
      {{"Lock"}, "unknown command \"Lock\" (the commands are status, is-locked, lock, unlock)"},
      {{"--lock"}, "unknown option \"--lock\" (the commands are status, is-locked, lock, unlock)"},
      {{"lock", "now"}, "lock takes no arguments; argument 2, \"now\" is one too many"},
      {{"unlock", "--json"}, "unlock takes no arguments; argument 2, \"--json\" is one too many"},
      {{"is-locked", "x"}, "is-locked takes no arguments; argument 2, \"x\" is one too many"},
      {{"status", "--yaml"}, "status takes only --json, not argument 2, \"--yaml\""},
      {{"status", "--json", "--json"},
       "status takes --json once; argument 3, \"--json\" repeats it"},
      {{"stat\x1b[2Jus"},
       "unknown command \"stat\\x1B[2Jus\" (the commands are status, "
       "is-locked, lock, unlock)"},
  };
  Store(Dword(3), Dword(3));
  const StoreState before = State();
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const ToolRun run = Run(c.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "ferrowind-cli: " + c.message + "\nType \"ferrowind-cli --help\" for usage.\n");
  }
  EXPECT_TRUE(State() == before);
}

TEST_F(CliToolTest, HelpAndVersionDoNothingElse) {
  Store(Dword(3), kAbsent);
  const StoreState before = State();
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--help"}, {"-h"}, {"lock", "--help"}, {"--version"}, {"unlock", "--version"}}) {
    SCOPED_TRACE(::testing::PrintToString(args));
    const ToolRun run = Run(args);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    if (args.back() == "--version") {
      EXPECT_EQ(run.out, "ferrowind-cli " FERROWIND_VERSION "\n");
    } else {
      EXPECT_TRUE(run.out.starts_with("ferrowind-cli: locks and unlocks USB storage")) << run.out;
      EXPECT_NE(run.out.find("Exit status:"), std::string::npos);
    }
  }
  EXPECT_TRUE(State() == before);
}

}  // namespace
}  // namespace fw::cli
