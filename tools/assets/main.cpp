// ferrowind-assets: draws the program's icon, padlock bitmaps and hand cursor into a folder
// (app/res holds the committed copies), and with --preview also magnified PNG views of them.
//
//   ferrowind-assets OUTDIR [--preview DIR]
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "fileio/output_files.h"
#include "formats/image/image_file.h"
#include "tools/assets/assets.h"

namespace {

int Usage() {
  std::cerr << "usage: ferrowind-assets OUTDIR [--preview DIR]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  if (args.size() != 1 && !(args.size() == 3 && args[1] == "--preview")) return Usage();
  // An option in a folder's place ("--help") is a mistake, not a folder to make.
  if (args[0].starts_with('-') || (args.size() == 3 && args[2].starts_with('-'))) return Usage();
  try {
    const std::filesystem::path out = args[0];
    std::filesystem::create_directories(out);
    // All the files or none: a failed run never leaves half a set, or half a file.
    fw::OutputFiles files;
    for (const fw::assets::AssetFile& file : fw::assets::MakeAssets()) {
      files.Stage(
          out / file.name,
          std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
    }
    files.Commit();
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
