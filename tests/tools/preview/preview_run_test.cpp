// The tool end to end: --dump, --save then --load, --out, exit statuses, and nothing written
// (no output made or changed, nothing printed) when an argument or input file is bad or an
// output cannot be written.
#include "tools/preview/preview_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "formats/image/bmp.h"
#include "formats/image/image_file.h"
#include "tests/tools/preview/preview_test_support.h"
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
  const image::Image red{4, 3, std::vector<image::Rgba>(12, image::Rgba{0xFF, 0, 0, 255})};
  const std::vector<std::uint8_t> bmp = image::EncodeBmp24(red);
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
    EXPECT_EQ(run.status, kExitBadInput);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_TRUE(run.err.starts_with("ferrowind-preview: ")) << run.err;
    EXPECT_TRUE(Mentions(run.err, "usage: ferrowind-preview")) << run.err;
    EXPECT_TRUE(std::filesystem::is_empty(dir)) << bad[1];
  }
}

// A folder's files with their contents and modification times.
using Snapshot = std::map<std::string, std::pair<std::string, std::filesystem::file_time_type>>;

Snapshot SnapshotOf(const std::filesystem::path& dir) {
  Snapshot files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
    const std::string name = entry.path().lexically_relative(dir).generic_string();
    files[name] = {entry.is_regular_file() ? ReadText(entry.path()) : "(folder)",
                   entry.last_write_time()};
  }
  return files;
}

// A folder holding an old output of every kind, which a failed run must leave as it is.
class PreviewFailure : public ::testing::Test {
 protected:
  PreviewFailure() {
    WriteText(dir_ / "old.png", "old picture");
    WriteText(dir_ / "old.json", "{\"Caption\": \"old\"}\n");
    WriteText(dir_ / "old-gallery.ppm", "old gallery");
  }

  std::string In(const std::string& name) const { return (dir_ / name).string(); }

  // Runs `args` (after asking for every output over the old ones when `every_output`): the
  // tool must exit with `status`, name `named` in its message, print nothing and write nothing.
  ToolResult RunFailing(std::vector<std::string> args, int status, const std::string& named,
                        bool every_output = true) {
    if (every_output) {
      args.insert(args.begin(), {"--out", In("old.png"), "--save", In("old.json"), "--gallery",
                                 In("old-gallery.ppm"), "--dump", "--size", "40x25"});
    }
    const Snapshot before = SnapshotOf(dir_);
    const ToolResult run = RunTool(args);
    EXPECT_EQ(run.status, status) << named << ": " << run.err;
    EXPECT_TRUE(run.err.starts_with("ferrowind-preview: ")) << run.err;
    EXPECT_TRUE(Mentions(run.err, named)) << named << ": " << run.err;
    EXPECT_TRUE(run.out.empty()) << named << ": " << run.out;
    EXPECT_EQ(SnapshotOf(dir_), before) << named;
    return run;
  }

  const std::filesystem::path dir_ = ScratchDir();
};

TEST_F(PreviewFailure, ABadPictureFileExits2NamingIt) {
  std::filesystem::create_directory(dir_ / "folder.bmp");
  WriteText(dir_ / "garbage.bmp", "this is not a bitmap");
  WriteText(dir_ / "empty.ico", "");
  WriteText(dir_ / "notes.txt", "a picture's name must say its type");
  RunFailing({"--set", "Picture=" + In("missing.bmp")}, kExitBadInput, In("missing.bmp"));
  RunFailing({"--set", "Picture=" + In("folder.bmp")}, kExitBadInput, In("folder.bmp"));
  RunFailing({"--set", "Picture=" + In("garbage.bmp")}, kExitBadInput, In("garbage.bmp"));
  RunFailing({"--set", "MouseIcon=" + In("empty.ico")}, kExitBadInput, In("empty.ico"));
  RunFailing({"--set", "Picture=" + In("notes.txt")}, kExitBadInput, In("notes.txt"));
  RunFailing({"--control", "vbButton", "--set", "PictureNormal=" + In("garbage.bmp")},
             kExitBadInput, In("garbage.bmp"));
}

