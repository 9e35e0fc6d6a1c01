// The files built into the program: every listed file is there under its name with exactly
// its bytes, nothing else is, and the pictures among them load by name, also through a
// property bag's picture resolver.
#include "platform/resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "formats/json/property_bag_json.h"
#include "platform/resource_pictures.h"

namespace fw {
namespace {

// The files the build embedded (FERROWIND_RESOURCE_FILES, joined with '|').
std::vector<std::filesystem::path> ListedFiles() {
  std::vector<std::filesystem::path> files;
  std::istringstream list(FERROWIND_EMBEDDED_FILES);
  std::string file;
  while (std::getline(list, file, '|')) files.emplace_back(file);
  return files;
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << path;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Resources, EveryListedFileIsEmbeddedWithItsExactBytes) {
  const std::vector<std::filesystem::path> files = ListedFiles();
  ASSERT_GE(files.size(), 4u);
  std::vector<std::string_view> expected_names;
  for (const auto& file : files) {
    const std::string name = file.filename().string();
    const auto bytes = ResourceBytes(name);
    ASSERT_TRUE(bytes.has_value()) << name;
    const std::vector<std::uint8_t> on_disk = ReadFile(file);
    ASSERT_FALSE(on_disk.empty()) << file;
    EXPECT_EQ(bytes->size(), on_disk.size()) << name;
    EXPECT_TRUE(std::equal(bytes->begin(), bytes->end(), on_disk.begin(), on_disk.end())) << name;
  }
  std::vector<std::string> names;
  for (const auto& file : files) names.push_back(file.filename().string());
  const std::vector<std::string_view> listed = ResourceNames();
  EXPECT_EQ(std::vector<std::string>(listed.begin(), listed.end()), names);
}

TEST(Resources, ProgramsResourcesAreAmongThem) {
  for (const char* name : {"ferrowind.ico", "padlock_closed.bmp", "padlock_open.bmp", "hand.cur"}) {
    EXPECT_TRUE(ResourceBytes(name).has_value()) << name;
  }
  EXPECT_EQ(ResourceBytes("hand.cur")->size(), 326u);
}

TEST(Resources, NamesIgnoreLetterCase) {
  const auto lower = ResourceBytes("padlock_open.bmp");
  const auto upper = ResourceBytes("PADLOCK_OPEN.BMP");
  const auto mixed = ResourceBytes("Padlock_Open.Bmp");
  ASSERT_TRUE(lower && upper && mixed);
  EXPECT_EQ(upper->data(), lower->data());
  EXPECT_EQ(mixed->size(), lower->size());
}

TEST(Resources, UnknownNamesAreNotFound) {
  for (const char* name : {"", "hand", "hand.cu", "hand.cur ", " hand.cur", "hand.cur.bak",
                           "res/hand.cur", "app/res/hand.cur", "padlock.bmp", "ferrowind.ic0"}) {
    EXPECT_FALSE(ResourceBytes(name).has_value()) << '"' << name << '"';
  }
}

TEST(ResourcePictures, EachPictureLoadsByNameAsAResource) {
  struct Expected {
    const char* name;
    PictureKind kind;
    int width;
    int height;
  };
  for (const Expected& e : {Expected{"ferrowind.ico", PictureKind::Icon, 256, 256},
                            Expected{"padlock_closed.bmp", PictureKind::Bitmap, 52, 72},
                            Expected{"padlock_open.bmp", PictureKind::Bitmap, 50, 73},
                            Expected{"hand.cur", PictureKind::Cursor, 32, 32}}) {
    const std::shared_ptr<const Picture> picture = LoadResourcePictureNamed(e.name);
    ASSERT_NE(picture, nullptr) << e.name;
    EXPECT_EQ(picture->kind(), e.kind) << e.name;
    EXPECT_EQ(picture->width(), e.width) << e.name;
    EXPECT_EQ(picture->height(), e.height) << e.name;
    EXPECT_TRUE(picture->from_resource()) << e.name;
    EXPECT_EQ(picture->resource_name(), e.name);
    EXPECT_TRUE(picture->file_bytes().empty()) << e.name;
  }
  EXPECT_EQ(LoadResourcePictureNamed("hand.cur")->hot_spot().x, 0);
}

TEST(ResourcePictures, KeepTheEmbeddedSpellingOfTheName) {
  const auto picture = LoadResourcePictureNamed("HAND.CUR");
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->resource_name(), "hand.cur");
  EXPECT_TRUE(picture->SameSourceAs(*LoadResourcePictureNamed("hand.cur")));
}

TEST(ResourcePictures, UnknownNamesAndOtherFilesGiveNoPicture) {
  EXPECT_EQ(LoadResourcePictureNamed("nothing.bmp"), nullptr);
  EXPECT_EQ(LoadResourcePictureNamed(""), nullptr);
  for (const std::string_view name : ResourceNames()) {
    if (name.ends_with(".json")) {
      EXPECT_EQ(LoadResourcePictureNamed(name), nullptr) << name;
    }
  }
}

TEST(ResourcePictures, ServeAsAPropertyBagsPictureResolver) {
  const PictureResolver resolver = LoadResourcePictureNamed;
  const PropertyBag bag = PropertyBagFromJson(
      R"({"MouseIcon": {"resource": "hand.cur"}, "Picture": {"resource": "padlock_closed.bmp"}})",
      resolver);
  const PicturePtr cursor = bag.ReadPicture("MouseIcon", nullptr);
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(cursor->kind(), PictureKind::Cursor);
  const PicturePtr padlock = bag.ReadPicture("Picture", nullptr);
  ASSERT_NE(padlock, nullptr);
  EXPECT_EQ(padlock->width(), 52);
  // Saved back as the same reference.
  EXPECT_EQ(PropertyBagToJson(bag)["MouseIcon"]["resource"], "hand.cur");
  EXPECT_THROW(PropertyBagFromJson(R"({"Picture": {"resource": "missing.bmp"}})", resolver),
               PropertyBagError);
}

}  // namespace
}  // namespace fw
