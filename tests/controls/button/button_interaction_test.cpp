// Button interaction: hover tracking, pressing, clicks, keys, focus and drag and drop, and the
// events and repaints each gives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/controls/button/button_test_support.h"

namespace fw::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A fresh control is 80 x 33 pixels; these tests place it at (10, 20) in the parent.
constexpr int kW = 80;
constexpr int kH = 33;

class ButtonInteractionTest : public ButtonTest {
 protected:
  void SetUp() override {
    button_ = &PlaceFresh();
    ASSERT_EQ(Window().ScaleWidth(), kW);
    ASSERT_EQ(Window().ScaleHeight(), kH);
    host_.ClearRecords();
  }
  Button& button() { return *button_; }
  int paints() const { return button_->PaintCount(); }

  // Logs each event with the repaints counted so far, so that a test can check the order of
  // repaints and events.
  void LogEventsWithPaints() {
    host_.OnEvent([this](const std::string&, std::string_view name, std::span<const EventArg>) {
      log_.push_back(std::string(name) + "@" + std::to_string(button_->PaintCount()));
    });
  }

  Button* button_ = nullptr;
  std::vector<std::string> log_;
};

// ---- Hover ----

TEST_F(ButtonInteractionTest, EnteringRepaintsOnceAndFurtherMovesRepaintNothing) {
  EXPECT_FALSE(button().HoverFlag().has_value());
  const int before = paints();
  MoveTo(5, 5);
  EXPECT_EQ(button().HoverFlag(), true);
  EXPECT_FALSE(button().PressedFlag());
  EXPECT_EQ(paints(), before + 1);
  MoveTo(6, 7);
  MoveTo(40, 16);
  EXPECT_EQ(paints(), before + 1);
  EXPECT_EQ(button().HoverFlag(), true);
  // Every move inside takes the capture and raises MouseMove with its own arguments.
  EXPECT_THAT(Captures(),
              ElementsAre("SetCapture:Command1", "SetCapture:Command1", "SetCapture:Command1"));
  EXPECT_THAT(Events(),
              ElementsAre("MouseMove(0,0,5,5)", "MouseMove(0,0,6,7)", "MouseMove(0,0,40,16)"));
}

TEST_F(ButtonInteractionTest, LeavingReleasesTheCaptureClearsTheHoverAndRepaintsOnce) {
  MoveTo(5, 5);
  host_.ClearRecords();
  const int before = paints();
  MoveAway();
  EXPECT_EQ(button().HoverFlag(), false);
  EXPECT_EQ(paints(), before + 1);
  EXPECT_THAT(Captures(), ElementsAre("ReleaseCapture:Command1"));
  ASSERT_EQ(Events().size(), 1u);
  EXPECT_EQ(Events()[0].rfind("MouseMove(", 0), 0u);
  // With the capture gone, moves elsewhere no longer reach the control.
  MoveTo(-20, -20);
  EXPECT_EQ(Events().size(), 1u);
}

TEST_F(ButtonInteractionTest, AMoveOutsideWhileTheHoverIsEmptyChangesNothing) {
  // The cursor starts away from the control; the notification arrives anyway.
  const int before = paints();
  button().MouseMove(0, 0, 1.0f, 2.0f);
  EXPECT_FALSE(button().HoverFlag().has_value());
  EXPECT_EQ(paints(), before);
  EXPECT_THAT(Captures(), ElementsAre("ReleaseCapture:"));
  EXPECT_THAT(Events(), ElementsAre("MouseMove(0,0,1,2)"));
}

