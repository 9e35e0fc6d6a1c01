// Image files by their extension, written through a flushed temporary: an unknown extension or
// a missing folder is an error naming the file, and the old file stays as it was.
#include "formats/image/image_file.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/fileio/test_folder.h"

namespace fw::image {
namespace {

class ImageFileTest : public test::TestFolder {
 protected:
  ImageFileTest() : TestFolder("image_file") {}
};

TEST_F(ImageFileTest, AFailedWriteLeavesTheOldFile) {
  Write(dir_ / "picture.ppm", "old picture");
  const Image image{1, 1, {{1, 2, 3, 255}}};
  EXPECT_THROW(WriteImageFile(image, dir_ / "picture.bmp"), ImageError);
  try {
    WriteImageFile(image, dir_ / "missing" / "picture.ppm");
    ADD_FAILURE() << "a file was written in a missing folder";
  } catch (const ImageError& error) {
    const std::string what = error.what();
    EXPECT_NE(what.find((dir_ / "missing" / "picture.ppm").string()), std::string::npos) << what;
  }
  EXPECT_EQ(Read(dir_ / "picture.ppm"), "old picture");
  WriteImageFile(image, dir_ / "picture.ppm");
  EXPECT_EQ(Read(dir_ / "picture.ppm"), std::string("P6\n1 1\n255\n\x01\x02\x03"));
  EXPECT_EQ(Listing(), (std::set<std::string>{"picture.ppm"}));
}

}  // namespace
}  // namespace fw::image
