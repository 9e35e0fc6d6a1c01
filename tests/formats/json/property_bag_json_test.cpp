// The property bag's JSON form: the documented layout, round trips, kept values and every
// refusal naming its property.
#include "formats/json/property_bag_json.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "formats/text/base64.h"
#include "tests/platform/property_bag_test_support.h"

namespace fw {
namespace {

using test::BagErrorOf;
using test::Contains;
using test::IconEntry;
using test::MakeIconFile;
using test::MakeMask;
using test::MakePattern;
using test::Share;
using test::SmallBmp;

std::vector<std::uint8_t> SmallIcon(bool cursor) {
  IconEntry entry;
  entry.pixels = MakePattern(4, 4, 16);
  entry.mask = MakeMask(4, 4);
  entry.bits = 4;
  entry.hot_x = 2;
  entry.hot_y = 1;
  return MakeIconFile({entry}, cursor);
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
