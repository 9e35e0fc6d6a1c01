#include "tools/cli/cli_command.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/printable_text.h"

namespace fw::cli {
namespace {

struct CommandName {
  std::string_view name;
  CliOperation operation;
};

constexpr std::array<CommandName, 4> kCommands{{
    {"status", CliOperation::kStatus},
    {"is-locked", CliOperation::kIsLocked},
    {"lock", CliOperation::kLock},
    {"unlock", CliOperation::kUnlock},
}};

std::string Quoted(std::string_view text) {
  return "\"" + PrintableText(text) + "\"";
}

}  // namespace

CliCommand ParseCliCommand(std::span<const std::string> args) {
  const auto given = [&](std::string_view option) {
    return std::find(args.begin(), args.end(), option) != args.end();
  };
  if (given("--help") || given("-h") || given("/?")) return {CliOperation::kHelp, false};
  if (given("--version")) return {CliOperation::kVersion, false};
  if (args.empty()) {
    throw CliUsageError("no command given (status, is-locked, lock or unlock)");
  }

  const std::string_view first = args.front();
  const auto command = std::find_if(kCommands.begin(), kCommands.end(),
                                    [&](const CommandName& c) { return c.name == first; });
  if (command == kCommands.end()) {
    throw CliUsageError((first.starts_with('-') ? "unknown option " : "unknown command ") +
                        Quoted(first) + " (the commands are status, is-locked, lock, unlock)");
  }
  CliCommand result{command->operation, false};
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (result.operation == CliOperation::kStatus && arg == "--json" && !result.json) {
      result.json = true;
      continue;
    }
    const std::string where = "argument " + std::to_string(i + 1) + ", " + Quoted(arg);
    if (result.operation != CliOperation::kStatus) {
      throw CliUsageError(std::string(command->name) + " takes no arguments; " + where +
                          " is one too many");
    }
    throw CliUsageError(arg == "--json" ? "status takes --json once; " + where + " repeats it"
                                        : "status takes only --json, not " + where);
  }
  return result;
}

}  // namespace fw::cli
