#include "formats/image/bmp.h"

#include <stdexcept>

namespace fw {

namespace {

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const IconImage& image) {
  if (image.width <= 0 || image.height <= 0 || image.width > kMaxPictureDimension ||
      image.height > kMaxPictureDimension ||
      image.color.size() !=
          static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
    throw PictureError("bmp: cannot encode a " + std::to_string(image.width) + " x " +
                       std::to_string(image.height) + " image with " +
                       std::to_string(image.color.size()) + " pixels");
  }
  const auto width = static_cast<std::uint32_t>(image.width);
  const auto height = static_cast<std::uint32_t>(image.height);
  const std::uint32_t stride = (width * 3 + 3) & ~3u;
  const std::uint32_t pixel_bytes = stride * height;
  constexpr std::uint32_t kHeaders = 14 + 40;
  std::vector<std::uint8_t> out;
  out.reserve(kHeaders + pixel_bytes);
  out.push_back('B');
  out.push_back('M');
  PutLittleEndian(out, kHeaders + pixel_bytes, 4);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, kHeaders, 4);
  PutLittleEndian(out, 40, 4);  // BITMAPINFOHEADER
  PutLittleEndian(out, width, 4);
  PutLittleEndian(out, height, 4);  // positive: bottom-up rows
  PutLittleEndian(out, 1, 2);
  PutLittleEndian(out, 24, 2);
  PutLittleEndian(out, 0, 4);  // BI_RGB
  PutLittleEndian(out, pixel_bytes, 4);
  PutLittleEndian(out, 3780, 4);  // 96 dots per inch in pixels per metre
  PutLittleEndian(out, 3780, 4);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, 0, 4);
  for (std::uint32_t row = height; row-- > 0;) {
    const std::size_t start = static_cast<std::size_t>(row) * width;
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::uint32_t pixel = image.color[start + x];  // 0x00RRGGBB
      out.push_back(static_cast<std::uint8_t>(pixel & 0xFF));
      out.push_back(static_cast<std::uint8_t>((pixel >> 8) & 0xFF));
      out.push_back(static_cast<std::uint8_t>((pixel >> 16) & 0xFF));
    }
    for (std::uint32_t pad = width * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

Picture BitmapPicture(IconImage image) {
  if (image.width <= 0 || image.height <= 0 || image.width > kMaxPictureDimension ||
      image.height > kMaxPictureDimension ||
      image.color.size() !=
          static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
    throw PictureError("bitmap: a " + std::to_string(image.width) + " x " +
                       std::to_string(image.height) + " image with " +
                       std::to_string(image.color.size()) + " pixels is not a picture");
  }
  Picture picture;
  picture.kind_ = PictureKind::Bitmap;
  image.mask.assign(image.color.size(), false);
  picture.image_ = std::move(image);
  return picture;
}

}  // namespace fw
