#include "formats/image/ico.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "formats/image/dib.h"
#include "formats/image/dib_layout.h"
#include "formats/image/little_endian.h"
#include "formats/image/palette.h"

namespace fw::image {

// ---- Decoding ----

namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

struct IconCandidate {
  std::size_t entry_offset = 0;  // of the ICONDIRENTRY
  std::size_t data_offset = 0;   // of the image's BITMAPINFOHEADER
  std::size_t data_size = 0;
  DibHeader header;
};

}  // namespace

DecodedIcon DecodeIcon(std::span<const std::uint8_t> bytes, IconKind kind) {
  const bool cursor = kind == IconKind::kCursor;
  const std::string_view format = cursor ? "CUR" : "ICO";
  const LittleEndianReader r(bytes, 0, format);
  r.Require(0, kIconDirSize, "the ICONDIR");
  const std::uint16_t reserved = r.U16(0, "idReserved");
  const std::uint16_t type = r.U16(2, "idType");
  const std::uint16_t count = r.U16(4, "idCount");
  if (reserved != 0) {
    r.Fail("idReserved at byte 0 is " + std::to_string(std::uint64_t{reserved}) + "; it must be 0");
  }
  const std::uint16_t expected_type = cursor ? 2 : 1;
  if (type != expected_type) {
    r.Fail("idType at byte 2 is " + std::to_string(std::uint64_t{type}) + "; " +
           (type == 1   ? std::string("this is an icon file, not a cursor")
            : type == 2 ? std::string("this is a cursor file, not an icon")
                        : "expected " + std::to_string(std::uint64_t{expected_type})));
  }
  if (count == 0) r.Fail("idCount at byte 4 is 0; the file holds no image");
  r.Require(kIconDirSize, std::uint64_t{count} * kIconEntrySize, "the icon directory");

  std::vector<IconCandidate> candidates;
  for (std::size_t i = 0; i < count; ++i) {
    IconCandidate c;
    c.entry_offset = kIconDirSize + i * kIconEntrySize;
    const std::uint32_t size = r.U32(c.entry_offset + 8, "dwBytesInRes");
    const std::uint32_t offset = r.U32(c.entry_offset + 12, "dwImageOffset");
    const std::string entry = "entry " + std::to_string(std::uint64_t{i}) + " (byte " +
                              std::to_string(std::uint64_t{c.entry_offset}) + ")";
    if (std::uint64_t{offset} + size > bytes.size()) {
      r.Fail(entry + ": its image at byte " + std::to_string(std::uint64_t{offset}) + " of " +
             std::to_string(std::uint64_t{size}) + " bytes runs past the end of the " +
             std::to_string(std::uint64_t{bytes.size()}) + "-byte file");
    }
    c.data_offset = offset;
    c.data_size = size;
    const LittleEndianReader image = r.Sub(c.data_offset, c.data_size);
    if (c.data_size >= kPngSignature.size() &&
        std::equal(kPngSignature.begin(), kPngSignature.end(), image.Data(0))) {
      continue;  // PNG-encoded images are not decoded; a DIB-encoded entry may still serve
    }
    c.header = ReadDibHeader(image, 0, true);
    candidates.push_back(c);
  }
  if (candidates.empty()) {
    r.Fail("all " + std::to_string(std::uint64_t{count}) +
           " images are PNG-encoded, which is not supported");
  }

  // The largest image, then the most bits per pixel, then the first.
  const auto area = [](const IconCandidate& c) {
    return std::int64_t{c.header.width} * (std::int64_t{c.header.height} / 2);
  };
  const IconCandidate* best = &candidates.front();
  for (const IconCandidate& c : candidates) {
    if (area(c) > area(*best) ||
        (area(c) == area(*best) && c.header.bit_count > best->header.bit_count)) {
      best = &c;
    }
  }

  const LittleEndianReader image = r.Sub(best->data_offset, best->data_size);
  const DibHeader& h = best->header;
  DecodedIcon decoded;
  const int width = h.width;
  const int height = ImageHeight(h, true);
  const std::uint64_t palette_bytes = std::uint64_t{h.palette_count} * 4;
  const auto xor_offset = static_cast<std::size_t>(h.palette_offset + palette_bytes);
  decoded.image = ReadColorRows(image, xor_offset, h, width, height, false);
  const std::uint64_t xor_bytes = Stride(width, h.bit_count) * static_cast<std::uint64_t>(height);
  ReadMaskRows(image, static_cast<std::size_t>(xor_offset + xor_bytes), decoded.image);
  if (cursor) {
    // A cursor's directory entry holds the hot spot where an icon's holds planes and bit count.
    decoded.hot_x = r.U16(best->entry_offset + 4, "the hot spot");
    decoded.hot_y = r.U16(best->entry_offset + 6, "the hot spot");
  }
  return decoded;
}

