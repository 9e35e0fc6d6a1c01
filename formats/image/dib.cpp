#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "platform/picture.h"

namespace fw {
namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiJpeg = 4;
constexpr std::uint32_t kBiPng = 5;

constexpr std::size_t kFileHeaderSize = 14;  // BITMAPFILEHEADER
constexpr std::size_t kIconDirSize = 6;      // ICONDIR
constexpr std::size_t kIconEntrySize = 16;   // ICONDIRENTRY
constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

std::string Str(std::uint64_t value) {
  return std::to_string(value);
}
std::string Str(std::int64_t value) {
  return std::to_string(value);
}

// Little-endian reads from a window of the file. Offsets given to it are relative to the window;
// messages give them as byte offsets in the whole file.
class Reader {
 public:
  Reader(std::span<const std::uint8_t> bytes, std::size_t base, std::string_view format)
      : bytes_(bytes), base_(base), format_(format) {}

  std::size_t size() const { return bytes_.size(); }
  std::uint64_t At(std::size_t offset) const { return std::uint64_t{base_} + offset; }

  [[noreturn]] void Fail(const std::string& message) const {
    throw PictureError(std::string(format_) + ": " + message);
  }

  // Fails unless `length` bytes from `offset` lie inside the window.
  void Require(std::uint64_t offset, std::uint64_t length, std::string_view what) const {
    if (offset > bytes_.size() || length > bytes_.size() - offset) {
      Fail(std::string(what) + " at byte " + Str(std::uint64_t{base_} + offset) + " needs " +
           Str(length) + " bytes, but only " +
           Str(offset > bytes_.size() ? std::uint64_t{0} : bytes_.size() - offset) +
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

  Reader Sub(std::size_t offset, std::size_t length) const {
    return Reader(bytes_.subspan(offset, length), base_ + offset, format_);
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t base_;
  std::string_view format_;
};

// What a BITMAPINFOHEADER (or a later header that starts with it) says about a DIB.
struct DibHeader {
  std::int32_t width = 0;
  std::int32_t height = 0;  // as stored: negative for top-down rows; twice the image for icons
  std::uint16_t bit_count = 0;
  std::uint32_t compression = kBiRgb;
  std::size_t palette_offset = 0;  // in the reader's window
  std::uint32_t palette_count = 0;
};

bool SupportedBitCount(std::uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

// Reads and checks the info header at `offset`. `icon` selects the rules of an icon image:
// bottom-up only, a doubled height, BI_RGB only.
DibHeader ReadDibHeader(const Reader& r, std::size_t offset, bool icon) {
  const std::uint32_t header_size = r.U32(offset, "biSize");
  if (header_size == 12) {
    r.Fail("biSize at byte " + Str(r.At(offset)) +
           " is 12 (an OS/2 BITMAPCOREHEADER), which is not supported");
  }
  if (header_size != 40 && header_size != 52 && header_size != 56 && header_size != 108 &&
      header_size != 124) {
    r.Fail("biSize at byte " + Str(r.At(offset)) + " is " + Str(std::uint64_t{header_size}) +
           "; expected 40, 52, 56, 108 or 124");
  }
  r.Require(offset, header_size, "the BITMAPINFOHEADER");

  DibHeader h;
  h.width = r.I32(offset + 4, "biWidth");
  h.height = r.I32(offset + 8, "biHeight");
  const std::uint16_t planes = r.U16(offset + 12, "biPlanes");
  h.bit_count = r.U16(offset + 14, "biBitCount");
  h.compression = r.U32(offset + 16, "biCompression");
  const std::uint32_t colors_used = r.U32(offset + 32, "biClrUsed");

  if (h.width <= 0 || h.width > kMaxPictureDimension) {
    r.Fail("biWidth at byte " + Str(r.At(offset + 4)) + " is " + Str(std::int64_t{h.width}) +
           "; it must be 1 to " + Str(std::int64_t{kMaxPictureDimension}));
  }
  const std::int64_t height = h.height;
  if (icon) {
    if (height <= 0 || height % 2 != 0 || height / 2 > kMaxPictureDimension) {
      r.Fail("biHeight at byte " + Str(r.At(offset + 8)) + " is " + Str(height) +
             "; an icon image's must be twice its height (2 to " +
             Str(std::int64_t{2 * kMaxPictureDimension}) + ", even)");
    }
  } else if (height == 0 || height < -kMaxPictureDimension || height > kMaxPictureDimension) {
    r.Fail("biHeight at byte " + Str(r.At(offset + 8)) + " is " + Str(height) +
           "; it must be 1 to " + Str(std::int64_t{kMaxPictureDimension}) + " (negative for " +
           "top-down rows)");
  }
  if (planes != 1) {
    r.Fail("biPlanes at byte " + Str(r.At(offset + 12)) + " is " + Str(std::uint64_t{planes}) +
           "; it must be 1");
  }
  if (h.bit_count == 16) {
    r.Fail("biBitCount at byte " + Str(r.At(offset + 14)) +
           " is 16; 16-bit pixels are not supported");
  }
  if (!SupportedBitCount(h.bit_count)) {
    r.Fail("biBitCount at byte " + Str(r.At(offset + 14)) + " is " +
           Str(std::uint64_t{h.bit_count}) + "; expected 1, 4, 8, 24 or 32");
  }

  const std::string compression_at = "biCompression at byte " + Str(r.At(offset + 16));
  std::size_t header_end = offset + header_size;
  switch (h.compression) {
    case kBiRgb:
      break;
    case kBiRle8:
    case kBiRle4:
      r.Fail(compression_at + " is " + Str(std::uint64_t{h.compression}) +
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
        r.Fail("the BI_BITFIELDS masks at byte " + Str(r.At(offset + 40)) +
               " are not 0x00FF0000, 0x0000FF00, 0x000000FF; other layouts are not supported");
      }
      break;
    }
    case kBiJpeg:
    case kBiPng:
      r.Fail(compression_at + " is " + Str(std::uint64_t{h.compression}) +
             " (an embedded JPEG or PNG), which is not supported");
    default:
      r.Fail(compression_at + " is " + Str(std::uint64_t{h.compression}) +
             ", an unknown compression");
  }

  h.palette_offset = header_end;
  if (h.bit_count <= 8) {
    const std::uint32_t full = 1u << h.bit_count;
    if (colors_used > full) {
      r.Fail("biClrUsed at byte " + Str(r.At(offset + 32)) + " is " +
             Str(std::uint64_t{colors_used}) + ", more than the " + Str(std::uint64_t{full}) +
             " colours of " + Str(std::uint64_t{h.bit_count}) + "-bit pixels");
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

// Bytes in one row of a DIB: rows are padded to a multiple of 4 bytes.
std::uint64_t Stride(int width, int bits) {
  return (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bits) + 31) / 32 * 4;
}

std::vector<std::uint32_t> ReadPalette(const Reader& r, const DibHeader& h) {
  std::vector<std::uint32_t> palette(h.palette_count);
  const std::uint8_t* quad = r.Data(h.palette_offset);
  for (std::uint32_t i = 0; i < h.palette_count; ++i, quad += 4) {
    // RGBQUAD: blue, green, red, reserved.
    palette[i] = (std::uint32_t{quad[2]} << 16) | (std::uint32_t{quad[1]} << 8) | quad[0];
  }
  return palette;
}

// Decodes the colour rows at `bits_offset` into top-down 0x00RRGGBB pixels. An index past the
// end of a short colour table gives black, as GDI draws it.
std::vector<std::uint32_t> ReadColorRows(const Reader& r, std::size_t bits_offset,
                                         const DibHeader& h, int width, int height, bool top_down) {
  const std::uint64_t stride = Stride(width, h.bit_count);
  r.Require(bits_offset, stride * static_cast<std::uint64_t>(height), "the pixel data");
  const std::vector<std::uint32_t> palette = ReadPalette(r, h);
  const auto index_color = [&palette](unsigned index) {
    return index < palette.size() ? palette[index] : 0u;
  };
  const auto bit = [](std::uint8_t byte, std::size_t x) {
    return (static_cast<unsigned>(byte) >> (7 - x % 8)) & 1u;
  };

  const auto w = static_cast<std::size_t>(width);
  std::vector<std::uint32_t> pixels(w * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    const int file_row = top_down ? y : height - 1 - y;
    const std::uint8_t* row =
        r.Data(bits_offset + static_cast<std::size_t>(stride) * static_cast<std::size_t>(file_row));
    std::uint32_t* out = pixels.data() + static_cast<std::size_t>(y) * w;
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
          out[x] = (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
          break;
        }
        default: {  // 32: blue, green, red and an alpha (or unused) byte that is not kept
          const std::uint8_t* p = row + 4 * x;
          out[x] = (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
          break;
        }
      }
    }
  }
  return pixels;
}

// The AND mask of an icon image: 1 bit per pixel, bottom-up, rows padded to 4 bytes.
std::vector<bool> ReadMaskRows(const Reader& r, std::size_t mask_offset, int width, int height) {
  const std::uint64_t stride = Stride(width, 1);
  r.Require(mask_offset, stride * static_cast<std::uint64_t>(height), "the AND mask");
  const auto w = static_cast<std::size_t>(width);
  std::vector<bool> mask(w * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = r.Data(mask_offset + static_cast<std::size_t>(stride) *
                                                       static_cast<std::size_t>(height - 1 - y));
    for (std::size_t x = 0; x < w; ++x) {
      mask[static_cast<std::size_t>(y) * w + x] =
          ((static_cast<unsigned>(row[x / 8]) >> (7 - x % 8)) & 1u) != 0;
    }
  }
  return mask;
}

IconImage DecodeBmp(std::span<const std::uint8_t> bytes) {
  const Reader r(bytes, 0, "BMP");
  r.Require(0, kFileHeaderSize, "the BITMAPFILEHEADER");
  if (bytes[0] != 'B' || bytes[1] != 'M') r.Fail("the file does not start with \"BM\"");
  const std::uint32_t bits_offset = r.U32(10, "bfOffBits");
  const DibHeader h = ReadDibHeader(r, kFileHeaderSize, false);
  // The headers, with any colour masks after them, end where the colour table starts.
  if (bits_offset < h.palette_offset) {
    r.Fail("bfOffBits at byte 10 is " + Str(std::uint64_t{bits_offset}) +
           ", which points into the headers (they end at byte " +
           Str(std::uint64_t{h.palette_offset}) + ")");
  }
  if (bits_offset >= bytes.size()) {
    r.Fail("bfOffBits at byte 10 is " + Str(std::uint64_t{bits_offset}) + ", past the end of the " +
           Str(std::uint64_t{bytes.size()}) + "-byte file");
  }

  IconImage image;
  image.width = h.width;
  image.height = ImageHeight(h, false);
  image.color = ReadColorRows(r, bits_offset, h, image.width, image.height, h.height < 0);
  image.mask.assign(image.color.size(), false);
  return image;
}

struct IconCandidate {
  std::size_t entry_offset = 0;  // of the ICONDIRENTRY
  std::size_t data_offset = 0;   // of the image's BITMAPINFOHEADER
  std::size_t data_size = 0;
  DibHeader header;
};

struct DecodedIcon {
  IconImage image;
  Point hot_spot;
};

DecodedIcon DecodeIconFile(std::span<const std::uint8_t> bytes, bool cursor) {
  const std::string_view format = cursor ? "CUR" : "ICO";
  const Reader r(bytes, 0, format);
  r.Require(0, kIconDirSize, "the ICONDIR");
  const std::uint16_t reserved = r.U16(0, "idReserved");
  const std::uint16_t type = r.U16(2, "idType");
  const std::uint16_t count = r.U16(4, "idCount");
  if (reserved != 0) {
    r.Fail("idReserved at byte 0 is " + Str(std::uint64_t{reserved}) + "; it must be 0");
  }
  const std::uint16_t expected_type = cursor ? 2 : 1;
  if (type != expected_type) {
    r.Fail("idType at byte 2 is " + Str(std::uint64_t{type}) + "; " +
           (type == 1   ? std::string("this is an icon file, not a cursor")
            : type == 2 ? std::string("this is a cursor file, not an icon")
                        : "expected " + Str(std::uint64_t{expected_type})));
  }
  if (count == 0) r.Fail("idCount at byte 4 is 0; the file holds no image");
  r.Require(kIconDirSize, std::uint64_t{count} * kIconEntrySize, "the icon directory");

  std::vector<IconCandidate> candidates;
  for (std::size_t i = 0; i < count; ++i) {
    IconCandidate c;
    c.entry_offset = kIconDirSize + i * kIconEntrySize;
    const std::uint32_t size = r.U32(c.entry_offset + 8, "dwBytesInRes");
    const std::uint32_t offset = r.U32(c.entry_offset + 12, "dwImageOffset");
    const std::string entry =
        "entry " + Str(std::uint64_t{i}) + " (byte " + Str(std::uint64_t{c.entry_offset}) + ")";
    if (std::uint64_t{offset} + size > bytes.size()) {
      r.Fail(entry + ": its image at byte " + Str(std::uint64_t{offset}) + " of " +
             Str(std::uint64_t{size}) + " bytes runs past the end of the " +
             Str(std::uint64_t{bytes.size()}) + "-byte file");
    }
    c.data_offset = offset;
    c.data_size = size;
    const Reader image = r.Sub(c.data_offset, c.data_size);
    if (c.data_size >= kPngSignature.size() &&
        std::equal(kPngSignature.begin(), kPngSignature.end(), image.Data(0))) {
      continue;  // PNG-encoded images are not decoded; a DIB-encoded entry may still serve
    }
    c.header = ReadDibHeader(image, 0, true);
    candidates.push_back(c);
  }
  if (candidates.empty()) {
    r.Fail("all " + Str(std::uint64_t{count}) + " images are PNG-encoded, which is not supported");
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

  const Reader image = r.Sub(best->data_offset, best->data_size);
  const DibHeader& h = best->header;
  DecodedIcon decoded;
  decoded.image.width = h.width;
  decoded.image.height = ImageHeight(h, true);
  const std::uint64_t palette_bytes = std::uint64_t{h.palette_count} * 4;
  const auto xor_offset = static_cast<std::size_t>(h.palette_offset + palette_bytes);
  decoded.image.color =
      ReadColorRows(image, xor_offset, h, decoded.image.width, decoded.image.height, false);
  const std::uint64_t xor_bytes =
      Stride(decoded.image.width, h.bit_count) * static_cast<std::uint64_t>(decoded.image.height);
  decoded.image.mask = ReadMaskRows(image, static_cast<std::size_t>(xor_offset + xor_bytes),
                                    decoded.image.width, decoded.image.height);
  if (cursor) {
    // A cursor's directory entry holds the hot spot where an icon's holds planes and bit count.
    decoded.hot_spot.x = r.U16(best->entry_offset + 4, "the hot spot");
    decoded.hot_spot.y = r.U16(best->entry_offset + 6, "the hot spot");
  }
  return decoded;
}

}  // namespace

bool Picture::SameSourceAs(const Picture& other) const {
  if (drawn() || other.drawn()) {
    return drawn() && other.drawn() && image_.width == other.image_.width &&
           image_.height == other.image_.height && image_.color == other.image_.color;
  }
  return kind_ == other.kind_ && resource_name_ == other.resource_name_ &&
         file_type_ == other.file_type_ && file_bytes_ == other.file_bytes_;
}

Picture LoadPicture(std::span<const std::uint8_t> bytes, std::string_view type) {
  Picture picture;
  if (type == "bmp") {
    picture.kind_ = PictureKind::Bitmap;
    picture.image_ = DecodeBmp(bytes);
  } else if (type == "ico" || type == "cur") {
    const bool cursor = type == "cur";
    DecodedIcon decoded = DecodeIconFile(bytes, cursor);
    picture.kind_ = cursor ? PictureKind::Cursor : PictureKind::Icon;
    picture.image_ = std::move(decoded.image);
    picture.hot_spot_ = decoded.hot_spot;
  } else {
    throw PictureError("unknown picture type \"" + std::string(type) +
                       "\"; expected bmp, ico or cur");
  }
  picture.file_type_ = std::string(type);
  picture.file_bytes_.assign(bytes.begin(), bytes.end());
  return picture;
}

Picture LoadResourcePicture(std::string name, std::span<const std::uint8_t> bytes,
                            std::string_view type) {
  if (name.empty()) throw PictureError("a resource picture needs a name");
  Picture picture = LoadPicture(bytes, type);
  picture.file_type_.clear();
  picture.file_bytes_.clear();
  picture.file_bytes_.shrink_to_fit();
  picture.resource_name_ = std::move(name);
  return picture;
}

std::optional<std::string_view> SniffPictureType(std::span<const std::uint8_t> bytes) {
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return "bmp";
  if (bytes.size() >= 4 && bytes[0] == 0 && bytes[1] == 0 && bytes[3] == 0) {
    if (bytes[2] == 1) return "ico";
    if (bytes[2] == 2) return "cur";
  }
  return std::nullopt;
}

}  // namespace fw
