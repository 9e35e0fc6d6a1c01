// The controls' property bag: defaults, names without case, typed reads and conversions.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "formats/json/property_bag_json.h"
#include "tests/platform/property_bag_test_support.h"

namespace fw {
namespace {

using test::BagErrorOf;
using test::Contains;
using test::Share;
using test::SmallBmp;

// ---- Writing and reading ----

TEST(PropertyBagTest, AValueEqualToItsDefaultIsNotStored) {
  const PicturePtr picture = Share(LoadPicture(SmallBmp(), "bmp"));
  PropertyBag bag;
  bag.WriteInt16("ButtonShape", 0, 0);
  bag.WriteInt32("BackColor", 12, 12);
  bag.WriteBool("Enabled", true, true);
  bag.WriteText("Caption", "", "");
  bag.WriteFont("Font", PropertyFont{}, PropertyFont{});
  bag.WritePicture("Picture", nullptr, nullptr);
  // Another picture object read from the same file is the same picture.
  bag.WritePicture("DownPicture", Share(LoadPicture(SmallBmp(), "bmp")), picture);
  bag.WriteColor("ForeColor", 0x80000012u, 0x80000012u);
  bag.WriteProperty("Value", std::int16_t{5}, std::int32_t{5});
  EXPECT_TRUE(bag.empty());
  EXPECT_EQ(PropertyBagToJsonText(bag, -1), "{}");

  bag.WriteInt16("ButtonShape", 2, 0);
  EXPECT_EQ(bag.size(), 1u);
}

TEST(PropertyBagTest, WritingTheDefaultRemovesAnEarlierValue) {
  PropertyBag bag;
  bag.WriteInt16("A", 1, 0);
  bag.WriteInt16("B", 2, 0);
  bag.WriteInt16("C", 3, 0);
  bag.WriteInt16("b", 0, 0);
  EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(bag.ReadInt16("C", 0), 3);
  EXPECT_EQ(bag.ReadInt16("B", 9), 9);
  EXPECT_FALSE(bag.Remove("B"));
  EXPECT_TRUE(bag.Remove("a"));
  EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"C"}));
  EXPECT_EQ(bag.ReadInt16("c", 0), 3);
}

TEST(PropertyBagTest, AMissingPropertyGivesTheDefault) {
  const PropertyBag bag;
  EXPECT_EQ(bag.ReadInt16("ButtonShape", 4), 4);
  EXPECT_EQ(bag.ReadInt32("BackColor", -7), -7);
  EXPECT_TRUE(bag.ReadBool("Enabled", true));
  EXPECT_EQ(bag.ReadText("Caption", "Command1"), "Command1");
  EXPECT_EQ(bag.ReadFont("Font", PropertyFont{"Arial", 12, true, false, false}),
            (PropertyFont{"Arial", 12, true, false, false}));
  EXPECT_EQ(bag.ReadPicture("Picture", nullptr), nullptr);
  EXPECT_EQ(bag.ReadColor("BackColor", 0x8000000Fu), 0x8000000Fu);
  EXPECT_EQ(bag.ReadProperty("Caption", std::string("x")), PropertyValue(std::string("x")));
  EXPECT_EQ(bag.Find("Caption"), nullptr);
  EXPECT_FALSE(bag.Contains("Caption"));
}

TEST(PropertyBagTest, NamesAreFoundWithoutRegardToCase) {
  PropertyBag bag;
  bag.WriteInt16("ButtonShape", 3, 0);
  EXPECT_EQ(bag.ReadInt16("BUTTONSHAPE", 0), 3);
  EXPECT_EQ(bag.ReadInt16("buttonshape", 0), 3);
  EXPECT_TRUE(bag.Contains("bUTTONsHAPE"));
  EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"ButtonShape"}));
  EXPECT_EQ(bag.ReadInt16("ButtonShap", 0), 0);
}

TEST(PropertyBagTest, RewritingKeepsThePlaceAndTakesTheNewSpelling) {
  PropertyBag bag;
  bag.WriteText("Caption", "a", "");
  bag.WriteInt16("ButtonShape", 1, 0);
  bag.WriteBool("Enabled", false, true);
  bag.WriteText("CAPTION", "b", "");
  EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"CAPTION", "ButtonShape", "Enabled"}));
  EXPECT_EQ(bag.ReadText("caption", ""), "b");
}

TEST(PropertyBagTest, BooleansAreSixteenBitsWithTrueAsMinusOne) {
  EXPECT_EQ(Bool16(true).raw(), -1);
  EXPECT_EQ(Bool16(false).raw(), 0);
  EXPECT_EQ(Bool16().raw(), 0);
  PropertyBag bag;
  bag.WriteBool("cmdLock", true, false);
  const PropertyValue* stored = bag.Find("cmdLock");
  ASSERT_NE(stored, nullptr);
  ASSERT_TRUE(std::holds_alternative<Bool16>(*stored));
  EXPECT_EQ(std::get<Bool16>(*stored).raw(), -1);
  EXPECT_TRUE(bag.ReadBool("cmdlock", false));
}

