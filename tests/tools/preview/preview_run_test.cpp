// The tool end to end: --dump, --save then --load, --out, exit statuses, and nothing written
// when an argument is bad or a file cannot be read.
#include "tools/preview/preview_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "platform/picture_encode.h"
#include "tests/tools/preview/preview_test_support.h"
#include "tools/image/image.h"
#include "tools/preview/container_bag.h"

namespace fw::preview::test {
namespace {

bool Mentions(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(PreviewRun, DumpPrintsEveryPropertyAfterTheSettings) {
  const ToolResult run =
      RunTool({"--set", "Caption=Go", "--set", "bordercolorhover=0x80000014", "--set",
               "ButtonType=1", "--set", "Value=True", "--enabled", "0", "--dump"});
  ASSERT_EQ(run.status, kExitDone) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  EXPECT_TRUE(Mentions(run.out, "\nCaption=\"Go\"\n"));
  EXPECT_TRUE(Mentions(run.out, "\nButtonType=1\n"));
  EXPECT_TRUE(Mentions(run.out, "\nValue=True\n"));
  EXPECT_TRUE(Mentions(run.out, "\nEnabled=False\n"));
  EXPECT_TRUE(run.out.starts_with("ButtonShape=0\nButtonStyle=1\n"));
  EXPECT_TRUE(run.out.ends_with("\nMousePointer=0\nMouseIcon=(none)\n"));
}

TEST(PreviewRun, APictureIsPrintedAsItsFile) {
  const auto dir = ScratchDir();
  IconImage pixels;
  pixels.width = 4;
  pixels.height = 3;
  pixels.color.assign(12, 0x00FF0000u);
  pixels.mask.assign(12, false);
  const std::vector<std::uint8_t> bmp = EncodeBmp24(pixels);
  WriteText(dir / "dot.bmp", std::string(bmp.begin(), bmp.end()));
  const std::string file = (dir / "dot.bmp").string();
  const ToolResult run = RunTool({"--set", "Picture=" + file, "--dump"});
  ASSERT_EQ(run.status, kExitDone) << run.err;
  EXPECT_TRUE(Mentions(run.out, "\nPicture=" + file + "\n")) << run.out;
  // Saved and loaded, it is the bag's picture.
  ASSERT_EQ(RunTool({"--set", "Picture=" + file, "--save", (dir / "p.json").string()}).status,
            kExitDone);
  const ToolResult loaded = RunTool({"--load", (dir / "p.json").string(), "--dump"});
  ASSERT_EQ(loaded.status, kExitDone) << loaded.err;
  EXPECT_TRUE(
      Mentions(loaded.out, "\nPicture=(saved bmp, " + std::to_string(bmp.size()) + " bytes)\n"))
      << loaded.out;
}

TEST(PreviewRun, SaveThenLoadGivesTheSameBag) {
  const auto dir = ScratchDir();
  const std::string first = (dir / "first.json").string();
  const std::string second = (dir / "second.json").string();
  const ToolResult save = RunTool({"--size", "90x30", "--set", "ButtonShape=1", "--set",
                                   "Caption=Hi", "--set", "BackColorHover=0x00FF00", "--set",
                                   "CaptionEffect=3", "--font", "Arial,10,bold", "--save", first});
  ASSERT_EQ(save.status, kExitDone) << save.err;
  const ToolResult load = RunTool({"--load", first, "--save", second});
  ASSERT_EQ(load.status, kExitDone) << load.err;
  EXPECT_EQ(ReadText(first), ReadText(second));

  const auto json = nlohmann::ordered_json::parse(ReadText(first));
  ASSERT_GE(json.size(), 2u);
  EXPECT_EQ(json.begin().key(), "_ExtentX");
  EXPECT_EQ(std::next(json.begin()).key(), "_ExtentY");
  EXPECT_EQ(json["_ExtentX"], 2381);  // 1350 twips
  EXPECT_EQ(json["_ExtentY"], 794);   // 450 twips
  EXPECT_EQ(json["ButtonShape"], 1);
  EXPECT_EQ(json["Caption"], "Hi");
  EXPECT_EQ(json["Font"]["name"], "Arial");
  EXPECT_FALSE(json.contains("ButtonStyle"));  // equal to its default

  // The container keeps the extent for itself: the window takes it, the control never sees it.
  const SavedControl saved = ReadSavedControl(first);
  EXPECT_FALSE(saved.bag.Contains("_ExtentX"));
  EXPECT_FALSE(saved.bag.Contains("_ExtentY"));
  ASSERT_TRUE(saved.extent_twips.has_value());
  EXPECT_EQ(*saved.extent_twips, (Size{1350, 450}));
  const ToolResult dump =
      RunTool({"--load", first, "--dump", "--out", (dir / "loaded.ppm").string()});
  ASSERT_EQ(dump.status, kExitDone) << dump.err;
  EXPECT_TRUE(Mentions(dump.out, "\nCaption=\"Hi\"\n"));
  EXPECT_TRUE(Mentions(dump.out, "\nFont=Arial,10,bold\n"));
  const image::Image image = image::ReadPpmFile(dir / "loaded.ppm");
  EXPECT_EQ(image.width, 90);
  EXPECT_EQ(image.height, 30);
}

TEST(PreviewRun, ExtentsConvertBetweenTwipsAndHimetric) {
  EXPECT_EQ(TwipsToHimetric(1200), 2117);
  EXPECT_EQ(TwipsToHimetric(500), 882);
  EXPECT_EQ(HimetricToTwips(2117), 1200);
  EXPECT_EQ(HimetricToTwips(882), 500);
  for (int twips = 375; twips < 3000; twips += 15) {
    EXPECT_EQ(HimetricToTwips(TwipsToHimetric(twips)), twips);
  }
}

TEST(PreviewRun, OutWritesTheFinalSize) {
  const auto dir = ScratchDir();
  ASSERT_EQ(RunTool({"--size", "70x20", "--set", "ButtonShape=2", "--parent", "0x123456", "--out",
                     (dir / "round.ppm").string()})
                .status,
            kExitDone);
  const image::Image image = image::ReadPpmFile(dir / "round.ppm");
  EXPECT_EQ(image.width, 70);
  EXPECT_EQ(image.height, 70);
  // The ellipse's corner shows the parent colour.
  EXPECT_EQ(image.At(0, 0), (image::Rgba{0x56, 0x34, 0x12, 255}));
}

TEST(PreviewRun, ABadArgumentWritesNothing) {
  const auto dir = ScratchDir();
  const std::vector<std::string> outputs = {
      "--out",     (dir / "x.png").string(), "--save", (dir / "x.json").string(),
      "--gallery", (dir / "g.ppm").string(), "--dump"};
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"--set", "Bogus=1"}, {"--set", "ButtonShape=two"}, {"--state", "asleep"}}) {
    std::vector<std::string> args = outputs;
    args.insert(args.end(), bad.begin(), bad.end());
    const ToolResult run = RunTool(args);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_TRUE(run.err.starts_with("ferrowind-preview: ")) << run.err;
    EXPECT_TRUE(Mentions(run.err, "usage: ferrowind-preview")) << run.err;
    EXPECT_TRUE(std::filesystem::is_empty(dir)) << bad[1];
  }
}

