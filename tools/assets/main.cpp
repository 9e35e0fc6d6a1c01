// ferrowind-assets: draws the program's icon, padlock bitmaps and hand cursor into a folder
// (app/res holds the committed copies), and with --preview also magnified PNG views of them;
// with --theme-icons, the icon at each of its sizes as the PNGs of the desktop's icon theme
// (DIR/<size>x<size>/apps/ferrowind.png), for the Linux package.
//
//   ferrowind-assets OUTDIR [--preview DIR]
//   ferrowind-assets --theme-icons DIR
#include <exception>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fileio/output_files.h"
#include "formats/image/image_file.h"
#include "formats/image/png.h"
#include "tools/assets/app_icon_art.h"
#include "tools/assets/assets.h"

namespace {

int Usage() {
  std::cerr << "usage: ferrowind-assets OUTDIR [--preview DIR]\n"
               "       ferrowind-assets --theme-icons DIR\n";
  return 2;
}

void Stage(fw::OutputFiles& files, const std::filesystem::path& file, std::string_view bytes) {
  std::filesystem::create_directories(file.parent_path());
  files.Stage(file, bytes);
}

// All the files or none: a failed run never leaves half a set, or half a file.
void WriteAssets(const std::filesystem::path& out) {
  fw::OutputFiles files;
  for (const fw::assets::AssetFile& file : fw::assets::MakeAssets()) {
    Stage(files, out / file.name,
          std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
  }
  files.Commit();
}

void WriteThemeIcons(const std::filesystem::path& folder) {
  fw::OutputFiles files;
  for (const int size : fw::assets::kAppIconSizes) {
    std::ostringstream png;
    fw::image::WritePng(fw::assets::AppIconImage(size), png);
    const std::string square = std::to_string(size) + "x" + std::to_string(size);
    Stage(files, folder / square / "apps" / "ferrowind.png", png.str());
  }
  files.Commit();
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const bool theme_icons = args.size() == 2 && args[0] == "--theme-icons";
  if (!theme_icons && args.size() != 1 && !(args.size() == 3 && args[1] == "--preview")) {
    return Usage();
  }
  // An option in a folder's place ("--help") is a mistake, not a folder to make.
  const std::string& folder = theme_icons ? args[1] : args[0];
  if (folder.starts_with('-') || (args.size() == 3 && args[2].starts_with('-'))) return Usage();
  try {
    if (theme_icons) {
      WriteThemeIcons(folder);
      return 0;
    }
    WriteAssets(folder);
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