TEST(PropertyBagTest, ColoursKeepTheirBitsAsThirtyTwoBitIntegers) {
  PropertyBag bag;
  bag.WriteColor("BackColor", 0x8000000Fu, 0x80000005u);
  bag.WriteColor("ForeColor", 0x00FF8000u, 0x80000012u);
  EXPECT_EQ(bag.ReadInt32("BackColor", 0), -2147483633);
  EXPECT_EQ(bag.ReadColor("BackColor", 0), 0x8000000Fu);
  EXPECT_EQ(bag.ReadColor("ForeColor", 0), 0x00FF8000u);
  EXPECT_EQ(PropertyBagToJsonText(bag, -1), R"({"BackColor":-2147483633,"ForeColor":16744448})");
  // Either spelling of a system colour reads back.
  const PropertyBag loaded = PropertyBagFromJson(R"({"A": 2147483663, "B": -2147483633})");
  EXPECT_EQ(loaded.ReadColor("A", 0), 0x8000000Fu);
  EXPECT_EQ(loaded.ReadColor("B", 0), 0x8000000Fu);
  const PropertyBagError e =
      BagErrorOf([] { PropertyBagFromJson(R"({"A": 4294967296})").ReadColor("A", 0); });
  EXPECT_EQ(e.key(), "A");
  EXPECT_TRUE(Contains(e.what(), "does not fit a colour")) << e.what();
}

TEST(PropertyBagTest, FontsConvertToAndFromTheDrawingFont) {
  FontSpec spec;
  spec.face = "Tahoma";
  spec.points = 9.75;
  spec.bold = true;
  spec.underline = true;
  spec.strikethrough = true;
  const PropertyFont font = PropertyFont::FromFontSpec(spec);
  EXPECT_EQ(font, (PropertyFont{"Tahoma", 9.75, true, false, true}));
  FontSpec back = font.ToFontSpec();
  EXPECT_FALSE(back.strikethrough);
  back.strikethrough = true;
  EXPECT_EQ(back, spec);
}

// ---- Typed reading ----

TEST(PropertyBagTest, AValueThatCannotConvertIsAnErrorNamingTheKey) {
  PropertyBag bag;
  bag.WriteText("Caption", "OK", "");
  bag.WriteInt16("ButtonShape", 2, 0);
  bag.WriteFont("Font", PropertyFont{"Arial", 10, false, false, false}, PropertyFont{});

  PropertyBagError e = BagErrorOf([&] { bag.ReadInt16("caption", 0); });
  EXPECT_EQ(e.key(), "Caption");
  EXPECT_TRUE(Contains(e.what(), "\"Caption\": holds the text \"OK\", which is not a number"))
      << e.what();

  e = BagErrorOf([&] { bag.ReadInt32("Font", 0); });
  EXPECT_EQ(e.key(), "Font");
  EXPECT_TRUE(Contains(e.what(), "holds a font, not a 32-bit integer")) << e.what();
  e = BagErrorOf([&] { bag.ReadBool("Font", false); });
  EXPECT_EQ(e.key(), "Font");
  e = BagErrorOf([&] { bag.ReadText("Font", ""); });
  EXPECT_EQ(e.key(), "Font");
  e = BagErrorOf([&] { bag.ReadFont("Caption", PropertyFont{}); });
  EXPECT_EQ(e.key(), "Caption");
  e = BagErrorOf([&] { bag.ReadPicture("ButtonShape", nullptr); });
  EXPECT_EQ(e.key(), "ButtonShape");
  EXPECT_TRUE(Contains(e.what(), "not a picture")) << e.what();
}

TEST(PropertyBagTest, IntegersAreCheckedAgainstTheWidthOfTheirKey) {
  const PropertyBag bag = PropertyBagFromJson(
      R"({"ButtonShape": 70000, "Low": -32769, "Edge": -32768, "Big": 5000000000})");
  PropertyBagError e = BagErrorOf([&] { bag.ReadInt16("ButtonShape", 0); });
  EXPECT_EQ(e.key(), "ButtonShape");
  EXPECT_TRUE(Contains(e.what(), "\"ButtonShape\": holds 70000, which does not fit a 16-bit"))
      << e.what();
  EXPECT_EQ(bag.ReadInt32("ButtonShape", 0), 70000);
  EXPECT_EQ(BagErrorOf([&] { bag.ReadInt16("low", 0); }).key(), "Low");
  EXPECT_EQ(bag.ReadInt16("Edge", 0), -32768);
  e = BagErrorOf([&] { bag.ReadInt32("Big", 0); });
  EXPECT_EQ(e.key(), "Big");
  EXPECT_TRUE(Contains(e.what(), "5000000000")) << e.what();

  // A value written wide and read narrow is checked the same way.
  PropertyBag written;
  written.WriteInt32("Value", 40000, 0);
  EXPECT_EQ(BagErrorOf([&] { written.ReadInt16("Value", 0); }).key(), "Value");
  written.WriteInt32("Value", -12, 0);
  EXPECT_EQ(written.ReadInt16("Value", 0), -12);
}

