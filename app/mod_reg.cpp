#include "app/mod_reg.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <new>
#include <optional>
#include <vector>

#include "app/open_key.h"

namespace fw::app {
namespace {

constexpr std::uint32_t kCreateAndOpenAccess = kKeyAllAccessLow;
constexpr RegStatus kUnsupportedType = -1;

bool IsWrittenType(std::uint32_t type) {
  return type == kRegSz || type == kRegDword;
}

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// A text read as a number, or why it is none.
struct ParsedNumber {
  double value = 0;
  const char* failure = nullptr;
};

ParsedNumber ParseNumber(std::string_view original) {
  const std::string_view text = Trim(original);
  if (text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
    std::uint32_t bits = 0;
    const std::string_view digits = text.substr(2);
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), bits, 16);
    if (error == std::errc::result_out_of_range) return {0, "does not fit in 32 bits"};
    if (error != std::errc() || end != digits.data() + digits.size()) {
      return {0, "is not a hexadecimal number"};
    }
    return {static_cast<double>(static_cast<std::int32_t>(bits)), nullptr};
  }
  std::string_view number = text;
  if (!number.empty() && number.front() == '+') number.remove_prefix(1);
  double parsed = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), parsed);
  if (error != std::errc() || end != number.data() + number.size() || number.empty() ||
      !std::isfinite(parsed)) {
    return {0, "is not a number"};
  }
  return {parsed, nullptr};
}

std::int32_t TextToLong(std::string_view text) {
  const auto fail = [&](const char* why) {
    return ConversionError("the text \"" + std::string(text) + "\" " + why);
  };
  const ParsedNumber parsed = ParseNumber(text);
  if (parsed.failure != nullptr) throw fail(parsed.failure);
  // Halfway values go to the even neighbour, as every conversion to an integer does here.
  const double rounded = std::nearbyint(parsed.value);
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
    throw fail("does not fit in 32 bits");
  }
  return static_cast<std::int32_t>(rounded);
}

}  // namespace

std::optional<double> TextToNumber(std::string_view text) {
  const ParsedNumber parsed = ParseNumber(text);
  if (parsed.failure != nullptr) return std::nullopt;
  return parsed.value;
}

std::string VariantToText(const RegVariant& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
  return {};
}

std::int32_t VariantToLong(const RegVariant& value) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) return *number;
  if (const auto* text = std::get_if<std::string>(&value)) return TextToLong(*text);
  return 0;
}

bool CreateRegistryKey(Registry& registry, RegKey root, std::string_view path) {
  OpenKey key(registry);
  std::uint32_t disposition = 0;
  const RegStatus status =
      registry.RegCreateKeyExA(root, path, 0, kCreateAndOpenAccess, key.out(), &disposition);
  return status == kErrorSuccess;
}

bool WriteRegistryValue(Registry& registry, RegKey root, std::string_view path,
                        std::string_view name, RegVariant& value, std::uint32_t type) {
  // A type that is never written is refused before the key is created or the value touched.
  if (!IsWrittenType(type)) return false;
  CreateRegistryKey(registry, root, path);
  if (const auto* text = std::get_if<std::string>(&value); text != nullptr && text->empty()) {
    value = std::string(" ");
  }
  OpenKey key(registry);
  const RegStatus opened = registry.RegOpenKeyExA(root, path, 0, kCreateAndOpenAccess, key.out());
  if (opened != kErrorSuccess) return false;
  return SetRegistryValueData(registry, key.get(), name, type, value) == kErrorSuccess;
}

RegStatus SetRegistryValueData(Registry& registry, RegKey key, std::string_view name,
                               std::uint32_t type, const RegVariant& value) {
  if (type == kRegSz) {
    const std::string text = VariantToText(value);
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return registry.RegSetValueExA(key, name, kRegSz, bytes);
  }
  if (type == kRegDword) {
    const auto number = static_cast<std::uint32_t>(VariantToLong(value));
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
        static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
    return registry.RegSetValueExA(key, name, kRegDword, bytes);
  }
  return kErrorInvalidParameter;
}

RegVariant ReadRegistryValue(Registry& registry, RegKey root, std::string_view path,
                             std::string_view name) {
  RegVariant result;
  OpenKey key(registry);
  if (registry.RegOpenKeyExA(root, path, 0, kKeyRead, key.out()) == kErrorSuccess) {
    QueryRegistryValueData(registry, key.get(), name, result);
    if (const auto* text = std::get_if<std::string>(&result); text != nullptr && *text == " ") {
      result = std::string();
    }
  }
  return result;
}

RegStatus QueryRegistryValueData(Registry& registry, RegKey key, std::string_view name,
                                 RegVariant& value) {
  RegStatus status = kErrorSuccess;
  // The trap: whatever goes wrong below ends the routine with the last status recorded.
  try {
    std::uint32_t type = kRegNone;
    std::uint32_t size = 0;
    status = registry.RegQueryValueExA(key, name, &type, nullptr, &size);
    if (status != kErrorSuccess) return status;
    if (type == kRegSz) {
      std::vector<std::uint8_t> buffer(size, 0);
      status = registry.RegQueryValueExA(key, name, &type, buffer.data(), &size);
      if (status != kErrorSuccess) {
        value = std::monostate{};
      } else if (size <= buffer.size()) {
        // The terminating NUL is dropped; a text stored without one keeps its last character.
        if (size > 0 && buffer[size - 1] == 0) --size;
        value = std::string(buffer.begin(), buffer.begin() + size);
      }
      return status;
    }
    if (type == kRegDword) {
      std::uint8_t bytes[4] = {};
      size = sizeof bytes;
      status = registry.RegQueryValueExA(key, name, &type, bytes, &size);
      if (status == kErrorSuccess) {
        std::uint32_t number = 0;
        std::memcpy(&number, bytes, sizeof number);
        value = static_cast<std::int32_t>(number);
      }
      return status;
    }
    status = kUnsupportedType;
  } catch (const std::bad_alloc&) {
  }
  return status;
}

}  // namespace fw::app
