// ferrowind-reg run as people run it: reg.exe's output, exit statuses, refusals without a
// terminal, and nothing changed by a command that fails: not the registry file's bytes, inode or
// modification time, nor the files in its folder. The tool and the program's registry
// see the same file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/registry_store/soft_registry.h"
#include "tests/platform/registry_store/scratch_dir.h"
#include "tests/tools/tool_run.h"

namespace fw::soft {
namespace {

using test::ReadWholeFile;
using test::RunTool;
using test::ScratchDir;
using test::ToolRun;
using test::WriteWholeFile;

const std::string kUsbstor = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\USBSTOR";
const std::string kUsbstorFull = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\USBSTOR";

class RegToolTest : public ::testing::Test {
 protected:
  // Runs the tool on the test's registry file, with no terminal on its input.
  ToolRun Run(std::vector<std::string> args) {
    return RunTool(FERROWIND_REG_TOOL, std::move(args), file_, dir_.path());
  }

  // What a failing command must leave as it was: the registry file's bytes, inode and
  // modification time, and the names in its folder (no lock or temporary file appears).
  struct StoreState {
    bool folder = false;
    std::set<std::string> names;
    bool file = false;
    std::string bytes;
    std::tuple<dev_t, ino_t, time_t, long> identity{};  // device, inode, mtime (s, ns)
    friend bool operator==(const StoreState&, const StoreState&) = default;
  };

  StoreState State() const {
    StoreState state;
    const auto folder = file_.parent_path();
    state.folder = std::filesystem::is_directory(folder);
    if (state.folder) {
      for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        state.names.insert(entry.path().filename().string());
      }
    }
    struct stat info {};
    state.file = ::stat(file_.c_str(), &info) == 0;
    if (state.file) {
      state.bytes = ReadWholeFile(file_);
      state.identity = {info.st_dev, info.st_ino, info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
    }
    return state;
  }

  // Runs a command that must fail and checks that the registry and its folder are as they were.
  ToolRun RunFailing(std::vector<std::string> args) {
    const StoreState before = State();
    const std::string line = ::testing::PrintToString(args);
    ToolRun run = Run(std::move(args));
    EXPECT_EQ(run.status, 1) << line;
    EXPECT_TRUE(run.out.empty()) << line << ": " << run.out;
    EXPECT_TRUE(run.err.starts_with("ERROR: ")) << line << ": " << run.err;
    const StoreState after = State();
    EXPECT_EQ(after.folder, before.folder) << line;
    EXPECT_EQ(after.names, before.names) << line;
    EXPECT_EQ(after.file, before.file) << line;
    EXPECT_EQ(after.bytes, before.bytes) << line;
    EXPECT_TRUE(after.identity == before.identity) << line << ": the file was replaced or touched";
    return run;
  }

  // A store with a value in it, as most failing commands meet it.
  void Populate() {
    ASSERT_EQ(Run({"add", kUsbstor, "/v", "Start", "/t", "REG_DWORD", "/d", "3"}).status, 0);
    ASSERT_EQ(Run({"add", kUsbstor + "\\Enum"}).status, 0);
  }

  // Start under USBSTOR as the program reads it.
  std::vector<std::uint8_t> ProgramReads(std::string_view name) {
    SoftRegistry registry(file_);
    RegKey key = 0;
    if (registry.RegOpenKeyExA(kHkeyLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\USBSTOR", 0,
                               kKeyRead, &key) != kErrorSuccess) {
      return {};
    }
    std::vector<std::uint8_t> data(64);
    std::uint32_t size = static_cast<std::uint32_t>(data.size());
    const RegStatus status = registry.RegQueryValueExA(key, name, nullptr, data.data(), &size);
    registry.RegCloseKey(key);
    data.resize(status == kErrorSuccess ? size : 0);
    return data;
  }