// A value read as another type converts as a variant does: a number to a Boolean (0 is False,
// anything else True), a Boolean to a number (True is -1), a number with a fraction to the
// nearest integer (halves to even), a number to text, a numeric text to a number, "True" and
// "False" to a Boolean. Only what cannot convert is refused: text that is not a number, a value
// out of range, and fonts, pictures and other JSON.
TEST(PropertyBagTest, AValueConvertsToTheTypeItIsReadAs) {
  enum class As { Int16, Int32, Color, Bool, Text };
  const struct {
    const char* json;
    As as;
    const char* want;  // the value read, or nullptr when it is refused
  } cases[] = {
      // To a Boolean.
      {"-1", As::Bool, "True"},
      {"0", As::Bool, "False"},
      {"2", As::Bool, "True"},
      {"0.0", As::Bool, "False"},
      {"0.25", As::Bool, "True"},
      {"\"True\"", As::Bool, "True"},
      {"\"false\"", As::Bool, "False"},
      {"\" -1 \"", As::Bool, "True"},
      {"\"0\"", As::Bool, "False"},
      {"\"yes\"", As::Bool, nullptr},
      {"\"\"", As::Bool, nullptr},
      // To an integer.
      {"2.0", As::Int32, "2"},
      {"2.5", As::Int32, "2"},
      {"3.5", As::Int16, "4"},
      {"-2.5", As::Int32, "-2"},
      {"true", As::Int16, "-1"},
      {"false", As::Int32, "0"},
      {"\"12\"", As::Int16, "12"},
      {"\" +7 \"", As::Int32, "7"},
      {"\"1e3\"", As::Int32, "1000"},
      {"\"-0.5\"", As::Int32, "0"},
      {"32767.4", As::Int16, "32767"},
      {"32767.5", As::Int16, nullptr},
      {"\"70000\"", As::Int16, nullptr},
      {"1e20", As::Int32, nullptr},
      {"18446744073709551615", As::Int32, nullptr},
      {"\"one\"", As::Int32, nullptr},
      {"\"+-1\"", As::Int32, nullptr},
      {"\"0x10\"", As::Int32, nullptr},
      {"\"inf\"", As::Int32, nullptr},
      {"\"1e999\"", As::Int32, nullptr},
      // To a colour: any 32-bit pattern.
      {"2147483663.0", As::Color, "2147483663"},
      {"\"-2147483633\"", As::Color, "2147483663"},
      {"true", As::Color, "4294967295"},
      {"4294967296.0", As::Color, nullptr},
      // To text.
      {"12", As::Text, "12"},
      {"-1", As::Text, "-1"},
      {"2.5", As::Text, "2.5"},
      {"2.0", As::Text, "2"},
      {"1e20", As::Text, "1E+20"},
      {"18446744073709551615", As::Text, "18446744073709551615"},
      {"true", As::Text, "True"},
      {"false", As::Text, "False"},
      // Objects convert to nothing.
      {"null", As::Text, nullptr},
      {"null", As::Int32, nullptr},
      {"[1]", As::Bool, nullptr},
      {R"({"name": "Arial", "size": 9})", As::Int16, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.json);
    const PropertyBag bag = PropertyBagFromJson(std::string(R"({"Key": )") + c.json + "}");
    const auto read = [&]() -> std::string {
      switch (c.as) {
        case As::Int16:
          return std::to_string(bag.ReadInt16("key", 0));
        case As::Int32:
          return std::to_string(bag.ReadInt32("key", 0));
        case As::Color:
          return std::to_string(bag.ReadColor("key", 0));
        case As::Bool:
          return bag.ReadBool("key", false) ? "True" : "False";
        case As::Text:
          return bag.ReadText("key", "");
      }
      return "";
    };
    if (c.want != nullptr) {
      EXPECT_EQ(read(), c.want);
    } else {
      const PropertyBagError e = BagErrorOf(read);
      EXPECT_EQ(e.key(), "Key");
      EXPECT_TRUE(Contains(e.what(), "property \"Key\": holds ")) << e.what();
    }
  }
}

}  // namespace
}  // namespace fw
