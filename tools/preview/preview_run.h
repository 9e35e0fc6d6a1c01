#pragma once
// The preview tool from its arguments to its exit status. Every output is made in memory
// first and the files are written last, all or none (fileio/output_files.h), so that a
// failure on the way leaves none of them.
#include <iosfwd>
#include <span>
#include <string>

namespace fw::preview {

// The exit statuses. Whatever fails, nothing is written: no output file is made or changed and
// nothing is printed on `out`.
inline constexpr int kExitDone = 0;
// An output could not be written (the message names it), or the machine failed otherwise.
inline constexpr int kExitWriteFailed = 1;
// A bad argument (the message names it, followed by the usage), or an input file that cannot be
// read or used: a picture, a --load bag (the message names the file).
inline constexpr int kExitBadInput = 2;

// Runs the tool on the arguments that follow the program's name: the --dump lines and --help
// go to `out`, messages to `err`. Returns one of the exit statuses above.
int RunPreview(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace fw::preview