// ---- Encoding ----

namespace {

// A row's bytes in the file: the stride of a DIB of at most 256 pixels each way.
std::uint32_t RowBytes(int width, int bits) {
  return static_cast<std::uint32_t>(Stride(width, bits));
}

// The AND mask rows, bottom-up, a set bit where `transparent`.
void PutMask(LittleEndianWriter& out, int width, int height, const std::vector<bool>& transparent) {
  const std::uint32_t stride = RowBytes(width, 1);
  for (int y = height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < width; ++x) {
      if (transparent[static_cast<std::size_t>(y * width + x)]) {
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
      }
    }
    out.Append(row);
  }
}

void PutIconInfoHeader(LittleEndianWriter& out, int width, int height, int bits) {
  const std::uint32_t image_bytes =
      (RowBytes(width, bits) + RowBytes(width, 1)) * static_cast<std::uint32_t>(height);
  // The XOR image and the AND mask: twice the height. No resolution.
  PutInfoHeader(out, width, 2 * height, bits, image_bytes, 0);
}

void PutPalette(LittleEndianWriter& out, const std::vector<Rgba>& palette) {
  for (const Rgba& c : palette) {  // RGBQUAD
    out.U8(c.b);
    out.U8(c.g);
    out.U8(c.r);
    out.U8(0);
  }
}

void CheckSize(const Image& image) {
  if (image.width < 1 || image.width > 256 || image.height < 1 || image.height > 256 ||
      image.pixels.size() != static_cast<std::size_t>(image.width * image.height)) {
    throw ImageError("icon: cannot store a " + std::to_string(image.width) + " x " +
                     std::to_string(image.height) + " image");
  }
}

std::vector<std::uint8_t> Dib32(const Image& image) {
  LittleEndianWriter out;
  PutIconInfoHeader(out, image.width, image.height, 32);
  std::vector<bool> transparent;
  for (const Rgba& p : image.pixels) transparent.push_back(p.a == 0);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const Rgba& p = image.At(x, y);
      if (p.a == 0) {
        out.U32(0);
        continue;
      }
      out.U8(p.b);
      out.U8(p.g);
      out.U8(p.r);
      out.U8(p.a);
    }
  }
  PutMask(out, image.width, image.height, transparent);
  return std::move(out.bytes());
}

std::vector<std::uint8_t> Dib8(const Image& image) {
  const IndexedImage indexed = Quantize(image);
  LittleEndianWriter out;
  PutIconInfoHeader(out, image.width, image.height, 8);
  PutPalette(out, indexed.palette);
  const std::uint32_t stride = RowBytes(image.width, 8);
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < image.width; ++x) {
      row[static_cast<std::size_t>(x)] =
          indexed.indices[static_cast<std::size_t>(y * image.width + x)];
    }
    out.Append(row);
  }
  PutMask(out, image.width, image.height, indexed.transparent);
  return std::move(out.bytes());
}

