#pragma once
// PNG files as the tools write them: 8 bits per channel, RGB when every pixel is opaque and
// RGBA otherwise, one zlib stream, no filters.
#include <iosfwd>

#include "formats/image/image.h"

namespace fw::image {

void WritePng(const Image& image, std::ostream& out);

}  // namespace fw::image
