#pragma once
// The bytes of typed values: DWORDs and QWORDs are little-endian; the text types (REG_SZ,
// REG_EXPAND_SZ, REG_MULTI_SZ) are Windows-1252 in memory, as the "A" functions see them, and
// UTF-16LE where a file spells them out as hex, as Windows itself keeps them.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fw::soft {

bool IsTextType(std::uint32_t type);

std::vector<std::uint8_t> DwordBytes(std::uint32_t value);

// Every Windows-1252 byte is one UTF-16 code unit.
std::vector<std::uint8_t> AnsiToUtf16Le(std::span<const std::uint8_t> ansi);

// Converts UTF-16LE to Windows-1252 into `out`. Returns why it cannot (an odd number of bytes,
// a character Windows-1252 does not have), or nothing on success.
std::optional<std::string> Utf16LeToAnsi(std::span<const std::uint8_t> utf16, std::string& out);

}  // namespace fw::soft