TEST_F(ButtonInteractionTest, TheRightColumnAndBottomRowCountAsInside) {
  MoveTo(kW - 1, kH - 1);
  const int before = paints();
  host_.ClearRecords();
  MoveTo(kW, 10);
  EXPECT_EQ(button().HoverFlag(), true);
  MoveTo(10, kH);
  EXPECT_EQ(button().HoverFlag(), true);
  MoveTo(kW, kH);
  EXPECT_EQ(button().HoverFlag(), true);
  EXPECT_EQ(paints(), before);
  EXPECT_THAT(Captures(),
              ElementsAre("SetCapture:Command1", "SetCapture:Command1", "SetCapture:Command1"));
  MoveTo(kW + 1, kH);
  EXPECT_EQ(button().HoverFlag(), false);
  EXPECT_EQ(paints(), before + 1);
}

TEST_F(ButtonInteractionTest, TheLeftColumnAndTopRowCountAsInsideButNotBeyond) {
  MoveTo(0, 0);
  EXPECT_EQ(button().HoverFlag(), true);
  MoveTo(-1, 0);
  EXPECT_EQ(button().HoverFlag(), false);
  MoveTo(0, 0);
  EXPECT_EQ(button().HoverFlag(), true);
  MoveTo(0, -1);
  EXPECT_EQ(button().HoverFlag(), false);
}

TEST_F(ButtonInteractionTest, InDesignModeMovesChangeNothingAndRaiseNothing) {
  host_.SetUserMode(false);
  const int before = paints();
  MoveTo(5, 5);
  MoveTo(kW, kH);
  MoveTo(-3, 4);
  EXPECT_FALSE(button().HoverFlag().has_value());
  EXPECT_EQ(paints(), before);
  EXPECT_THAT(Events(), IsEmpty());
  EXPECT_THAT(Captures(), IsEmpty());
}

TEST_F(ButtonInteractionTest, InDesignModeAHoverFlagStaysAsItWas) {
  MoveTo(5, 5);
  host_.SetUserMode(false);
  host_.ClearRecords();
  const int before = paints();
  MoveTo(200, 100);
  EXPECT_EQ(button().HoverFlag(), true);
  EXPECT_EQ(paints(), before);
  EXPECT_THAT(Events(), IsEmpty());
}

// ---- Pressing ----

TEST_F(ButtonInteractionTest, MouseDownPressesRepaintsAndRaisesWithoutCapturing) {
  MoveTo(12, 7);
  host_.Focus("Command1");
  host_.ClearRecords();
  const int before = paints();
  host_.MouseDown(kLeftButton, kShiftMask);
  EXPECT_TRUE(button().PressedFlag());
  EXPECT_EQ(paints(), before + 1);
  EXPECT_THAT(Events(), ElementsAre("MouseDown(1,1,12,7)"));
  EXPECT_THAT(Captures(), IsEmpty());
}

TEST_F(ButtonInteractionTest, MouseUpTakesTheCaptureWhenItIsNotTheControls) {
  MoveTo(12, 7);
  host_.MouseDown();
  host_.Desktop().ReleaseCapture();
  host_.ClearRecords();
  const int before = paints();
  host_.MouseUp();
  EXPECT_FALSE(button().PressedFlag());
  EXPECT_EQ(paints(), before + 2);  // the release, then the click
  EXPECT_THAT(Captures(), ElementsAre("SetCapture:Command1"));
  EXPECT_THAT(Events(), ElementsAre("MouseUp(1,0,12,7)", "Click()"));
}

TEST_F(ButtonInteractionTest, MouseUpKeepsACaptureThatIsAlreadyTheControls) {
  MoveTo(12, 7);
  host_.MouseDown();
  host_.ClearRecords();
  host_.MouseUp();
  EXPECT_THAT(Captures(), IsEmpty());
}

TEST_F(ButtonInteractionTest, DraggingOutWhilePressedClearsHoverAndPressedAndBackShowsHover) {
  MoveTo(5, 5);
  host_.MouseDown();
  ASSERT_TRUE(button().PressedFlag());
  int before = paints();
  MoveTo(kW + 10, 5);
  EXPECT_EQ(button().HoverFlag(), false);
  EXPECT_FALSE(button().PressedFlag());
  EXPECT_EQ(paints(), before + 1);
  before = paints();
  MoveTo(kW + 20, 8);
  EXPECT_EQ(paints(), before);
  MoveTo(6, 6);
  EXPECT_EQ(button().HoverFlag(), true);
  EXPECT_FALSE(button().PressedFlag());
  EXPECT_EQ(paints(), before + 1);
}

