#include "platform/sdl/picture_surface.h"

#include <cstddef>
#include <cstdint>

namespace fw::sdl {

SurfacePtr PictureSurface(const Picture& picture) {
  const IconImage& image = picture.image();
  SurfacePtr surface(
      SDL_CreateRGBSurfaceWithFormat(0, image.width, image.height, 32, SDL_PIXELFORMAT_ARGB8888));
  if (surface == nullptr) return nullptr;
  const auto width = static_cast<std::size_t>(image.width);
  for (std::size_t y = 0; y < static_cast<std::size_t>(image.height); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(surface->pixels) +
                                                 y * static_cast<std::size_t>(surface->pitch));
    for (std::size_t x = 0; x < width; ++x) {
      const std::size_t i = y * width + x;
      const bool transparent = i < image.mask.size() && image.mask[i];
      row[x] = transparent ? 0u : (0xFF000000u | (image.color[i] & 0x00FFFFFFu));
    }
  }
  return surface;
}

}  // namespace fw::sdl
