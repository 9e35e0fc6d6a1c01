#include "formats/image/bmp.h"

#include <string>

#include "formats/image/dib.h"
#include "formats/image/dib_layout.h"
#include "formats/image/little_endian.h"

namespace fw::image {

Image DecodeBmp(std::span<const std::uint8_t> bytes) {
  const LittleEndianReader r(bytes, 0, "BMP");
  r.Require(0, kFileHeaderSize, "the BITMAPFILEHEADER");
  if (bytes[0] != 'B' || bytes[1] != 'M') r.Fail("the file does not start with \"BM\"");
  const std::uint32_t bits_offset = r.U32(10, "bfOffBits");
  const DibHeader h = ReadDibHeader(r, kFileHeaderSize, false);
  // The headers, with any colour masks after them, end where the colour table starts.
  if (bits_offset < h.palette_offset) {
    r.Fail("bfOffBits at byte 10 is " + std::to_string(std::uint64_t{bits_offset}) +
           ", which points into the headers (they end at byte " +
           std::to_string(std::uint64_t{h.palette_offset}) + ")");
  }
  if (bits_offset >= bytes.size()) {
    r.Fail("bfOffBits at byte 10 is " + std::to_string(std::uint64_t{bits_offset}) +
           ", past the end of the " + std::to_string(std::uint64_t{bytes.size()}) + "-byte file");
  }
  return ReadColorRows(r, bits_offset, h, h.width, ImageHeight(h, false), h.height < 0);
}

std::vector<std::uint8_t> EncodeBmp24(const Image& image) {
  if (image.width <= 0 || image.height <= 0 || image.width > kMaxDibDimension ||
      image.height > kMaxDibDimension ||
      image.pixels.size() !=
          static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
    throw ImageError("bmp: cannot encode a " + std::to_string(image.width) + " x " +
                     std::to_string(image.height) + " image with " +
                     std::to_string(image.pixels.size()) + " pixels");
  }
  const auto width = static_cast<std::uint32_t>(image.width);
  const auto height = static_cast<std::uint32_t>(image.height);
  const auto stride = static_cast<std::uint32_t>(Stride(image.width, 24));
  const std::uint32_t pixel_bytes = stride * height;
  constexpr auto kHeaders = static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize);
  LittleEndianWriter out;
  out.Reserve(kHeaders + pixel_bytes);
  out.U8('B');
  out.U8('M');
  out.U32(kHeaders + pixel_bytes);
  out.U32(0);
  out.U32(kHeaders);
  // Positive height: bottom-up rows. 96 dots per inch in pixels per metre.
  PutInfoHeader(out, image.width, image.height, 24, pixel_bytes, 3780);
  for (std::uint32_t row = height; row-- > 0;) {
    for (std::uint32_t x = 0; x < width; ++x) {
      const Rgba& pixel = image.At(static_cast<int>(x), static_cast<int>(row));
      out.U8(pixel.b);
      out.U8(pixel.g);
      out.U8(pixel.r);
    }
    for (std::uint32_t pad = width * 3; pad < stride; ++pad) out.U8(0);
  }
  return std::move(out.bytes());
}

}  // namespace fw::image