TEST_F(PreviewFailure, ABadSavedBagExits2NamingIt) {
  std::filesystem::create_directory(dir_ / "folder.json");
  const std::vector<std::pair<std::string, std::string>> bags = {
      {"empty.json", ""},
      {"broken.json", "{\"ButtonShape\": "},
      {"list.json", "[1, 2]"},
      {"wrong.json", "{\"ButtonShape\": \"round\"}"},
      {"extent.json", "{\"_ExtentX\": 0, \"_ExtentY\": 500}"},
      {"resource.json", "{\"Caption\": \"x\", \"MouseIcon\": {\"resource\": \"HAND\"}}"}};
  for (const auto& [name, text] : bags) WriteText(dir_ / name, text);
  RunFailing({"--load", In("missing.json")}, kExitBadInput, In("missing.json"));
  RunFailing({"--load", In("folder.json")}, kExitBadInput, In("folder.json"));
  for (const auto& [name, text] : bags) RunFailing({"--load", In(name)}, kExitBadInput, In(name));
  // What is wrong in the file is named too.
  EXPECT_TRUE(
      Mentions(RunFailing({"--load", In("wrong.json")}, kExitBadInput, In("wrong.json")).err,
               "ButtonShape"));
  EXPECT_TRUE(
      Mentions(RunFailing({"--load", In("resource.json")}, kExitBadInput, In("resource.json")).err,
               "MouseIcon"));
  // A vbButton's bag has keys of its own; one of the wrong type.
  WriteText(dir_ / "vbwrong.json", "{\"BCOL\": \"red\"}");
  EXPECT_TRUE(Mentions(RunFailing({"--control", "vbButton", "--load", In("vbwrong.json")},
                                  kExitBadInput, In("vbwrong.json"))
                           .err,
                       "BCOL"));
}

TEST_F(PreviewFailure, BadOutputNamesExit2) {
  RunFailing({"--out", In("x.bmp"), "--save", In("x.json")}, kExitBadInput, "x.bmp", false);
  RunFailing({"--gallery", In("x.jpg"), "--out", In("x.png")}, kExitBadInput, "x.jpg", false);
  RunFailing({"--save", "", "--out", In("x.png")}, kExitBadInput, "--save", false);
  // Two outputs in one file.
  RunFailing({"--out", In("same.png"), "--gallery", In("./same.png")}, kExitBadInput,
             "the same file", false);
  RunFailing({"--save", In("same.png"), "--out", In("same.png")}, kExitBadInput, "the same file",
             false);
}

TEST_F(PreviewFailure, AnOutputThatCannotBeWrittenExits1AndWritesNoneOfThem) {
  WriteText(dir_ / "plain", "a file, not a folder");
  std::filesystem::create_directory(dir_ / "folder.json");
  // Each output in turn fails while the others would have worked.
  const std::string missing = In("missing/x.png");
  RunFailing({"--save", In("old.json"), "--out", missing, "--dump"}, kExitWriteFailed, missing,
             false);
  RunFailing({"--out", In("old.png"), "--save", In("folder.json"), "--dump"}, kExitWriteFailed,
             In("folder.json"), false);
  RunFailing({"--size", "40x25", "--out", In("old.png"), "--save", In("old.json"), "--gallery",
              In("plain/sheet.ppm")},
             kExitWriteFailed, In("plain/sheet.ppm"), false);

  // The same outputs where they can be written: all three replaced, nothing else left.
  const Snapshot before = SnapshotOf(dir_);
  const ToolResult run = RunTool({"--size", "40x25", "--out", In("old.png"), "--save",
                                  In("old.json"), "--gallery", In("old-gallery.ppm"), "--dump"});
  ASSERT_EQ(run.status, kExitDone) << run.err;
  EXPECT_TRUE(Mentions(run.out, "\nCaption=\"Button1\"\n")) << run.out;
  const Snapshot after = SnapshotOf(dir_);
  ASSERT_EQ(after.size(), before.size());
  for (const std::string name : {"old.png", "old.json", "old-gallery.ppm"}) {
    ASSERT_TRUE(after.contains(name)) << name;
    EXPECT_NE(after.at(name).first, before.at(name).first) << name;
  }
  EXPECT_TRUE(after.at("old.png").first.starts_with("\x89PNG"));
  EXPECT_TRUE(after.at("old-gallery.ppm").first.starts_with("P6\n"));
  EXPECT_TRUE(after.at("old.json").first.starts_with("{"));
}

TEST(PreviewRun, HelpPrintsTheUsage) {
  const ToolResult run = RunTool({"--help"});
  EXPECT_EQ(run.status, kExitDone);
  EXPECT_TRUE(run.out.starts_with("usage: ferrowind-preview")) << run.out;
}

}  // namespace
}  // namespace fw::preview::test
