#pragma once
// Elevation through the system's consent prompt: ShellExecuteEx with the verb "runas" starts the
// tool as an administrator, and a modal wait keeps the owner window painting and ticking while
// it takes no input.
#include <filesystem>
#include <string_view>

#include "platform/elevation.h"
#include "platform/win32/windows_include.h"

namespace fw::win32 {

// The folder that holds the running program's executable.
std::filesystem::path OwnFolder();

// What a ShellExecuteEx that failed with `error` (its GetLastError) means for `program`: the
// user declining the prompt is ERROR_CANCELLED; anything else is a start that failed.
ElevatedRun FailedStart(DWORD error, const std::filesystem::path& program);

// Waits for `process` to end while dispatching the thread's messages, `owner` (when not null)
// disabled meanwhile. A WM_QUIT seen while waiting is posted again once the wait is over, so
// that the message loop still ends.
void WaitDispatchingMessages(HANDLE process, HWND owner);

class Win32Elevation final : public Elevation {
 public:
  // `owner`: the window the prompt belongs to, disabled while the tool runs (null for none).
  // `folder`: where the tools are.
  explicit Win32Elevation(HWND owner, std::filesystem::path folder = OwnFolder());

  ElevatedRun RunElevated(std::string_view program, std::string_view arguments) override;

 private:
  HWND owner_;
  std::filesystem::path folder_;
};

}  // namespace fw::win32