TEST_F(ButtonInteractionTest, EventsFollowTheirRepaints) {
  LogEventsWithPaints();
  const int p = paints();
  host_.Click(kLeftPx + 5, kTopPx + 5);
  // Entering repaints, then MouseMove; the press gives the focus (a repaint) and presses (a
  // repaint) before MouseDown; the release and the click each repaint before their event.
  EXPECT_THAT(
      log_, ElementsAre("MouseMove@" + std::to_string(p + 1), "MouseDown@" + std::to_string(p + 3),
                        "MouseUp@" + std::to_string(p + 4), "Click@" + std::to_string(p + 5)));
  EXPECT_TRUE(button().FocusFlag());
}

// ---- Click and toggle ----

TEST_F(ButtonInteractionTest, ClickRepaintsAndRaisesClickAfterTheMouseUp) {
  MoveTo(5, 5);
  host_.ClearRecords();
  host_.MouseDown();
  host_.MouseUp();
  EXPECT_THAT(Events(), ElementsAre("MouseDown(1,0,5,5)", "MouseUp(1,0,5,5)", "Click()"));
}

TEST_F(ButtonInteractionTest, AToggleButtonAlternatesItsValueOnEachClick) {
  button().ButtonType(1);
  host_.Click(kLeftPx + 5, kTopPx + 5);
  EXPECT_TRUE(button().Value());
  host_.Click(kLeftPx + 5, kTopPx + 5);
  EXPECT_FALSE(button().Value());
  // After the second click the pressed look stays until the next hover change.
  EXPECT_TRUE(button().PressedFlag());
  host_.Click(kLeftPx + 6, kTopPx + 5);
  EXPECT_TRUE(button().Value());
  host_.Click(kLeftPx + 6, kTopPx + 6);
  EXPECT_FALSE(button().Value());
  MoveAway();
  EXPECT_FALSE(button().PressedFlag());
  // Clicking never marks Value changed.
  EXPECT_THAT(Changed(), ElementsAre("ButtonType"));
}

TEST_F(ButtonInteractionTest, APlainButtonNeverChangesItsValueByClicking) {
  for (bool value : {false, true}) {
    SCOPED_TRACE(value);
    button().Value(value);
    for (int i = 0; i < 3; ++i) {
      host_.Click(kLeftPx + 5 + i, kTopPx + 5);
      EXPECT_EQ(button().Value(), value);
    }
  }
}

TEST_F(ButtonInteractionTest, ClickNotificationAloneTogglesFromThePressedFlag) {
  button().ButtonType(1);
  button().PressedFlag(true);
  button().Click();
  EXPECT_FALSE(button().Value());
  button().PressedFlag(false);
  button().Click();
  EXPECT_TRUE(button().Value());
}

TEST_F(ButtonInteractionTest, DoubleClickRaisesDblClickPressedAndTheNextMouseUpClears) {
  bool pressed_at_dblclick = false;
  host_.OnEvent([&](const std::string&, std::string_view name, std::span<const EventArg>) {
    if (name == "DblClick") pressed_at_dblclick = button_->PressedFlag();
  });
  host_.DoubleClick(kLeftPx + 5, kTopPx + 5);
  EXPECT_TRUE(pressed_at_dblclick);
  EXPECT_FALSE(button().PressedFlag());
  EXPECT_THAT(Events(), ElementsAre("MouseMove(0,0,5,5)", "MouseDown(1,0,5,5)", "MouseUp(1,0,5,5)",
                                    "Click()", "DblClick()", "MouseUp(1,0,5,5)"));
}

