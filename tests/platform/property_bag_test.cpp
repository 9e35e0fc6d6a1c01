// The controls' property bag: defaults, names without case, typed reads and the JSON form.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "formats/text/base64.h"
#include "platform/property_bag_json.h"
#include "tests/platform/picture_test_files.h"

namespace fw {
namespace {

using test::IconEntry;
using test::MakeBmp;
using test::MakeIconFile;
using test::MakeMask;
using test::MakePattern;

// Runs `f` and returns the PropertyBagError it throws; fails the test if it throws none.
template <typename F>
PropertyBagError BagErrorOf(F f) {
  try {
    f();
  } catch (const PropertyBagError& e) {
    return e;
  }
  ADD_FAILURE() << "no PropertyBagError";
  return PropertyBagError("", "");
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::vector<std::uint8_t> SmallBmp() {
  return MakeBmp(MakePattern(3, 2, 0));
}

std::vector<std::uint8_t> SmallIcon(bool cursor) {
  IconEntry entry;
  entry.pixels = MakePattern(4, 4, 16);
  entry.mask = MakeMask(4, 4);
  entry.bits = 4;
  entry.hot_x = 2;
  entry.hot_y = 1;
  return MakeIconFile({entry}, cursor);
}

PicturePtr Share(Picture picture) {
  return std::make_shared<const Picture>(std::move(picture));
}

// The program's resources for the tests: "IDB_SKIN" and "IDI_APP".
class Resources {
 public:
  Resources()
      : skin_(Share(LoadResourcePicture("IDB_SKIN", SmallBmp(), "bmp"))),
        app_(Share(LoadResourcePicture("IDI_APP", SmallIcon(false), "ico"))) {}
  PictureResolver Resolver() const {
    return [this](std::string_view name) -> PicturePtr {
      if (name == "IDB_SKIN") return skin_;
      if (name == "IDI_APP") return app_;
      return nullptr;
    };
  }
  const PicturePtr& skin() const { return skin_; }

 private:
  PicturePtr skin_;
  PicturePtr app_;
};

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

// ---- JSON ----

TEST(PropertyBagJsonTest, WritesTheDocumentedForm) {
  PropertyBag bag;
  bag.WriteInt16("ButtonShape", 3, 0);
  bag.WriteBool("Enabled", false, true);
  bag.WriteText("Caption", "&OK", "");
  bag.WriteFont("Font", PropertyFont{"Tahoma", 9.75, true, false, true}, PropertyFont{});
  bag.WritePicture("Picture", Share(LoadPicture(SmallBmp(), "bmp")), nullptr);
  bag.WritePicture("Skin", Resources().skin(), nullptr);
  const std::string bmp64 = EncodeBase64(SmallBmp());
  EXPECT_EQ(PropertyBagToJsonText(bag, -1),
            R"({"ButtonShape":3,"Enabled":false,"Caption":"&OK",)"
            R"("Font":{"name":"Tahoma","size":9.75,"bold":true,"italic":false,"underline":true},)"
            R"("Picture":{"bmp":")" +
                bmp64 + R"("},"Skin":{"resource":"IDB_SKIN"}})");
}

