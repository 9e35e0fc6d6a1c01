#pragma once
// Base64 (RFC 4648: the standard alphabet, padded with '='), the form picture files take inside
// the property bag's JSON.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

std::string EncodeBase64(std::span<const std::uint8_t> bytes);

// Strict decoding, so that every byte string has exactly one accepted form: only the alphabet
// (no whitespace), a length that is a multiple of 4, at most two '=' at the very end and no
// stray bits in the last character before them. Throws std::invalid_argument naming the
// offending character's offset.
std::vector<std::uint8_t> DecodeBase64(std::string_view text);

}  // namespace fw
