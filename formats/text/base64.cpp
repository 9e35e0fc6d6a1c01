#include "formats/text/base64.h"

#include <array>
#include <cstdio>
#include <stdexcept>

namespace fw {
namespace {

constexpr std::string_view kBase64Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int Base64Digit(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

std::string CharName(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 0x21 && byte < 0x7F) return std::string("'") + c + "'";
  std::array<char, 8> hex{};
  std::snprintf(hex.data(), hex.size(), "0x%02X", static_cast<unsigned>(byte));
  return "byte " + std::string(hex.data());
}

}  // namespace

std::string EncodeBase64(std::span<const std::uint8_t> bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const std::uint32_t group =
        (std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) | bytes[i + 2];
    out += kBase64Alphabet[group >> 18];
    out += kBase64Alphabet[(group >> 12) & 0x3F];
    out += kBase64Alphabet[(group >> 6) & 0x3F];
    out += kBase64Alphabet[group & 0x3F];
  }
  if (const std::size_t rest = bytes.size() - i; rest > 0) {
    std::uint32_t group = std::uint32_t{bytes[i]} << 16;
    if (rest == 2) group |= std::uint32_t{bytes[i + 1]} << 8;
    out += kBase64Alphabet[group >> 18];
    out += kBase64Alphabet[(group >> 12) & 0x3F];
    out += rest == 2 ? kBase64Alphabet[(group >> 6) & 0x3F] : '=';
    out += '=';
  }
  return out;
}

std::vector<std::uint8_t> DecodeBase64(std::string_view text) {
  if (text.size() % 4 != 0) {
    throw std::invalid_argument("bad base64: its length " + std::to_string(text.size()) +
                                " is not a multiple of 4");
  }
  std::vector<std::uint8_t> out;
  out.reserve(text.size() / 4 * 3);
  for (std::size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    std::array<std::uint32_t, 4> digits{};
    std::size_t padding = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const char c = text[i + k];
      if (c == '=') {
        if (!last || k < 2) {
          throw std::invalid_argument("bad base64: '=' at offset " + std::to_string(i + k) +
                                      " before the end");
        }
        ++padding;
        continue;
      }
      if (padding > 0) {
        throw std::invalid_argument("bad base64: " + CharName(c) + " at offset " +
                                    std::to_string(i + k) + " after '='");
      }
      const int digit = Base64Digit(c);
      if (digit < 0) {
        throw std::invalid_argument("bad base64: " + CharName(c) + " at offset " +
                                    std::to_string(i + k) + " is not a base64 character");
      }
      digits[k] = static_cast<std::uint32_t>(digit);
    }
    const std::uint32_t group =
        (digits[0] << 18) | (digits[1] << 12) | (digits[2] << 6) | digits[3];
    // The bits past the last whole byte must be zero, so that every byte string has one form.
    if ((padding == 1 && (digits[2] & 0x3u) != 0) || (padding == 2 && (digits[1] & 0xFu) != 0)) {
      throw std::invalid_argument("bad base64: stray bits in the character at offset " +
                                  std::to_string(i + 3 - padding));
    }
    out.push_back(static_cast<std::uint8_t>(group >> 16));
    if (padding < 2) out.push_back(static_cast<std::uint8_t>((group >> 8) & 0xFF));
    if (padding < 1) out.push_back(static_cast<std::uint8_t>(group & 0xFF));
  }
  return out;
}

}  // namespace fw
