#pragma once
// Error messages quote what they were given (a file's line, an argument, a JSON key). Such text
// may hold any byte; printed as it is, a control character could end the message early (NUL),
// break it over lines or drive the terminal. The messages show those bytes as \xNN instead.
#include <string>
#include <string_view>

namespace fw {

inline std::string PrintableText(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace fw
