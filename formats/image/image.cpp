#include "formats/image/image.h"

namespace fw::image {

Image FromDibPixels(int width, int height, const std::vector<std::uint32_t>& dib) {
  Image image{width, height, {}};
  image.pixels.reserve(dib.size());
  for (std::uint32_t v : dib) {
    image.pixels.push_back({static_cast<std::uint8_t>((v >> 16) & 0xFF),
                            static_cast<std::uint8_t>((v >> 8) & 0xFF),
                            static_cast<std::uint8_t>(v & 0xFF), 255});
  }
  return image;
}

}  // namespace fw::image