std::vector<std::uint8_t> Dib1(const Image& image) {
  LittleEndianWriter out;
  PutIconInfoHeader(out, image.width, image.height, 1);
  PutPalette(out, {{0, 0, 0, 255}, {255, 255, 255, 255}});
  std::vector<bool> transparent;
  for (const Rgba& p : image.pixels) {
    const bool clear = p.a < 128;
    const bool black = p.r == 0 && p.g == 0 && p.b == 0;
    const bool white = p.r == 255 && p.g == 255 && p.b == 255;
    if (!clear && !black && !white) {
      throw ImageError("icon: a 1-bit image holds only black, white and transparent pixels");
    }
    transparent.push_back(clear);
  }
  const std::uint32_t stride = RowBytes(image.width, 1);
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < image.width; ++x) {
      const Rgba& p = image.At(x, y);
      if (p.a >= 128 && p.r == 255) {
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
      }
    }
    out.Append(row);
  }
  PutMask(out, image.width, image.height, transparent);
  return std::move(out.bytes());
}

std::vector<std::uint8_t> EncodeDib(const Image& image, int bits) {
  CheckSize(image);
  switch (bits) {
    case 32:
      return Dib32(image);
    case 8:
      return Dib8(image);
    case 1:
      return Dib1(image);
    default:
      throw ImageError("icon: " + std::to_string(bits) + " bits per pixel; expected 32, 8 or 1");
  }
}

// ICONDIR, the directory, then the images. `second` and `third` are a cursor's hot spot, or an
// icon's planes and bit count.
struct Stored {
  const Image* image;
  int bits;
  std::uint32_t second;
  std::uint32_t third;
  std::vector<std::uint8_t> dib;
};

std::vector<std::uint8_t> Assemble(std::uint32_t type, const std::vector<Stored>& stored) {
  LittleEndianWriter out;
  out.U16(0);
  out.U16(type);
  out.U16(static_cast<std::uint32_t>(stored.size()));
  auto offset = static_cast<std::uint32_t>(kIconDirSize + kIconEntrySize * stored.size());
  for (const Stored& s : stored) {
    // A 256-pixel side is stored as 0.
    out.U8(static_cast<std::uint32_t>(s.image->width) & 0xFFu);
    out.U8(static_cast<std::uint32_t>(s.image->height) & 0xFFu);
    out.U8(s.bits < 8 ? 1u << s.bits : 0u);  // colour count, 0 for 256 or more
    out.U8(0);
    out.U16(s.second);
    out.U16(s.third);
    out.U32(static_cast<std::uint32_t>(s.dib.size()));
    out.U32(offset);
    offset += static_cast<std::uint32_t>(s.dib.size());
  }
  for (const Stored& s : stored) out.Append(s.dib);
  return std::move(out.bytes());
}

}  // namespace

std::vector<std::uint8_t> EncodeIcon(const std::vector<IconFileImage>& images) {
  if (images.empty() || images.size() > 0xFFFF) throw ImageError("icon: no images");
  std::vector<Stored> stored;
  for (const IconFileImage& i : images) {
    stored.push_back({&i.image, i.bits_per_pixel, 1, static_cast<std::uint32_t>(i.bits_per_pixel),
                      EncodeDib(i.image, i.bits_per_pixel)});
  }
  return Assemble(1, stored);
}

std::vector<std::uint8_t> EncodeMonochromeCursor(const Image& image, int hot_x, int hot_y) {
  CheckSize(image);
  if (hot_x < 0 || hot_y < 0 || hot_x >= image.width || hot_y >= image.height) {
    throw ImageError("cursor: the hot spot lies outside the image");
  }
  std::vector<Stored> stored;
  stored.push_back({&image, 1, static_cast<std::uint32_t>(hot_x), static_cast<std::uint32_t>(hot_y),
                    EncodeDib(image, 1)});
  return Assemble(2, stored);
}

}  // namespace fw::image
