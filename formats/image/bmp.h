#pragma once
// BMP files: a BITMAPFILEHEADER and a DIB.
//
// The decoder reads files from anywhere (a user's disk, a saved form), so it trusts nothing:
// every size and offset is checked against the file before it is used, and anything it cannot
// read is an ImageError ("BMP: ...") that says what is wrong and where, never a crash or a huge
// allocation. It reads a BITMAPINFOHEADER (or the V2, V3, V4, V5 headers that extend it), 1, 4,
// 8, 24 or 32 bits per pixel, BI_RGB (and BI_BITFIELDS at 32 bits when the masks are the plain
// 0x00RRGGBB ones), bottom-up or top-down rows, up to kMaxDibDimension pixels each way. 16-bit
// pixels, RLE and embedded JPEG/PNG are refused. The alpha byte of 32-bit pixels is not kept.
#include <cstdint>
#include <span>
#include <vector>

#include "formats/image/image.h"

namespace fw::image {

// The file's pixels, opaque.
Image DecodeBmp(std::span<const std::uint8_t> bytes);

// A 24-bit bottom-up BI_RGB BMP file of `image`'s colours (its alpha is not stored). Throws
// ImageError for an empty image, one beyond kMaxDibDimension or one whose pixels do not fill
// it.
std::vector<std::uint8_t> EncodeBmp24(const Image& image);

}  // namespace fw::image
