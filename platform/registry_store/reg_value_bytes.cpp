#include "platform/registry_store/reg_value_bytes.h"

#include <string_view>

#include "formats/text/ansi_text.h"
#include "platform/registry.h"

namespace fw::soft {

bool IsTextType(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

std::vector<std::uint8_t> DwordBytes(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

std::vector<std::uint8_t> AnsiToUtf16Le(std::span<const std::uint8_t> ansi) {
  std::vector<std::uint8_t> out;
  out.reserve(ansi.size() * 2);
  for (const std::uint8_t byte : ansi) {
    // Every Windows-1252 character lies in the Basic Multilingual Plane: one UTF-16 unit.
    const auto unit = static_cast<char16_t>(AnsiToUnicode(byte));
    out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    out.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return out;
}

std::optional<std::string> Utf16LeToAnsi(std::span<const std::uint8_t> utf16, std::string& out) {
  out.clear();
  if (utf16.size() % 2 != 0) {
    return "has an odd number of bytes (" + std::to_string(utf16.size()) + "), so it is not UTF-16";
  }
  for (std::size_t i = 0; i < utf16.size(); i += 2) {
    const auto unit = static_cast<char16_t>(utf16[i] | (utf16[i + 1] << 8));
    const std::optional<unsigned char> byte = UnicodeToAnsi(unit);
    if (!byte) {
      return "holds the character " + CodePointName(unit) + " at byte " + std::to_string(i) +
             ", which Windows-1252 does not have";
    }
    out += static_cast<char>(*byte);
  }
  return std::nullopt;
}

}  // namespace fw::soft