  ScratchDir dir_;
  std::filesystem::path file_ = dir_ / "state/registry.reg";
};

TEST_F(RegToolTest, AddThenQueryPrintsAsRegExeDoes) {
  const ToolRun add = Run({"add", kUsbstor, "/v", "Start", "/t", "REG_DWORD", "/d", "4", "/f"});
  EXPECT_EQ(add.status, 0) << add.err;
  EXPECT_EQ(add.out, "The operation completed successfully.\n");
  EXPECT_EQ(ProgramReads("Start"), (std::vector<std::uint8_t>{4, 0, 0, 0}));

  const ToolRun query = Run({"query", kUsbstor, "/v", "start"});
  EXPECT_EQ(query.status, 0) << query.err;
  EXPECT_EQ(query.out, "\n" + kUsbstorFull + "\n    Start    REG_DWORD    0x4\n\n");
  EXPECT_TRUE(query.err.empty());
  // The full root name works the same.
  EXPECT_EQ(Run({"QUERY", kUsbstorFull, "/V", "Start"}).out, query.out);
}

TEST_F(RegToolTest, QueryOfAKeyListsItsValuesThenItsSubkeys) {
  ASSERT_EQ(Run({"add", kUsbstor, "/v", "Start", "/t", "REG_DWORD", "/d", "0x1F", "/f"}).status, 0);
  ASSERT_EQ(Run({"add", kUsbstor, "/ve", "/d", "USB Mass Storage"}).status, 0);
  ASSERT_EQ(Run({"add", kUsbstor, "/v", "Name", "/d", "caf\xC3\xA9"}).status, 0);
  ASSERT_EQ(Run({"add", kUsbstor, "/v", "Blob", "/t", "REG_BINARY", "/d", "00ff1A"}).status, 0);
  ASSERT_EQ(Run({"add", kUsbstor, "/v", "List", "/t", "REG_MULTI_SZ", "/d", "a\\0b"}).status, 0);
  ASSERT_EQ(Run({"add", kUsbstor + "\\Enum"}).status, 0);
  ASSERT_EQ(Run({"add", kUsbstor + "\\Alpha"}).status, 0);
  const ToolRun query = Run({"query", kUsbstor});
  EXPECT_EQ(query.status, 0) << query.err;
  EXPECT_EQ(query.out, "\n" + kUsbstorFull +
                           "\n"
                           "    (Default)    REG_SZ    USB Mass Storage\n"
                           "    Blob    REG_BINARY    00FF1A\n"
                           "    List    REG_MULTI_SZ    a\\0b\n"
                           "    Name    REG_SZ    caf\xC3\xA9\n"
                           "    Start    REG_DWORD    0x1f\n"
                           "\n" +
                           kUsbstorFull + "\\Alpha\n" + kUsbstorFull + "\\Enum\n");
  // The program sees the text in Windows-1252, with its NUL.
  EXPECT_EQ(ProgramReads("Name"), (std::vector<std::uint8_t>{'c', 'a', 'f', 0xE9, 0}));
}

TEST_F(RegToolTest, DwordsAreDecimalOrHexWithinTheirRange) {
  const std::vector<std::pair<std::string, std::uint32_t>> good = {
      {"0", 0}, {"010", 10}, {"4294967295", 0xFFFFFFFF}, {"0xFFFFFFFF", 0xFFFFFFFF}, {"0X1a", 26}};
  for (const auto& [text, value] : good) {
    ASSERT_EQ(Run({"add", kUsbstor, "/v", "Start", "/t", "reg_dword", "/d", text, "/f"}).status, 0)
        << text;
    EXPECT_EQ(ProgramReads("Start"),
              (std::vector<std::uint8_t>{
                  static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                  static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)}))
        << text;
  }
  for (const std::string bad : {"4294967296", "-1", "0x100000000", "abc", "", "4 ", "0x"}) {
    const ToolRun run =
        RunFailing({"add", kUsbstor, "/v", "Start", "/t", "REG_DWORD", "/d", bad, "/f"});
    EXPECT_NE(run.err.find("not a REG_DWORD"), std::string::npos) << bad << ": " << run.err;
  }
}

TEST_F(RegToolTest, BadCommandLinesChangeNothing) {
  const auto bad_lines = [&] {
    EXPECT_NE(RunFailing({"add", kUsbstor, "/v", "Start", "/t", "REG_FOO", "/d", "1"})
                  .err.find("unsupported type \"REG_FOO\""),
              std::string::npos);
    EXPECT_NE(RunFailing({"add", "HKXX\\Software", "/v", "A"}).err.find("not a root key"),
              std::string::npos);
    EXPECT_NE(RunFailing({"frobnicate", kUsbstor}).err.find("unknown operation"),
              std::string::npos);
    EXPECT_NE(RunFailing({"query", kUsbstor, "/f"}).err.find("not an option"), std::string::npos);
    EXPECT_NE(RunFailing({"add", kUsbstor, "/v"}).err.find("needs a value"), std::string::npos);
    EXPECT_NE(RunFailing({"add", kUsbstor, "/v", "A", "/ve"}).err.find("only one of"),
              std::string::npos);
    RunFailing({});
  };
  bad_lines();
  EXPECT_FALSE(std::filesystem::exists(file_.parent_path()));
  const ToolRun help = Run({"/?"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("unless /f is given"), std::string::npos);
  EXPECT_NE(help.out.find("Exit status: 0 on success; 1 on failure"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(file_));

  // The same on a store that has something in it.
  Populate();
  bad_lines();
}

TEST_F(RegToolTest, AWrongTypeOrDataNamesItAndChangesNothing) {
  Populate();
  // Types add does not take, by name or in any other spelling.
  for (const std::string type : {"REG_LINK", "REG_RESOURCE_LIST", "DWORD", "4", ""}) {
    const ToolRun run = RunFailing({"add", kUsbstor, "/v", "Start", "/t", type, "/d", "4", "/f"});
    EXPECT_NE(run.err.find("unsupported type \"" + type + "\""), std::string::npos) << run.err;
  }
  const std::vector<std::pair<std::vector<std::string>, std::string>> bad_data = {
      {{"/t", "REG_DWORD", "/d", "4x"}, "\"4x\" is not a REG_DWORD"},
      {{"/t", "REG_DWORD", "/d", "0x1_0"}, "\"0x1_0\" is not a REG_DWORD"},
      {{"/t", "REG_DWORD"}, "\"\" is not a REG_DWORD"},
      {{"/t", "REG_QWORD", "/d", "18446744073709551616"}, "is not a REG_QWORD"},
      {{"/t", "REG_BINARY", "/d", "0g"}, "\"0g\" is not binary data"},
      {{"/t", "REG_BINARY", "/d", "abc"}, "\"abc\" is not binary data"},
      {{"/t", "REG_SZ", "/s", ",", "/d", "a,b"}, "/s is for REG_MULTI_SZ"},
      {{"/t", "REG_MULTI_SZ", "/s", "", "/d", "a"}, "separator of /s is empty"},
      {{"/t", "REG_DWORD", "/d", "1", "/d", "2"}, "/d is given twice"}};
  for (const auto& [options, message] : bad_data) {
    std::vector<std::string> args = {"add", kUsbstor, "/v", "Start"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back("/f");
    const ToolRun run = RunFailing(args);
    EXPECT_NE(run.err.find(message), std::string::npos) << message << ": " << run.err;
  }
  EXPECT_NE(RunFailing({"add", kUsbstor, "/v", "Start", "/t", "REG_DWORD", "/d"})
                .err.find("/d needs a value"),
            std::string::npos);
  EXPECT_EQ(ProgramReads("Start"), (std::vector<std::uint8_t>{3, 0, 0, 0}));
}

TEST_F(RegToolTest, MissingKeysAndValuesAreNotFound) {
  const std::string message =
      "ERROR: The system was unable to find the specified registry key or value.\n";
  EXPECT_EQ(RunFailing({"query", kUsbstor}).err, message);
  EXPECT_EQ(RunFailing({"delete", kUsbstor, "/f"}).err, message);
  EXPECT_FALSE(std::filesystem::exists(file_.parent_path()));
  Populate();
  EXPECT_EQ(RunFailing({"query", kUsbstor, "/v", "Missing"}).err, message);
  EXPECT_EQ(RunFailing({"query", kUsbstor, "/ve"}).err, message);
  EXPECT_EQ(RunFailing({"query", kUsbstor + "\\Nope"}).err, message);
  EXPECT_EQ(RunFailing({"query", "HKCU\\Software", "/v", "Start"}).err, message);
  EXPECT_EQ(RunFailing({"delete", kUsbstor, "/v", "Missing", "/f"}).err, message);
  EXPECT_EQ(RunFailing({"delete", kUsbstor, "/ve", "/f"}).err, message);
  EXPECT_EQ(RunFailing({"delete", kUsbstor + "\\Nope", "/f"}).err, message);
  EXPECT_EQ(RunFailing({"delete", kUsbstor + "\\Nope", "/va", "/f"}).err, message);
  EXPECT_EQ(RunFailing({"delete", kUsbstor + "\\Enum", "/v", "Start", "/f"}).err, message);
}

TEST_F(RegToolTest, WithoutATerminalOverwritingAndDeletingNeedF) {
  ASSERT_EQ(Run({"add", kUsbstor, "/v", "Start", "/t", "REG_DWORD", "/d", "3"}).status, 0);
  EXPECT_NE(
      RunFailing({"add", kUsbstor, "/v", "Start", "/t", "REG_DWORD", "/d", "4"}).err.find("add /f"),
      std::string::npos);
  EXPECT_EQ(ProgramReads("Start"), (std::vector<std::uint8_t>{3, 0, 0, 0}));
  RunFailing({"delete", kUsbstor, "/v", "Start"});
  RunFailing({"delete", kUsbstor});

  ASSERT_EQ(Run({"add", kUsbstor, "/v", "Start", "/t", "REG_DWORD", "/d", "4", "/f"}).status, 0);
  EXPECT_EQ(ProgramReads("Start"), (std::vector<std::uint8_t>{4, 0, 0, 0}));
  ASSERT_EQ(Run({"add", kUsbstor + "\\Enum", "/v", "Count", "/t", "REG_DWORD", "/d", "1"}).status,
            0);
  const ToolRun deleted = Run({"delete", kUsbstor, "/v", "Start", "/f"});
  EXPECT_EQ(deleted.status, 0) << deleted.err;
  EXPECT_EQ(deleted.out, "The operation completed successfully.\n");
  EXPECT_TRUE(ProgramReads("Start").empty());
  // Deleting a key takes everything below it.
  ASSERT_EQ(Run({"delete", "HKLM\\SYSTEM\\CurrentControlSet", "/f"}).status, 0);
  RunFailing({"query", kUsbstor + "\\Enum"});
  ASSERT_EQ(Run({"query", "HKLM\\SYSTEM"}).status, 0);
  RunFailing({"delete", "HKLM", "/f"});
}

TEST_F(RegToolTest, AReadOnlyRegistryIsAccessDenied) {
  Populate();
  const auto every_change = [&](const std::string& named) {
    const std::vector<std::vector<std::string>> changes = {
        {"add", kUsbstor, "/v", "Start", "/t", "REG_DWORD", "/d", "4", "/f"},
        {"add", kUsbstor, "/v", "New", "/d", "x"},
        {"add", kUsbstor + "\\NewKey"},
        {"delete", kUsbstor, "/v", "Start", "/f"},
        {"delete", kUsbstor, "/va", "/f"},
        {"delete", kUsbstor + "\\Enum", "/f"}};
    for (const auto& change : changes) {
      const ToolRun run = RunFailing(change);
      EXPECT_TRUE(run.err.starts_with("ERROR: Access is denied")) << run.err;
      EXPECT_NE(run.err.find(named + " is read-only"), std::string::npos) << run.err;
    }
    // Reading works.
    EXPECT_EQ(Run({"query", kUsbstor, "/v", "Start"}).status, 0);
    EXPECT_EQ(ProgramReads("Start"), (std::vector<std::uint8_t>{3, 0, 0, 0}));
  };
  ASSERT_EQ(::chmod(file_.c_str(), 0444), 0);
  every_change("the registry file " + file_.string());
  // A writable file in a read-only folder: a write would replace the file there.
  ASSERT_EQ(::chmod(file_.c_str(), 0644), 0);
  ASSERT_EQ(::chmod(file_.parent_path().c_str(), 0555), 0);
  every_change("the folder " + file_.parent_path().string());
}

TEST_F(RegToolTest, AnUnparseableRegistryNamesItsLine) {
  std::filesystem::create_directories(file_.parent_path());
  const std::string broken = "Windows Registry Editor Version 5.00\n\n[HKEY_MACHINE\\X]\n";
  WriteWholeFile(file_, broken);
  for (const auto& command : std::vector<std::vector<std::string>>{
           {"add", kUsbstor, "/v", "Start", "/t", "REG_DWORD", "/d", "4", "/f"},
           {"add", kUsbstor},
           {"query", kUsbstor},
           {"query", kUsbstor, "/v", "Start"},
           {"delete", kUsbstor, "/v", "Start", "/f"},
           {"delete", kUsbstor, "/f"}}) {
    const ToolRun run = RunFailing(command);
    EXPECT_TRUE(run.err.starts_with("ERROR: The registry file cannot be read: ")) << run.err;
    EXPECT_NE(run.err.find(file_.string() + ":3: unknown root key"), std::string::npos) << run.err;
  }
  EXPECT_EQ(ReadWholeFile(file_), broken);
}

}  // namespace
}  // namespace fw::soft