TEST_F(ButtonInteractionTest, DblClickNotificationPressesAndRepaints) {
  const int before = paints();
  button().DblClick();
  EXPECT_TRUE(button().PressedFlag());
  EXPECT_EQ(paints(), before + 1);
  EXPECT_THAT(Events(), ElementsAre("DblClick()"));
}

// ---- Keys ----

TEST_F(ButtonInteractionTest, SpacePressesAndReleasesWithoutAClick) {
  host_.Focus("Command1");
  host_.ClearRecords();
  int before = paints();
  host_.KeyDown(32);
  EXPECT_TRUE(button().PressedFlag());
  EXPECT_EQ(paints(), before + 1);
  host_.KeyPress(32);
  EXPECT_EQ(paints(), before + 1);
  before = paints();
  host_.KeyUp(32);
  EXPECT_FALSE(button().PressedFlag());
  EXPECT_EQ(paints(), before + 1);
  EXPECT_THAT(Events(), ElementsAre("KeyDown(32,0)", "KeyPress(32)", "KeyUp(32,0)"));
}

TEST_F(ButtonInteractionTest, EnterLeavesTheControlPressedAndReportsAMouseDown) {
  host_.Focus("Command1");
  host_.ClearRecords();
  LogEventsWithPaints();
  const int p = paints();
  host_.KeyDown(13, kShiftMask);
  EXPECT_TRUE(button().PressedFlag());
  EXPECT_EQ(paints(), p + 1);
  host_.KeyUp(13, kShiftMask);
  // Released and repainted, pressed again and repainted.
  EXPECT_TRUE(button().PressedFlag());
  EXPECT_EQ(paints(), p + 3);
  EXPECT_THAT(Events(), ElementsAre("KeyDown(13,1)", "MouseDown(0,0,0,0)", "KeyUp(13,1)"));
  EXPECT_THAT(log_,
              ElementsAre("KeyDown@" + std::to_string(p + 1), "MouseDown@" + std::to_string(p + 3),
                          "KeyUp@" + std::to_string(p + 3)));
}

TEST_F(ButtonInteractionTest, OtherKeysRaiseTheirEventsWithoutRepainting) {
  host_.Focus("Command1");
  host_.ClearRecords();
  const int before = paints();
  host_.KeyDown(65, kCtrlMask);
  host_.KeyPress(97);
  host_.KeyUp(65, kCtrlMask);
  EXPECT_EQ(paints(), before);
  EXPECT_FALSE(button().PressedFlag());
  EXPECT_THAT(Events(), ElementsAre("KeyDown(65,2)", "KeyPress(97)", "KeyUp(65,2)"));
}

TEST_F(ButtonInteractionTest, AnyKeyUpReleasesAPressedControl) {
  host_.Focus("Command1");
  host_.KeyDown(32);
  host_.ClearRecords();
  const int before = paints();
  host_.KeyUp(65);
  EXPECT_FALSE(button().PressedFlag());
  EXPECT_EQ(paints(), before + 1);
  EXPECT_THAT(Events(), ElementsAre("KeyUp(65,0)"));
}

TEST_F(ButtonInteractionTest, EnterUpOnAReleasedControlOnlyRaisesKeyUp) {
  host_.Focus("Command1");
  const int before = paints();
  host_.KeyUp(13);
  EXPECT_FALSE(button().PressedFlag());
  EXPECT_EQ(paints(), before);
  EXPECT_THAT(Events(), ElementsAre("KeyUp(13,0)"));
}

// ---- Focus ----

TEST_F(ButtonInteractionTest, FocusSetsAndClearsTheFlagWithARepaintAndNoEvent) {
  PlaceFresh("Command2");
  host_.ClearRecords();
  int before = paints();
  host_.Focus("Command1");
  EXPECT_TRUE(button().FocusFlag());
  EXPECT_EQ(paints(), before + 1);
  before = paints();
  host_.Focus("Command2");
  EXPECT_FALSE(button().FocusFlag());
  EXPECT_EQ(paints(), before + 1);
  EXPECT_THAT(Events(), IsEmpty());
  EXPECT_THAT(Changed(), IsEmpty());
}

