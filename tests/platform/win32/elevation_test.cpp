// Elevation under Wine: ferrowind-cli.exe started with the verb "runas" through the shell, as the
// window starts it for a user whose own write was refused, its exit status handed back; the
// owner window painting and ticking, but disabled, while the tool runs.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/usb_storage_policy.h"
#include "platform/win32/win32_elevation.h"
#include "tests/app/scratch_registry.h"
#include "tests/platform/win32/win32_test_support.h"

namespace fw::win32 {
namespace {

using fw::testing::ScratchRegistry;

std::optional<std::uint8_t> FirstByte(const std::optional<fw::testing::StoredValue>& value) {
  if (!value || value->bytes.empty()) return std::nullopt;
  return value->bytes[0];
}

// A top-level window that counts its paints and ticks, and whether it was enabled at each tick.
class CountingWindow {
 public:
  CountingWindow() {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = &CountingWindow::Procedure;
    window_class.hInstance = ::GetModuleHandleA(nullptr);
    window_class.lpszClassName = kClass;
    ::RegisterClassA(&window_class);
    window_ = ::CreateWindowExA(0, kClass, "Elevation test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                200, 100, nullptr, nullptr, window_class.hInstance, nullptr);
    if (window_ == nullptr) {
      ADD_FAILURE() << "CreateWindowExA failed (error " << ::GetLastError() << ")";
      return;
    }
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~CountingWindow() {
    if (window_ != nullptr) ::DestroyWindow(window_);
  }
  CountingWindow(const CountingWindow&) = delete;
  CountingWindow& operator=(const CountingWindow&) = delete;

  HWND window() const { return window_; }
  int paints = 0;
  int ticks = 0;
  int ticks_while_enabled = 0;

 private:
  static constexpr const char* kClass = "FerrowindElevationTest";

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<CountingWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_PAINT) {
      PAINTSTRUCT paint{};
      ::BeginPaint(window, &paint);
      ::EndPaint(window, &paint);
      ++self->paints;
      return 0;
    }
    if (self != nullptr && message == WM_TIMER) {
      ++self->ticks;
      if (::IsWindowEnabled(window)) ++self->ticks_while_enabled;
      ::InvalidateRect(window, nullptr, FALSE);
      return 0;
    }
    return ::DefWindowProcA(window, message, wparam, lparam);
  }

  HWND window_ = nullptr;
};

std::filesystem::path ToolFolder() {
  return std::filesystem::path(FERROWIND_CLI_TOOL).parent_path();
}

TEST(Win32ElevationTest, RunsTheToolAsAnAdministratorAndHandsBackItsExitStatus) {
  struct Case {
    const char* what;
    const char* arguments;
    bool refuse_usbstor;
    DWORD exit_code;
    std::uint8_t start_after;
  };
  const std::vector<Case> cases = {
      {"lock", "lock", false, 0, 4},
      {"unlock", "unlock", false, 0, 3},
      {"lock refused by the key's access list", "lock", true, 5, 3},
      {"bad usage", "frobnicate", false, 2, 3},
  };
  CountingWindow owner;
  Win32Elevation elevation(owner.window(), ToolFolder());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchRegistry scratch;
    scratch.SetStart(std::string_view(c.arguments) == "unlock" ? 4 : 3);
    const auto refusal =
        c.refuse_usbstor ? scratch.RefuseWrites(kHkeyLocalMachine, app::kUsbStorPath) : nullptr;
    const ElevatedRun run = elevation.RunElevated("ferrowind-cli.exe", c.arguments);
    EXPECT_EQ(run.outcome, ElevatedRun::Outcome::kExited) << run.reason;
    EXPECT_EQ(run.exit_code, c.exit_code);
    EXPECT_EQ(FirstByte(scratch.GetStart()), c.start_after);
  }
}

TEST(Win32ElevationTest, TheOwnerPaintsAndTicksButTakesNoInputWhileTheToolRuns) {
  CountingWindow owner;
  testing::PumpFor(50);
  ::SetTimer(owner.window(), 1, 10, nullptr);
  // A quit asked for meanwhile still ends the message loop afterwards.
  ::PostQuitMessage(7);
  const int paints_before = owner.paints;
  Win32Elevation elevation(owner.window(), ToolFolder());
  const ElevatedRun run = elevation.RunElevated("ferrowind-cli.exe", "status");
  ::KillTimer(owner.window(), 1);
  EXPECT_TRUE(run.outcome == ElevatedRun::Outcome::kExited && run.exit_code <= 1) << run.reason;
  EXPECT_GT(owner.ticks, 0);
  EXPECT_EQ(owner.ticks_while_enabled, 0);
  EXPECT_GT(owner.paints, paints_before);
  EXPECT_TRUE(::IsWindowEnabled(owner.window()));
  MSG message{};
  ASSERT_TRUE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
}

// A tool that is not there, and the user declining the consent prompt.
TEST(Win32ElevationTest, AToolThatCannotStartOrADeclinedPromptIsNoSuccess) {
  CountingWindow owner;
  Win32Elevation elevation(owner.window(), ToolFolder());
  const ElevatedRun missing = elevation.RunElevated("no-such-tool.exe", "lock");
  EXPECT_EQ(missing.outcome, ElevatedRun::Outcome::kFailed);
  EXPECT_NE(missing.reason.find("no-such-tool.exe"), std::string::npos) << missing.reason;
  EXPECT_FALSE(missing.Succeeded());
  EXPECT_TRUE(::IsWindowEnabled(owner.window()));

  const ElevatedRun declined = FailedStart(ERROR_CANCELLED, "ferrowind-cli.exe");
  EXPECT_EQ(declined.outcome, ElevatedRun::Outcome::kDeclined);
  EXPECT_FALSE(declined.Succeeded());
}

}  // namespace
}  // namespace fw::win32
