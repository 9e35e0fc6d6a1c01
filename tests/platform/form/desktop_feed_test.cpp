// What a desktop host feeds a window built from design data beyond the tests' own input: the
// second press of a real double click, and how long it may sleep before the next timer tick.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/form/software_form.h"

namespace fw {
namespace {

using ::testing::ElementsAre;

constexpr std::string_view kDesign = R"({
  "name": "Main", "caption": "Main", "client_width": 3000, "client_height": 1500,
  "controls": [
    {"name": "Go", "kind": "control", "class": "Probe", "left": 150, "top": 150, "width": 600,
     "height": 300, "tab_index": 0, "properties": {}},
    {"name": "Fast", "kind": "timer", "interval": 1},
    {"name": "Slow", "kind": "timer", "interval": 250}
  ]
})";

// A control that logs its mouse notifications.
class Probe final : public ControlHandlers {
 public:
  Probe(UserControl& window, UserControlSite& /*site*/, std::vector<std::string>& log) : log_(log) {
    window.ScaleMode(kScalePixels);
  }
  void Click() override { log_.push_back("Click"); }
  void DblClick() override { log_.push_back("DblClick"); }
  void MouseDown(std::int16_t b, std::int16_t s, float, float) override { Log("Down", b, s); }
  void MouseMove(std::int16_t b, std::int16_t s, float, float) override { Log("Move", b, s); }
  void MouseUp(std::int16_t b, std::int16_t s, float, float) override { Log("Up", b, s); }

 private:
  void Log(const char* what, std::int16_t button, std::int16_t shift) {
    log_.push_back(std::string(what) + "(" + std::to_string(button) + "," + std::to_string(shift) +
                   ")");
  }
  std::vector<std::string>& log_;
};

class Code final : public FormEvents {
 public:
  void Timer(std::string_view timer) override { ticks.emplace_back(timer); }
  std::vector<std::string> ticks;
};

class DesktopFeedTest : public ::testing::Test {
 protected:
  std::vector<std::string> log_;
  std::unique_ptr<GdiDevice> device_ = CreatePlatformGdiDevice();
  FormDesign design_ = ParseFormDesign(kDesign, {});
  SoftwareForm form_{*device_,
                     design_,
                     [this](std::string_view, UserControl& window, UserControlSite& site) {
                       return std::make_unique<Probe>(window, site, log_);
                     },
                     {}};
  Code code_;
};

TEST_F(DesktopFeedTest, TheSecondPressOfADoubleClickIsTheDoubleClickAndClicksNothingMore) {
  form_.Show(code_);
  form_.MoveMouse(20, 20);
  form_.MouseDown(kLeftButton, kShiftMask);
  form_.MouseUp(kLeftButton, kShiftMask);
  form_.DoubleClickPress(kShiftMask);
  form_.MoveMouse(21, 20);  // still held
  form_.MouseUp(kLeftButton, kShiftMask);
  EXPECT_THAT(log_, ElementsAre("Move(0,0)", "Down(1,1)", "Up(1,1)", "Click", "DblClick",
                                "Move(1,1)", "Up(1,1)"));
}

TEST_F(DesktopFeedTest, DoubleClickStillGivesTheWholeSequence) {
  form_.Show(code_);
  form_.DoubleClick(20, 20);
  EXPECT_THAT(log_,
              ElementsAre("Move(0,0)", "Down(1,0)", "Up(1,0)", "Click", "DblClick", "Up(1,0)"));
}

TEST_F(DesktopFeedTest, TheNextTimerTickIsDueAfterTheShortestWait) {
  EXPECT_EQ(form_.MillisecondsToNextTimer(), std::nullopt);  // not shown: no timer runs
  form_.Show(code_);
  // Intervals below 10 ms run every 10 ms.
  EXPECT_EQ(form_.MillisecondsToNextTimer(), 10);
  form_.Advance(4);
  EXPECT_EQ(form_.MillisecondsToNextTimer(), 6);
  form_.Advance(6);
  EXPECT_THAT(code_.ticks, ElementsAre("Fast"));
  EXPECT_EQ(form_.MillisecondsToNextTimer(), 10);
  form_.Advance(240);
  EXPECT_EQ(form_.MillisecondsToNextTimer(), 10);
  EXPECT_EQ(code_.ticks.size(), 26u);
  EXPECT_EQ(code_.ticks.back(), "Slow");
}

TEST_F(DesktopFeedTest, AClosedWindowHasNoTimers) {
  form_.Show(code_);
  ASSERT_TRUE(form_.RequestClose());
  EXPECT_EQ(form_.MillisecondsToNextTimer(), std::nullopt);
}

// A control that sends Tab (Shift+Tab with Shift held) when a key goes down, as vbButton's arrow
// keys do.
class TabSender final : public ControlHandlers {
 public:
  TabSender(UserControl& window, UserControlSite& /*site*/) : window_(window) {}
  void KeyDown(std::int16_t, std::int16_t shift) override {
    window_.user32().SendKeys((shift & kShiftMask) != 0 ? "+{Tab}" : "{Tab}", false);
  }

 private:
  UserControl& window_;
};

// Placed A, B, C with tab indexes 0, 2, 1: a sent Tab follows the tab indexes, not the placing.
TEST(SentKeys, ATabAControlSendsFollowsTheTabOrder) {
  constexpr std::string_view kThree = R"({
    "name": "Main", "caption": "Main", "client_width": 3000, "client_height": 1500,
    "controls": [
      {"name": "A", "kind": "control", "class": "Sender", "left": 0, "top": 0, "width": 300,
       "height": 300, "tab_index": 0, "properties": {}},
      {"name": "B", "kind": "control", "class": "Sender", "left": 600, "top": 0, "width": 300,
       "height": 300, "tab_index": 2, "properties": {}},
      {"name": "C", "kind": "control", "class": "Sender", "left": 1200, "top": 0, "width": 300,
       "height": 300, "tab_index": 1, "properties": {}}
    ]
  })";
  const auto device = CreatePlatformGdiDevice();
  const FormDesign design = ParseFormDesign(kThree, {});
  SoftwareForm form(*device, design,
                    [](std::string_view, UserControl& window, UserControlSite& site) {
                      return std::make_unique<TabSender>(window, site);
                    },
                    {});
  Code code;
  form.Show(code);
  ASSERT_EQ(form.FocusedName(), "A");
  form.KeyDown(40);
  EXPECT_EQ(form.FocusedName(), "C");
  form.KeyDown(40);
  EXPECT_EQ(form.FocusedName(), "B");
  form.KeyDown(38, kShiftMask);
  EXPECT_EQ(form.FocusedName(), "C");
}

}  // namespace
}  // namespace fw
