#pragma once
// Everything the generator makes: the files of app/res, and contact sheets to look at them.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/image/image.h"

namespace fw::assets {

struct AssetFile {
  std::string name;  // the file's name in app/res
  std::vector<std::uint8_t> bytes;
};

// The sizes of the program's icon, largest first: the icon file's 32-bit images, and the PNGs of
// the desktop's icon theme.
inline constexpr std::array<int, 5> kAppIconSizes = {256, 128, 48, 32, 16};

// The generated files, always in the same order and byte for byte the same.
std::vector<AssetFile> MakeAssets();

struct Preview {
  std::string name;  // a PNG file name
  image::Image image;
};

// Magnified views of every image, for people to look at; not committed.
std::vector<Preview> MakePreviews();

}  // namespace fw::assets