TEST(PreviewRun, AnUnreadableFileExits1NamingIt) {
  const auto dir = ScratchDir();
  const std::string missing = (dir / "missing.bmp").string();
  const ToolResult picture =
      RunTool({"--set", "Picture=" + missing, "--out", (dir / "x.png").string()});
  EXPECT_EQ(picture.status, kExitFileError);
  EXPECT_TRUE(Mentions(picture.err, missing)) << picture.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));

  const std::string no_bag = (dir / "none.json").string();
  const ToolResult load = RunTool({"--load", no_bag, "--dump"});
  EXPECT_EQ(load.status, kExitFileError);
  EXPECT_TRUE(Mentions(load.err, no_bag)) << load.err;
  EXPECT_TRUE(load.out.empty());

  WriteText(dir / "broken.json", "{\"ButtonShape\": ");
  const ToolResult broken = RunTool({"--load", (dir / "broken.json").string(), "--dump"});
  EXPECT_EQ(broken.status, kExitFileError);
  EXPECT_TRUE(Mentions(broken.err, "broken.json")) << broken.err;

  WriteText(dir / "wrong.json", "{\"ButtonShape\": \"round\"}");
  const ToolResult wrong = RunTool({"--load", (dir / "wrong.json").string(), "--dump"});
  EXPECT_EQ(wrong.status, kExitFileError);
  EXPECT_TRUE(Mentions(wrong.err, "wrong.json")) << wrong.err;
  EXPECT_TRUE(Mentions(wrong.err, "ButtonShape")) << wrong.err;
}

TEST(PreviewRun, AResourcePictureIsAnErrorNamingItsKey) {
  const auto dir = ScratchDir();
  WriteText(dir / "res.json", "{\"Caption\": \"x\", \"MouseIcon\": {\"resource\": \"HAND\"}}");
  const ToolResult run = RunTool({"--load", (dir / "res.json").string(), "--dump"});
  EXPECT_EQ(run.status, kExitFileError);
  EXPECT_TRUE(Mentions(run.err, "res.json")) << run.err;
  EXPECT_TRUE(Mentions(run.err, "MouseIcon")) << run.err;
  EXPECT_TRUE(run.out.empty());
}

TEST(PreviewRun, HelpPrintsTheUsage) {
  const ToolResult run = RunTool({"--help"});
  EXPECT_EQ(run.status, kExitDone);
  EXPECT_TRUE(run.out.starts_with("usage: ferrowind-preview")) << run.out;
}

}  // namespace
}  // namespace fw::preview::test
