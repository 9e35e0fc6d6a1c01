#include "formats/text/ansi_text.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace fw {

namespace {

// Windows-1252 bytes 0x80-0x9F; the undefined ones map to the C1 control of the same value.
constexpr std::array<char32_t, 32> kCp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The upper-case letters whose lower case is 0x20 above them: A-Z and the Latin-1 letters.
bool InUpperRun(unsigned byte) {
  return (byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7);
}

// The other case pairs (upper, lower): Š š, Œ œ, Ž ž, Ÿ ÿ.
constexpr std::array<std::array<unsigned char, 2>, 4> kOtherCasePairs{
    {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}}};

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

char32_t AnsiToUnicode(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? kCp1252High[byte - 0x80u] : char32_t{byte};
}

std::optional<unsigned char> UnicodeToAnsi(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<unsigned char>(code);
  const auto* found = std::find(kCp1252High.begin(), kCp1252High.end(), code);
  if (found == kCp1252High.end()) return std::nullopt;
  return static_cast<unsigned char>(0x80 + (found - kCp1252High.begin()));
}

std::string CodePointName(char32_t code) {
  std::array<char, 16> hex{};
  std::snprintf(hex.data(), hex.size(), "U+%04X", static_cast<unsigned>(code));
  return hex.data();
}

unsigned char AnsiToUpper(unsigned char byte) {
  if (byte >= 0x20 && InUpperRun(byte - 0x20u)) return static_cast<unsigned char>(byte - 0x20);
  for (const auto& [upper, lower] : kOtherCasePairs) {
    if (byte == lower) return upper;
  }
  return byte;
}

unsigned char AnsiToLower(unsigned char byte) {
  if (InUpperRun(byte)) return static_cast<unsigned char>(byte + 0x20);
  for (const auto& [upper, lower] : kOtherCasePairs) {
    if (byte == upper) return lower;
  }
  return byte;
}

std::string AnsiToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    AppendUtf8(out, AnsiToUnicode(byte));
  }
  return out;
}

// Why a UTF-8 string cannot be held in Windows-1252, or nothing when it can (then `out` holds
// it converted).
std::optional<std::string> Utf8ToAnsi(std::string_view text, std::string& out) {
  out.clear();
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
      length = 1;
      code = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      code = lead & 0x1Fu;
      minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      code = lead & 0x0Fu;
      minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      code = lead & 0x07u;
      minimum = 0x10000;
    } else {
      return "ill-formed UTF-8 at byte " + std::to_string(i);
    }
    if (length > text.size() - i) return "ill-formed UTF-8 at byte " + std::to_string(i);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return "ill-formed UTF-8 at byte " + std::to_string(i);
      code = (code << 6) | (next & 0x3Fu);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      return "ill-formed UTF-8 at byte " + std::to_string(i);
    }
    const std::optional<unsigned char> byte = UnicodeToAnsi(code);
    if (!byte) {
      return "the character " + CodePointName(code) + " at byte " + std::to_string(i) +
             " has no Windows-1252 form";
    }
    out += static_cast<char>(*byte);
    i += length;
  }
  return std::nullopt;
}

}  // namespace fw
