#include "tools/reg/reg_run.h"

#include <istream>
#include <optional>
#include <ostream>

#include "formats/text/ansi_text.h"
#include "platform/registry.h"
#include "platform/registry_store/reg_tree.h"
#include "platform/registry_store/registry_store.h"
#include "tools/reg/reg_command.h"
#include "tools/reg/reg_data.h"

namespace fw::regtool {

namespace {

constexpr std::string_view kNotFound =
    "ERROR: The system was unable to find the specified registry key or value.";
constexpr std::string_view kDone = "The operation completed successfully.";

int Failure(RegConsole& console, RegStatus status, const std::string& detail) {
  switch (status) {
    case kErrorFileNotFound:
      console.err << kNotFound << '\n';
      break;
    case kErrorAccessDenied:
      console.err << "ERROR: Access is denied: " << detail << '\n';
      break;
    case kErrorBadDb:
      console.err << "ERROR: The registry file cannot be read: " << detail << '\n';
      break;
    default:
      console.err << "ERROR: " << detail << '\n';
      break;
  }
  return kExitFailure;
}

std::string ValueLabel(const std::string& name) {
  return name.empty() ? std::string("(Default)") : AnsiToUtf8(name);
}

void PrintValue(std::ostream& out, const soft::RegValue& value) {
  out << "    " << ValueLabel(value.name) << "    " << TypeName(value.type) << "    "
      << DataText(value.type, value.data) << '\n';
}

// Asks `question` on a terminal. Without one nothing is asked, and the answer is no.
enum class Answer { kYes, kNo, kNoTerminal };

Answer Ask(RegConsole& console, const std::string& question) {
  if (!console.interactive) return Answer::kNoTerminal;
  console.out << question << " (Yes/No)? " << std::flush;
  std::string reply;
  if (!std::getline(console.in, reply)) return Answer::kNo;
  return soft::NamesEqual(reply, "y") || soft::NamesEqual(reply, "yes") ? Answer::kYes
                                                                        : Answer::kNo;
}

// Whether to go on after asking; prints why not.
bool Confirmed(RegConsole& console, const std::string& question, const std::string& refusal) {
  switch (Ask(console, question)) {
    case Answer::kYes:
      return true;
    case Answer::kNo:
      console.err << "The operation was cancelled; nothing was changed.\n";
      return false;
    case Answer::kNoTerminal:
      console.err << "ERROR: " << refusal
                  << "; add /f to do it without asking (there is no terminal to ask on), "
                     "nothing was changed.\n";
      return false;
  }
  return false;
}

std::string ValueName(const RegCommand& command) {
  return command.values == ValueChoice::kNamed ? command.value_name : std::string();
}

int Query(const RegCommand& command, soft::RegistryStore& store, RegConsole& console) {
  if (const RegStatus status = store.Refresh(); status != kErrorSuccess) {
    return Failure(console, status, store.last_error());
  }
  const soft::RegKeyNode* key = store.tree().Find(command.root, command.path);
  if (key == nullptr) return Failure(console, kErrorFileNotFound, "");
  if (command.values != ValueChoice::kKey) {
    const soft::RegValue* value = key->FindValue(ValueName(command));
    if (value == nullptr) return Failure(console, kErrorFileNotFound, "");
    console.out << '\n' << command.key_text << '\n';
    PrintValue(console.out, *value);
    console.out << '\n';
    return kExitSuccess;
  }
  console.out << '\n' << command.key_text << '\n';
  for (const soft::RegValue& value : key->values()) PrintValue(console.out, value);
  console.out << '\n';
  for (const soft::RegKeyNode& subkey : key->subkeys()) {
    console.out << command.key_text << '\\' << AnsiToUtf8(subkey.name()) << '\n';
  }
  return kExitSuccess;
}

int Add(const RegCommand& command, soft::RegistryStore& store, RegConsole& console) {
  if (const RegStatus status = store.Refresh(); status != kErrorSuccess) {
    return Failure(console, status, store.last_error());
  }
  const bool has_value = command.values != ValueChoice::kKey;
  const std::string name = ValueName(command);
  const soft::RegKeyNode* key = store.tree().Find(command.root, command.path);
  if (has_value && key != nullptr && key->FindValue(name) != nullptr && !command.force) {
    const std::string label = ValueLabel(name);
    if (!Confirmed(console, "Value " + label + " exists, overwrite",
                   "the value " + label + " exists")) {
      return kExitFailure;
    }
  }
  const RegStatus status = store.Modify([&](soft::RegTree& tree) {
    soft::RegKeyNode* node = &tree.root(command.root);
    for (const std::string& part : command.path) node = &node->AddSubkey(part);
    if (has_value) node->SetValue(name, command.type, command.data);
    return kErrorSuccess;
  });
  if (status != kErrorSuccess) return Failure(console, status, store.last_error());
  console.out << kDone << '\n';
  return kExitSuccess;
}

int Delete(const RegCommand& command, soft::RegistryStore& store, RegConsole& console) {
  if (const RegStatus status = store.Refresh(); status != kErrorSuccess) {
    return Failure(console, status, store.last_error());
  }
  const soft::RegKeyNode* key = store.tree().Find(command.root, command.path);
  if (key == nullptr) return Failure(console, kErrorFileNotFound, "");
  const std::string name = ValueName(command);
  std::string question;
  std::string refusal;
  switch (command.values) {
    case ValueChoice::kNamed:
    case ValueChoice::kDefault:
      if (key->FindValue(name) == nullptr) return Failure(console, kErrorFileNotFound, "");
      question = "Delete the registry value " + ValueLabel(name);
      refusal = "deleting the value " + ValueLabel(name) + " needs confirming";
      break;
    case ValueChoice::kAll:
      question = "Delete all values under the registry key " + command.key_text;
      refusal = "deleting the values of " + command.key_text + " needs confirming";
      break;
    case ValueChoice::kKey:
      if (command.path.empty()) {
        return Failure(console, kErrorAccessDenied,
                       "the root key " + command.key_text + " cannot be deleted");
      }
      question = "Permanently delete the registry key " + command.key_text;
      refusal = "deleting the key " + command.key_text + " needs confirming";
      break;
  }
  if (!command.force && !Confirmed(console, question, refusal)) return kExitFailure;

  const RegStatus status = store.Modify([&](soft::RegTree& tree) {
    if (command.values == ValueChoice::kKey) {
      const std::span<const std::string> path(command.path);
      soft::RegKeyNode* parent = tree.Find(command.root, path.first(path.size() - 1));
      return parent != nullptr && parent->RemoveSubkey(path.back()) ? kErrorSuccess
                                                                    : kErrorFileNotFound;
    }
    soft::RegKeyNode* node = tree.Find(command.root, command.path);
    if (node == nullptr) return kErrorFileNotFound;
    if (command.values == ValueChoice::kAll) {
      node->ClearValues();
      return kErrorSuccess;
    }
    return node->RemoveValue(name) ? kErrorSuccess : kErrorFileNotFound;
  });
  if (status != kErrorSuccess) return Failure(console, status, store.last_error());
  console.out << kDone << '\n';
  return kExitSuccess;
}

}  // namespace

std::string RegHelp() {
  return R"(ferrowind-reg: reads and changes the Linux build's registry, with reg.exe's syntax.

  ferrowind-reg query  KEY [/v NAME | /ve]
  ferrowind-reg add    KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]
  ferrowind-reg delete KEY [/v NAME | /ve | /va] [/f]

