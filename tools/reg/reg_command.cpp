#include "tools/reg/reg_command.h"

#include <array>
#include <optional>
#include <string_view>

#include "formats/text/ansi_text.h"
#include "platform/registry.h"
#include "platform/registry_store/reg_file.h"
#include "platform/registry_store/reg_tree.h"
#include "tools/reg/reg_data.h"

namespace fw::regtool {

namespace {

struct RootName {
  std::string_view short_name;
  std::size_t index;
};

constexpr std::array<RootName, 4> kShortRoots{{{"HKCR", 0}, {"HKCU", 1}, {"HKLM", 2}, {"HKU", 3}}};

std::optional<std::size_t> RootOfName(std::string_view name) {
  for (const RootName& root : kShortRoots) {
    if (soft::NamesEqual(root.short_name, name)) return root.index;
  }
  return soft::RootIndexOfName(name);
}

std::string ToAnsi(std::string_view utf8, std::string_view what) {
  std::string ansi;
  if (const auto why = Utf8ToAnsi(utf8, ansi)) {
    throw RegUsageError("the " + std::string(what) + " \"" + std::string(utf8) +
                        "\" cannot be held in Windows-1252: " + *why);
  }
  return ansi;
}

void ParseKey(std::string_view text, RegCommand& command) {
  if (text.starts_with("\\\\")) {
    throw RegUsageError("\"" + std::string(text) +
                        "\" names another computer; only this computer's registry is kept here");
  }
  const std::size_t root_end = std::min(text.find('\\'), text.size());
  const auto root = RootOfName(text.substr(0, root_end));
  if (!root) {
    throw RegUsageError("\"" + std::string(text.substr(0, root_end)) +
                        "\" is not a root key (use HKLM, HKCU, HKCR, HKU or their full names)");
  }
  command.root = *root;
  std::string_view rest = text.substr(root_end);
  while (rest.ends_with('\\')) rest.remove_suffix(1);
  command.key_text = std::string(soft::kRootNames[*root]) + std::string(rest);
  std::size_t start = 0;
  while (start < rest.size()) {
    ++start;  // the backslash
    const std::size_t end = std::min(rest.find('\\', start), rest.size());
    const std::string name = ToAnsi(rest.substr(start, end - start), "key name");
    if (!soft::IsWritableKeyName(name)) {
      throw RegUsageError("the key \"" + std::string(text) + "\" has an empty or unusable name");
    }
    command.path.push_back(name);
    start = end;
  }
}

bool IsOption(std::string_view arg, std::string_view name) {
  return arg.size() == name.size() + 1 && (arg[0] == '/' || arg[0] == '-') &&
         soft::NamesEqual(arg.substr(1), name);
}

bool IsHelp(std::string_view arg) {
  return IsOption(arg, "?") || IsOption(arg, "h") || arg == "--help";
}

}  // namespace

RegCommand ParseRegCommand(std::span<const std::string> args) {
  RegCommand command;
  if (args.empty()) throw RegUsageError("no operation given (query, add or delete)");
  if (IsHelp(args[0])) return command;
  const std::string_view operation = args[0];
  if (soft::NamesEqual(operation, "query")) {
    command.operation = RegOperation::kQuery;
  } else if (soft::NamesEqual(operation, "add")) {
    command.operation = RegOperation::kAdd;
  } else if (soft::NamesEqual(operation, "delete")) {
    command.operation = RegOperation::kDelete;
  } else {
    throw RegUsageError("unknown operation \"" + args[0] + "\" (use query, add or delete)");
  }
  if (args.size() < 2) throw RegUsageError(args[0] + " needs a key");
  if (IsHelp(args[1])) return RegCommand{};
  ParseKey(args[1], command);

  const bool adding = command.operation == RegOperation::kAdd;
  std::optional<std::string> type_name;
  std::optional<std::string> data;
  std::optional<std::string> separator;
  const auto take = [&](std::size_t& i, std::optional<std::string>& into) {
    if (into) throw RegUsageError(args[i] + " is given twice");
    if (i + 1 >= args.size()) throw RegUsageError(args[i] + " needs a value after it");
    into = args[++i];
  };
  const auto choose = [&](ValueChoice choice, const std::string& arg) {
    if (command.values != ValueChoice::kKey) {
      throw RegUsageError(arg + ": only one of /v, /ve and /va may be given");
    }
    command.values = choice;
  };
  for (std::size_t i = 2; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (IsOption(arg, "v")) {
      choose(ValueChoice::kNamed, arg);
      std::optional<std::string> name;
      take(i, name);
      command.value_name = ToAnsi(*name, "value name");
      if (!soft::IsWritableValueName(command.value_name)) {
        throw RegUsageError("the value name \"" + *name + "\" has a line break");
      }
      if (command.value_name.empty()) command.values = ValueChoice::kDefault;
    } else if (IsOption(arg, "ve")) {
      choose(ValueChoice::kDefault, arg);
    } else if (IsOption(arg, "va") && command.operation == RegOperation::kDelete) {
      choose(ValueChoice::kAll, arg);
    } else if (IsOption(arg, "t") && adding) {
      take(i, type_name);
    } else if (IsOption(arg, "d") && adding) {
      take(i, data);
    } else if (IsOption(arg, "s") && adding) {
      take(i, separator);
    } else if (IsOption(arg, "f") && command.operation != RegOperation::kQuery) {
      if (command.force) throw RegUsageError(arg + " is given twice");
      command.force = true;
    } else {
      throw RegUsageError("\"" + arg + "\" is not an option of " + args[0]);
    }
  }

  if (adding) {
    if (command.values == ValueChoice::kKey) {
      if (type_name || data || separator) {
        throw RegUsageError("/t, /d and /s need the value they are for: give /v NAME or /ve");
      }
      return command;
    }
    if (type_name) {
      const auto type = TypeOfName(*type_name);
      if (!type) {
        throw RegUsageError("unsupported type \"" + *type_name +
                            "\" (use REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_QWORD, "
                            "REG_BINARY or REG_NONE)");
      }
      command.type = *type;
    }
    if (separator && command.type != kRegMultiSz) {
      throw RegUsageError("/s is for REG_MULTI_SZ values only");
    }
    if (const auto why =
            DataOfText(command.type, data.value_or(""), separator.value_or("\\0"), command.data)) {
      throw RegUsageError("/d: " + *why);
    }
  }
  return command;
}

}  // namespace fw::regtool
