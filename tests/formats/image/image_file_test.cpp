// Image files by their extension, written through a flushed temporary: an unknown extension or
// a missing folder is an error naming the file, and the old file stays as it was.
#include "formats/image/image_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace fw::image {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(ImageFileTest, AFailedWriteLeavesTheOldFile) {
  const char* root = std::getenv("FERROWIND_TEST_OUTPUT");
  const fs::path dir =
      (root != nullptr ? fs::path(root) : fs::temp_directory_path()) / "image_file";
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::ofstream(dir / "picture.ppm", std::ios::binary) << "old picture";
  const Image image{1, 1, {{1, 2, 3, 255}}};
  EXPECT_THROW(WriteImageFile(image, dir / "picture.bmp"), ImageError);
  try {
    WriteImageFile(image, dir / "missing" / "picture.ppm");
    ADD_FAILURE() << "a file was written in a missing folder";
  } catch (const ImageError& error) {
    const std::string what = error.what();
    EXPECT_NE(what.find((dir / "missing" / "picture.ppm").string()), std::string::npos) << what;
  }
  EXPECT_EQ(Read(dir / "picture.ppm"), "old picture");
  WriteImageFile(image, dir / "picture.ppm");
  EXPECT_EQ(Read(dir / "picture.ppm"), std::string("P6\n1 1\n255\n\x01\x02\x03"));
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir))
    names.insert(entry.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"picture.ppm"}));
}

}  // namespace
}  // namespace fw::image
