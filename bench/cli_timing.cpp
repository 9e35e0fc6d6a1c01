// ferrowind-cli status from start to exit, timed the same way in both builds, beside --version
// (the start-up alone, no registry read). The bench starts the tool as a shell would (its output
// to the null device), waits for it to end and checks that it exited with 0. The Windows build
// runs under Wine, where the tool is started with CreateProcessA inside Wine (Wine's own start-up
// of the first process is not counted); the Linux build starts it with posix_spawn over a
// registry file of the bench's own holding both drivers. Each run lasts about half a second; the
// median of five runs is reported in microseconds per start.
//
// Usage: cli_timing [--quick] [--seconds S]
//   --quick     one checked start, with no timing worth reading (for ctest)
//   --seconds   the time each run lasts (default 0.5)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "bench/timing_main.h"

#ifdef _WIN32
#include "platform/win32/windows_include.h"
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace {

#ifdef _WIN32
constexpr const char* kBuild = "Windows build (advapi32)";
#else
constexpr const char* kBuild = "Linux build (registry store)";
#endif

using Clock = std::chrono::steady_clock;

#ifdef _WIN32
struct CloseHandle {
  void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, CloseHandle>;

// Starts the tool with `args`, its output to NUL, and gives its exit status.
int RunTool(const std::string& args) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const UniqueHandle null_device(
      ::CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
  if (null_device.get() == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open NUL");
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = null_device.get();
  startup.hStdOutput = null_device.get();
  startup.hStdError = null_device.get();
  std::string line = "\"" FERROWIND_CLI_TOOL "\" " + args;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
    throw std::runtime_error("cannot start " + line + " (error " +
                             std::to_string(::GetLastError()) + ")");
  }
  const UniqueHandle owned_process(process.hProcess);
  const UniqueHandle owned_thread(process.hThread);
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  ::GetExitCodeProcess(process.hProcess, &status);
  return static_cast<int>(status);
}

#else
class SpawnActions {
 public:
  SpawnActions() {
    ::posix_spawn_file_actions_init(&actions_);
    ::posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions_, 2, "/dev/null", O_WRONLY, 0);
  }
  ~SpawnActions() { ::posix_spawn_file_actions_destroy(&actions_); }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
  const posix_spawn_file_actions_t* get() const { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

int RunTool(const std::string& args) {
  std::string program = FERROWIND_CLI_TOOL;
  std::string arg = args;
  char* argv[] = {program.data(), arg.data(), nullptr};
  const SpawnActions actions;
  pid_t child = 0;
  if (::posix_spawn(&child, argv[0], actions.get(), nullptr, argv, environ) != 0) {
    throw std::runtime_error("cannot start " + program);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

#endif

// Microseconds per start of the tool with `args` over one run of about `seconds` (exactly one
// start when `quick`).
double RunOnce(const std::string& args, double seconds, bool quick) {
  const auto budget = std::chrono::duration<double>(seconds);
  long starts = 0;
  const Clock::time_point start = Clock::now();
  Clock::time_point now;
  do {
    if (const int status = RunTool(args); status != 0) {
      throw std::runtime_error("ferrowind-cli " + args + " exited with " + std::to_string(status));
    }
    ++starts;
    now = Clock::now();
  } while (!quick && now - start < budget);
  return std::chrono::duration<double, std::micro>(now - start).count() /
         static_cast<double>(starts);
}

int Run(bool quick, double seconds) {
  std::printf("ferrowind-cli status, start to exit: %s\n",
              fw::bench::BuildDescription(kBuild).c_str());
  if (quick) {
    std::printf("(quick run: one checked start; the figure means nothing)\n");
  } else {
    std::printf("median of 5 runs of %.2f s each, microseconds per start\n", seconds);
  }
  const int runs = quick ? 1 : 5;
  // --version reads no registry: what is left of status beside it is the registry's share.
  for (const std::string args : {"status", "--version"}) {
    std::vector<double> figures;
    for (int run = 0; run < runs; ++run) figures.push_back(RunOnce(args, seconds, quick));
    std::sort(figures.begin(), figures.end());
    std::printf("  %-42s %10.0f us   (runs: %.0f .. %.0f)\n", ("ferrowind-cli " + args).c_str(),
                figures[figures.size() / 2], figures.front(), figures.back());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<fw::bench::TimingOptions> options =
      fw::bench::ParseTimingOptions(argc, argv, "cli_timing");
  if (!options) return 2;
  // Both drivers locked.
  const std::string registry =
      "Windows Registry Editor Version 5.00\n\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\UASPStor]\n"
      "\"Start\"=dword:00000004\n\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\USBSTOR]\n"
      "\"Start\"=dword:00000004\n";
  return fw::bench::RunWithOwnRegistry("cli_timing", registry,
                                       [&] { return Run(options->quick, options->seconds); });
}
