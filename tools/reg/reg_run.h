#pragma once
// ferrowind-reg from its arguments to its exit status, on the Linux build's registry store.
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <span>
#include <string>

#include "platform/registry.h"

namespace fw::regtool {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;

// Where the tool talks: `in` answers its questions when `interactive` (a terminal); otherwise
// it asks nothing and refuses what it would have asked about.
struct RegConsole {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool interactive = false;
};

// Runs the arguments that follow the program's name on the registry kept in `registry_file`.
// Output goes to console.out as reg.exe prints it; a failure prints "ERROR: ..." on console.err,
// changes nothing and returns kExitFailure.
int RunReg(std::span<const std::string> args, const std::filesystem::path& registry_file,
           RegConsole& console);

// The same over `registry` (system mode): query, add /v Start and delete (always refused);
// `last_error` says more about a failing status.
int RunRegOnSystem(std::span<const std::string> args, Registry& registry,
                   const std::function<std::string()>& last_error, RegConsole& console);

// The --help text.
std::string RegHelp();

}  // namespace fw::regtool
