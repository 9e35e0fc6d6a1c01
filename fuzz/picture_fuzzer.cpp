// The bitmap, icon and cursor decoders on any bytes, each of the three tried on every input: a
// picture comes out whole (its pixels and mask fill its size, within the size limit) or the
// decoder refuses with a PictureError. A decoded picture's colours survive a round trip through
// the 24-bit bitmap the program saves drawn pictures as.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "formats/image/bmp.h"
#include "fuzz/fuzz_check.h"
#include "platform/picture.h"

namespace {

void CheckWhole(const fw::Picture& picture) {
  const fw::IconImage& image = picture.image();
  fw::fuzz::Check(image.width > 0 && image.height > 0 && image.width <= fw::kMaxPictureDimension &&
                      image.height <= fw::kMaxPictureDimension,
                  "a decoded picture has a size within the limit");
  const auto pixels =
      static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
  fw::fuzz::Check(image.color.size() == pixels && image.mask.size() == pixels,
                  "pixels and mask fill the picture");
  const fw::Picture copy = fw::LoadPicture(
      fw::image::EncodeBmp24(fw::image::FromDibPixels(image.width, image.height, image.color)),
      "bmp");
  fw::fuzz::Check(copy.image().color == image.color, "the colours survive a saved bitmap");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  for (const std::string_view type : {"bmp", "ico", "cur"}) {
    try {
      const fw::Picture picture = fw::LoadPicture(bytes, type);
      fw::fuzz::Check(fw::SniffPictureType(bytes) == type, "only a file of the type decodes as it");
      CheckWhole(picture);
    } catch (const fw::PictureError& error) {
      fw::fuzz::CheckOneLine(error);
    }
  }
  return 0;
}
