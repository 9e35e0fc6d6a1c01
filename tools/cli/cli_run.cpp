#include "tools/cli/cli_run.h"

#include <ostream>
#include <string_view>

#include "platform/printable_text.h"
#include "tools/cli/cli_command.h"

#ifndef FERROWIND_CLI_VERSION
#error "FERROWIND_CLI_VERSION must name the version (tools/cli/CMakeLists.txt sets it)"
#endif

namespace fw::cli {
namespace {

using app::DriverStart;
using app::StartPresence;
using app::UsbStorageState;
using app::UsbStorageStatus;

constexpr std::string_view kProgram = "ferrowind-cli";

std::string StatusWords(RegStatus status) {
  switch (status) {
    case kErrorFileNotFound:
      return "not found (status 2)";
    case kErrorAccessDenied:
      return "access is denied (status 5)";
    case kErrorBadDb:
      return "the registry cannot be read (status 1009)";
    case kErrorRegistryIoFailed:
      return "reading or writing the registry failed (status 1016)";
    default:
      return "status " + std::to_string(status);
  }
}

std::string Reason(RegStatus status, const CliConsole& console) {
  std::string text = StatusWords(status);
  if (console.explain) {
    if (const std::string more = console.explain(status); !more.empty()) {
      text += ": " + PrintableText(more);
    }
  }
  return text;
}

std::string KeyName(std::string_view path) {
  return "HKLM\\" + std::string(path);
}

// What a service's start type means for the drives it serves.
std::string_view StartMeaning(std::int64_t start) {
  switch (start) {
    case 0:
      return "boot start";
    case 1:
      return "system start";
    case 2:
      return "automatic start";
    case app::kStartUnlocked:
      return "on demand: USB drives plugged in are started";
    case app::kStartLocked:
      return "disabled: USB drives plugged in are not started";
    default:
      return "not a start type";
  }
}

std::string DriverLine(const DriverStart& driver) {
  std::string line = std::string(driver.name) + ":";
  line.append(10 - std::min<std::size_t>(line.size(), 9), ' ');
  switch (driver.presence) {
    case StartPresence::kNoKey:
      return line + "no key (the driver is not installed)";
    case StartPresence::kNoValue:
      return line + "no Start value (" + KeyName(driver.path) + " has none)";
    case StartPresence::kUnreadable:
      return line + "cannot be read: " + StatusWords(driver.status);
    case StartPresence::kValue:
      break;
  }
  if (const auto start = driver.Start()) {
    return line + "Start = " + std::to_string(*start) + " (" + std::string(StartMeaning(*start)) +
           ")";
  }
  if (const auto* text = std::get_if<std::string>(&driver.value)) {
    return line + "Start = \"" + PrintableText(*text) + "\" (a text that is no whole number)";
  }
  return line + "Start has a type other than REG_DWORD and REG_SZ";
}

std::string JsonStart(const DriverStart& driver) {
  const auto start = driver.Start();
  return start ? std::to_string(*start) : std::string("null");
}

int Status(const CliCommand& command, Registry& registry, CliConsole& console) {
  const UsbStorageStatus status = app::ReadUsbStorageStatus(registry);
  console.out << (command.json ? StatusJson(status) : StatusText(status)) << std::flush;
  if (status.Readable()) return kExitSuccess;
  for (const DriverStart* driver : {&status.usbstor, &status.uaspstor}) {
    if (driver->presence != StartPresence::kUnreadable) continue;
    console.err << kProgram << ": cannot read " << KeyName(driver->path) << ": "
                << Reason(driver->status, console) << '\n';
  }
  return kExitFailure;
}

int Write(bool lock, Registry& registry, CliConsole& console) {
  const app::StartWriteResult result =
      lock ? app::LockUsbStorage(registry) : app::UnlockUsbStorage(registry);
  const int start = lock ? app::kStartLocked : app::kStartUnlocked;
  const std::string_view done = lock ? "locked" : "unlocked";
  if (result.ok()) {
    console.out << done << ": USBSTOR";
    if (result.uaspstor_written) console.out << " and UASPStor";
    console.out << " Start = " << start;
    if (!result.uaspstor_written) console.out << " (no UASPStor key)";
    console.out << '\n';
    return kExitSuccess;
  }
  const std::string_view path =
      result.failed_driver == app::kUaspStorName ? app::kUaspStorPath : app::kUsbStorPath;
  console.err << kProgram << ": cannot " << (lock ? "lock" : "unlock") << ": Start of "
              << KeyName(path) << " cannot be set to " << start << ": "
              << Reason(result.status, console);
  if (result.restored) {
    console.err << "; nothing was changed\n";
  } else {
    console.err << "; UASPStor's Start was set to " << start
                << " and could not be put back: " << Reason(result.restore_status, console) << '\n';
  }
  return result.status == kErrorAccessDenied ? kExitAccessDenied : kExitFailure;
}

}  // namespace

std::string CliVersion() {
  return std::string(kProgram) + " " FERROWIND_CLI_VERSION "\n";
}

std::string CliHelp() {
  return R"(ferrowind-cli: locks and unlocks USB storage from the command line.

  ferrowind-cli status [--json]   each driver's Start value and what it means, then the state
  ferrowind-cli is-locked         no output; exit status 0 when the state is "locked"
  ferrowind-cli lock              Start = 4 (disabled) for UASPStor, then USBSTOR
  ferrowind-cli unlock            Start = 3 (on demand) for UASPStor, then USBSTOR
  ferrowind-cli --help | --version

On Linux, --system before the command works on the machine's kernel module policy instead of
the program's registry file: USBSTOR's Start is the usb-storage module's, UASPStor's the uas
module's (4 when /etc/modprobe.d and the other modprobe.d folders make the module unloadable),
and lock and unlock write /etc/modprobe.d/ferrowind.conf (as root).

The drivers are the services USBSTOR and, where the system has it, UASPStor under
HKLM\SYSTEM\CurrentControlSet\Services. UASPStor is written only where its key exists; its key is
never created. A write that fails changes nothing: a refused UASPStor leaves USBSTOR unwritten,
and a refused USBSTOR puts UASPStor's Start back.

The state is "locked" (USBSTOR 4, and UASPStor 4 or absent), "unlocked" (USBSTOR 3, and UASPStor
anything but 4 or absent), "partly locked" (the two disagree) or "unknown" (USBSTOR's Start is
missing, unreadable or another number). status --json prints
  {"state": "locked", "drivers": [{"name": "USBSTOR", "start": 4}, {"name": "UASPStor", "start": null}]}
with null for an absent key or value (or one that holds no whole number).

status and is-locked open the keys for reading only: a standard user can run them. lock and
unlock need write access to the keys (an administrator on Windows).

Exit status:
  0  done; is-locked: the state is "locked"
  1  status: the registry could not be read; is-locked: any other state; lock, unlock: a failure
     other than a refusal, the reason on the error output
  2  a bad command line
  5  lock, unlock: access is denied
)";
}

