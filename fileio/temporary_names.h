#pragma once
// The temporary files ReplaceFileAtomically writes beside a file, in both builds:
// ".<name>.<process>.<attempt>.tmp" in the file's folder. The process's number keeps two
// writers apart; the attempt takes the next name when one is left from an earlier process.
#include <filesystem>

namespace fw::fileio {

// The name of `file`'s temporary for the `attempt`th try of process `process`.
std::filesystem::path TemporaryBeside(const std::filesystem::path& file, unsigned long process,
                                      unsigned attempt);

// The last attempt a writer makes at a free temporary name before it gives up.
inline constexpr unsigned kLastTemporaryAttempt = 1000;

}  // namespace fw::fileio
