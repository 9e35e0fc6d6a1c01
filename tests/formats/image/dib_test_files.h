#pragma once
// Small BMP, ICO and CUR files made in memory, for the decoders', the pictures' and the
// property bag's tests: a tiny encoder that writes the layouts the decoders read, with every
// option the decoders must handle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "formats/image/dib_layout.h"
#include "formats/image/image.h"
#include "formats/image/little_endian.h"

namespace fw::test {

// A top-down image of 0x00RRGGBB pixels.
struct TestPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> color;
};

// A pattern of at most `colors` distinct colours (all distinct when `colors` is 0).
inline TestPixels MakePattern(int width, int height, int colors) {
  TestPixels p{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto n = static_cast<std::uint32_t>(y * width + x);
      const std::uint32_t k = colors == 0 ? n
                                          : (n * 7u + static_cast<std::uint32_t>(y)) %
                                                static_cast<std::uint32_t>(colors);
      // Spread k over the three channels so that every channel is exercised.
      p.color.push_back(((k * 37u + 11u) & 0xFFu) << 16 | ((k * 91u + 5u) & 0xFFu) << 8 |
                        ((k * 53u + 200u) & 0xFFu));
    }
  }
  return p;
}

// `p` as the decoders give it: opaque, or transparent (alpha 0) where `mask` is set.
inline image::Image AsImage(const TestPixels& p, const std::vector<bool>& mask = {}) {
  image::Image out{p.width, p.height, {}};
  for (std::size_t i = 0; i < p.color.size(); ++i) {
    const std::uint32_t c = p.color[i];
    out.pixels.push_back({static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                          static_cast<std::uint8_t>(c),
                          static_cast<std::uint8_t>(i < mask.size() && mask[i] ? 0 : 255)});
  }
  return out;
}

// The formats' little-endian writer, with what the tests need besides: a signed field,
// padding, and a field patched afterwards.
class ByteWriter : public image::LittleEndianWriter {
 public:
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  void PadTo(std::size_t size) {
    if (bytes().size() < size) bytes().resize(size, 0);
  }
  void Put32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
      bytes()[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
  }
  std::size_t size() { return bytes().size(); }
};

// The distinct colours of an image, in order of first appearance.
inline std::vector<std::uint32_t> PaletteOf(const TestPixels& p) {
  std::vector<std::uint32_t> palette;
  for (std::uint32_t c : p.color) {
    if (std::find(palette.begin(), palette.end(), c) == palette.end()) palette.push_back(c);
  }
  return palette;
}

inline std::uint32_t Stride(int width, int bits) {
  return static_cast<std::uint32_t>(image::Stride(width, bits));
}

// `entries` RGBQUADs of `palette` (zeros past its end).
inline void WritePalette(ByteWriter& w, const std::vector<std::uint32_t>& palette,
                         std::uint32_t entries) {
  for (std::uint32_t i = 0; i < entries; ++i) {
    const std::uint32_t c = i < palette.size() ? palette[i] : 0u;
    w.U8(c);
    w.U8(c >> 8);
    w.U8(c >> 16);
    w.U8(0);
  }
}

// The colour rows of a DIB, bottom-up unless `top_down`. 32-bit pixels get `alpha` in their
// fourth byte.
inline void WriteRows(ByteWriter& w, const TestPixels& p, int bits,
                      const std::vector<std::uint32_t>& palette, bool top_down,
                      std::uint8_t alpha = 0) {
  const std::uint32_t stride = Stride(p.width, bits);
  for (int r = 0; r < p.height; ++r) {
    const int y = top_down ? r : p.height - 1 - r;
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < p.width; ++x) {
      const std::uint32_t c = p.color[static_cast<std::size_t>(y * p.width + x)];
      const auto ux = static_cast<std::size_t>(x);
      if (bits <= 8) {
        const auto index = static_cast<std::uint32_t>(std::find(palette.begin(), palette.end(), c) -
                                                      palette.begin());
        if (bits == 1) row[ux / 8] |= static_cast<std::uint8_t>(index << (7 - ux % 8));
        if (bits == 4) row[ux / 2] |= static_cast<std::uint8_t>(ux % 2 == 0 ? index << 4 : index);
        if (bits == 8) row[ux] = static_cast<std::uint8_t>(index);
      } else {
        const std::size_t at = ux * static_cast<std::size_t>(bits / 8);
        row[at] = static_cast<std::uint8_t>(c);
        row[at + 1] = static_cast<std::uint8_t>(c >> 8);
        row[at + 2] = static_cast<std::uint8_t>(c >> 16);
        if (bits == 32) row[at + 3] = alpha;
      }
    }
    w.Append(row);
  }
}

struct BmpOptions {
  int bits = 24;
  bool top_down = false;
  std::uint32_t header_size = 40;  // 40, 108 (V4) or 124 (V5)
  std::uint32_t colors_used = 0;   // 0: a full colour table
  std::uint32_t compression = 0;
};

