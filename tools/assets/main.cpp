// ferrowind-assets: draws the program's icon, padlock bitmaps and hand cursor into a folder
// (app/res holds the committed copies), and with --preview also magnified PNG views of them.
//
//   ferrowind-assets OUTDIR [--preview DIR]
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tools/assets/assets.h"
#include "tools/image/image.h"

namespace {

// Through a temporary file renamed into place: a failed run never leaves half a file.
void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::filesystem::path partial = path;
  partial += ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error(path.string() + ": cannot write");
  }
  std::filesystem::rename(partial, path);
}

int Usage() {
  std::cerr << "usage: ferrowind-assets OUTDIR [--preview DIR]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  if (args.size() != 1 && !(args.size() == 3 && args[1] == "--preview")) return Usage();
  try {
    const std::filesystem::path out = args[0];
    std::filesystem::create_directories(out);
    for (const fw::assets::AssetFile& file : fw::assets::MakeAssets()) {
      WriteFile(out / file.name, file.bytes);
    }
    if (args.size() == 3) {
      const std::filesystem::path preview = args[2];
      std::filesystem::create_directories(preview);
      for (const fw::assets::Preview& sheet : fw::assets::MakePreviews()) {
        fw::image::WriteImageFile(sheet.image, preview / sheet.name);
      }
    }
  } catch (const std::exception& e) {
    std::cerr << "ferrowind-assets: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
