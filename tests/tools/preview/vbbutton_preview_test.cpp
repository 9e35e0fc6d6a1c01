// The preview tool with --control vbButton: its properties on the command line, --dump, --out,
// --save and --load, and the gallery.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "formats/image/image_file.h"
#include "tests/tools/preview/preview_test_support.h"
#include "tools/preview/preview_options.h"
#include "tools/preview/vbbutton_adapter.h"

namespace fw::preview::test {
namespace {

bool Mentions(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

PreviewOptions Parse(const std::vector<std::string>& args) {
  return ParsePreviewOptions(args);
}

TEST(VbButtonPreview, PropertiesAreTheVbButtonsWhereverControlIsNamed) {
  const PreviewOptions before =
      Parse({"--set", "ButtonType=3", "--control", "vbbutton", "--font", "Tahoma,9", "--dump"});
  EXPECT_EQ(before.control, "vbButton");
  ASSERT_EQ(before.assignments.size(), 2u);
  ASSERT_EQ(before.assignments[0].property,
            FindProperty(VbButtonAdapter().Properties(), "ButtonType"));
  EXPECT_EQ(before.assignments[0].property->name, "ButtonType");
  EXPECT_EQ(std::get<std::int32_t>(before.assignments[0].value), 3);
  EXPECT_EQ(before.assignments[1].property->name, "Font");
  const PreviewOptions inline_form =
      Parse({"--control=vbButton", "--set", "backover=0xFF", "--dump"});
  EXPECT_EQ(inline_form.assignments[0].property->name, "BackOver");
}

TEST(VbButtonPreview, AButtonPropertyIsNotAVbButtonProperty) {
  EXPECT_THROW(Parse({"--control", "vbButton", "--set", "ButtonShape=2", "--dump"}), UsageError);
  EXPECT_THROW(Parse({"--set", "BackOver=0", "--dump"}), UsageError);  // Button has no BackOver
  try {
    Parse({"--control", "vbButton", "--set", "FontSize=40000", "--dump"});
    ADD_FAILURE() << "no UsageError";
  } catch (const UsageError& e) {
    EXPECT_TRUE(Mentions(e.what(), "FontSize")) << e.what();
  }
}

TEST(VbButtonPreview, TheTableHasEverySettablePropertyInInterfaceOrder) {
  std::vector<std::string> names;
  for (const PropertyRow& p : VbButtonAdapter().Properties()) names.emplace_back(p.name);
  EXPECT_EQ(names, (std::vector<std::string>{
                       "BackColor",     "BackOver",      "ForeColor",         "ForeOver",
                       "MaskColor",     "ButtonType",    "Caption",           "Enabled",
                       "Font",          "FontBold",      "FontItalic",        "FontUnderline",
                       "FontSize",      "FontName",      "ColorScheme",       "ShowFocusRect",
                       "MousePointer",  "MouseIcon",     "HandPointer",       "SoftBevel",
                       "PictureNormal", "PictureOver",   "PicturePosition",   "UseMaskColor",
                       "UseGreyscale",  "SpecialEffect", "CheckBoxBehaviour", "Value"}));
}

TEST(VbButtonPreview, DumpPrintsEveryPropertyAfterTheSettings) {
  const ToolResult run =
      RunTool({"--control", "vbButton", "--set", "Caption=&Go", "--set", "ButtonType=14", "--set",
               "fontsize=12", "--enabled", "0", "--dump"});
  ASSERT_EQ(run.status, kExitDone) << run.err;
  EXPECT_TRUE(run.out.starts_with("BackColor=0x"));
  EXPECT_TRUE(Mentions(run.out, "\nCaption=\"&Go\"\n"));
  EXPECT_TRUE(Mentions(run.out, "\nButtonType=14\n"));
  EXPECT_TRUE(Mentions(run.out, "\nFontSize=12\n"));
  EXPECT_TRUE(Mentions(run.out, "\nEnabled=False\n"));
  EXPECT_TRUE(run.out.ends_with("\nCheckBoxBehaviour=False\nValue=False\n"));
}

TEST(VbButtonPreview, OutDrawsTheLookAtTheGivenSizeWithItsRegion) {
  const auto dir = ScratchDir();
  ASSERT_EQ(RunTool({"--control", "vbButton", "--size", "60x20", "--set", "ColorScheme=3", "--set",
                     "ButtonType=1", "--set", "Caption=", "--parent", "0x123456", "--out",
                     (dir / "one.ppm").string()})
                .status,
            kExitDone);
  const image::Image image = image::ReadPpmFile(dir / "one.ppm");
  EXPECT_EQ(image.width, 60);
  EXPECT_EQ(image.height, 20);
  EXPECT_EQ(image.At(0, 0), (image::Rgba{0x56, 0x34, 0x12, 255}));  // cut from the region
  EXPECT_EQ(image.At(1, 0), (image::Rgba{0, 0, 0, 255}));           // the dark frame
  EXPECT_EQ(image.At(1, 1), (image::Rgba{255, 255, 255, 255}));     // the raised bevel
  EXPECT_EQ(image.At(30, 10), (image::Rgba{0xC0, 0xC0, 0xC0, 255}));
}

TEST(VbButtonPreview, TheParentColourIsBehindTypeElevenAndTheFaceOfSchemeFour) {
  const auto dir = ScratchDir();
  ASSERT_EQ(RunTool({"--control", "vbButton", "--set", "ButtonType=11", "--set",
                     "Caption=", "--parent", "0x204060", "--out", (dir / "see.ppm").string()})
                .status,
            kExitDone);
  EXPECT_EQ(image::ReadPpmFile(dir / "see.ppm").At(20, 10), (image::Rgba{0x60, 0x40, 0x20, 255}));
  ASSERT_EQ(RunTool({"--control", "vbButton", "--set", "ColorScheme=4", "--set",
                     "Caption=", "--parent", "0x0000A0", "--out", (dir / "parent.ppm").string()})
                .status,
            kExitDone);
  EXPECT_EQ(image::ReadPpmFile(dir / "parent.ppm").At(20, 10), (image::Rgba{0xA0, 0, 0, 255}));
}

TEST(VbButtonPreview, SaveThenLoadGivesTheSameBag) {
  const auto dir = ScratchDir();
  const std::string saved = (dir / "vb.json").string();
  ASSERT_EQ(RunTool({"--control", "vbButton", "--size", "90x40", "--set", "ButtonType=9", "--set",
                     "SoftBevel=True", "--set", "Caption=Saved", "--save", saved})
                .status,
            kExitDone);
  const std::string text = ReadText(saved);
  for (const char* key : {"\"BTYPE\": 9", "\"SOFT\": true", "\"TX\": \"Saved\"", "\"PICN\": null",
                          "\"VALUE\": false"}) {
    EXPECT_TRUE(Mentions(text, key)) << key << "\n" << text;
  }
  const std::string again = (dir / "again.json").string();
  const ToolResult loaded = RunTool({"--control", "vbButton", "--load", saved, "--save", again});
  ASSERT_EQ(loaded.status, kExitDone) << loaded.err;
  EXPECT_EQ(ReadText(again), text);
}

TEST(VbButtonPreview, TheGalleryShowsEveryTypeEachSchemeAndThePictures) {
  const auto dir = ScratchDir();
  const std::string file = (dir / "gallery.ppm").string();
  ASSERT_EQ(RunTool({"--control", "vbButton", "--size", "60x22", "--gallery", file}).status,
            kExitDone);
  const image::Image sheet = image::ReadPpmFile(file);
  EXPECT_GT(sheet.width, 4 * 5 * 60);
  // The sample picture's blue ring shows in the picture section.
  int ring = 0;
  for (const image::Rgba& p : sheet.pixels) ring += p == image::Rgba{0x20, 0x60, 0xC0, 255} ? 1 : 0;
  EXPECT_GT(ring, 0);
}

TEST(VbButtonPreview, TheSamplePictureHasSeeThroughCorners) {
  const PicturePtr sample = VbGallerySamplePicture();
  EXPECT_EQ(sample->width(), 16);
  EXPECT_EQ(sample->image().color[0], 0xC0C0C0u);
}

TEST(VbButtonPreview, ATooLargeGalleryIsRefused) {
  const auto dir = ScratchDir();
  const ToolResult run = RunTool(
      {"--control", "vbButton", "--size", "4000x400", "--gallery", (dir / "big.ppm").string()});
  EXPECT_EQ(run.status, kExitBadInput);
  EXPECT_TRUE(Mentions(run.err, "--gallery")) << run.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "big.ppm"));
}

}  // namespace
}  // namespace fw::preview::test
