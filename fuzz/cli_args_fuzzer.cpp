// ferrowind-cli's command line from any bytes, one argument per line: it parses or is refused
// with a CliUsageError on one printable line, and what parses is what the arguments say.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "tools/cli/cli_command.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using fw::cli::CliOperation;
  const std::vector<std::string> args = fw::fuzz::ArgumentsFromLines(fw::fuzz::AsText(data, size));
  const auto given = [&](std::string_view arg) {
    return std::find(args.begin(), args.end(), arg) != args.end();
  };
  try {
    const fw::cli::CliCommand command = fw::cli::ParseCliCommand(args);
    const bool asks_help = given("--help") || given("-h") || given("/?");
    fw::fuzz::Check(asks_help == (command.operation == CliOperation::kHelp),
                    "--help is honoured wherever it is, and only then is help given");
    fw::fuzz::Check(
        asks_help || given("--version") == (command.operation == CliOperation::kVersion),
        "--version is honoured wherever it is");
    fw::fuzz::Check(!command.json || command.operation == CliOperation::kStatus,
                    "--json goes with status alone");
    if (command.operation == CliOperation::kLock || command.operation == CliOperation::kUnlock ||
        command.operation == CliOperation::kIsLocked) {
      fw::fuzz::Check(args.size() == 1, "a command that writes or judges takes no arguments");
    }
    if (command.operation == CliOperation::kStatus) {
      fw::fuzz::Check(args.front() == "status" && args.size() == (command.json ? 2u : 1u),
                      "status is the first argument, followed by --json at most");
    }
  } catch (const fw::cli::CliUsageError& error) {
    fw::fuzz::CheckOneLine(error);
  }
  return 0;
}