  KEY    ROOT\PATH, ROOT being HKLM, HKCU, HKCR, HKU or HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER,
         HKEY_CLASSES_ROOT, HKEY_USERS; for example HKLM\SYSTEM\CurrentControlSet\Services\USBSTOR
  /v     the value NAME          /ve  the key's default value     /va  every value of the key
  /t     REG_SZ (the default), REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_QWORD, REG_BINARY,
         REG_NONE
  /d     the data: text; a number from 0 to 4294967295 for REG_DWORD (decimal, or 0x and hex
         digits); pairs of hex digits for REG_BINARY; REG_MULTI_SZ strings separated by /s
         (default \0)
  /f     overwrite or delete without asking

query prints the key, then each value as "    NAME    TYPE    DATA", then the subkeys. add
without /v or /ve creates the key alone; delete without them deletes the key with everything
below it.

Overwriting a value and deleting anything are confirmed first: on a terminal the tool asks
(Yes/No); with no terminal to ask on it refuses unless /f is given.

The registry is the file $FERROWIND_REGISTRY, else $XDG_STATE_HOME/ferrowind/registry.reg
(XDG_STATE_HOME defaults to ~/.local/state). A read-only file or folder refuses every change
("Access is denied"); a file that cannot be read names its bad line.

With --system first (Linux), the commands work on the machine's kernel module policy: only
HKLM\SYSTEM\CurrentControlSet\Services\USBSTOR and ...\UASPStor exist, each with Start (4 when
usb-storage, or uas, cannot load), which add sets to 3 or 4 in /etc/modprobe.d/ferrowind.conf.

Exit status: 0 on success; 1 on failure (a bad command line, type or data, a missing key or
value, a refusal, a read-only or unreadable registry), with the reason on the error output and
nothing changed: the registry file is neither rewritten nor touched.
)";
}

