#include "formats/image/image_file.h"

#include <fstream>
#include <sstream>

#include "fileio/output_files.h"
#include "formats/image/png.h"
#include "formats/image/ppm.h"

namespace fw::image {

std::string EncodeImageFile(const Image& image, const std::filesystem::path& path) {
  const std::filesystem::path extension = path.extension();
  if (extension != ".ppm" && extension != ".png") {
    throw ImageError(path.string() + ": unknown image type (use .ppm or .png)");
  }
  std::ostringstream out(std::ios::binary);
  if (extension == ".ppm") {
    WritePpm(image, out);
  } else {
    WritePng(image, out);
  }
  return std::move(out).str();
}

void WriteImageFile(const Image& image, const std::filesystem::path& path) {
  const std::string bytes = EncodeImageFile(image, path);
  try {
    OutputFiles files;
    files.Stage(path, bytes);
    files.Commit();
  } catch (const OutputError& error) {
    throw ImageError(error.what());
  }
}

Image ReadPpmFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ImageError(path.string() + ": cannot open");
  return ReadPpm(in, path.string());
}

}  // namespace fw::image