TEST(PropertyBagJsonTest, EveryValueTypeRoundTripsWithSpellingAndOrder) {
  const Resources resources;
  const PicturePtr bmp = Share(LoadPicture(SmallBmp(), "bmp"));
  const PicturePtr ico = Share(LoadPicture(SmallIcon(false), "ico"));
  const PicturePtr cur = Share(LoadPicture(SmallIcon(true), "cur"));
  const PropertyFont font{"MS Sans Serif", 13.5, false, true, false};

  PropertyBag bag;
  bag.WriteInt16("zOrder", -32768, 0);
  bag.WriteInt32("BackColor", 0x7FFFFFFF, 0);
  bag.WriteBool("Enabled", false, true);
  bag.WriteBool("cmdLock", true, false);
  bag.WriteText("Caption", "Caf\xE9 \x80 \x81", "");  // Windows-1252, undefined 0x81 included
  bag.WriteFont("Font", font, PropertyFont{});
  bag.WritePicture("Picture", bmp, nullptr);
  bag.WritePicture("DownPicture", ico, nullptr);
  bag.WritePicture("MouseIcon", cur, nullptr);
  bag.WritePicture("SkinPicture", resources.skin(), nullptr);
  bag.WritePicture("DisabledPicture", nullptr, resources.skin());  // none, against a default
  bag.WriteColor("MaskColor", 0x80000005u, 0);

  const std::string text = PropertyBagToJsonText(bag);
  const PropertyBag loaded = PropertyBagFromJson(text, resources.Resolver());
  EXPECT_EQ(loaded.Keys(), bag.Keys());
  EXPECT_EQ(loaded.Keys(),
            (std::vector<std::string>{"zOrder", "BackColor", "Enabled", "cmdLock", "Caption",
                                      "Font", "Picture", "DownPicture", "MouseIcon", "SkinPicture",
                                      "DisabledPicture", "MaskColor"}));
  EXPECT_EQ(loaded.ReadInt16("zorder", 0), -32768);
  EXPECT_EQ(loaded.ReadInt32("BackColor", 0), 0x7FFFFFFF);
  EXPECT_FALSE(loaded.ReadBool("Enabled", true));
  EXPECT_TRUE(loaded.ReadBool("cmdLock", false));
  EXPECT_EQ(loaded.ReadText("Caption", ""), "Caf\xE9 \x80 \x81");
  EXPECT_EQ(loaded.ReadFont("Font", PropertyFont{}), font);
  EXPECT_EQ(loaded.ReadColor("MaskColor", 0), 0x80000005u);
  EXPECT_EQ(loaded.ReadPicture("DisabledPicture", resources.skin()), nullptr);
  EXPECT_EQ(loaded.ReadPicture("SkinPicture", nullptr), resources.skin());

  const PicturePtr picture = loaded.ReadPicture("Picture", nullptr);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->file_bytes(), bmp->file_bytes());
  EXPECT_EQ(picture->image().color, bmp->image().color);
  const PicturePtr icon = loaded.ReadPicture("DownPicture", nullptr);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->kind(), PictureKind::Icon);
  EXPECT_EQ(icon->image().mask, ico->image().mask);
  const PicturePtr cursor = loaded.ReadPicture("MouseIcon", nullptr);
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(cursor->kind(), PictureKind::Cursor);
  EXPECT_EQ(cursor->hot_spot(), (Point{2, 1}));
  EXPECT_EQ(cursor->file_bytes(), cur->file_bytes());

  // Saved again, byte for byte the same text.
  EXPECT_EQ(PropertyBagToJsonText(loaded), text);
  // The text itself is UTF-8.
  EXPECT_TRUE(Contains(text, "\"Caf\xC3\xA9 \xE2\x82\xAC \xC2\x81\"")) << text;
}

TEST(PropertyBagJsonTest, UnknownPropertiesAreKeptAsTheyAre) {
  const std::string text =
      R"({"Future":[1,2,{"x":null}],"Ratio":1.5,"Caption":"a","Nested":{"deep":[true]},)"
      R"("Huge":18446744073709551615})";
  const PropertyBag bag = PropertyBagFromJson(text);
  EXPECT_EQ(PropertyBagToJsonText(bag, -1), text);
  EXPECT_EQ(bag.ReadText("caption", ""), "a");
  EXPECT_EQ(bag.ReadInt32("Ratio", 0), 2);
  const PropertyBagError e = BagErrorOf([&] { bag.ReadText("Future", ""); });
  EXPECT_TRUE(Contains(e.what(), "a JSON array")) << e.what();
  EXPECT_EQ(BagErrorOf([&] { bag.ReadInt32("Huge", 0); }).key(), "Huge");
}

TEST(PropertyBagJsonTest, KeptValuesAreSavedWithTheRestsIndentation) {
  const std::string text = R"({"Future":[1,{"x":"\u00e9"}],"Ratio":-0.0,"Big":1e300})";
  EXPECT_EQ(PropertyBagToJsonText(PropertyBagFromJson(text)),
            nlohmann::ordered_json::parse(text).dump(2));
}

