#include "tools/preview/property_values.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <vector>

#include "formats/text/ascii_case.h"
#include "tools/preview/ansi_text.h"
#include "tools/preview/picture_files.h"

namespace fw::preview {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::string Quote(std::string_view text) {
  return "'" + std::string(text) + "'";
}

}  // namespace

std::optional<std::int64_t> ParseNumber(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    const std::string_view digits = text.substr(2);
    if (digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return std::int64_t{value};
  }
  if (text.empty() || text.size() > 12) return std::nullopt;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

namespace {

std::int32_t ParseInteger(const PropertyRow& property, std::string_view text) {
  const auto value = ParseNumber(text);
  if (!value) {
    throw ValueError(Quote(text) + " is not an integer (decimal, or 0x and hex digits)");
  }
  if (*value < property.minimum || *value > property.maximum) {
    throw ValueError(Quote(text) + " is out of range: " + std::string(property.name) + " takes " +
                     std::to_string(property.minimum) + " to " + std::to_string(property.maximum));
  }
  return static_cast<std::int32_t>(*value);
}

// Any 32-bit pattern a colour value can be written as (a negative decimal is a system colour
// reference's bits, as a property bag stores it), provided it names a colour.
ColorValue ParseColor(std::string_view text) {
  const auto value = ParseNumber(text);
  constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kHighest = std::numeric_limits<std::uint32_t>::max();
  if (!value || *value < kLowest || *value > kHighest) {
    throw ValueError(Quote(text) +
                     " is not a colour (0x00BBGGRR, or 0x800000nn for system colour nn)");
  }
  const auto color = static_cast<ColorValue>(static_cast<std::uint64_t>(*value) & 0xFFFFFFFFu);
  ColorRef rgb = 0;
  if (OleTranslateColor(color, rgb) != 0) {
    throw ValueError(Quote(text) +
                     " names no colour (0x00BBGGRR, or 0x800000nn for system colour 0 to 30)");
  }
  return color;
}

bool ParseBoolean(std::string_view text) {
  if (EqualsIgnoringAsciiCase(text, "True")) return true;
  if (EqualsIgnoringAsciiCase(text, "False")) return false;
  throw ValueError(Quote(text) + " is not a Boolean (True or False)");
}

std::string ParseText(std::string_view text) {
  try {
    return ArgumentToAnsi(text);
  } catch (const AnsiTextError& error) {
    throw ValueError(Quote(text) + ": " + error.what());
  }
}

std::vector<std::string_view> SplitAtCommas(std::string_view text) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t comma = text.find(',');
    parts.push_back(Trim(text.substr(0, comma)));
    if (comma == std::string_view::npos) return parts;
    text.remove_prefix(comma + 1);
  }
}

std::string FormatPoints(double points) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), points);
  return std::string(buffer.data(), result.ptr);
}

std::string FormatColor(ColorValue value) {
  std::array<char, 16> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "0x%08X", static_cast<unsigned>(value));
  return buffer.data();
}

// Text in double quotes; a double quote inside is written twice.
std::string FormatText(std::string_view ansi) {
  std::string out = "\"";
  for (const char c : AnsiToOutput(ansi)) {
    out += c;
    if (c == '"') out += '"';
  }
  return out + "\"";
}

}  // namespace

const PropertyRow* FindProperty(PropertyTable table, std::string_view name) {
  for (const PropertyRow& property : table) {
    if (EqualsIgnoringAsciiCase(property.name, name)) return &property;
  }
  return nullptr;
}

FontSpec ParseFont(std::string_view text) {
  constexpr double kMaximumPoints = 1000.0;
  const std::string expected = " (FAMILY,POINTS[,bold][,italic][,underline])";
  const std::vector<std::string_view> parts = SplitAtCommas(text);
  if (parts.size() < 2 || parts[0].empty()) {
    throw ValueError(Quote(text) + " is not a font" + expected);
  }
  FontSpec font;
  font.face = ParseText(parts[0]);
  double points = 0;
  const std::string_view size = parts[1];
  const auto [end, error] = std::from_chars(size.data(), size.data() + size.size(), points);
  if (error != std::errc() || end != size.data() + size.size() || !std::isfinite(points) ||
      points <= 0 || points > kMaximumPoints) {
    throw ValueError(Quote(text) + ": the size " + Quote(size) +
                     " is not a number of points from above 0 to 1000");
  }
  font.points = points;
  for (std::size_t i = 2; i < parts.size(); ++i) {
    bool* flag = nullptr;
    if (EqualsIgnoringAsciiCase(parts[i], "bold")) flag = &font.bold;
    if (EqualsIgnoringAsciiCase(parts[i], "italic")) flag = &font.italic;
    if (EqualsIgnoringAsciiCase(parts[i], "underline")) flag = &font.underline;
    if (flag == nullptr) {
      throw ValueError(Quote(text) + ": " + Quote(parts[i]) +
                       " is not a font style (bold, italic or underline)");
    }
    if (*flag) throw ValueError(Quote(text) + ": " + Quote(parts[i]) + " is given twice");
    *flag = true;
  }
  return font;
}

std::string FormatFont(const FontSpec& font) {
  std::string out = AnsiToOutput(font.face) + "," + FormatPoints(font.points);
  if (font.bold) out += ",bold";
  if (font.italic) out += ",italic";
  if (font.underline) out += ",underline";
  return out;
}

SettingValue ParseValue(const PropertyRow& property, std::string_view text) {
  switch (property.kind) {
    case PropertyKind::kInteger:
      return ParseInteger(property, text);
    case PropertyKind::kColor:
      return ParseColor(text);
    case PropertyKind::kBoolean:
      return ParseBoolean(text);
    case PropertyKind::kText:
      return ParseText(text);
    case PropertyKind::kPicture:
      if (!IsNoPictureText(text) && PictureTypeOfFileName(text).empty()) {
        throw ValueError(Quote(text) +
                         " is not a picture file (.bmp, .ico or .cur), nor empty or (none) for "
                         "no picture");
      }
      return PicturePtr{};
    case PropertyKind::kFont:
      return ParseFont(text);
  }
  throw ValueError(Quote(text) + ": the property's type is unknown");
}

std::string FormatValue(const PropertyRow& property, const SettingValue& value,
                        const PictureFiles& pictures) {
  switch (property.kind) {
    case PropertyKind::kInteger:
      return std::to_string(std::get<std::int32_t>(value));
    case PropertyKind::kColor:
      return FormatColor(std::get<ColorValue>(value));
    case PropertyKind::kBoolean:
      return std::get<bool>(value) ? "True" : "False";
    case PropertyKind::kText:
      return FormatText(std::get<std::string>(value));
    case PropertyKind::kPicture:
      return pictures.Describe(std::get<PicturePtr>(value));
    case PropertyKind::kFont:
      return FormatFont(std::get<FontSpec>(value));
  }
  return {};
}

std::string DumpProperties(PropertyTable table, const ControlHandlers& control,
                           const PictureFiles& pictures) {
  std::string out;
  for (const PropertyRow& property : table) {
    out += std::string(property.name) + "=" +
           FormatValue(property, property.get(control), pictures) + "\n";
  }
  return out;
}

}  // namespace fw::preview
