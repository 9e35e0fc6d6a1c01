#pragma once
// Little-endian fields, as the BMP, DIB and icon structures store every number.
//
// The reader is for files from anywhere: it reads a window of the file, checks every field
// against the window before reading it, and turns anything wrong into an ImageError that names
// the format, what was read and the byte offset in the whole file.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/image/image.h"

namespace fw::image {

class LittleEndianWriter {
 public:
  void U8(std::uint32_t value) { bytes_.push_back(static_cast<std::uint8_t>(value & 0xFFu)); }
  void U16(std::uint32_t value) {
    U8(value);
    U8(value >> 8);
  }
  void U32(std::uint32_t value) {
    U16(value);
    U16(value >> 16);
  }
  void Append(std::span<const std::uint8_t> more) {
    bytes_.insert(bytes_.end(), more.begin(), more.end());
  }
  void Reserve(std::size_t size) { bytes_.reserve(size); }
  std::vector<std::uint8_t>& bytes() { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

class LittleEndianReader {
 public:
  // `base` is where the window starts in the whole file; `format` starts every message.
  LittleEndianReader(std::span<const std::uint8_t> bytes, std::size_t base, std::string_view format)
      : bytes_(bytes), base_(base), format_(format) {}

  // Where `offset` in the window is in the whole file.
  std::uint64_t At(std::size_t offset) const { return std::uint64_t{base_} + offset; }

  [[noreturn]] void Fail(const std::string& message) const {
    throw ImageError(std::string(format_) + ": " + message);
  }

  // Fails unless `length` bytes from `offset` lie inside the window.
  void Require(std::uint64_t offset, std::uint64_t length, std::string_view what) const {
    if (offset > bytes_.size() || length > bytes_.size() - offset) {
      Fail(std::string(what) + " at byte " + std::to_string(std::uint64_t{base_} + offset) +
           " needs " + std::to_string(length) + " bytes, but only " +
           std::to_string(offset > bytes_.size() ? std::uint64_t{0} : bytes_.size() - offset) +
           " remain (truncated, or an offset past the end)");
    }
  }

  std::uint8_t U8(std::size_t offset, std::string_view field) const {
    Require(offset, 1, field);
    return bytes_[offset];
  }
  std::uint16_t U16(std::size_t offset, std::string_view field) const {
    Require(offset, 2, field);
    return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
  }
  std::uint32_t U32(std::size_t offset, std::string_view field) const {
    Require(offset, 4, field);
    return static_cast<std::uint32_t>(bytes_[offset]) |
           (static_cast<std::uint32_t>(bytes_[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes_[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
  }
  std::int32_t I32(std::size_t offset, std::string_view field) const {
    const std::uint32_t raw = U32(offset, field);
    return raw <= 0x7FFFFFFFu ? static_cast<std::int32_t>(raw)
                              : static_cast<std::int32_t>(static_cast<std::int64_t>(raw) -
                                                          std::int64_t{0x100000000});
  }
  // The window's bytes from `offset`, after Require has vouched for them.
  const std::uint8_t* Data(std::size_t offset) const { return bytes_.data() + offset; }

  // The window of `length` bytes from `offset` in this one.
  LittleEndianReader Sub(std::size_t offset, std::size_t length) const {
    return LittleEndianReader(bytes_.subspan(offset, length), base_ + offset, format_);
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t base_;
  std::string_view format_;
};

}  // namespace fw::image
