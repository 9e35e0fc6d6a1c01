#pragma once
// Shared by the asset tests: the committed files of app/res and little-endian reads of them.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "formats/image/little_endian.h"

namespace fw::assets::test {

// app/res in the source tree (the build passes it in).
inline std::filesystem::path CommittedDir() {
  return std::filesystem::path(FERROWIND_SOURCE_DIR) / "app" / "res";
}

inline std::vector<std::uint8_t> ReadCommitted(const std::string& name) {
  std::ifstream in(CommittedDir() / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::uint32_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return image::LittleEndianReader(b, 0, "app/res").U16(at, "a field");
}

inline std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return image::LittleEndianReader(b, 0, "app/res").U32(at, "a field");
}

}  // namespace fw::assets::test
