// Pictures as SDL surfaces (the window's icon, colour cursors) and the system cursors of the
// Windows cursor ids. Surfaces need no display.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/resource_pictures.h"
#include "platform/sdl/cursor_cache.h"
#include "platform/sdl/picture_surface.h"

namespace fw::sdl {
namespace {

TEST(SdlCursors, WindowsCursorIdsHaveTheirSystemCursors) {
  EXPECT_EQ(SystemCursorOf(32512), SDL_SYSTEM_CURSOR_ARROW);
  EXPECT_EQ(SystemCursorOf(32649), SDL_SYSTEM_CURSOR_HAND);
  EXPECT_EQ(SystemCursorOf(32513), SDL_SYSTEM_CURSOR_IBEAM);
  EXPECT_EQ(SystemCursorOf(32514), SDL_SYSTEM_CURSOR_WAIT);
  EXPECT_EQ(SystemCursorOf(32515), SDL_SYSTEM_CURSOR_CROSSHAIR);
  EXPECT_EQ(SystemCursorOf(32646), SDL_SYSTEM_CURSOR_SIZEALL);
  EXPECT_EQ(SystemCursorOf(32648), SDL_SYSTEM_CURSOR_NO);
  EXPECT_EQ(SystemCursorOf(32642), SDL_SYSTEM_CURSOR_SIZENWSE);
  EXPECT_EQ(SystemCursorOf(32643), SDL_SYSTEM_CURSOR_SIZENESW);
  EXPECT_EQ(SystemCursorOf(32644), SDL_SYSTEM_CURSOR_SIZEWE);
  EXPECT_EQ(SystemCursorOf(32645), SDL_SYSTEM_CURSOR_SIZENS);
  EXPECT_EQ(SystemCursorOf(32650), SDL_SYSTEM_CURSOR_WAITARROW);
  EXPECT_EQ(SystemCursorOf(32651), SDL_SYSTEM_CURSOR_ARROW);
  EXPECT_EQ(SystemCursorOf(1), SDL_SYSTEM_CURSOR_ARROW);
}

// A 2 x 2 bitmap: a 24-bit BMP, bottom-up rows.
std::vector<std::uint8_t> TinyBmp() {
  std::vector<std::uint8_t> bmp = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0,  0,
                                   2,   0,   0,  0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0,  0, 16, 0,
                                   0,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0,  0};
  // Bottom row: blue, green; top row: red, white. Each row is padded to 8 bytes.
  const std::uint8_t rows[] = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};
  bmp.insert(bmp.end(), std::begin(rows), std::end(rows));
  return bmp;
}

TEST(SdlPictureSurface, ColoursAreOpaqueWhereTheMaskShowsThem) {
  const Picture picture = LoadPicture(TinyBmp(), "bmp");
  const SurfacePtr surface = PictureSurface(picture);
  ASSERT_NE(surface, nullptr);
  ASSERT_EQ(surface->w, 2);
  ASSERT_EQ(surface->h, 2);
  EXPECT_EQ(surface->format->format, SDL_PIXELFORMAT_ARGB8888);
  const auto pixel = [&](int x, int y) {
    const auto* row = static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch;
    return reinterpret_cast<const std::uint32_t*>(row)[x];
  };
  EXPECT_EQ(pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(pixel(1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(pixel(0, 1), 0xFF0000FFu);
  EXPECT_EQ(pixel(1, 1), 0xFF00FF00u);
}

// The program's own cursor and icon: what their masks hide is fully transparent, the rest opaque.
TEST(SdlPictureSurface, MaskedPixelsAreTransparent) {
  for (const char* name : {"hand.cur", "ferrowind.ico"}) {
    const auto picture = LoadResourcePictureNamed(name);
    ASSERT_NE(picture, nullptr) << name;
    const SurfacePtr surface = PictureSurface(*picture);
    ASSERT_NE(surface, nullptr) << name;
    const IconImage& image = picture->image();
    int transparent = 0;
    for (int y = 0; y < image.height; ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(
          static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch);
      for (int x = 0; x < image.width; ++x) {
        const auto i = static_cast<std::size_t>(y * image.width + x);
        const std::uint32_t alpha = row[x] >> 24;
        EXPECT_EQ(alpha, image.mask[i] ? 0u : 0xFFu) << name << " at " << x << "," << y;
        if (image.mask[i]) {
          ++transparent;
        } else {
          EXPECT_EQ(row[x] & 0xFFFFFFu, image.color[i]) << name << " at " << x << "," << y;
        }
      }
    }
    EXPECT_GT(transparent, 0) << name;
  }
}

}  // namespace
}  // namespace fw::sdl
