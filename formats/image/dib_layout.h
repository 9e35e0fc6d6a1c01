#pragma once
// The layout of device-independent bitmaps as BMP, icon and cursor files hold them: the sizes
// of their structures, the compression values, the row stride and the size limit the decoders
// keep to.
#include <cstddef>
#include <cstdint>

namespace fw::image {

inline constexpr std::size_t kFileHeaderSize = 14;  // BITMAPFILEHEADER
inline constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
inline constexpr std::size_t kIconDirSize = 6;      // ICONDIR
inline constexpr std::size_t kIconEntrySize = 16;   // ICONDIRENTRY

// biCompression.
inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiRle8 = 1;
inline constexpr std::uint32_t kBiRle4 = 2;
inline constexpr std::uint32_t kBiBitfields = 3;
inline constexpr std::uint32_t kBiJpeg = 4;
inline constexpr std::uint32_t kBiPng = 5;

// Neither dimension of a decoded picture may exceed this many pixels.
inline constexpr int kMaxDibDimension = 4096;

// Bytes in one row of `width` pixels of `bits` each: rows are padded to a multiple of 4 bytes.
constexpr std::uint64_t Stride(int width, int bits) {
  return (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bits) + 31) / 32 * 4;
}

}  // namespace fw::image
