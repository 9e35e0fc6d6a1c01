#pragma once
// Pictures made by the program itself (a surface's image, generated artwork), and the 24-bit
// BMP file they are saved as.
#include <cstdint>
#include <vector>

#include "platform/gdi.h"
#include "platform/picture.h"

namespace fw {

// A 24-bit bottom-up BI_RGB BMP file of `image`'s colours (its mask is not stored).
std::vector<std::uint8_t> EncodeBmp24(const IconImage& image);

// A bitmap picture of `image`'s colours, kept as they are (no file is made until it is saved).
Picture BitmapPicture(IconImage image);

}  // namespace fw
