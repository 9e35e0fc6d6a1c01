#pragma once
// ferrowind-reg from its arguments to its exit status, on the Linux build's registry store.
#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>

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

// The --help text.
std::string RegHelp();

}  // namespace fw::regtool