TEST(PropertyBagJsonTest, KeptValuesCompareAsJsonDoes) {
  const PropertyBag bag = PropertyBagFromJson(
      R"({"Huge": 18446744073709551615, "Real": 1.8446744073709552e19, "Zero": 0.0,)"
      R"( "Minus": -0.0, "List": [1, 2], "Same": [1, 2], "Other": [2, 1]})");
  const auto same = [&](const char* a, const char* b) {
    return PropertyValuesEqual(*bag.Find(a), *bag.Find(b));
  };
  EXPECT_TRUE(same("Huge", "Real"));
  EXPECT_TRUE(same("Zero", "Minus"));
  EXPECT_TRUE(same("List", "Same"));
  EXPECT_FALSE(same("List", "Other"));
  EXPECT_FALSE(same("Zero", "List"));
}

TEST(PropertyBagJsonTest, MalformedJsonGivesThePosition) {
  PropertyBagError e = BagErrorOf([] { PropertyBagFromJson("{\"a\": 1,\n \"b\": }"); });
  EXPECT_EQ(e.key(), "");
  EXPECT_TRUE(Contains(e.what(), "malformed JSON at byte 16")) << e.what();
  EXPECT_TRUE(Contains(e.what(), "line 2, column 7")) << e.what();
  for (const char* bad : {"", "{", "{\"a\" 1}", "[1,]", "{\"a\": tru}", "{\"a\": \"\xFF\"}",
                          "{\"a\": 1} x", "{\"a\": 1e999}"}) {
    e = BagErrorOf([&] { PropertyBagFromJson(bad); });
    EXPECT_TRUE(Contains(e.what(), "malformed JSON")) << bad << ": " << e.what();
  }
}

TEST(PropertyBagJsonTest, TheTopLevelMustBeAnObject) {
  for (const char* text : {"[]", "3", "null", "\"x\""}) {
    const PropertyBagError e = BagErrorOf([&] { PropertyBagFromJson(text); });
    EXPECT_TRUE(Contains(e.what(), "not an object")) << e.what();
  }
}

TEST(PropertyBagJsonTest, NamesDifferingOnlyInCaseAreAnError) {
  const PropertyBagError e =
      BagErrorOf([] { PropertyBagFromJson(R"({"Caption": "a", "CAPTION": "b"})"); });
  EXPECT_EQ(e.key(), "CAPTION");
  EXPECT_TRUE(Contains(e.what(), "also as \"Caption\"")) << e.what();
}

TEST(PropertyBagJsonTest, ErrorsShowControlCharactersOfTheNamesAsEscapes) {
  const PropertyBagError e =
      BagErrorOf([] { PropertyBagFromJson(R"({"A\u001b[2J": 1, "a\u001B[2j": 2})"); });
  EXPECT_EQ(e.key(), "a\x1B[2j");  // the key as the JSON spells it
  EXPECT_TRUE(Contains(e.what(), "\"a\\x1B[2j\"")) << e.what();
  EXPECT_TRUE(Contains(e.what(), "also as \"A\\x1B[2J\"")) << e.what();
}

TEST(PropertyBagJsonTest, BadBase64IsAnErrorNamingTheKey) {
  for (const char* data : {"!!!!", "QQ", "QQ=A", "Q===", "QR==", "QQ==QQ==", "Qk0 AAAA", "===="}) {
    const std::string text = std::string(R"({"Picture": {"bmp": ")") + data + "\"}}";
    const PropertyBagError e = BagErrorOf([&] { PropertyBagFromJson(text); });
    EXPECT_EQ(e.key(), "Picture") << data;
    EXPECT_TRUE(Contains(e.what(), "\"Picture\"")) << e.what();
    EXPECT_TRUE(Contains(e.what(), "bad base64")) << e.what();
  }
}

TEST(PropertyBagJsonTest, AnUnreadablePictureIsAnErrorNamingTheKey) {
  std::vector<std::uint8_t> broken = SmallBmp();
  broken.resize(broken.size() - 1);
  const std::string cases[] = {
      R"({"Picture": {"bmp": ")" + EncodeBase64(broken) + "\"}}",
      R"({"Picture": {"ico": ")" + EncodeBase64(SmallBmp()) + "\"}}",
      R"({"Picture": {"bmp": ""}})",
  };
  for (const std::string& text : cases) {
    const PropertyBagError e = BagErrorOf([&] { PropertyBagFromJson(text); });
    EXPECT_EQ(e.key(), "Picture");
    EXPECT_TRUE(Contains(e.what(), "property \"Picture\": unreadable picture:")) << e.what();
  }
  const PropertyBagError truncated = BagErrorOf([&] { PropertyBagFromJson(cases[0]); });
  EXPECT_TRUE(Contains(truncated.what(), "BMP: the pixel data at byte")) << truncated.what();

  for (const char* text : {R"({"Picture": {"bmp": 5}})", R"({"Picture": {"bmp": "", "x": 1}})",
                           R"({"Picture": {"resource": "A", "ico": ""}})"}) {
    const PropertyBagError e = BagErrorOf([&] { PropertyBagFromJson(text); });
    EXPECT_EQ(e.key(), "Picture") << text;
  }
}

