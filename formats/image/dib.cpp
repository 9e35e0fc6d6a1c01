#include "formats/image/dib.h"

#include <string>
#include <vector>

namespace fw::image {
namespace {

bool SupportedBitCount(std::uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

// The colour table, each entry an opaque colour.
std::vector<Rgba> ReadPalette(const LittleEndianReader& r, const DibHeader& h) {
  std::vector<Rgba> palette(h.palette_count);
  const std::uint8_t* quad = r.Data(h.palette_offset);
  for (std::uint32_t i = 0; i < h.palette_count; ++i, quad += 4) {
    // RGBQUAD: blue, green, red, reserved.
    palette[i] = Rgba{quad[2], quad[1], quad[0], 255};
  }
  return palette;
}

}  // namespace

DibHeader ReadDibHeader(const LittleEndianReader& r, std::size_t offset, bool icon) {
  const std::uint32_t header_size = r.U32(offset, "biSize");
  if (header_size == 12) {
    r.Fail("biSize at byte " + std::to_string(r.At(offset)) +
           " is 12 (an OS/2 BITMAPCOREHEADER), which is not supported");
  }
  if (header_size != 40 && header_size != 52 && header_size != 56 && header_size != 108 &&
      header_size != 124) {
    r.Fail("biSize at byte " + std::to_string(r.At(offset)) + " is " +
           std::to_string(std::uint64_t{header_size}) + "; expected 40, 52, 56, 108 or 124");
  }
  r.Require(offset, header_size, "the BITMAPINFOHEADER");

  DibHeader h;
  h.width = r.I32(offset + 4, "biWidth");
  h.height = r.I32(offset + 8, "biHeight");
  const std::uint16_t planes = r.U16(offset + 12, "biPlanes");
  h.bit_count = r.U16(offset + 14, "biBitCount");
  h.compression = r.U32(offset + 16, "biCompression");
  const std::uint32_t colors_used = r.U32(offset + 32, "biClrUsed");

  if (h.width <= 0 || h.width > kMaxDibDimension) {
    r.Fail("biWidth at byte " + std::to_string(r.At(offset + 4)) + " is " +
           std::to_string(std::int64_t{h.width}) + "; it must be 1 to " +
           std::to_string(std::int64_t{kMaxDibDimension}));
  }
  const std::int64_t height = h.height;
  if (icon) {
    if (height <= 0 || height % 2 != 0 || height / 2 > kMaxDibDimension) {
      r.Fail("biHeight at byte " + std::to_string(r.At(offset + 8)) + " is " +
             std::to_string(height) + "; an icon image's must be twice its height (2 to " +
             std::to_string(std::int64_t{2 * kMaxDibDimension}) + ", even)");
    }
  } else if (height == 0 || height < -kMaxDibDimension || height > kMaxDibDimension) {
    r.Fail("biHeight at byte " + std::to_string(r.At(offset + 8)) + " is " +
           std::to_string(height) + "; it must be 1 to " +
           std::to_string(std::int64_t{kMaxDibDimension}) + " (negative for " + "top-down rows)");
  }
  if (planes != 1) {
    r.Fail("biPlanes at byte " + std::to_string(r.At(offset + 12)) + " is " +
           std::to_string(std::uint64_t{planes}) + "; it must be 1");
  }
  if (h.bit_count == 16) {
    r.Fail("biBitCount at byte " + std::to_string(r.At(offset + 14)) +
           " is 16; 16-bit pixels are not supported");
  }
  if (!SupportedBitCount(h.bit_count)) {
    r.Fail("biBitCount at byte " + std::to_string(r.At(offset + 14)) + " is " +
           std::to_string(std::uint64_t{h.bit_count}) + "; expected 1, 4, 8, 24 or 32");
  }

  const std::string compression_at = "biCompression at byte " + std::to_string(r.At(offset + 16));
  std::size_t header_end = offset + header_size;
  switch (h.compression) {
    case kBiRgb:
      break;
    case kBiRle8:
    case kBiRle4:
      r.Fail(compression_at + " is " + std::to_string(std::uint64_t{h.compression}) +
             " (RLE); run-length encoded bitmaps are not supported");
    case kBiBitfields: {
      if (icon || h.bit_count != 32) {
        r.Fail(compression_at + " is 3 (BI_BITFIELDS), which is supported only for 32-bit " +
               "bitmaps");
      }
      // The colour masks follow a BITMAPINFOHEADER and are part of the later headers; either
      // way they sit right after its first 40 bytes.
      if (header_size == 40) header_end += 12;
      const std::uint32_t red = r.U32(offset + 40, "the red mask");
      const std::uint32_t green = r.U32(offset + 44, "the green mask");
      const std::uint32_t blue = r.U32(offset + 48, "the blue mask");
      if (red != 0x00FF0000u || green != 0x0000FF00u || blue != 0x000000FFu) {
        r.Fail("the BI_BITFIELDS masks at byte " + std::to_string(r.At(offset + 40)) +
               " are not 0x00FF0000, 0x0000FF00, 0x000000FF; other layouts are not supported");
      }
      break;
    }
    case kBiJpeg:
    case kBiPng:
      r.Fail(compression_at + " is " + std::to_string(std::uint64_t{h.compression}) +
             " (an embedded JPEG or PNG), which is not supported");
    default:
      r.Fail(compression_at + " is " + std::to_string(std::uint64_t{h.compression}) +
             ", an unknown compression");
  }

  h.palette_offset = header_end;
  if (h.bit_count <= 8) {
    const std::uint32_t full = 1u << h.bit_count;
    if (colors_used > full) {
      r.Fail("biClrUsed at byte " + std::to_string(r.At(offset + 32)) + " is " +
             std::to_string(std::uint64_t{colors_used}) + ", more than the " +
             std::to_string(std::uint64_t{full}) + " colours of " +
             std::to_string(std::uint64_t{h.bit_count}) + "-bit pixels");
    }
    h.palette_count = colors_used == 0 ? full : colors_used;
    r.Require(h.palette_offset, std::uint64_t{h.palette_count} * 4, "the colour table");
  }
  return h;
}

int ImageHeight(const DibHeader& h, bool icon) {
  const std::int64_t height = h.height;
  return static_cast<int>(icon ? height / 2 : (height < 0 ? -height : height));
}

Image ReadColorRows(const LittleEndianReader& r, std::size_t bits_offset, const DibHeader& h,
                    int width, int height, bool top_down) {
  const std::uint64_t stride = Stride(width, h.bit_count);
  r.Require(bits_offset, stride * static_cast<std::uint64_t>(height), "the pixel data");
  const std::vector<Rgba> palette = ReadPalette(r, h);
  const auto index_color = [&palette](unsigned index) {
    return index < palette.size() ? palette[index] : Rgba{0, 0, 0, 255};
  };
  const auto bit = [](std::uint8_t byte, std::size_t x) {
    return (static_cast<unsigned>(byte) >> (7 - x % 8)) & 1u;
  };

  const auto w = static_cast<std::size_t>(width);
  Image image{width, height, std::vector<Rgba>(w * static_cast<std::size_t>(height))};
  for (int y = 0; y < height; ++y) {
    const int file_row = top_down ? y : height - 1 - y;
    const std::uint8_t* row =
        r.Data(bits_offset + static_cast<std::size_t>(stride) * static_cast<std::size_t>(file_row));
    Rgba* out = image.pixels.data() + static_cast<std::size_t>(y) * w;
    for (std::size_t x = 0; x < w; ++x) {
      switch (h.bit_count) {
        case 1:
          out[x] = index_color(bit(row[x / 8], x));
          break;
        case 4:
          out[x] = index_color(x % 2 == 0 ? static_cast<unsigned>(row[x / 2]) >> 4
                                          : static_cast<unsigned>(row[x / 2]) & 0x0Fu);
          break;
        case 8:
          out[x] = index_color(row[x]);
          break;
        case 24: {
          const std::uint8_t* p = row + 3 * x;
          out[x] = Rgba{p[2], p[1], p[0], 255};
          break;
        }
        default: {  // 32: blue, green, red and an alpha (or unused) byte that is not kept
          const std::uint8_t* p = row + 4 * x;
          out[x] = Rgba{p[2], p[1], p[0], 255};
          break;
        }
      }
    }
  }
  return image;
}

void ReadMaskRows(const LittleEndianReader& r, std::size_t mask_offset, Image& image) {
  const std::uint64_t stride = Stride(image.width, 1);
  r.Require(mask_offset, stride * static_cast<std::uint64_t>(image.height), "the AND mask");
  const auto w = static_cast<std::size_t>(image.width);
  for (int y = 0; y < image.height; ++y) {
    const std::uint8_t* row =
        r.Data(mask_offset +
               static_cast<std::size_t>(stride) * static_cast<std::size_t>(image.height - 1 - y));
    for (std::size_t x = 0; x < w; ++x) {
      if (((static_cast<unsigned>(row[x / 8]) >> (7 - x % 8)) & 1u) != 0) {
        image.pixels[static_cast<std::size_t>(y) * w + x].a = 0;
      }
    }
  }
}

void PutInfoHeader(LittleEndianWriter& out, int width, int height, int bits,
                   std::uint32_t image_bytes, std::uint32_t pixels_per_metre) {
  out.U32(static_cast<std::uint32_t>(kInfoHeaderSize));
  out.U32(static_cast<std::uint32_t>(width));
  out.U32(static_cast<std::uint32_t>(height));
  out.U16(1);  // planes
  out.U16(static_cast<std::uint32_t>(bits));
  out.U32(kBiRgb);
  out.U32(image_bytes);
  out.U32(pixels_per_metre);
  out.U32(pixels_per_metre);
  out.U32(0);  // a full colour table
  out.U32(0);
}

}  // namespace fw::image
