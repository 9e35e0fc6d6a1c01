#include "platform/registry_store/reg_value_bytes.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#include "formats/text/ansi_text.h"
#include "platform/registry.h"

namespace fw::soft {

namespace {

// The Unicode character of each Windows-1252 byte, from the program's one table.
std::array<char16_t, 256> MakeCodePage() {
  std::array<char16_t, 256> table{};
  for (std::size_t byte = 0; byte < table.size(); ++byte) {
    table[byte] = static_cast<char16_t>(AnsiToUnicode(static_cast<unsigned char>(byte)));
  }
  return table;
}

const std::array<char16_t, 256>& CodePage() {
  static const std::array<char16_t, 256> table = MakeCodePage();
  return table;
}

}  // namespace

bool IsTextType(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

std::vector<std::uint8_t> DwordBytes(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

std::vector<std::uint8_t> AnsiToUtf16Le(std::span<const std::uint8_t> ansi) {
  const auto& page = CodePage();
  std::vector<std::uint8_t> out;
  out.reserve(ansi.size() * 2);
  for (const std::uint8_t byte : ansi) {
    const char16_t unit = page[byte];
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
  const auto& page = CodePage();
  for (std::size_t i = 0; i < utf16.size(); i += 2) {
    const auto unit = static_cast<char16_t>(utf16[i] | (utf16[i + 1] << 8));
    const auto* found = std::find(page.begin(), page.end(), unit);
    if (found == page.end()) {
      std::array<char, 16> code{};
      std::snprintf(code.data(), code.size(), "U+%04X", static_cast<unsigned>(unit));
      return "holds the character " + std::string(code.data()) + " at byte " + std::to_string(i) +
             ", which Windows-1252 does not have";
    }
    out += static_cast<char>(found - page.begin());
  }
  return std::nullopt;
}

}  // namespace fw::soft
