// The preview tool's command line: every option, --set in order, and bad arguments as usage
// errors naming them.
#include "tools/preview/preview_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fw::preview {
namespace {

PreviewOptions Parse(const std::vector<std::string>& args) {
  return ParsePreviewOptions(args);
}

// The message of the usage error `args` give (empty when they parse).
std::string UsageMessage(const std::vector<std::string>& args) {
  try {
    Parse(args);
  } catch (const UsageError& error) {
    return error.what();
  }
  return "";
}

TEST(PreviewOptions, EveryOption) {
  const PreviewOptions options = Parse({"--control", "Button",
                                        "--size",    "120x40",
                                        "--set",     "ButtonShape=2",
                                        "--font",    "Arial,10,bold,italic",
                                        "--state",   "hover,pressed,focus",
                                        "--enabled", "0",
                                        "--parent",  "0x123456",
                                        "--out",     "a.png",
                                        "--dump",    "--save",
                                        "s.json",    "--load",
                                        "l.json",    "--gallery",
                                        "g.ppm"});
  EXPECT_EQ(options.control, "Button");
  ASSERT_TRUE(options.size.has_value());
  EXPECT_EQ(*options.size, (Size{120, 40}));
  ASSERT_EQ(options.assignments.size(), 2u);
  EXPECT_EQ(options.assignments[0].property->name, "ButtonShape");
  EXPECT_EQ(std::get<std::int32_t>(options.assignments[0].value), 2);
  EXPECT_EQ(options.assignments[1].property->name, "Font");
  const FontSpec font = std::get<FontSpec>(options.assignments[1].value);
  EXPECT_EQ(font.face, "Arial");
  EXPECT_EQ(font.points, 10.0);
  EXPECT_TRUE(font.bold);
  EXPECT_TRUE(font.italic);
  EXPECT_FALSE(font.underline);
  EXPECT_EQ(options.states, (StateRequest{true, true, true}));
  EXPECT_EQ(options.enabled, false);
  EXPECT_EQ(options.parent, 0x123456u);
  EXPECT_EQ(options.out, "a.png");
  EXPECT_TRUE(options.dump);
  EXPECT_EQ(options.save, "s.json");
  EXPECT_EQ(options.load, "l.json");
  EXPECT_EQ(options.gallery, "g.ppm");
  EXPECT_FALSE(options.help);
}

TEST(PreviewOptions, DefaultsWhenOnlyAnOutputIsGiven) {
  const PreviewOptions options = Parse({"--dump"});
  EXPECT_FALSE(options.size.has_value());
  EXPECT_TRUE(options.assignments.empty());
  EXPECT_EQ(options.states, StateRequest{});
  EXPECT_FALSE(options.enabled.has_value());
  EXPECT_FALSE(options.parent.has_value());
  EXPECT_TRUE(options.out.empty());
  EXPECT_TRUE(options.gallery.empty());
}

TEST(PreviewOptions, ValuesMayFollowAnEqualsSign) {
  const PreviewOptions options =
      Parse({"--size=30X20", "--set=Caption=a=b", "--enabled=1", "--out=x.ppm", "--state=focus"});
  EXPECT_EQ(*options.size, (Size{30, 20}));
  EXPECT_EQ(std::get<std::string>(options.assignments.at(0).value), "a=b");
  EXPECT_EQ(options.enabled, true);
  EXPECT_EQ(options.out, "x.ppm");
  EXPECT_EQ(options.states, (StateRequest{true, false, false}));
}

TEST(PreviewOptions, SetsAndFontsKeepTheirOrder) {
  const PreviewOptions options =
      Parse({"--set", "Caption=A", "--set", "buttonstyle=5", "--font", "Tahoma,9", "--set",
             "CAPTION=B", "--set", "Font=Arial,12,underline", "--dump"});
  ASSERT_EQ(options.assignments.size(), 5u);
  const std::vector<std::string_view> names = {"Caption", "ButtonStyle", "Font", "Caption", "Font"};
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(options.assignments[i].property->name, names[i]) << i;
  }
  EXPECT_EQ(std::get<std::string>(options.assignments[0].value), "A");
  EXPECT_EQ(std::get<std::int32_t>(options.assignments[1].value), 5);
  EXPECT_EQ(std::get<FontSpec>(options.assignments[2].value).points, 9.0);
  EXPECT_EQ(std::get<std::string>(options.assignments[3].value), "B");
  EXPECT_TRUE(std::get<FontSpec>(options.assignments[4].value).underline);
}

TEST(PreviewOptions, ValueTextsOfEachType) {
  const PreviewOptions options = Parse({
      "--set",  "ButtonShape=0x0B",
      "--set",  "CaptionStyle=-3",
      "--set",  "BackColor=0x8000000F",
      "--set",  "ForeColor=255",
      "--set",  "EffectColor=-2147483633",
      "--set",  "FocusRect=false",
      "--set",  "Value=TRUE",
      "--set",  "Caption=",
      "--set",  "Picture=icons/ok.ICO",
      "--set",  "MouseIcon=(none)",
      "--set",  "MousePointer=-32768",
      "--dump",
  });
  const auto& a = options.assignments;
  ASSERT_EQ(a.size(), 11u);
  EXPECT_EQ(std::get<std::int32_t>(a[0].value), 11);
  EXPECT_EQ(std::get<std::int32_t>(a[1].value), -3);
  EXPECT_EQ(std::get<ColorValue>(a[2].value), 0x8000000Fu);
  EXPECT_EQ(std::get<ColorValue>(a[3].value), 0x0000FFu);
  EXPECT_EQ(std::get<ColorValue>(a[4].value), 0x8000000Fu);
  EXPECT_EQ(std::get<bool>(a[5].value), false);
  EXPECT_EQ(std::get<bool>(a[6].value), true);
  EXPECT_EQ(std::get<std::string>(a[7].value), "");
  EXPECT_EQ(a[8].text, "icons/ok.ICO");
  EXPECT_EQ(std::get<PicturePtr>(a[8].value), nullptr);
  EXPECT_EQ(a[9].text, "(none)");
  EXPECT_EQ(std::get<std::int32_t>(a[10].value), -32768);
}

