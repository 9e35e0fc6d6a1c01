// vbButton persistence: a new instance, loading with its defaults, saving every key, and bags
// with keys of the wrong type.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "formats/json/property_bag_json.h"
#include "platform/resource_pictures.h"
#include "tests/controls/vbbutton/vbbutton_test_support.h"
#include "tests/platform/property_bag_test_support.h"

namespace fw::test {
namespace {

using ::testing::ElementsAreArray;

const std::vector<std::string> kKeyOrder = {"BTYPE", "TX",    "ENAB", "FONT",  "COLTYPE", "FOCUSR",
                                            "BCOL",  "BCOLO", "FCOL", "FCOLO", "MCOL",    "MPTR",
                                            "MICON", "PICN",  "PICH", "UMCOL", "SOFT",    "PICPOS",
                                            "NGREY", "FX",    "HAND", "CHECK", "VALUE"};

PropertyBag Saved(const vbButton& b) {
  PropertyBag bag;
  b.WriteProperties(bag);
  return bag;
}

TEST_F(VbButtonTest, ANewInstanceTakesItsNameTheAmbientFontAndTheSystemColours) {
  host_.SetAmbientFont(FontSpec{"Tahoma", 9.75, true, false, false, false});
  vbButton& b = Place("Command7");
  EXPECT_EQ(b.Caption(), "Command7");
  EXPECT_EQ(Window("Command7").Font(), (FontSpec{"Tahoma", 9.75, true, false, false, false}));
  EXPECT_EQ(b.ButtonType(), 2);
  EXPECT_EQ(b.ColorScheme(), 1);
  EXPECT_TRUE(b.Enabled());
  EXPECT_TRUE(b.ShowFocusRect());
  EXPECT_TRUE(b.UseMaskColor());
  // Plain RGB values, read from the system, not references to system colours.
  EXPECT_EQ(b.BackColor(), SysFace());
  EXPECT_EQ(b.BackOver(), SysFace());
  EXPECT_EQ(b.ForeColor(), SysText());
  EXPECT_EQ(b.ForeOver(), SysText());
  EXPECT_EQ(b.MaskColor(), 0xC0C0C0u);
  EXPECT_FALSE(b.CheckBoxBehaviour());
  EXPECT_FALSE(b.Value());
}

TEST_F(VbButtonTest, SavingWritesAllTwentyThreeKeysInOrderEvenAtTheirDefaults) {
  PropertyBag empty;
  vbButton& b = PlaceLoaded(empty);
  const PropertyBag bag = Saved(b);
  EXPECT_THAT(bag.Keys(), ElementsAreArray(kKeyOrder));
  EXPECT_EQ(bag.ReadInt32("BTYPE", -1), 2);
  EXPECT_EQ(bag.ReadText("TX", "?"), "");
  EXPECT_EQ(bag.ReadBool("UMCOL", false), true);
  EXPECT_EQ(bag.ReadPicture("PICN", nullptr), nullptr);
  // A missing picture is stored as "none", not left out.
  EXPECT_EQ(PropertyBagToJson(bag)["PICN"], nullptr);
  EXPECT_EQ(PropertyBagToJson(bag)["HAND"], false);
}

TEST_F(VbButtonTest, LoadingAnEmptyBagGivesTheDefaults) {
  PropertyBag empty;
  vbButton& b = PlaceLoaded(empty);
  EXPECT_EQ(b.ButtonType(), 2);
  EXPECT_EQ(b.Caption(), "");
  EXPECT_TRUE(b.Enabled());
  EXPECT_EQ(b.ColorScheme(), 1);
  EXPECT_TRUE(b.ShowFocusRect());
  EXPECT_EQ(b.BackColor(), SysFace());
  EXPECT_EQ(b.BackOver(), SysFace());
  EXPECT_EQ(b.ForeColor(), SysText());
  EXPECT_EQ(b.ForeOver(), SysText());
  EXPECT_EQ(b.MaskColor(), 0xC0C0C0u);
  EXPECT_TRUE(b.UseMaskColor());
  EXPECT_FALSE(b.SoftBevel());
  EXPECT_EQ(b.PicturePosition(), 0);
  EXPECT_FALSE(b.UseGreyscale());
  EXPECT_EQ(b.SpecialEffect(), 0);
  EXPECT_FALSE(b.HandPointer());
  EXPECT_FALSE(b.CheckBoxBehaviour());
  EXPECT_FALSE(b.Value());
  EXPECT_EQ(b.PictureNormal(), nullptr);
  EXPECT_EQ(b.PictureOver(), nullptr);
}

TEST_F(VbButtonTest, LoadingWithoutTheHoverColoursTakesTheLoadedColours) {
  PropertyBag bag;
  bag.WriteColor("BCOL", 0x336699, 0);
  bag.WriteColor("FCOL", 0x0000AA, 0);
  vbButton& b = PlaceLoaded(bag);
  EXPECT_EQ(b.BackColor(), 0x336699u);
  EXPECT_EQ(b.BackOver(), 0x336699u);
  EXPECT_EQ(b.ForeColor(), 0x0000AAu);
  EXPECT_EQ(b.ForeOver(), 0x0000AAu);
}

TEST_F(VbButtonTest, SavedSettingsLoadBackIntoAnotherControl) {
  vbButton& a = Place("a");
  a.ButtonType(9);
  a.Caption("&Save");
  a.Enabled(false);
  a.Font(FontSpec{"Tahoma", 11.25, false, true, false, false});
  a.ColorScheme(2);
  a.ShowFocusRect(false);
  a.BackColor(0x102030);
  a.BackOver(0x405060);
  a.ForeColor(0x708090);
  a.ForeOver(0xA0B0C0);
  a.MaskColor(0x00FF00);
  a.PictureNormal(VbPicture(3, 2, [](int x, int y) { return RGB(x * 50, y * 90, 7); }));
  a.PictureOver(VbPicture(2, 2, [](int x, int) { return RGB(0, x * 200, 9); }));
  a.UseMaskColor(false);
  a.SoftBevel(true);
  a.PicturePosition(3);
  a.UseGreyscale(true);
  a.SpecialEffect(2);
  a.CheckBoxBehaviour(true);
  a.Value(true);
  const PropertyBag bag = Saved(a);
  // Through the JSON form, as a container stores it.
  const PropertyBag read = PropertyBagFromJson(PropertyBagToJsonText(bag));

  vbButton& b = PlaceLoaded(read, "b");
  EXPECT_EQ(b.ButtonType(), 9);
  EXPECT_EQ(b.Caption(), "&Save");
  EXPECT_FALSE(b.Enabled());
  EXPECT_FALSE(Window("b").Enabled());
  EXPECT_EQ(Window("b").Font(), (FontSpec{"Tahoma", 11.25, false, true, false, false}));
  EXPECT_EQ(b.ColorScheme(), 2);
  EXPECT_FALSE(b.ShowFocusRect());
  EXPECT_EQ(b.BackColor(), 0x102030u);
  EXPECT_EQ(b.BackOver(), 0x405060u);
  EXPECT_EQ(b.ForeColor(), 0x708090u);
  EXPECT_EQ(b.ForeOver(), 0xA0B0C0u);
  EXPECT_EQ(b.MaskColor(), 0x00FF00u);
  ASSERT_NE(b.PictureNormal(), nullptr);
  EXPECT_TRUE(b.PictureNormal()->SameSourceAs(*a.PictureNormal()));
  ASSERT_NE(b.PictureOver(), nullptr);
  EXPECT_TRUE(b.PictureOver()->SameSourceAs(*a.PictureOver()));
  EXPECT_FALSE(b.UseMaskColor());
  EXPECT_TRUE(b.SoftBevel());
  EXPECT_EQ(b.PicturePosition(), 3);
  EXPECT_TRUE(b.UseGreyscale());
  EXPECT_EQ(b.SpecialEffect(), 2);
  EXPECT_TRUE(b.CheckBoxBehaviour());
  EXPECT_TRUE(b.Value());
  // Loading measures the picture and sets the access key.
  EXPECT_EQ(b.Fields().picture_width, 3);
  EXPECT_EQ(b.Fields().picture_height, 2);
  EXPECT_EQ(Window("b").AccessKeys(), "s");
}

TEST_F(VbButtonTest, LoadingStoresFieldsWithoutMarkingThemChanged) {
  PropertyBag bag;
  bag.WriteInt32("BTYPE", 4, 0);
  bag.WriteBool("SOFT", true, false);
  host_.ClearRecords();
  vbButton& b = PlaceLoaded(bag);
  EXPECT_EQ(b.ButtonType(), 4);
  EXPECT_TRUE(b.SoftBevel());
  EXPECT_TRUE(Changed().empty());
}

// HAND goes through its setter only when it is True, which shows the hand; otherwise the pointer
// and icon saved under MPTR and MICON load back as they were saved.
TEST_F(VbButtonTest, TheSavedPointerLoadsBackUnlessHandIsTrue) {
  const PicturePtr icon = VbPicture(2, 2, [](int x, int y) { return RGB(x * 90, y * 90, 40); });
  const struct {
    std::int16_t pointer;
    PicturePtr icon;
    bool hand;
  } cases[] = {{5, nullptr, false}, {99, icon, false}, {5, nullptr, true}};
  int n = 0;
  for (const auto& c : cases) {
    const std::string name = "vb" + std::to_string(++n);
    SCOPED_TRACE(name);
    vbButton& saved = Place(name);
    saved.MousePointer(c.pointer);
    saved.MouseIcon(c.icon);
    PropertyBag bag = Saved(saved);
    bag.WriteBool("HAND", c.hand, !c.hand);
    host_.ClearRecords();
    vbButton& b = PlaceLoaded(PropertyBagFromJson(PropertyBagToJsonText(bag)), name + "-loaded");
    EXPECT_EQ(b.HandPointer(), c.hand);
    if (c.hand) {
      EXPECT_EQ(b.MousePointer(), 99);
      ASSERT_NE(b.MouseIcon(), nullptr);
      EXPECT_EQ(b.MouseIcon()->kind(), PictureKind::Cursor);
      EXPECT_THAT(Changed(), ElementsAreArray({"HAND"}));
    } else {
      EXPECT_EQ(b.MousePointer(), c.pointer);
      EXPECT_EQ(b.MouseIcon() != nullptr, c.icon != nullptr);
      if (c.icon != nullptr && b.MouseIcon() != nullptr) {
        EXPECT_TRUE(b.MouseIcon()->SameSourceAs(*c.icon));
      }
      EXPECT_TRUE(Changed().empty());
    }
  }
}

TEST_F(VbButtonTest, TheHandCursorIsSavedAsTheProgramsResource) {
  vbButton& b = Place();
  b.HandPointer(true);
  const PropertyBag bag = Saved(b);
  EXPECT_EQ(PropertyBagToJson(bag)["MICON"]["resource"], "hand.cur");
  const PropertyBag read =
      PropertyBagFromJson(PropertyBagToJsonText(bag),
                          [](std::string_view name) { return LoadResourcePictureNamed(name); });
  EXPECT_TRUE(PlaceLoaded(read, "again").HandPointer());
}

// A value of another type converts to the key's type; see the property bag for every rule.
TEST_F(VbButtonTest, LoadingConvertsAValueToTheTypeOfItsKey) {
  const PropertyBag bag = PropertyBagFromJson(R"({
    "BTYPE": 5.0, "TX": 7, "ENAB": 0, "BCOL": "255", "MPTR": "11", "FX": true,
    "CHECK": "True", "VALUE": -1
  })");
  vbButton& b = PlaceLoaded(bag);
  EXPECT_EQ(b.ButtonType(), 5);
  EXPECT_EQ(b.Caption(), "7");
  EXPECT_FALSE(b.Enabled());
  EXPECT_EQ(b.BackColor(), 0x0000FFu);
  EXPECT_EQ(b.MousePointer(), 11);
  EXPECT_EQ(b.SpecialEffect(), -1);
  EXPECT_TRUE(b.CheckBoxBehaviour());
  EXPECT_TRUE(b.Value());
}

TEST_F(VbButtonTest, AKeyOfTheWrongTypeIsAnErrorNamingItAndPlacesNothing) {
  PropertyBag bag;
  bag.WriteText("COLTYPE", "three", "");
  const PropertyBagError error = BagErrorOf([&] { PlaceLoaded(bag); });
  EXPECT_EQ(error.key(), "COLTYPE");
  EXPECT_NE(std::string(error.what()).find("COLTYPE"), std::string::npos);
  EXPECT_EQ(host_.ControlNameAt({kVbLeft + 5, kVbTop + 5}), "");
}

TEST_F(VbButtonTest, ASixteenBitKeyHoldingMoreIsAnError) {
  PropertyBag bag;
  bag.WriteInt32("BTYPE", 70000, 0);
  EXPECT_EQ(BagErrorOf([&] { PlaceLoaded(bag); }).key(), "BTYPE");
}

TEST_F(VbButtonTest, ABadBagLeavesALoadedControlAsItWas) {
  vbButton& b = Place();
  b.Caption("Before");
  b.ButtonType(6);
  PropertyBag bag;
  bag.WriteText("TX", "After", "");
  bag.WriteInt32("BTYPE", 3, 0);
  bag.WriteText("VALUE", "checked", "");  // text that is no Boolean
  EXPECT_EQ(BagErrorOf([&] { b.ReadProperties(bag); }).key(), "VALUE");
  EXPECT_EQ(b.Caption(), "Before");
  EXPECT_EQ(b.ButtonType(), 6);
}

}  // namespace
}  // namespace fw::test