inline std::vector<std::uint8_t> MakeBmp(const TestPixels& p, const BmpOptions& o = {}) {
  const std::vector<std::uint32_t> palette =
      o.bits <= 8 ? PaletteOf(p) : std::vector<std::uint32_t>{};
  const std::uint32_t entries =
      o.bits <= 8 ? (o.colors_used != 0 ? o.colors_used : 1u << o.bits) : 0u;
  const bool masks_after_header = o.compression == 3 && o.header_size == 40;
  const std::uint32_t bits_offset =
      14 + o.header_size + (masks_after_header ? 12u : 0u) + 4 * entries;

  ByteWriter w;
  w.U8('B');
  w.U8('M');
  w.U32(0);  // bfSize, patched below
  w.U32(0);
  w.U32(bits_offset);
  w.U32(o.header_size);
  w.I32(p.width);
  w.I32(o.top_down ? -p.height : p.height);
  w.U16(1);
  w.U16(static_cast<std::uint32_t>(o.bits));
  w.U32(o.compression);
  w.U32(Stride(p.width, o.bits) * static_cast<std::uint32_t>(p.height));
  w.U32(2835);
  w.U32(2835);
  w.U32(o.colors_used);
  w.U32(0);
  if (o.compression == 3 || o.header_size > 40) {
    // Colour masks (in the V4/V5 header, or after a BITMAPINFOHEADER for BI_BITFIELDS).
    w.U32(0x00FF0000u);
    w.U32(0x0000FF00u);
    w.U32(0x000000FFu);
  }
  w.PadTo(14 + o.header_size + (masks_after_header ? 12u : 0u));
  WritePalette(w, palette, entries);
  WriteRows(w, p, o.bits, palette, o.top_down, 0x7F);
  w.Put32(2, static_cast<std::uint32_t>(w.size()));
  return std::move(w.bytes());
}

// One image of an icon or cursor file: colour, AND mask (top-down, true = transparent).
struct IconEntry {
  TestPixels pixels;
  std::vector<bool> mask;
  int bits = 32;
  std::uint16_t hot_x = 0;  // cursors only
  std::uint16_t hot_y = 0;
  bool png = false;  // write a PNG signature and nothing decodable instead of a DIB
};

// A mask with a diagonal pattern of transparent pixels.
inline std::vector<bool> MakeMask(int width, int height) {
  std::vector<bool> mask;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) mask.push_back((x + 2 * y) % 3 == 0);
  }
  return mask;
}

inline std::vector<std::uint8_t> MakeIconDib(const IconEntry& e) {
  const TestPixels& p = e.pixels;
  if (e.png) {
    return {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  }
  const std::vector<std::uint32_t> palette =
      e.bits <= 8 ? PaletteOf(p) : std::vector<std::uint32_t>{};
  const std::uint32_t entries = e.bits <= 8 ? 1u << e.bits : 0u;
  ByteWriter w;
  w.U32(40);
  w.I32(p.width);
  w.I32(2 * p.height);
  w.U16(1);
  w.U16(static_cast<std::uint32_t>(e.bits));
  w.U32(0);
  w.U32(0);
  w.U32(0);
  w.U32(0);
  w.U32(0);
  w.U32(0);
  WritePalette(w, palette, entries);
  WriteRows(w, p, e.bits, palette, false, 0xFF);
  const std::uint32_t stride = Stride(p.width, 1);
  for (int r = 0; r < p.height; ++r) {
    const int y = p.height - 1 - r;
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < p.width; ++x) {
      const auto ux = static_cast<std::size_t>(x);
      if (e.mask[static_cast<std::size_t>(y * p.width + x)]) {
        row[ux / 8] |= static_cast<std::uint8_t>(0x80u >> (ux % 8));
      }
    }
    w.Append(row);
  }
  return std::move(w.bytes());
}

inline std::vector<std::uint8_t> MakeIconFile(const std::vector<IconEntry>& entries, bool cursor) {
  ByteWriter w;
  w.U16(0);
  w.U16(cursor ? 2u : 1u);
  w.U16(static_cast<std::uint32_t>(entries.size()));
  std::vector<std::vector<std::uint8_t>> images;
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
  for (const IconEntry& e : entries) {
    images.push_back(MakeIconDib(e));
    w.U8(static_cast<std::uint32_t>(e.pixels.width) & 0xFFu);
    w.U8(static_cast<std::uint32_t>(e.pixels.height) & 0xFFu);
    w.U8(e.bits <= 8 ? (1u << e.bits) & 0xFFu : 0u);
    w.U8(0);
    w.U16(cursor ? e.hot_x : 1u);
    w.U16(cursor ? e.hot_y : static_cast<std::uint32_t>(e.bits));
    w.U32(static_cast<std::uint32_t>(images.back().size()));
    w.U32(offset);
    offset += static_cast<std::uint32_t>(images.back().size());
  }
  for (const auto& image : images) w.Append(image);
  return std::move(w.bytes());
}

// The most distinct colours a depth can show, for the test pattern.
inline int ColorsFor(int bits) {
  return bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 40 : 0;
}

// A square image of an icon file with the test pattern and mask.
inline IconEntry Entry(int size, int bits, std::uint32_t seed_colors = 0) {
  IconEntry e;
  e.pixels =
      MakePattern(size, size, seed_colors != 0 ? static_cast<int>(seed_colors) : ColorsFor(bits));
  e.mask = MakeMask(size, size);
  e.bits = bits;
  return e;
}

// Overwrites a field of a file made above.
inline void Patch32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i)
    bytes.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}
inline void Patch16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  bytes.at(at) = static_cast<std::uint8_t>(value);
  bytes.at(at + 1) = static_cast<std::uint8_t>(value >> 8);
}

// Runs `load` and returns the ImageError's message; fails the test if it does not throw one.
template <typename Load>
std::string ImageErrorOf(Load load) {
  try {
    load();
  } catch (const image::ImageError& e) {
    return e.what();
  }
  ADD_FAILURE() << "no ImageError";
  return {};
}

inline std::vector<std::uint8_t> Bytes(const std::string& text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

}  // namespace fw::test
