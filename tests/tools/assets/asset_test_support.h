#pragma once
// Shared by the asset tests: the committed files of app/res and little-endian reads of them.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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
  return static_cast<std::uint32_t>(b.at(at) | (b.at(at + 1) << 8));
}

inline std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return U16(b, at) | (U16(b, at + 2) << 16);
}

}  // namespace fw::assets::test
