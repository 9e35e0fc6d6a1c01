#include "platform/win32/win32_elevation.h"

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/scope_exit.h"
// After the project's headers: <shellapi.h> comes with the Windows macros.
#include <shellapi.h>

namespace fw::win32 {
namespace {

struct KernelHandleDeleter {
  void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using UniqueKernelHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, KernelHandleDeleter>;

std::string SystemMessage(DWORD error) {
  char* buffer = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  const std::unique_ptr<char, decltype(&::LocalFree)> owned(buffer, &::LocalFree);
  std::string text = length > 0 ? std::string(buffer, length) : std::string();
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  if (text.empty()) text = "system error";
  return text + " (" + std::to_string(error) + ")";
}

}  // namespace

std::filesystem::path OwnFolder() {
  std::vector<char> name(MAX_PATH);
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) {
      throw std::runtime_error("the program's own file name cannot be read: " +
                               SystemMessage(::GetLastError()));
    }
    if (length < name.size()) {
      return std::filesystem::path(std::string(name.data(), length)).parent_path();
    }
    name.resize(name.size() * 2);
  }
}

ElevatedRun FailedStart(DWORD error, const std::filesystem::path& program) {
  if (error == ERROR_CANCELLED) return {ElevatedRun::Outcome::kDeclined, 0, {}};
  return {ElevatedRun::Outcome::kFailed, 0,
          program.string() + " could not be started: " + SystemMessage(error)};
}

void WaitDispatchingMessages(HANDLE process, HWND owner) {
  // The owner takes no input meanwhile, as under a modal box; EnableWindow answers whether it
  // was disabled already, in which case it stays so.
  const bool reenable = owner != nullptr && !::EnableWindow(owner, FALSE);
  const ScopeExit enable_again([&] {
    if (reenable) ::EnableWindow(owner, TRUE);
  });
  std::optional<WPARAM> quit;
  for (;;) {
    // MWMO_INPUTAVAILABLE: messages already in the queue wake the wait too.
    const DWORD woken =
        ::MsgWaitForMultipleObjectsEx(1, &process, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woken == WAIT_OBJECT_0) break;
    if (woken != WAIT_OBJECT_0 + 1) {
      throw std::runtime_error("waiting for an elevated tool failed: " +
                               SystemMessage(::GetLastError()));
    }
    MSG message{};
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = message.wParam;
        continue;
      }
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  if (quit) ::PostQuitMessage(static_cast<int>(*quit));
}

Win32Elevation::Win32Elevation(HWND owner, std::filesystem::path folder)
    : owner_(owner), folder_(std::move(folder)) {}

ElevatedRun Win32Elevation::RunElevated(std::string_view program, std::string_view arguments) {
  const std::filesystem::path path = folder_ / std::filesystem::path(std::string(program));
  const std::string file = path.string();
  const std::string directory = folder_.string();
  const std::string parameters(arguments);
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof(info);
  // The process handle is kept to wait on; failures come back as a status, not a box of the
  // shell's own.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.hwnd = owner_;
  info.lpVerb = "runas";
  info.lpFile = file.c_str();
  info.lpParameters = parameters.c_str();
  info.lpDirectory = directory.c_str();
  // The tools are console programs: no console window flashes up.
  info.nShow = SW_HIDE;
  if (!::ShellExecuteExA(&info)) return FailedStart(::GetLastError(), path);
  if (info.hProcess == nullptr) {
    return {ElevatedRun::Outcome::kFailed, 0, file + " was handed to another program"};
  }
  const UniqueKernelHandle process(info.hProcess);
  WaitDispatchingMessages(process.get(), owner_);
  DWORD exit_code = 0;
  if (!::GetExitCodeProcess(process.get(), &exit_code)) {
    return {ElevatedRun::Outcome::kFailed, 0,
            file + " ended without an exit code: " + SystemMessage(::GetLastError())};
  }
  return {ElevatedRun::Outcome::kExited, exit_code, {}};
}

}  // namespace fw::win32
