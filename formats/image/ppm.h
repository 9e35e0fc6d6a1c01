#pragma once
// Binary PPM (P6) files with 8-bit channels: written from an image's colours (its alpha is not
// stored) and read as an opaque image.
#include <iosfwd>
#include <string>

#include "formats/image/image.h"

namespace fw::image {

void WritePpm(const Image& image, std::ostream& out);

// Reads a P6 file with a maximum of 255; `name` names the file in the ImageError of anything
// else (a header that ends early or does not parse, truncated pixels).
Image ReadPpm(std::istream& in, const std::string& name);

}  // namespace fw::image
