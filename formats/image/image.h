#pragma once
// An RGBA image in memory and the file formats the tools write and read: binary PPM (P6) and
// PNG. Loaders report what is wrong and where; writers never leave a half-written file.
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

namespace fw::image {

struct Rgba {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  std::uint8_t a = 255;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

struct Image {
  int width = 0;
  int height = 0;
  std::vector<Rgba> pixels;  // row-major, top-down
  Rgba& At(int x, int y) {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
  const Rgba& At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

class ImageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A surface's raw 32-bit DIB values (0xAARRGGBB) as an opaque image; the DIB's alpha byte is
// GDI's bookkeeping, not transparency.
Image FromDibPixels(int width, int height, const std::vector<std::uint32_t>& dib);

void WritePpm(const Image& image, std::ostream& out);
void WritePng(const Image& image, std::ostream& out);
Image ReadPpm(std::istream& in, const std::string& name);

// The file's bytes for the extension of `path` (.ppm or .png). Throws ImageError for another.
std::string EncodeImageFile(const Image& image, const std::filesystem::path& path);
// Writes by the extension through a temporary file renamed into place (output_files.h); a
// failure leaves `path` as it was. Throws ImageError naming `path`.
void WriteImageFile(const Image& image, const std::filesystem::path& path);
Image ReadPpmFile(const std::filesystem::path& path);

}  // namespace fw::image
