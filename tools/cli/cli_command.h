#pragma once
// ferrowind-cli's command line:
//
//   status [--json] | is-locked | lock | unlock | --help | --version
//
// A command comes first and is written in lower case; --help or --version anywhere asks for
// that alone.
#include <span>
#include <stdexcept>
#include <string>

namespace fw::cli {

// A command line that does not say what to do; the message names the argument.
class CliUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class CliOperation { kHelp, kVersion, kStatus, kIsLocked, kLock, kUnlock };

struct CliCommand {
  CliOperation operation = CliOperation::kHelp;
  bool json = false;  // status --json
};

// Reads the arguments that follow the program's name. Throws CliUsageError.
CliCommand ParseCliCommand(std::span<const std::string> args);

}  // namespace fw::cli
