#pragma once
// Image files by their extension: .ppm (formats/image/ppm.h) or .png (formats/image/png.h).
// Writes go through a temporary file flushed and renamed into place (fileio/output_files.h),
// so a failure leaves the file as it was.
#include <filesystem>
#include <string>

#include "formats/image/image.h"

namespace fw::image {

// The file's bytes for the extension of `path`. Throws ImageError for another extension.
std::string EncodeImageFile(const Image& image, const std::filesystem::path& path);

// Writes `image` as the extension of `path` says. Throws ImageError naming `path`.
void WriteImageFile(const Image& image, const std::filesystem::path& path);

Image ReadPpmFile(const std::filesystem::path& path);

}  // namespace fw::image