TEST(PreviewOptions, HelpNeedsNothingElse) {
  EXPECT_TRUE(Parse({"--help"}).help);
  EXPECT_TRUE(Parse({"-h"}).help);
  EXPECT_FALSE(PreviewUsage().empty());
  EXPECT_TRUE(PreviewUsage().starts_with("usage: ferrowind-preview [--control Button]"));
}

struct BadCase {
  std::vector<std::string> args;
  std::vector<std::string> named;  // what the message must mention
};

TEST(PreviewOptions, BadArgumentsAreUsageErrorsNamingThem) {
  const std::vector<BadCase> cases = {
      {{"--set", "Nope=1", "--dump"}, {"Nope", "not a property"}},
      {{"--set", "ButtonShape=abc", "--dump"}, {"ButtonShape", "'abc'"}},
      {{"--set", "ButtonShape=12x", "--dump"}, {"ButtonShape", "'12x'"}},
      {{"--set", "ButtonShape=0x100000000", "--dump"}, {"ButtonShape", "0x100000000"}},
      {{"--set", "ButtonShape=2147483648", "--dump"}, {"ButtonShape", "out of range"}},
      {{"--set", "BackColor=0x81000000", "--dump"}, {"BackColor", "0x81000000"}},
      {{"--set", "BackColor=0x80000040", "--dump"}, {"BackColor", "0x80000040"}},
      {{"--set", "BackColor=red", "--dump"}, {"BackColor", "'red'"}},
      {{"--set", "FocusRect=yes", "--dump"}, {"FocusRect", "'yes'", "True or False"}},
      {{"--set", "MousePointer=40000", "--dump"}, {"MousePointer", "-32768 to 32767"}},
      {{"--set", "Picture=photo.png", "--dump"}, {"Picture", "photo.png"}},
      {{"--set", "Caption", "--dump"}, {"--set", "'Caption'", "NAME=VALUE"}},
      {{"--set", "=5", "--dump"}, {"--set", "'=5'"}},
      {{"--font", "Tahoma", "--dump"}, {"--font", "'Tahoma'", "not a font"}},
      {{"--font", "Tahoma,0", "--dump"}, {"--font", "'0'"}},
      {{"--font", "Tahoma,big", "--dump"}, {"--font", "'big'"}},
      {{"--font", "Tahoma,8,heavy", "--dump"}, {"--font", "'heavy'"}},
      {{"--font", "Tahoma,8,bold,bold", "--dump"}, {"--font", "'bold'", "twice"}},
      {{"--font", ",8", "--dump"}, {"--font", "',8'"}},
      {{"--set", "font=Arial", "--dump"}, {"--set Font", "'Arial'"}},
      {{"--size", "0x10", "--dump"}, {"--size", "'0x10'"}},
      {{"--size", "10", "--dump"}, {"--size", "'10'"}},
      {{"--size", "5000x10", "--dump"}, {"--size", "'5000x10'", "4096"}},
      {{"--size", "-5x10", "--dump"}, {"--size", "'-5x10'"}},
      {{"--state", "hover,flying", "--dump"}, {"--state", "'flying'"}},
      {{"--state", "hover,hover", "--dump"}, {"--state", "'hover'", "twice"}},
      {{"--state", "", "--dump"}, {"--state", "''"}},
      {{"--enabled", "2", "--dump"}, {"--enabled", "'2'"}},
      {{"--parent", "0x1000000", "--dump"}, {"--parent", "'0x1000000'"}},
      {{"--parent", "white", "--dump"}, {"--parent", "'white'"}},
      {{"--out", "x.bmp"}, {"--out", "'x.bmp'", ".png or .ppm"}},
      {{"--gallery", "sheet"}, {"--gallery", "'sheet'"}},
      {{"--save", ""}, {"--save"}},
      {{"--control", "Label", "--dump"}, {"--control", "'Label'"}},
      {{"--dump", "--out"}, {"--out", "needs a value"}},
      {{"--dump", "--frobnicate"}, {"unknown option", "'--frobnicate'"}},
      {{"--dump", "stray"}, {"unexpected argument", "'stray'"}},
      {{"--out", "a.png", "--out", "b.png"}, {"--out", "twice"}},
      {{"--dump", "--dump"}, {"--dump", "twice"}},
      {{"--dump=1"}, {"--dump", "no value"}},
      {{}, {"nothing to do"}},
      {{"--size", "10x10"}, {"nothing to do"}},
      // Control characters of an argument are shown, not sent to the terminal.
      {{"--dump", "\x1b[2J\n"}, {"unexpected argument", "'\\x1B[2J\\x0A'"}},
  };
  for (const BadCase& c : cases) {
    std::string joined;
    for (const std::string& arg : c.args) joined += "[" + arg + "] ";
    const std::string message = UsageMessage(c.args);
    ASSERT_FALSE(message.empty()) << joined << "parsed without an error";
    for (const std::string& part : c.named) {
      EXPECT_NE(message.find(part), std::string::npos)
          << joined << "-> \"" << message << "\" does not mention " << part;
    }
  }
}

}  // namespace
}  // namespace fw::preview
