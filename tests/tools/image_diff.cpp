// image-diff EXPECTED.ppm ACTUAL.ppm MIN_SHARE [EVIDENCE_DIR]
// Compares two images pixel by pixel. Prints the share of identical pixels, the number of
// differing ones and the first difference; passes (exit 0) when the share reaches MIN_SHARE
// (1 = every pixel). On failure writes expected.png, actual.png and diff.png to EVIDENCE_DIR.
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <string>

#include "formats/image/image_file.h"

int main(int argc, char** argv) {
  if (argc < 4 || argc > 5) {
    std::cerr << "usage: image-diff EXPECTED.ppm ACTUAL.ppm MIN_SHARE [EVIDENCE_DIR]\n";
    return 2;
  }
  try {
    const auto expected = fw::image::ReadPpmFile(argv[1]);
    const auto actual = fw::image::ReadPpmFile(argv[2]);
    const double min_share = std::stod(argv[3]);
    if (expected.width != actual.width || expected.height != actual.height) {
      std::cout << "size differs: expected " << expected.width << "x" << expected.height
                << ", actual " << actual.width << "x" << actual.height << "\n";
      return 1;
    }
    std::size_t differing = 0;
    fw::image::Image diff = expected;
    int first_x = -1;
    int first_y = -1;
    for (int y = 0; y < expected.height; ++y) {
      for (int x = 0; x < expected.width; ++x) {
        const bool same = expected.At(x, y) == actual.At(x, y);
        diff.At(x, y) =
            same ? fw::image::Rgba{255, 255, 255, 255} : fw::image::Rgba{255, 0, 0, 255};
        if (!same && differing++ == 0) {
          first_x = x;
          first_y = y;
        }
      }
    }
    const std::size_t total = expected.pixels.size();
    const double share =
        total == 0 ? 1.0 : 1.0 - static_cast<double>(differing) / static_cast<double>(total);
    std::cout << std::fixed << std::setprecision(4) << "identical: " << share * 100.0 << "% ("
              << total - differing << " of " << total << "), differing: " << differing << "\n";
    if (differing > 0) {
      const auto hex = [](const fw::image::Rgba& p) {
        char text[16];
        std::snprintf(text, sizeof text, "#%02X%02X%02X", p.r, p.g, p.b);
        return std::string(text);
      };
      std::cout << "first difference at (" << first_x << ", " << first_y << "): expected "
                << hex(expected.At(first_x, first_y)) << ", actual "
                << hex(actual.At(first_x, first_y)) << "\n";
    }
    if (share + 1e-12 >= min_share) return 0;
    if (argc == 5) {
      const std::filesystem::path dir = argv[4];
      std::filesystem::create_directories(dir);
      fw::image::WriteImageFile(expected, dir / "expected.png");
      fw::image::WriteImageFile(actual, dir / "actual.png");
      fw::image::WriteImageFile(diff, dir / "diff.png");
      std::cout << "evidence written to " << dir.string() << "\n";
    }
    return 1;
  } catch (const std::exception& error) {
    std::cerr << "image-diff: " << error.what() << "\n";
    return 2;
  }
}
