// vbButton properties: what each setter stores, marks and draws; the window's share (font,
// pointer, icon, Enabled); bad input; the draw rule, DisableRefresh and Refresh.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/controls/vbbutton/vbbutton_test_support.h"

namespace fw::test {
namespace {

using ::testing::ElementsAre;

TEST_F(VbButtonTest, ReportsItsVersionAndWindow) {
  vbButton& b = Place();
  EXPECT_EQ(b.Version(), "2.0.6");
  EXPECT_EQ(b.hwnd(), Window().hWnd());
  EXPECT_NE(b.hwnd(), 0u);
}

// Every setter marks the key its value is saved under, once.
TEST_F(VbButtonTest, EachSetterMarksItsPersistenceKey) {
  struct Case {
    const char* key;
    std::function<void(vbButton&)> set;
  };
  const std::vector<Case> cases = {
      {"BCOL", [](vbButton& b) { b.BackColor(0x112233); }},
      {"BCOLO", [](vbButton& b) { b.BackOver(0x112233); }},
      {"FCOL", [](vbButton& b) { b.ForeColor(0x112233); }},
      {"FCOLO", [](vbButton& b) { b.ForeOver(0x112233); }},
      {"MCOL", [](vbButton& b) { b.MaskColor(0x112233); }},
      {"BTYPE", [](vbButton& b) { b.ButtonType(7); }},
      {"TX", [](vbButton& b) { b.Caption("Go"); }},
      {"ENAB", [](vbButton& b) { b.Enabled(false); }},
      {"FONT",
       [](vbButton& b) {
         b.Font(FontSpec{"Tahoma", 9, false, false, false, false});
       }},
      {"COLTYPE", [](vbButton& b) { b.ColorScheme(3); }},
      {"FOCUSR", [](vbButton& b) { b.ShowFocusRect(false); }},
      {"MPTR", [](vbButton& b) { b.MousePointer(11); }},
      {"MICON", [](vbButton& b) { b.MouseIcon(nullptr); }},
      {"HAND", [](vbButton& b) { b.HandPointer(true); }},
      {"SOFT", [](vbButton& b) { b.SoftBevel(true); }},
      {"PICN", [](vbButton& b) { b.PictureNormal(nullptr); }},
      {"PICH", [](vbButton& b) { b.PictureOver(nullptr); }},
      {"PICPOS", [](vbButton& b) { b.PicturePosition(2); }},
      {"UMCOL", [](vbButton& b) { b.UseMaskColor(false); }},
      {"NGREY", [](vbButton& b) { b.UseGreyscale(true); }},
      {"FX", [](vbButton& b) { b.SpecialEffect(1); }},
      {"CHECK", [](vbButton& b) { b.CheckBoxBehaviour(true); }},
      {"VALUE", [](vbButton& b) { b.Value(true); }},
  };
  for (const Case& c : cases) {
    host_.Unload();
    vbButton& b = Place();
    host_.ClearRecords();
    c.set(b);
    EXPECT_THAT(Changed(), ElementsAre(c.key)) << c.key;
  }
}

TEST_F(VbButtonTest, SettersStoreValuesWithoutRangeChecks) {
  vbButton& b = Place();
  b.ButtonType(99);
  b.ColorScheme(-5);
  b.PicturePosition(12345);
  b.SpecialEffect(-1);
  b.MaskColor(0x80000063);
  EXPECT_EQ(b.ButtonType(), 99);
  EXPECT_EQ(b.ColorScheme(), -5);
  EXPECT_EQ(b.PicturePosition(), 12345);
  EXPECT_EQ(b.SpecialEffect(), -1);
  EXPECT_EQ(b.MaskColor(), 0x80000063u);
}

TEST_F(VbButtonTest, FontPartsChangeTheWindowsFontAndMarkNothing) {
  vbButton& b = Place();
  host_.ClearRecords();
  b.FontBold(true);
  b.FontItalic(true);
  b.FontUnderline(true);
  b.FontName("Tahoma");
  b.FontSize(12);
  const FontSpec font = Window().Font();
  EXPECT_TRUE(font.bold);
  EXPECT_TRUE(font.italic);
  EXPECT_TRUE(font.underline);
  EXPECT_EQ(font.face, "Tahoma");
  EXPECT_EQ(font.points, 12.0);
  EXPECT_TRUE(Changed().empty());
  EXPECT_TRUE(b.FontBold());
  EXPECT_EQ(b.FontName(), "Tahoma");
}

TEST_F(VbButtonTest, FontSizeIsReadInWholePointsRounded) {
  vbButton& b = Place();
  b.Font(FontSpec{"MS Sans Serif", 8.25, false, false, false, false});
  EXPECT_EQ(b.FontSize(), 8);
  b.Font(FontSpec{"MS Sans Serif", 9.75, false, false, false, false});
  EXPECT_EQ(b.FontSize(), 10);
  b.Font(FontSpec{"MS Sans Serif", 10.5, false, false, false, false});
  EXPECT_EQ(b.FontSize(), 10);  // a half goes to the even neighbour
}

TEST_F(VbButtonTest, AMousePointerBeyondSixteenBitsIsAnOverflowAndChangesNothing) {
  vbButton& b = Place();
  b.MousePointer(11);
  host_.ClearRecords();
  EXPECT_THROW(b.MousePointer(40000), OverflowError);
  EXPECT_THROW(b.MousePointer(-32769), OverflowError);
  EXPECT_EQ(b.MousePointer(), 11);
  EXPECT_TRUE(Changed().empty());
  b.MousePointer(-32768);
  EXPECT_EQ(Window().MousePointer(), -32768);
}

TEST_F(VbButtonTest, HandPointerSetsTheHandCursorOrTheArrow) {
  vbButton& b = Place();
  b.HandPointer(true);
  EXPECT_TRUE(b.HandPointer());
  EXPECT_EQ(b.MousePointer(), 99);
  ASSERT_NE(b.MouseIcon(), nullptr);
  EXPECT_EQ(b.MouseIcon()->kind(), PictureKind::Cursor);
  b.HandPointer(false);
  EXPECT_EQ(b.MousePointer(), 1);
  EXPECT_EQ(b.MouseIcon(), nullptr);
}

TEST_F(VbButtonTest, MouseIconGoesToTheWindowAndDoesNotDraw) {
  vbButton& b = Place();
  const int draws = b.DrawCount();
  const PicturePtr icon = VbPicture(4, 4, [](int, int) { return 0x0000FFu; });
  b.MouseIcon(icon);
  EXPECT_EQ(Window().MouseIcon(), icon);
  b.MousePointer(5);
  EXPECT_EQ(b.DrawCount(), draws);
}

TEST_F(VbButtonTest, InDesignModeBackColorAndForeColorAlsoSetTheHoverColours) {
  host_.SetUserMode(false);
  vbButton& b = Place();
  b.BackColor(0x101010);
  b.ForeColor(0x202020);
  EXPECT_EQ(b.BackOver(), 0x101010u);
  EXPECT_EQ(b.ForeOver(), 0x202020u);
}

TEST_F(VbButtonTest, AtRunTimeBackColorAndForeColorLeaveTheHoverColours) {
  vbButton& b = Place();
  b.BackOver(0x303030);
  b.ForeOver(0x404040);
  b.BackColor(0x101010);
  b.ForeColor(0x202020);
  EXPECT_EQ(b.BackOver(), 0x303030u);
  EXPECT_EQ(b.ForeOver(), 0x404040u);
}

TEST_F(VbButtonTest, ButtonTypeFiveMakesTheFontBoldOnlyInDesignMode) {
  vbButton& run = Place("run");
  run.ButtonType(5);
  EXPECT_FALSE(Window("run").Font().bold);
  host_.SetUserMode(false);
  vbButton& design = Place("design");
  design.ButtonType(5);
  EXPECT_TRUE(Window("design").Font().bold);
}

TEST_F(VbButtonTest, EnabledDrawsTheDisabledLookAndDisablesTheWindow) {
  vbButton& b = Place();
  const int draws = b.DrawCount();
  b.Enabled(false);
  EXPECT_FALSE(b.Enabled());
  EXPECT_FALSE(Window().Enabled());
  EXPECT_EQ(b.DrawCount(), draws + 1);
  b.Enabled(true);
  EXPECT_TRUE(Window().Enabled());
}

TEST_F(VbButtonTest, SettersThatRedrawDrawOnceAndThoseThatDoNotDrawNothing) {
  vbButton& b = Place();
  const auto draws_of = [&](const std::function<void()>& set) {
    const int before = b.DrawCount();
    set();
    return b.DrawCount() - before;
  };
  EXPECT_EQ(draws_of([&] { b.BackOver(0x123456); }), 1);
  EXPECT_EQ(draws_of([&] { b.ShowFocusRect(false); }), 1);
  EXPECT_EQ(draws_of([&] { b.SpecialEffect(2); }), 1);
  EXPECT_EQ(draws_of([&] { b.Caption("New"); }), 1);
  EXPECT_EQ(draws_of([&] { b.PicturePosition(1); }), 1);
  EXPECT_EQ(draws_of([&] { b.MousePointer(2); }), 0);
  EXPECT_EQ(draws_of([&] { b.HandPointer(true); }), 0);
  // Without a picture the mask and greyscale settings change nothing on the face.
  EXPECT_EQ(draws_of([&] { b.UseMaskColor(false); }), 0);
  EXPECT_EQ(draws_of([&] { b.UseGreyscale(true); }), 0);
  // The hover picture shows only under the mouse.
  EXPECT_EQ(draws_of([&] { b.PictureOver(VbPicture(2, 2, [](int, int) { return 0u; })); }), 0);
  // Value draws only for a check box.
  EXPECT_EQ(draws_of([&] { b.Value(true); }), 0);
  b.CheckBoxBehaviour(true);
  EXPECT_EQ(draws_of([&] { b.Value(false); }), 1);
  b.PictureNormal(VbPicture(2, 2, [](int, int) { return 0u; }));
  EXPECT_EQ(draws_of([&] { b.UseMaskColor(true); }), 1);
  EXPECT_EQ(draws_of([&] { b.UseGreyscale(false); }), 1);
}

TEST_F(VbButtonTest, TheDrawRuleDrawsOnlyWhatChanged) {
  vbButton& b = Place();
  int draws = b.DrawCount();
  b.Draw(vbButton::kUp, false);  // the up look is what the last draw showed
  EXPECT_EQ(b.DrawCount(), draws);
  b.Draw(vbButton::kDown, false);
  EXPECT_EQ(b.DrawCount(), ++draws);
  EXPECT_EQ(b.Fields().last_state, vbButton::kDown);
  b.Draw(vbButton::kDown, false);
  EXPECT_EQ(b.DrawCount(), draws);
  b.Draw(vbButton::kDown, true);
  EXPECT_EQ(b.DrawCount(), ++draws);
}

TEST_F(VbButtonTest, ACheckedCheckBoxIsAlwaysDrawnDown) {
  vbButton& b = Place();
  b.CheckBoxBehaviour(true);
  b.Value(true);
  b.Draw(vbButton::kUp, true);
  EXPECT_EQ(b.Fields().last_state, vbButton::kDown);
}

TEST_F(VbButtonTest, AControlWithoutHeightNeverDraws) {
  vbButton& b = Place("flat", 50, 0);
  EXPECT_EQ(b.Fields().height, 0);
  b.Caption("x");
  b.Draw(vbButton::kDown, true);
  EXPECT_EQ(b.DrawCount(), 0);
}

TEST_F(VbButtonTest, DisableRefreshStopsDrawingUntilRefresh) {
  vbButton& b = Place();
  b.DisableRefresh();
  EXPECT_FALSE(b.DrawingAllowed());
  const int draws = b.DrawCount();
  b.Caption("One");
  b.BackOver(0x010203);
  b.Draw(vbButton::kDown, true);
  EXPECT_EQ(b.DrawCount(), draws);
  b.Refresh();
  EXPECT_TRUE(b.DrawingAllowed());
  EXPECT_EQ(b.DrawCount(), draws + 1);
}

TEST_F(VbButtonTest, HideStopsDrawingAndShowAllowsItAgain) {
  vbButton& b = Place();
  b.Hide();
  const int draws = b.DrawCount();
  b.Caption("Hidden");
  EXPECT_EQ(b.DrawCount(), draws);
  b.Show();
  EXPECT_EQ(b.DrawCount(), draws + 1);
}

TEST_F(VbButtonTest, TerminateStopsDrawingPollingAndReleasesTheBackground) {
  vbButton& b = Place();
  b.ButtonType(11);
  ASSERT_NE(b.Fields().background, nullptr);
  MoveTo(20, 10);
  ASSERT_TRUE(b.OverTimerEnabled());
  b.Terminate();
  EXPECT_FALSE(b.DrawingAllowed());
  EXPECT_FALSE(b.OverTimerEnabled());
  EXPECT_FALSE(host_.NextTimerDue().has_value());
  EXPECT_EQ(b.Fields().background, nullptr);
  const int draws = b.DrawCount();
  b.Draw(vbButton::kDown, true);
  EXPECT_EQ(b.DrawCount(), draws);
}

TEST_F(VbButtonTest, ResizeMeasuresTheWindowAndShrinksTheContent) {
  struct Case {
    std::int32_t type;
    Rect content;
  };
  for (const Case& c : {Case{2, {4, 4, 96, 26}}, Case{7, {3, 3, 97, 27}}, Case{13, {3, 3, 97, 27}},
                        Case{14, {6, 6, 96, 26}}, Case{1, {4, 4, 96, 26}}}) {
    vbButton& b = Place("vb" + std::to_string(c.type));
    b.ButtonType(c.type);
    EXPECT_EQ(b.Fields().width, 100);
    EXPECT_EQ(b.Fields().height, 30);
    EXPECT_EQ(b.Fields().content, c.content) << c.type;
  }
}

TEST_F(VbButtonTest, AmbientChangesRecolourUnlessTheSchemeIsCustom) {
  vbButton& system = Place("system");
  vbButton& custom = Place("custom", 100, 30, 10, 60);
  custom.ColorScheme(2);
  const int system_draws = system.DrawCount();
  const int custom_draws = custom.DrawCount();
  host_.SetDisplayAsDefault("system", true);
  host_.SetDisplayAsDefault("custom", true);
  EXPECT_EQ(system.DrawCount(), system_draws + 1);
  EXPECT_EQ(custom.DrawCount(), custom_draws);
}

}  // namespace
}  // namespace fw::test
