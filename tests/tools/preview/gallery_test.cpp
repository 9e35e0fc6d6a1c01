// The gallery sheet: labels drawn on the sheet, a preview of every combination in each state,
// composited over the background.
#include "tools/preview/gallery.h"

#include <gtest/gtest.h>

#include <memory>

#include "formats/image/image_file.h"
#include "tests/tools/preview/preview_test_support.h"
#include "tools/preview/button_adapter.h"
#include "tools/preview/picture_files.h"

namespace fw::preview {
namespace {

TEST(Gallery, DrawsLabelsAndPreviewsOverTheBackground) {
  const auto device = CreatePlatformGdiDevice();
  PictureFiles pictures;
  ControlRecipe base;
  base.size = Size{40, 25};
  const image::Image sheet =
      BuildGallery(ButtonAdapter(), *device, base, pictures, kGalleryBackground);
  // 12 x 8 + 8 + 8 strips of five previews, four strips to a row.
  EXPECT_GT(sheet.width, 4 * 5 * 40);
  EXPECT_GT(sheet.height, 30 * 25);
  const image::Rgba background{0xB4, 0xB4, 0xB4, 255};
  EXPECT_EQ(sheet.At(0, 0), background);
  EXPECT_EQ(sheet.At(sheet.width - 1, sheet.height - 1), background);
  std::size_t text = 0;
  std::size_t other = 0;
  for (const image::Rgba& pixel : sheet.pixels) {
    EXPECT_EQ(pixel.a, 255);
    if (pixel == image::Rgba{0, 0, 0, 255}) ++text;
    if (!(pixel == background)) ++other;
  }
  EXPECT_GT(text, 1000u);
  // At least half of every preview's pixels are its own.
  EXPECT_GT(other, 120u * 5u * 40u * 25u / 2u);
}

TEST(Gallery, IsWrittenLikeOut) {
  const auto dir = test::ScratchDir();
  const test::ToolResult run = test::RunTool(
      {"--size", "40x25", "--parent", "0x00FFFF", "--gallery", (dir / "sheet.ppm").string()});
  ASSERT_EQ(run.status, kExitDone) << run.err;
  const image::Image sheet = image::ReadPpmFile(dir / "sheet.ppm");
  EXPECT_EQ(sheet.At(0, 0), (image::Rgba{0xFF, 0xFF, 0x00, 255}));
}

TEST(Gallery, ASheetTooLargeIsAnErrorThatWritesNothing) {
  const auto dir = test::ScratchDir();
  const test::ToolResult run =
      test::RunTool({"--size", "400x100", "--gallery", (dir / "sheet.png").string(), "--out",
                     (dir / "one.png").string()});
  EXPECT_EQ(run.status, kExitBadInput);
  EXPECT_NE(run.err.find("--gallery"), std::string::npos) << run.err;
  EXPECT_TRUE(std::filesystem::is_empty(dir));
}

}  // namespace
}  // namespace fw::preview
