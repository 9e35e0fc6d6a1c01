#include "formats/image/ico.h"

#include <string>

#include "formats/image/palette.h"

namespace fw::assets {
namespace {

constexpr std::uint32_t kIconDirSize = 6;
constexpr std::uint32_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;

class Bytes {
 public:
  void U8(std::uint32_t v) { out_.push_back(static_cast<std::uint8_t>(v & 0xFFu)); }
  void U16(std::uint32_t v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(std::uint32_t v) {
    U16(v);
    U16(v >> 16);
  }
  void Append(const std::vector<std::uint8_t>& more) {
    out_.insert(out_.end(), more.begin(), more.end());
  }
  std::vector<std::uint8_t>& get() { return out_; }

 private:
  std::vector<std::uint8_t> out_;
};

std::uint32_t Stride(int width, int bits) {
  return (static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bits) + 31) / 32 * 4;
}

// The AND mask rows, bottom-up, a set bit where `transparent`.
void PutMask(Bytes& out, int width, int height, const std::vector<bool>& transparent) {
  const std::uint32_t stride = Stride(width, 1);
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

void PutInfoHeader(Bytes& out, int width, int height, int bits) {
  const std::uint32_t image_bytes =
      (Stride(width, bits) + Stride(width, 1)) * static_cast<std::uint32_t>(height);
  out.U32(kInfoHeaderSize);
  out.U32(static_cast<std::uint32_t>(width));
  out.U32(static_cast<std::uint32_t>(2 * height));  // the XOR image and the AND mask
  out.U16(1);                                       // planes
  out.U16(static_cast<std::uint32_t>(bits));
  out.U32(0);  // BI_RGB
  out.U32(image_bytes);
  out.U32(0);  // no resolution
  out.U32(0);
  out.U32(0);  // a full colour table
  out.U32(0);
}

void PutPalette(Bytes& out, const std::vector<image::Rgba>& palette) {
  for (const image::Rgba& c : palette) {  // RGBQUAD
    out.U8(c.b);
    out.U8(c.g);
    out.U8(c.r);
    out.U8(0);
  }
}

void CheckSize(const image::Image& image) {
  if (image.width < 1 || image.width > 256 || image.height < 1 || image.height > 256 ||
      image.pixels.size() != static_cast<std::size_t>(image.width * image.height)) {
    throw EncodeError("icon: cannot store a " + std::to_string(image.width) + " x " +
                      std::to_string(image.height) + " image");
  }
}

std::vector<std::uint8_t> Dib32(const image::Image& image) {
  Bytes out;
  PutInfoHeader(out, image.width, image.height, 32);
  std::vector<bool> transparent;
  for (const image::Rgba& p : image.pixels) transparent.push_back(p.a == 0);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const image::Rgba& p = image.At(x, y);
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
  return std::move(out.get());
}

std::vector<std::uint8_t> Dib8(const image::Image& image) {
  const IndexedImage indexed = Quantize(image);
  Bytes out;
  PutInfoHeader(out, image.width, image.height, 8);
  PutPalette(out, indexed.palette);
  const std::uint32_t stride = Stride(image.width, 8);
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < image.width; ++x) {
      row[static_cast<std::size_t>(x)] =
          indexed.indices[static_cast<std::size_t>(y * image.width + x)];
    }
    out.Append(row);
  }
  PutMask(out, image.width, image.height, indexed.transparent);
  return std::move(out.get());
}

std::vector<std::uint8_t> Dib1(const image::Image& image) {
  Bytes out;
  PutInfoHeader(out, image.width, image.height, 1);
  PutPalette(out, {{0, 0, 0, 255}, {255, 255, 255, 255}});
  std::vector<bool> transparent;
  for (const image::Rgba& p : image.pixels) {
    const bool clear = p.a < 128;
    const bool black = p.r == 0 && p.g == 0 && p.b == 0;
    const bool white = p.r == 255 && p.g == 255 && p.b == 255;
    if (!clear && !black && !white) {
      throw EncodeError("icon: a 1-bit image holds only black, white and transparent pixels");
    }
    transparent.push_back(clear);
  }
  const std::uint32_t stride = Stride(image.width, 1);
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < image.width; ++x) {
      const image::Rgba& p = image.At(x, y);
      if (p.a >= 128 && p.r == 255) {
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
      }
    }
    out.Append(row);
  }
  PutMask(out, image.width, image.height, transparent);
  return std::move(out.get());
}

std::vector<std::uint8_t> EncodeDib(const image::Image& image, int bits) {
  CheckSize(image);
  switch (bits) {
    case 32:
      return Dib32(image);
    case 8:
      return Dib8(image);
    case 1:
      return Dib1(image);
    default:
      throw EncodeError("icon: " + std::to_string(bits) + " bits per pixel; expected 32, 8 or 1");
  }
}

// ICONDIR, the directory, then the images. `second` and `third` are a cursor's hot spot, or an
// icon's planes and bit count.
struct Stored {
  const image::Image* image;
  int bits;
  std::uint32_t second;
  std::uint32_t third;
  std::vector<std::uint8_t> dib;
};

std::vector<std::uint8_t> Assemble(std::uint32_t type, const std::vector<Stored>& stored) {
  Bytes out;
  out.U16(0);
  out.U16(type);
  out.U16(static_cast<std::uint32_t>(stored.size()));
  std::uint32_t offset = kIconDirSize + kEntrySize * static_cast<std::uint32_t>(stored.size());
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
  return std::move(out.get());
}

}  // namespace

std::vector<std::uint8_t> EncodeIcon(const std::vector<IconFileImage>& images) {
  if (images.empty() || images.size() > 0xFFFF) throw EncodeError("icon: no images");
  std::vector<Stored> stored;
  for (const IconFileImage& i : images) {
    stored.push_back({&i.image, i.bits_per_pixel, 1, static_cast<std::uint32_t>(i.bits_per_pixel),
                      EncodeDib(i.image, i.bits_per_pixel)});
  }
  return Assemble(1, stored);
}

std::vector<std::uint8_t> EncodeMonochromeCursor(const image::Image& image, int hot_x, int hot_y) {
  CheckSize(image);
  if (hot_x < 0 || hot_y < 0 || hot_x >= image.width || hot_y >= image.height) {
    throw EncodeError("cursor: the hot spot lies outside the image");
  }
  std::vector<Stored> stored;
  stored.push_back({&image, 1, static_cast<std::uint32_t>(hot_x), static_cast<std::uint32_t>(hot_y),
                    EncodeDib(image, 1)});
  return Assemble(2, stored);
}

}  // namespace fw::assets
