#include "tools/preview/whole_file.h"

#include <fstream>
#include <system_error>

namespace fw::preview {

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path) {
  // A folder opens as a stream on some systems and then reads as nothing.
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    throw FileError(path.string() + ": is a folder, not a file");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw FileError(path.string() + (std::filesystem::exists(path, error) ? ": cannot open the file"
                                                                          : ": no such file"));
  }
  std::vector<std::uint8_t> bytes;
  std::vector<char> chunk(1 << 16);
  while (in) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    const auto count = static_cast<std::size_t>(in.gcount());
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(count));
  }
  if (in.bad()) throw FileError(path.string() + ": reading the file failed");
  return bytes;
}

}  // namespace fw::preview
