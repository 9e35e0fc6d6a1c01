// vbButton input: hover polling with MouseOver and MouseOut, mouse buttons and clicks, the
// check box, the keyboard (Space, arrows), focus, access keys, and bad key codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/controls/vbbutton/vbbutton_test_support.h"

namespace fw::test {
namespace {

using ::testing::ElementsAre;

TEST_F(VbButtonTest, MovingOntoTheControlRaisesOneMouseOverAndStartsPolling) {
  vbButton& b = Place();
  host_.ClearRecords();
  MoveTo(20, 10);
  MoveTo(30, 12);
  MoveTo(40, 14);
  EXPECT_THAT(EventNames(), ElementsAre("MouseOver"));
  EXPECT_TRUE(b.MouseOverFlag());
  EXPECT_EQ(b.LayoutState().caption_mode, 1);  // the hover look's caption
  EXPECT_TRUE(b.OverTimerEnabled());
  ASSERT_TRUE(host_.NextTimerDue().has_value());
  // The 3 ms interval is raised to the platform's shortest.
  EXPECT_EQ(*host_.NextTimerDue(), host_.Now() + 10);
}

TEST_F(VbButtonTest, LeavingRaisesOneMouseOutAtTheNextTickAndStopsPolling) {
  vbButton& b = Place();
  MoveTo(20, 10);
  host_.Advance(30);  // ticks with the cursor over the control change nothing
  host_.ClearRecords();
  MoveAway();
  EXPECT_TRUE(b.MouseOverFlag());
  EXPECT_TRUE(EventNames().empty());
  host_.Advance(10);
  EXPECT_THAT(EventNames(), ElementsAre("MouseOut"));
  EXPECT_FALSE(b.MouseOverFlag());
  EXPECT_FALSE(b.OverTimerEnabled());
  EXPECT_FALSE(host_.NextTimerDue().has_value());
  host_.Advance(100);
  EXPECT_THAT(EventNames(), ElementsAre("MouseOut"));
}

TEST_F(VbButtonTest, MovingOntoAnotherControlEndsTheHoverToo) {
  Place("a");
  Place("b", 100, 30, kVbLeft + 100);
  MoveTo(50, 10);
  host_.ClearRecords();
  MoveTo(150, 10);  // over b
  host_.Advance(10);
  std::vector<std::string> seen;
  for (const auto& r : host_.RecordsOf(headless::Record::Kind::Event)) {
    if (r.name != "MouseMove") seen.push_back(r.control + "." + r.name);
  }
  EXPECT_THAT(seen, ElementsAre("b.MouseOver", "a.MouseOut"));
}

TEST_F(VbButtonTest, ARightButtonHeldWhileMovingChangesNothing) {
  vbButton& b = Place();
  MoveTo(5, 5);
  host_.Advance(20);
  MoveAway();
  host_.Advance(20);
  host_.MouseDown(kRightButton);
  host_.ClearRecords();
  const int draws = b.DrawCount();
  MoveTo(20, 10);
  EXPECT_THAT(Events(), ElementsAre("MouseMove(2,0,20,10)"));
  EXPECT_FALSE(b.MouseOverFlag());
  EXPECT_EQ(b.DrawCount(), draws);
}

TEST_F(VbButtonTest, ALeftClickDrawsDownThenUpAndRaisesClick) {
  vbButton& b = Place();
  MoveTo(20, 10);
  host_.ClearRecords();
  host_.MouseDown();
  EXPECT_EQ(b.Fields().last_state, vbButton::kDown);
  host_.MouseUp();
  EXPECT_EQ(b.Fields().last_state, vbButton::kUp);
  EXPECT_THAT(EventNames(), ElementsAre("MouseDown", "MouseUp", "Click"));
  EXPECT_EQ(Events()[0], "MouseDown(1,0,20,10)");
  EXPECT_EQ(host_.FocusedName(), "vb1");
}

TEST_F(VbButtonTest, ARightClickRaisesItsEventsButNoClickAndNoDownLook) {
  vbButton& b = Place();
  MoveTo(20, 10);
  host_.Focus("vb1");  // a press gives the focus first, which draws
  host_.ClearRecords();
  const int draws = b.DrawCount();
  host_.MouseDown(kRightButton);
  host_.MouseUp(kRightButton);
  // The platform clicks only for the left button; the control's own rule holds as well.
  b.Click();
  EXPECT_THAT(EventNames(), ElementsAre("MouseDown", "MouseUp"));
  EXPECT_EQ(b.DrawCount(), draws);
  EXPECT_EQ(b.Fields().last_button, kRightButton);
}

TEST_F(VbButtonTest, TheContainerMayChangeTheButtonOfMouseDown) {
  vbButton& b = Place();
  host_.OnEvent([](const std::string&, std::string_view name, std::span<const EventArg> args) {
    if (name == "MouseDown") *std::get<std::int16_t*>(args[0]) = kRightButton;
  });
  MoveTo(20, 10);
  host_.Focus("vb1");
  const int draws = b.DrawCount();
  host_.MouseDown();
  // Taken as a right-button press: no down look, and the click that follows does nothing.
  EXPECT_EQ(b.DrawCount(), draws);
  host_.ClearRecords();
  host_.MouseUp();
  EXPECT_THAT(EventNames(), ElementsAre("MouseUp"));
}

TEST_F(VbButtonTest, ADisabledControlDoesNotClick) {
  vbButton& b = Place();
  MoveTo(20, 10);
  host_.MouseDown();
  host_.MouseUp();
  b.Enabled(false);
  host_.ClearRecords();
  b.Click();  // the platform sends none to a disabled window; the control refuses one too
  EXPECT_TRUE(EventNames().empty());
}

TEST_F(VbButtonTest, WithCheckBoxBehaviourEachClickFlipsValueAndTheDownLookStays) {
  vbButton& b = Place();
  b.CheckBoxBehaviour(true);
  host_.Click(kVbLeft + 20, kVbTop + 10);
  EXPECT_TRUE(b.Value());
  EXPECT_EQ(b.Fields().last_state, vbButton::kDown);
  host_.Click(kVbLeft + 20, kVbTop + 10);
  EXPECT_FALSE(b.Value());
  EXPECT_EQ(b.Fields().last_state, vbButton::kUp);
  EXPECT_EQ(host_.RecordsOf(headless::Record::Kind::Event).back().name, "Click");
}

TEST_F(VbButtonTest, SpacePressedAndReleasedClicksAndFlipsACheckBox) {
  vbButton& b = Place();
  b.CheckBoxBehaviour(true);
  host_.Focus("vb1");
  host_.ClearRecords();
  host_.KeyDown(32);
  EXPECT_EQ(b.Fields().last_state, vbButton::kDown);
  host_.KeyUp(32);
  EXPECT_TRUE(b.Value());
  EXPECT_EQ(b.Fields().last_state, vbButton::kDown);
  host_.KeyDown(32);
  host_.KeyUp(32);
  EXPECT_FALSE(b.Value());
  EXPECT_EQ(b.Fields().last_state, vbButton::kUp);
  EXPECT_THAT(EventNames(), ElementsAre("KeyDown", "KeyUp", "Click", "KeyDown", "KeyUp", "Click"));
  EXPECT_EQ(Events()[0], "KeyDown(32,0)");
}

TEST_F(VbButtonTest, ASpaceReleasedAfterAnotherKeyWentDownDoesNotClick) {
  Place();
  host_.Focus("vb1");
  host_.KeyDown(32);
  host_.KeyDown(65);
  host_.ClearRecords();
  host_.KeyUp(32);
  EXPECT_THAT(EventNames(), ElementsAre("KeyUp"));
}

TEST_F(VbButtonTest, UpAndLeftMoveTheFocusBackDownAndRightForward) {
  Place("a");
  Place("b", 100, 30, kVbLeft, 60);
  Place("c", 100, 30, kVbLeft, 100);
  host_.Focus("b");
  host_.KeyDown(38);  // up
  EXPECT_EQ(host_.FocusedName(), "a");
  host_.KeyDown(39);  // right
  EXPECT_EQ(host_.FocusedName(), "b");
  host_.KeyDown(40);  // down
  EXPECT_EQ(host_.FocusedName(), "c");
  host_.KeyDown(37);  // left
  EXPECT_EQ(host_.FocusedName(), "b");
  EXPECT_THAT(host_.SentKeys(), ElementsAre("+{Tab}", "{Tab}", "{Tab}", "+{Tab}"));
}

// The focus moves once the key-down has been handled, not in the middle of it.
TEST_F(VbButtonTest, TheFocusMovesAfterTheKeyDownEvent) {
  Place("a");
  Place("b", 100, 30, kVbLeft, 60);
  host_.Focus("a");
  std::vector<std::string> focus_during;
  host_.OnEvent([&](const std::string&, std::string_view name, std::span<const EventArg>) {
    if (name == "KeyDown") focus_during.push_back(host_.FocusedName());
  });
  host_.KeyDown(40);
  EXPECT_THAT(focus_during, ElementsAre("a"));
  EXPECT_EQ(host_.FocusedName(), "b");
}

TEST_F(VbButtonTest, AKeyCodeBeyondEightBitsIsAnOverflowAfterItsEvent) {
  vbButton& b = Place();
  host_.Focus("vb1");
  host_.KeyDown(32);
  host_.ClearRecords();
  EXPECT_THROW(host_.KeyDown(300), OverflowError);
  EXPECT_THROW(host_.KeyDown(-1), OverflowError);
  EXPECT_THAT(EventNames(), ElementsAre("KeyDown", "KeyDown"));
  // The last key code is still Space: releasing it clicks.
  EXPECT_EQ(b.Fields().last_key_code, 32);
  host_.KeyUp(32);
  EXPECT_EQ(EventNames().back(), "Click");
}

TEST_F(VbButtonTest, KeyPressIsRaisedWithItsCharacter) {
  Place();
  host_.Focus("vb1");
  host_.ClearRecords();
  host_.KeyPress(97);
  EXPECT_THAT(Events(), ElementsAre("KeyPress(97)"));
}

TEST_F(VbButtonTest, AFocusedControlWithAFocusRectangleShowsTheHoverLookSilently) {
  vbButton& b = Place();
  host_.ClearRecords();
  host_.Focus("vb1");
  EXPECT_TRUE(b.FocusFlag());
  EXPECT_TRUE(b.MouseOverFlag());
  EXPECT_FALSE(b.OverTimerEnabled());
  host_.Focus("");
  EXPECT_FALSE(b.FocusFlag());
  EXPECT_FALSE(b.MouseOverFlag());
  EXPECT_TRUE(EventNames().empty());
}

TEST_F(VbButtonTest, WithoutAFocusRectangleFocusLeavesTheHoverLookAlone) {
  vbButton& b = Place();
  b.ShowFocusRect(false);
  const int draws = b.DrawCount();
  host_.Focus("vb1");
  EXPECT_TRUE(b.FocusFlag());
  EXPECT_FALSE(b.MouseOverFlag());
  EXPECT_EQ(b.DrawCount(), draws + 1);
}

TEST_F(VbButtonTest, ADoubleClickPressesAgainAtTheOriginAndTakesTheMouse) {
  vbButton& b = Place();
  MoveTo(20, 10);
  host_.MouseDown();
  host_.MouseUp();
  host_.ClearRecords();
  host_.DoubleClickPress();
  EXPECT_THAT(Events(), ElementsAre("MouseDown(1,0,0,0)"));
  EXPECT_EQ(b.Fields().last_state, vbButton::kDown);
  EXPECT_EQ(host_.Desktop().GetCapture(), Window().hWnd());
}

// The mouse the double click took goes back at the release, so the next clicks reach whichever
// control is under the cursor.
TEST_F(VbButtonTest, TheReleaseAfterADoubleClickGivesTheMouseBack) {
  Place("vb1");
  Place("vb2", 100, 30, kVbLeft + 150, kVbTop);
  host_.DoubleClick(kVbLeft + 20, kVbTop + 10);
  EXPECT_EQ(host_.Desktop().GetCapture(), 0u);
  host_.ClearRecords();
  host_.Click(kVbLeft + 170, kVbTop + 10);
  host_.Click(kVbLeft + 170, kVbTop + 10);
  std::vector<std::string> clicks;
  for (const auto& r : host_.RecordsOf(headless::Record::Kind::Event)) {
    if (r.name == "Click") clicks.push_back(r.control);
  }
  EXPECT_THAT(clicks, ElementsAre("vb2", "vb2"));
}

TEST_F(VbButtonTest, ADoubleClickAfterARightClickDoesNothing) {
  Place();
  MoveTo(20, 10);
  host_.MouseDown(kRightButton);
  host_.MouseUp(kRightButton);
  host_.ClearRecords();
  host_.DoubleClickPress();
  EXPECT_TRUE(Events().empty());
  EXPECT_EQ(host_.Desktop().GetCapture(), 0u);
}

TEST(VbAccessKeys, TheFirstSingleAmpersandMarksTheKey) {
  EXPECT_EQ(AccessKeysOf("&Save"), "s");
  EXPECT_EQ(AccessKeysOf("Sa&ve"), "v");
  EXPECT_EQ(AccessKeysOf("Save &As"), "a");
  EXPECT_EQ(AccessKeysOf("\xC4&\xD6l"), "\xF6");  // Windows-1252 letters lower too
}

TEST(VbAccessKeys, ADoubledAmpersandDefersToALaterSingleOne) {
  EXPECT_EQ(AccessKeysOf("Fish && &Chips"), "c");
  EXPECT_EQ(AccessKeysOf("a&&&B"), "b");
}

TEST(VbAccessKeys, CaptionsWithoutAUsableAmpersandHaveNone) {
  EXPECT_EQ(AccessKeysOf("Save"), "");
  EXPECT_EQ(AccessKeysOf("Save&"), "");
  EXPECT_EQ(AccessKeysOf("Fish && Chips"), "");
  EXPECT_EQ(AccessKeysOf("a&&b&&c"), "");
  EXPECT_EQ(AccessKeysOf("a&&b&"), "");
  EXPECT_EQ(AccessKeysOf("&"), "");
  EXPECT_EQ(AccessKeysOf("&&"), "");
}

TEST_F(VbButtonTest, TheCaptionSetsTheWindowsAccessKeyAndPressingItClicks) {
  vbButton& b = Place();
  b.Caption("Fish && &Chips");
  EXPECT_EQ(Window().AccessKeys(), "c");
  b.CheckBoxBehaviour(true);
  host_.ClearRecords();
  EXPECT_TRUE(host_.PressAccessKey('C'));
  EXPECT_THAT(EventNames(), ElementsAre("Click"));
  EXPECT_TRUE(b.Value());
  b.Caption("Plain");
  EXPECT_EQ(Window().AccessKeys(), "");
  EXPECT_FALSE(host_.PressAccessKey('c'));
}

}  // namespace
}  // namespace fw::test
