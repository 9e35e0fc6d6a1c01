#pragma once
// modReg: the routines the main window reaches the registry through. Each call opens its key,
// works on it and closes it again; nothing is kept between calls. Failures never escape as
// exceptions from the platform: they become a False result, a non-zero status or an Empty value.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

#include "platform/registry.h"

namespace fw::app {

// What a value read or written is: Empty (nothing read), a text (REG_SZ) or a 32-bit signed
// integer (REG_DWORD).
using RegVariant = std::variant<std::monostate, std::string, std::int32_t>;

// A value that does not convert to the type it is written as (a text that is no number for
// REG_DWORD). The caller's value is at fault, so this is thrown rather than turned into a status.
class ConversionError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// The value as text: a text as it is, an integer in decimal digits, Empty as the empty text.
std::string VariantToText(const RegVariant& value);
// The number a text holds, as every conversion of a text to a number here reads it: a decimal
// number (surrounding spaces and tabs allowed, a leading sign, a fraction, an exponent) or &H and
// hexadecimal digits that fit in 32 bits, which are a signed integer ("&HFFFFFFFF" is -1).
// Nothing for anything else.
std::optional<double> TextToNumber(std::string_view text);
// The value as a 32-bit signed integer: an integer as it is, Empty as 0, a text as TextToNumber
// reads it with a fraction rounded half to even. A text that holds no number, or a number outside
// 32 bits, throws ConversionError.
std::int32_t VariantToLong(const RegVariant& value);

// True when `path` under `root` exists or could be created.
bool CreateRegistryKey(Registry& registry, RegKey root, std::string_view path);

// Stores `value` as `name` of type REG_SZ or REG_DWORD under `path`, creating the key first. The
// empty text is stored as a single space, and the caller's variable becomes that space too.
// True only when the value was stored. Any other type is refused at once: False, with no key
// created and the caller's variable unchanged.
bool WriteRegistryValue(Registry& registry, RegKey root, std::string_view path,
                        std::string_view name, RegVariant& value, std::uint32_t type);

// Writes `value` through an open key. Returns RegSetValueExA's status, or kErrorInvalidParameter
// (writing nothing) for any type other than REG_SZ and REG_DWORD.
RegStatus SetRegistryValueData(Registry& registry, RegKey key, std::string_view name,
                               std::uint32_t type, const RegVariant& value);

// The value `name` under `path`: Empty when the key or value cannot be read or has another type
// than REG_SZ and REG_DWORD; a text equal to a single space reads as the empty text. The key is
// opened for query access only, so a user without write access still sees the stored value.
RegVariant ReadRegistryValue(Registry& registry, RegKey root, std::string_view path,
                             std::string_view name);

// Reads `name` through an open key into `value` (left as it was on failure, except that a text
// whose second read fails becomes Empty). Returns the last status: -1 for a type other than
// REG_SZ and REG_DWORD.
RegStatus QueryRegistryValueData(Registry& registry, RegKey key, std::string_view name,
                                 RegVariant& value);

}  // namespace fw::app
