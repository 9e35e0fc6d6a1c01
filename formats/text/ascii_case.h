#pragma once
// ASCII letters without regard to case, as names and keywords are compared: property and
// resource names, a design's members, key names, file extensions, font faces. Only A-Z and a-z
// change case; every other byte (Windows-1252's letters too) compares as it is, and no locale
// is consulted, so both builds answer alike.
#include <algorithm>
#include <string>
#include <string_view>

namespace fw {

constexpr char ToAsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char ToAsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string ToAsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = ToAsciiLower(c);
  return lower;
}

constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return ToAsciiLower(x) == ToAsciiLower(y); });
}

}  // namespace fw