namespace {

// The command, or nothing after saying on the error output why the arguments are not one.
std::optional<RegCommand> ParseOrExplain(std::span<const std::string> args, RegConsole& console) {
  try {
    return ParseRegCommand(args);
  } catch (const RegUsageError& e) {
    console.err << "ERROR: Invalid syntax: " << e.what()
                << "\nType \"ferrowind-reg /?\" for usage.\n";
    return std::nullopt;
  }
}

// System mode: the same commands through the Registry interface, where only the USB storage
// drivers' Start values exist.
int RunOnRegistry(const RegCommand& command, Registry& registry,
                  const std::function<std::string()>& last_error, RegConsole& console) {
  const RegKey root = kHkeyClassesRoot + command.root;
  std::string sub_key;
  for (const std::string& part : command.path) sub_key += (sub_key.empty() ? "" : "\\") + part;
  const std::string name = ValueName(command);
  RegKey key = 0;
  switch (command.operation) {
    case RegOperation::kQuery: {
      if (const RegStatus status = registry.RegOpenKeyExA(root, sub_key, 0, kKeyRead, &key);
          status != kErrorSuccess) {
        return Failure(console, status, last_error());
      }
      soft::RegValue value{command.values == ValueChoice::kKey ? "Start" : name, kRegNone, {}};
      std::uint32_t size = 4;
      value.data.resize(size);
      const RegStatus status =
          registry.RegQueryValueExA(key, value.name, &value.type, value.data.data(), &size);
      registry.RegCloseKey(key);
      if (status != kErrorSuccess) return Failure(console, status, last_error());
      value.data.resize(size);
      console.out << '\n' << command.key_text << '\n';
      PrintValue(console.out, value);
      console.out << '\n';
      return kExitSuccess;
    }
    case RegOperation::kAdd: {
      if (command.values == ValueChoice::kKey) {
        return Failure(console, kErrorInvalidParameter, "in system mode only Start can be written");
      }
      if (const RegStatus status =
              registry.RegCreateKeyExA(root, sub_key, 0, kKeyWrite, &key, nullptr);
          status != kErrorSuccess) {
        return Failure(console, status, last_error());
      }
      const RegStatus status = registry.RegSetValueExA(key, name, command.type, command.data);
      registry.RegCloseKey(key);
      if (status != kErrorSuccess) return Failure(console, status, last_error());
      console.out << kDone << '\n';
      return kExitSuccess;
    }
    case RegOperation::kDelete:
      return Failure(console, kErrorAccessDenied, "in system mode nothing can be deleted");
    case RegOperation::kHelp:
      console.out << RegHelp();
      return kExitSuccess;
  }
  return kExitFailure;
}

}  // namespace

int RunRegOnSystem(std::span<const std::string> args, Registry& registry,
                   const std::function<std::string()>& last_error, RegConsole& console) {
  const std::optional<RegCommand> command = ParseOrExplain(args, console);
  if (!command) return kExitFailure;
  return RunOnRegistry(*command, registry, last_error, console);
}

int RunReg(std::span<const std::string> args, const std::filesystem::path& registry_file,
           RegConsole& console) {
  const std::optional<RegCommand> parsed = ParseOrExplain(args, console);
  if (!parsed) return kExitFailure;
  const RegCommand& command = *parsed;
  soft::RegistryStore store(registry_file);
  switch (command.operation) {
    case RegOperation::kHelp:
      console.out << RegHelp();
      return kExitSuccess;
    case RegOperation::kQuery:
      return Query(command, store, console);
    case RegOperation::kAdd:
      return Add(command, store, console);
    case RegOperation::kDelete:
      return Delete(command, store, console);
  }
  return kExitFailure;
}

}  // namespace fw::regtool
