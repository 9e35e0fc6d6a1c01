#pragma once
// What the fuzz targets share: the input as text, and a check that stops the run (libFuzzer
// keeps the input that made it fail) when a loader breaks one of its own promises.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace fw::fuzz {

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Aborts with `what` when `condition` is false: a broken promise is as much a fault as a crash.
inline void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

// True when `text` holds no control character: an error message quoting the input must stay one
// readable line on a terminal.
inline bool IsOneLine(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
  }
  return true;
}

}  // namespace fw::fuzz
