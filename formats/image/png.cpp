#include "formats/image/png.h"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <ostream>
#include <vector>

namespace fw::image {

namespace {

void PutBigEndian(std::vector<unsigned char>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<unsigned char>(v >> shift));
}

void WriteChunk(std::ostream& out, const char* type, const std::vector<unsigned char>& data) {
  std::vector<unsigned char> chunk;
  PutBigEndian(chunk, static_cast<std::uint32_t>(data.size()));
  chunk.insert(chunk.end(), type, type + 4);
  chunk.insert(chunk.end(), data.begin(), data.end());
  const uLong crc =
      crc32(crc32(0L, Z_NULL, 0), chunk.data() + 4, static_cast<uInt>(data.size() + 4));
  PutBigEndian(chunk, static_cast<std::uint32_t>(crc));
  out.write(reinterpret_cast<const char*>(chunk.data()),
            static_cast<std::streamsize>(chunk.size()));
}

bool HasTransparency(const Image& image) {
  for (const Rgba& p : image.pixels) {
    if (p.a != 255) return true;
  }
  return false;
}

}  // namespace

void WritePng(const Image& image, std::ostream& out) {
  static constexpr std::array<unsigned char, 8> kSignature = {0x89, 'P',  'N',  'G',
                                                              '\r', '\n', 0x1A, '\n'};
  out.write(reinterpret_cast<const char*>(kSignature.data()), kSignature.size());
  const bool alpha = HasTransparency(image);
  std::vector<unsigned char> header;
  PutBigEndian(header, static_cast<std::uint32_t>(image.width));
  PutBigEndian(header, static_cast<std::uint32_t>(image.height));
  header.insert(header.end(), {8, static_cast<unsigned char>(alpha ? 6 : 2), 0, 0, 0});
  WriteChunk(out, "IHDR", header);

  std::vector<unsigned char> raw;
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);  // filter type None
    for (int x = 0; x < image.width; ++x) {
      const Rgba& p = image.At(x, y);
      raw.insert(raw.end(), {p.r, p.g, p.b});
      if (alpha) raw.push_back(p.a);
    }
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<unsigned char> packed(size);
  if (compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK) {
    throw ImageError("PNG: compression failed");
  }
  packed.resize(size);
  WriteChunk(out, "IDAT", packed);
  WriteChunk(out, "IEND", {});
}

}  // namespace fw::image
