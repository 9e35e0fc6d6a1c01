#pragma once
// What the fuzz targets share: the input as text, and a check that stops the run (libFuzzer
// keeps the input that made it fail) when a loader breaks one of its own promises.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace fw::fuzz {

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A command line from fuzz input: one argument per line.
inline std::vector<std::string> ArgumentsFromLines(std::string_view text) {
  std::vector<std::string> args;
  while (!text.empty()) {
    const auto end = text.find('\n');
    args.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return args;
}

// Aborts with `what` when `condition` is false: a broken promise is as much a fault as a crash.
inline void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

// An error message quoting its input must stay one readable line on a terminal: no control
// character of the input may reach it as it is.
inline void CheckOneLine(const std::exception& error) {
  const std::string_view text = error.what();
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) continue;
    std::fprintf(stderr, "fuzz check failed: the error holds the control character 0x%02X:\n",
                 byte);
    for (const char shown : text) {
      const auto b = static_cast<unsigned char>(shown);
      if (b < 0x20 || b == 0x7F) {
        std::fprintf(stderr, "\\x%02X", b);
      } else {
        std::fputc(shown, stderr);
      }
    }
    std::fputc('\n', stderr);
    std::abort();
  }
}

}  // namespace fw::fuzz
