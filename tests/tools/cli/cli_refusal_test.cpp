// ferrowind-cli.exe under Wine when advapi32 refuses a write: a key's access list denies setting
// values (tests/app/scratch_registry.h), the tool is started as a user starts it, and it must
// exit with 5 and leave both drivers' Start as they were, putting UASPStor's back when USBSTOR
// is the one refused.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "app/usb_storage_policy.h"
#include "platform/win32/windows_include.h"
#include "tests/app/scratch_registry.h"

namespace fw::cli {
namespace {

using fw::testing::ScratchRegistry;

struct CloseHandle {
  void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, CloseHandle>;

// Runs ferrowind-cli.exe with `command` and gives its exit status.
DWORD RunTool(const std::string& command) {
  std::string line = "\"" FERROWIND_CLI_TOOL "\" " + command;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    ADD_FAILURE() << "cannot start " << line << " (error " << ::GetLastError() << ")";
    return 0xFFFFFFFF;
  }
  const UniqueHandle owned_process(process.hProcess);
  const UniqueHandle owned_thread(process.hThread);
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0xFFFFFFFF;
  ::GetExitCodeProcess(process.hProcess, &status);
  return status;
}

std::optional<std::uint8_t> FirstByte(const std::optional<fw::testing::StoredValue>& value) {
  if (!value || value->bytes.empty()) return std::nullopt;
  return value->bytes[0];
}

TEST(CliRefusalTest, ARefusedWriteExitsWith5AndChangesNothing) {
  struct Case {
    const char* what;
    std::string command;
    std::string_view refused;
  };
  const std::vector<Case> cases = {
      {"lock, UASPStor refused", "lock", app::kUaspStorPath},
      {"unlock, UASPStor refused", "unlock", app::kUaspStorPath},
      {"lock, USBSTOR refused", "lock", app::kUsbStorPath},
      {"unlock, USBSTOR refused", "unlock", app::kUsbStorPath},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchRegistry scratch;
    const std::uint8_t before = c.command == "lock" ? 3 : 4;
    scratch.SetStart(before);
    scratch.SetUaspStart(0);
    {
      const auto refusal = scratch.RefuseWrites(kHkeyLocalMachine, c.refused);
      EXPECT_EQ(RunTool(c.command), 5u);
    }
    EXPECT_EQ(FirstByte(scratch.GetStart()), before);
    EXPECT_EQ(FirstByte(scratch.GetUaspStart()), 0);
    // Without the refusal the same command goes through.
    EXPECT_EQ(RunTool(c.command), 0u);
    EXPECT_EQ(FirstByte(scratch.GetStart()), 7 - before);
    EXPECT_EQ(FirstByte(scratch.GetUaspStart()), 7 - before);
  }
}

}  // namespace
}  // namespace fw::cli
