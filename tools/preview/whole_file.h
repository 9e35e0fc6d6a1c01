#pragma once
// Whole files in and out, and the error that names a file the tool cannot read or write.
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace fw::preview {

// A file that cannot be read or written; the message starts with its name.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The whole of a file. Throws FileError naming it when it cannot be opened or read.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path);

// Writes `bytes` through a temporary file (FILE.partial) renamed into place, so that a failed
// write never leaves a half-written FILE. Throws FileError naming it.
void WriteWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace fw::preview
