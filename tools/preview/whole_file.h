#pragma once
// Whole files in, and the error that names a file the tool reads but cannot use. Files the tool
// writes go through fileio/output_files.h, all or none.
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace fw::preview {

// An input file that cannot be read or used (a picture, a saved bag); the message starts with
// its name.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The whole of a file. Throws FileError naming it when it is missing, a folder, or cannot be
// opened or read.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path);

}  // namespace fw::preview
