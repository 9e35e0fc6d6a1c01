#pragma once
// Value types and data as ferrowind-reg reads them from its command line and prints them, in
// reg.exe's spelling: "REG_DWORD", "0x4", "01AB", "a\0b".
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fw::regtool {

// The type's name ("REG_SZ"), or "REG_UNKNOWN" for a number without one.
std::string TypeName(std::uint32_t type);
// The types `add` accepts, by name (any case): REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD,
// REG_QWORD, REG_BINARY, REG_NONE.
std::optional<std::uint32_t> TypeOfName(std::string_view name);

// The bytes of /d DATA (UTF-8) for a value of `type`: texts as Windows-1252 with their NUL,
// REG_MULTI_SZ split at `separator`, numbers in decimal or 0x hexadecimal, REG_BINARY and
// REG_NONE as hex digits. Returns why DATA does not fit, or nothing when `bytes` holds it.
std::optional<std::string> DataOfText(std::uint32_t type, std::string_view data,
                                      std::string_view separator, std::vector<std::uint8_t>& bytes);

// A value's data as query prints it (UTF-8): texts up to their NUL, REG_MULTI_SZ's strings
// joined by "\0", REG_DWORD and REG_QWORD as 0x and lower-case hex, anything else (or a number
// of the wrong size) as upper-case hex digits.
std::string DataText(std::uint32_t type, std::span<const std::uint8_t> data);

}  // namespace fw::regtool
