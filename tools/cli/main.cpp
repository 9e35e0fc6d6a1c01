// ferrowind-cli: the USB storage lock from the command line. `ferrowind-cli --help` describes
// the commands and exit statuses.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "tools/cli/cli_run.h"

#ifdef _WIN32
#include <array>
#include <memory>

#include "platform/win32/windows_include.h"
#else
#include <filesystem>

#include "platform/modprobe/system_registry.h"
#include "platform/registry_store/registry_store.h"
#include "platform/registry_store/soft_registry.h"
#endif

namespace {

#ifdef _WIN32
// The system's own words for a status ("Access is denied"), without the closing full stop.
std::string SystemMessage(fw::RegStatus status) {
  std::array<char, 512> text{};
  const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, static_cast<DWORD>(status), 0, text.data(),
                                        static_cast<DWORD>(text.size()), nullptr);
  std::string message(text.data(), length);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.')) {
    message.pop_back();
  }
  return message;
}

int Run(const std::vector<std::string>& args) {
  const std::unique_ptr<fw::Registry> registry = fw::CreatePlatformRegistry();
  fw::cli::CliConsole console{std::cout, std::cerr, SystemMessage};
  return fw::cli::RunCli(args, *registry, console);
}
#else
// --system: the machine's module policy; the reason for a failure names the file or folder.
int RunOnSystem(const std::vector<std::string>& args) {
  fw::modprobe::SystemRegistry registry(fw::modprobe::SystemRoot());
  const auto explain = [&](fw::RegStatus) { return registry.last_error(); };
  fw::cli::CliConsole console{std::cout, std::cerr, explain};
  return fw::cli::RunCli(args, registry, console);
}

int Run(const std::vector<std::string>& args) {
  if (!args.empty() && args.front() == "--system") {
    return RunOnSystem(std::vector<std::string>(args.begin() + 1, args.end()));
  }
  const std::filesystem::path file = fw::soft::DefaultRegistryPath();
  fw::soft::SoftRegistry registry(file);
  // The store says which file it cannot read (and where), or which file or folder is read-only.
  const auto explain = [&](fw::RegStatus status) -> std::string {
    if (status == fw::kErrorAccessDenied) {
      std::string why;
      if (fw::soft::RegistryStore(file).IsReadOnly(&why)) return why;
    }
    if (registry.Refresh() != fw::kErrorSuccess) return registry.last_error();
    return "the registry file is " + file.string();
  };
  fw::cli::CliConsole console{std::cout, std::cerr, explain};
  return fw::cli::RunCli(args, registry, console);
}
#endif

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  try {
    return Run(args);
  } catch (const std::exception& e) {
    std::cerr << "ferrowind-cli: " << e.what() << '\n';
    return fw::cli::kExitFailure;
  }
}