TEST(PropertyBagJsonTest, ResourcePicturesGoThroughTheResolver) {
  const Resources resources;
  const PropertyBag bag =
      PropertyBagFromJson(R"({"Skin": {"resource": "IDB_SKIN"}})", resources.Resolver());
  EXPECT_EQ(bag.ReadPicture("Skin", nullptr), resources.skin());

  PropertyBagError e = BagErrorOf(
      [&] { PropertyBagFromJson(R"({"Skin": {"resource": "IDB_NONE"}})", resources.Resolver()); });
  EXPECT_EQ(e.key(), "Skin");
  EXPECT_TRUE(Contains(e.what(), "unknown resource picture \"IDB_NONE\"")) << e.what();
  e = BagErrorOf([&] { PropertyBagFromJson(R"({"Skin": {"resource": "IDB_SKIN"}})"); });
  EXPECT_EQ(e.key(), "Skin");
}

TEST(PropertyBagJsonTest, MalformedFontsAreAnErrorNamingTheKey) {
  for (const char* text :
       {R"({"Font": {"name": "Arial"}})", R"({"Font": {"size": 8}})",
        R"({"Font": {"name": 3, "size": 8}})", R"({"Font": {"name": "Arial", "size": "8"}})",
        R"({"Font": {"name": "Arial", "size": -1}})", R"({"Font": {"name": "Arial", "size": 1e6}})",
        R"({"Font": {"name": "Arial", "size": 8, "bold": 1}})",
        R"({"Font": {"name": "Arial", "size": 8, "Bold": true}})"}) {
    const PropertyBagError e = BagErrorOf([&] { PropertyBagFromJson(text); });
    EXPECT_EQ(e.key(), "Font") << text;
    EXPECT_TRUE(Contains(e.what(), "property \"Font\"")) << e.what();
  }
  // The Booleans may be left out.
  const PropertyBag bag = PropertyBagFromJson(R"({"Font": {"name": "Arial", "size": 8}})");
  EXPECT_EQ(bag.ReadFont("Font", PropertyFont{}), (PropertyFont{"Arial", 8, false, false, false}));
}

TEST(PropertyBagJsonTest, TextMustFitWindows1252) {
  const PropertyBag bag = PropertyBagFromJson(R"({"Caption": "\u20ac\u00e9\u0178"})");
  EXPECT_EQ(bag.ReadText("Caption", ""), "\x80\xE9\x9F");
  const PropertyBagError e = BagErrorOf([] { PropertyBagFromJson(R"({"Caption": "\u65e5"})"); });
  EXPECT_EQ(e.key(), "Caption");
  EXPECT_TRUE(Contains(e.what(), "U+65E5")) << e.what();
}

TEST(PropertyBagJsonTest, HostileNestingIsRefused) {
  const std::string deep = "{\"a\":" + std::string(100000, '[') + std::string(100000, ']') + "}";
  EXPECT_TRUE(Contains(BagErrorOf([&] { PropertyBagFromJson(deep); }).what(), "nested deeper"));
  std::string many = "{";
  for (int i = 0; i < 10001; ++i) many += "\"k" + std::to_string(i) + "\":1,";
  many.back() = '}';
  EXPECT_TRUE(Contains(BagErrorOf([&] { PropertyBagFromJson(many); }).what(), "members"));
}

}  // namespace
}  // namespace fw
