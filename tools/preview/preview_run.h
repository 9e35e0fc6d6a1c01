#pragma once
// The preview tool from its arguments to its exit status. Every output is made in memory
// first and the files are written last, so that a failure on the way leaves none of them.
#include <iosfwd>
#include <span>
#include <string>

namespace fw::preview {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFileError = 1;
inline constexpr int kExitUsage = 2;

// Runs the tool on the arguments that follow the program's name: the --dump lines and --help
// go to `out`, messages to `err`. Returns the exit status: kExitDone; kExitFileError for a file
// that could not be read or written (the message names it); kExitUsage for a bad argument (the
// message names it, followed by the usage, and nothing is read or written).
int RunPreview(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace fw::preview
