#include "tools/reg/reg_data.h"

#include <array>
#include <cstdio>
#include <limits>

#include "formats/text/ansi_text.h"
#include "platform/registry.h"
#include "platform/registry_store/reg_tree.h"

namespace fw::regtool {

namespace {

struct NamedType {
  std::string_view name;
  std::uint32_t type;
  bool accepted_by_add;
};

constexpr std::array<NamedType, 12> kTypes{{
    {"REG_NONE", kRegNone, true},
    {"REG_SZ", kRegSz, true},
    {"REG_EXPAND_SZ", kRegExpandSz, true},
    {"REG_BINARY", kRegBinary, true},
    {"REG_DWORD", kRegDword, true},
    {"REG_DWORD_BIG_ENDIAN", 5, false},
    {"REG_LINK", 6, false},
    {"REG_MULTI_SZ", kRegMultiSz, true},
    {"REG_RESOURCE_LIST", 8, false},
    {"REG_FULL_RESOURCE_DESCRIPTOR", 9, false},
    {"REG_RESOURCE_REQUIREMENTS_LIST", 10, false},
    {"REG_QWORD", kRegQword, true},
}};

std::optional<unsigned> HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  return std::nullopt;
}

// Decimal digits, or 0x and hexadecimal digits, up to `maximum`.
std::optional<std::uint64_t> ParseNumber(std::string_view text, std::uint64_t maximum) {
  unsigned base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    const auto digit = HexDigit(c);
    if (!digit || *digit >= base) return std::nullopt;
    if (value > (maximum - *digit) / base) return std::nullopt;
    value = value * base + *digit;
  }
  return value;
}

std::optional<std::string> AppendText(std::string_view utf8, std::vector<std::uint8_t>& bytes) {
  std::string ansi;
  if (auto why = Utf8ToAnsi(utf8, ansi)) return "the text \"" + std::string(utf8) + "\" " + *why;
  bytes.insert(bytes.end(), ansi.begin(), ansi.end());
  bytes.push_back(0);
  return std::nullopt;
}

std::string AnsiBytesToUtf8(std::span<const std::uint8_t> bytes) {
  return AnsiToUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string HexText(std::span<const std::uint8_t> data) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (const std::uint8_t byte : data) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  }
  return text;
}

}  // namespace

std::string TypeName(std::uint32_t type) {
  for (const NamedType& named : kTypes) {
    if (named.type == type) return std::string(named.name);
  }
  return "REG_UNKNOWN";
}

std::optional<std::uint32_t> TypeOfName(std::string_view name) {
  for (const NamedType& named : kTypes) {
    if (named.accepted_by_add && soft::NamesEqual(named.name, name)) return named.type;
  }
  return std::nullopt;
}

std::optional<std::string> DataOfText(std::uint32_t type, std::string_view data,
                                      std::string_view separator,
                                      std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  switch (type) {
    case kRegSz:
    case kRegExpandSz:
      return AppendText(data, bytes);
    case kRegMultiSz: {
      if (separator.empty()) return "the separator of /s is empty";
      std::size_t start = 0;
      while (start < data.size()) {
        const std::size_t end = std::min(data.find(separator, start), data.size());
        if (auto why = AppendText(data.substr(start, end - start), bytes)) return why;
        start = end == data.size() ? end : end + separator.size();
      }
      bytes.push_back(0);
      return std::nullopt;
    }
    case kRegDword: {
      const auto number = ParseNumber(data, std::numeric_limits<std::uint32_t>::max());
      if (!number) {
        return "\"" + std::string(data) +
               "\" is not a REG_DWORD: give a number from 0 to 4294967295, in decimal or as 0x "
               "and hexadecimal digits";
      }
      for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(*number >> shift));
      }
      return std::nullopt;
    }
    case kRegQword: {
      const auto number = ParseNumber(data, std::numeric_limits<std::uint64_t>::max());
      if (!number) {
        return "\"" + std::string(data) +
               "\" is not a REG_QWORD: give a number from 0 to 18446744073709551615, in decimal "
               "or as 0x and hexadecimal digits";
      }
      for (int shift = 0; shift < 64; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(*number >> shift));
      }
      return std::nullopt;
    }
    default: {
      if (data.size() % 2 != 0) {
        return "\"" + std::string(data) + "\" is not binary data: give pairs of hex digits";
      }
      for (std::size_t i = 0; i < data.size(); i += 2) {
        const auto high = HexDigit(data[i]);
        const auto low = HexDigit(data[i + 1]);
        if (!high || !low) {
          return "\"" + std::string(data) + "\" is not binary data: give pairs of hex digits";
        }
        bytes.push_back(static_cast<std::uint8_t>((*high << 4) | *low));
      }
      return std::nullopt;
    }
  }
}

std::string DataText(std::uint32_t type, std::span<const std::uint8_t> data) {
  if (type == kRegSz || type == kRegExpandSz) {
    std::size_t end = 0;
    while (end < data.size() && data[end] != 0) ++end;
    return AnsiBytesToUtf8(data.first(end));
  }
  if (type == kRegMultiSz) {
    std::vector<std::string> strings;
    std::size_t start = 0;
    while (start < data.size()) {
      std::size_t end = start;
      while (end < data.size() && data[end] != 0) ++end;
      strings.push_back(AnsiBytesToUtf8(data.subspan(start, end - start)));
      start = end + 1;
    }
    while (!strings.empty() && strings.back().empty()) strings.pop_back();
    std::string text;
    for (std::size_t i = 0; i < strings.size(); ++i) text += (i > 0 ? "\\0" : "") + strings[i];
    return text;
  }
  if ((type == kRegDword && data.size() == 4) || (type == kRegQword && data.size() == 8)) {
    unsigned long long value = 0;
    for (std::size_t i = data.size(); i-- > 0;) value = (value << 8) | data[i];
    std::array<char, 24> text{};
    std::snprintf(text.data(), text.size(), "0x%llx", value);
    return text.data();
  }
  return HexText(data);
}

}  // namespace fw::regtool
