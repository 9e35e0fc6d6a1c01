#pragma once
// ferrowind-cli from its arguments to its exit status, over the build's registry: advapi32 in
// the Windows build, the registry store in the Linux build.
#include <functional>
#include <iosfwd>
#include <span>
#include <string>

#include "app/usb_storage_policy.h"
#include "platform/registry.h"

namespace fw::cli {

inline constexpr int kExitSuccess = 0;
// status: the registry could not be read; is-locked: not locked; lock, unlock: a failure other
// than a refusal.
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
// lock, unlock: the registry refused the write (ERROR_ACCESS_DENIED).
inline constexpr int kExitAccessDenied = 5;

struct CliConsole {
  std::ostream& out;
  std::ostream& err;
  // More about a failing registry status, from the build's own registry (the Linux store names
  // the file it cannot read or write); empty when there is nothing more to say. May be empty.
  std::function<std::string(RegStatus)> explain;
};

// Runs the arguments that follow the program's name. Reading opens keys with KEY_READ only.
int RunCli(std::span<const std::string> args, Registry& registry, CliConsole& console);

// The --help text, and the --version line.
std::string CliHelp();
std::string CliVersion();

// What `status` prints: one line per driver, then the verdict; and the --json form, exactly
// {"state": "locked", "drivers": [{"name": "USBSTOR", "start": 4}, {"name": "UASPStor", "start":
// null}]} with null for an absent or unreadable Start, or one that holds no whole number.
std::string StatusText(const app::UsbStorageStatus& status);
std::string StatusJson(const app::UsbStorageStatus& status);

}  // namespace fw::cli
