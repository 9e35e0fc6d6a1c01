#pragma once
// Pictures made by the program itself (a surface's image, generated artwork), kept as the
// 24-bit BMP file they would be saved as, so that they persist like any loaded picture.
#include <cstdint>
#include <vector>

#include "platform/gdi.h"
#include "platform/picture.h"

namespace fw {

// A 24-bit bottom-up BI_RGB BMP file of `image`'s colours (its mask is not stored).
std::vector<std::uint8_t> EncodeBmp24(const IconImage& image);

// A bitmap picture of `image`'s colours.
Picture BitmapPicture(const IconImage& image);

}  // namespace fw