std::string StatusText(const UsbStorageStatus& status) {
  return DriverLine(status.usbstor) + "\n" + DriverLine(status.uaspstor) +
         "\nState: " + std::string(app::StateName(status.state)) + "\n";
}

std::string StatusJson(const UsbStorageStatus& status) {
  return R"({"state": ")" + std::string(app::StateName(status.state)) +
         R"(", "drivers": [{"name": ")" + std::string(status.usbstor.name) + R"(", "start": )" +
         JsonStart(status.usbstor) + R"(}, {"name": ")" + std::string(status.uaspstor.name) +
         R"(", "start": )" + JsonStart(status.uaspstor) + "}]}\n";
}

int RunCli(std::span<const std::string> args, Registry& registry, CliConsole& console) {
  CliCommand command;
  try {
    command = ParseCliCommand(args);
  } catch (const CliUsageError& e) {
    console.err << kProgram << ": " << e.what() << "\nType \"" << kProgram
                << " --help\" for usage.\n";
    return kExitUsage;
  }
  switch (command.operation) {
    case CliOperation::kHelp:
      console.out << CliHelp();
      return kExitSuccess;
    case CliOperation::kVersion:
      console.out << CliVersion();
      return kExitSuccess;
    case CliOperation::kStatus:
      return Status(command, registry, console);
    case CliOperation::kIsLocked:
      return app::ReadUsbStorageStatus(registry).state == UsbStorageState::kLocked ? kExitSuccess
                                                                                   : kExitFailure;
    case CliOperation::kLock:
      return Write(true, registry, console);
    case CliOperation::kUnlock:
      return Write(false, registry, console);
  }
  return kExitFailure;
}

}  // namespace fw::cli