// ---- Drag and drop ----

TEST_F(ButtonInteractionTest, DragAndDropNotificationsPassTheirArgumentsThrough) {
  DataObject data{{{1, "text"}}};
  std::int32_t effect = 3;
  std::int16_t mouse = 1;
  std::int16_t shift = 2;
  float x = 4.5f;
  float y = 6.0f;
  std::int16_t state = 1;
  bool default_cursors = true;
  std::int16_t format = 1;
  const int before = paints();
  button().OLECompleteDrag(effect);
  button().OLEDragDrop(data, effect, mouse, shift, x, y);
  button().OLEDragOver(data, effect, mouse, shift, x, y, state);
  button().OLEGiveFeedback(effect, default_cursors);
  button().OLESetData(data, format);
  button().OLEStartDrag(data, effect);
  EXPECT_THAT(Events(), ElementsAre("OLECompleteDrag(3)", "OLEDragDrop(Data,3,1,2,4.5,6)",
                                    "OLEDragOver(Data,3,1,2,4.5,6,1)", "OLEGiveFeedback(3,True)",
                                    "OLESetData(Data,1)", "OLEStartDrag(Data,3)"));
  EXPECT_EQ(paints(), before);
  EXPECT_FALSE(button().HoverFlag().has_value());
  EXPECT_FALSE(button().PressedFlag());
}

TEST_F(ButtonInteractionTest, AContainersChangeToADragArgumentReachesTheCaller) {
  host_.OnEvent([](const std::string&, std::string_view name, std::span<const EventArg> args) {
    if (name == "OLEDragOver") {
      *std::get<std::int32_t*>(args[1]) = 0;  // Effect: none
      *std::get<std::int16_t*>(args[6]) = 2;  // State
      std::get<DataObject*>(args[0])->formats.push_back({7, "added"});
    } else if (name == "OLEGiveFeedback") {
      *std::get<bool*>(args[1]) = false;  // DefaultCursors
    } else if (name == "OLEStartDrag") {
      *std::get<std::int32_t*>(args[1]) = 1;  // AllowedEffects: copy only
    }
  });
  DataObject data;
  std::int32_t effect = 3;
  std::int16_t mouse = 1;
  std::int16_t shift = 0;
  float x = 1.0f;
  float y = 2.0f;
  std::int16_t state = 0;
  button().OLEDragOver(data, effect, mouse, shift, x, y, state);
  EXPECT_EQ(effect, 0);
  EXPECT_EQ(state, 2);
  ASSERT_EQ(data.formats.size(), 1u);
  EXPECT_EQ(data.formats[0].second, "added");

  bool default_cursors = true;
  std::int32_t feedback = 1;
  button().OLEGiveFeedback(feedback, default_cursors);
  EXPECT_FALSE(default_cursors);

  std::int32_t allowed = 3;
  button().OLEStartDrag(data, allowed);
  EXPECT_EQ(allowed, 1);
}

TEST_F(ButtonInteractionTest, AContainersChangeToAMouseArgumentDoesNotAffectTheControl) {
  host_.OnEvent([](const std::string&, std::string_view name, std::span<const EventArg> args) {
    if (name == "MouseDown") *std::get<std::int16_t*>(args[0]) = 2;
  });
  MoveTo(5, 5);
  host_.MouseDown();
  EXPECT_TRUE(button().PressedFlag());
  host_.MouseUp();
  EXPECT_THAT(Events(), ElementsAre("MouseMove(0,0,5,5)", "MouseDown(1,0,5,5)", "MouseUp(1,0,5,5)",
                                    "Click()"));
}

}  // namespace
}  // namespace fw::test
