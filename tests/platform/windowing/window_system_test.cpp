// The headless host's own rules: where the mouse goes, when the platform clicks, focus,
// timers on the fake clock, and the surface members a control draws through.
#include "platform/windowing/window_system.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/headless/recorder.h"
#include "platform/property_bag.h"
#include "tests/platform/headless/recording_host.h"

namespace fw::headless {
namespace {

using ::testing::ElementsAre;

// A control that logs every notification it gets as "Name(args)".
class Probe final : public ControlHandlers {
 public:
  Probe(UserControl& window, UserControlSite& site) : window_(window), site_(site) {}
  void Click() override { Log("Click"); }
  void DblClick() override { Log("DblClick"); }
  void GotFocus() override { Log("GotFocus"); }
  void LostFocus() override { Log("LostFocus"); }
  void KeyDown(std::int16_t key, std::int16_t shift) override {
    Log("KeyDown", std::to_string(key) + "," + std::to_string(shift));
  }
  void KeyUp(std::int16_t key, std::int16_t) override { Log("KeyUp", std::to_string(key)); }
  void MouseDown(std::int16_t b, std::int16_t, float x, float y) override {
    Mouse("MouseDown", b, x, y);
  }
  void MouseMove(std::int16_t b, std::int16_t, float x, float y) override {
    Mouse("MouseMove", b, x, y);
  }
  void MouseUp(std::int16_t b, std::int16_t, float x, float y) override {
    Mouse("MouseUp", b, x, y);
  }
  void InitProperties() override { Log("InitProperties"); }
  void ReadProperties(const PropertyBag& bag) override {
    Log("ReadProperties");
    if (bag.ReadBool("Fail", false)) throw PropertyBagError("Fail", "asked to fail");
  }
  void Show() override { Log("Show"); }
  void Resize() override { Log("Resize"); }
  // Told to the container too, so a test can see it after the control is gone.
  void Terminate() override { site_.RaiseEvent("Terminated", {}); }

  std::vector<std::string> log;
  UserControl& window_;
  UserControlSite& site_;

 private:
  void Log(const std::string& name, const std::string& args = "") {
    log.push_back(args.empty() ? name : name + "(" + args + ")");
  }
  void Mouse(const std::string& name, std::int16_t button, float x, float y) {
    Log(name, std::to_string(button) + "," + std::to_string(static_cast<int>(x)) + "," +
                  std::to_string(static_cast<int>(y)));
  }
};

class WindowSystemTest : public ::testing::Test {
 protected:
  // A 40 x 20 pixel control at (10, 20) in the parent.
  Probe& PlaceProbe(const std::string& name = "Probe1", int left = 10, int top = 20) {
    return host_.Place<Probe>({name, {left * 15, top * 15, (left + 40) * 15, (top + 20) * 15}});
  }
  std::unique_ptr<GdiDevice> device_ = CreatePlatformGdiDevice();
  test::RecordingHost host_{*device_};
};

TEST_F(WindowSystemTest, PlacingRunsInitOrReadThenShow) {
  Probe& fresh = PlaceProbe();
  EXPECT_THAT(fresh.log, ElementsAre("InitProperties", "Show"));
  PropertyBag bag;
  Probe& loaded = host_.Place<Probe>({"Probe2", {0, 0, 150, 150}, &bag});
  EXPECT_THAT(loaded.log, ElementsAre("ReadProperties", "Show"));
}

TEST_F(WindowSystemTest, AControlThatFailsToLoadIsNotPlaced) {
  PropertyBag bag;
  bag.WriteBool("Fail", true, false);
  EXPECT_THROW(host_.Place<Probe>({"Bad", {0, 0, 150, 150}, &bag}), PropertyBagError);
  EXPECT_THROW(host_.WindowOf("Bad"), std::invalid_argument);
  PlaceProbe("Bad");  // the name is free again
}

TEST_F(WindowSystemTest, MouseGoesToTheWindowUnderTheCursorInItsScaleUnits) {
  Probe& probe = PlaceProbe();
  host_.MoveMouse(5, 5);  // outside: nothing
  host_.MoveMouse(12, 23);
  EXPECT_THAT(probe.log.back(), "MouseMove(0,30,45)");  // twips: the surface starts in twips
  probe.window_.ScaleMode(kScalePixels);
  host_.MoveMouse(49, 39);  // the last pixel column and row
  EXPECT_EQ(probe.log.back(), "MouseMove(0,39,19)");
  const auto moves = std::count_if(probe.log.begin(), probe.log.end(),
                                   [](const std::string& s) { return s.starts_with("MouseMove"); });
  EXPECT_EQ(moves, 2);
}

TEST_F(WindowSystemTest, CaptureRoutesTheMouseOutsideTheWindow) {
  Probe& probe = PlaceProbe();
  probe.window_.ScaleMode(kScalePixels);
  probe.window_.user32().SetCapture(probe.window_.hWnd());
  host_.MoveMouse(200, 150);
  EXPECT_EQ(probe.log.back(), "MouseMove(0,190,130)");
  const Point screen = probe.window_.user32().GetCursorPos();
  EXPECT_EQ(probe.window_.user32().ScreenToClient(probe.window_.hWnd(), screen), (Point{190, 130}));
  probe.window_.user32().ReleaseCapture();
  probe.log.clear();
  host_.MoveMouse(201, 150);
  EXPECT_TRUE(probe.log.empty());
  EXPECT_THAT(host_.RecordsOf(Record::Kind::SetCapture),
              ElementsAre(Record{Record::Kind::SetCapture, "Probe1", "", ""}));
}

TEST_F(WindowSystemTest, ClickFollowsAReleaseOverThePressedWindowOnly) {
  Probe& probe = PlaceProbe();
  probe.window_.ScaleMode(kScalePixels);
  host_.Click(15, 25);
  EXPECT_THAT(probe.log, ElementsAre("InitProperties", "Show", "MouseMove(0,5,5)", "GotFocus",
                                     "MouseDown(1,5,5)", "MouseUp(1,5,5)", "Click"));
  probe.log.clear();
  host_.MoveMouse(15, 25);
  host_.MouseDown();
  host_.MoveMouse(100, 100);  // released elsewhere, without capture: no up, no click
  host_.MouseUp();
  EXPECT_THAT(probe.log, ElementsAre("MouseMove(0,5,5)", "MouseDown(1,5,5)"));
}

TEST_F(WindowSystemTest, DoubleClickReplacesTheSecondPress) {
  Probe& probe = PlaceProbe();
  probe.window_.ScaleMode(kScalePixels);
  host_.DoubleClick(15, 25);
  EXPECT_THAT(probe.log, ElementsAre("InitProperties", "Show", "MouseMove(0,5,5)", "GotFocus",
                                     "MouseDown(1,5,5)", "MouseUp(1,5,5)", "Click", "DblClick",
                                     "MouseUp(1,5,5)"));
}

TEST_F(WindowSystemTest, WindowRegionDecidesWhatIsUnderTheCursor) {
  Probe& probe = PlaceProbe();
  probe.window_.SetWindowRgn(host_.Device().CreateEllipticRgn(0, 0, 40, 20), true);
  probe.log.clear();
  host_.MoveMouse(10, 20);  // the corner is cut away
  EXPECT_TRUE(probe.log.empty());
  EXPECT_EQ(probe.window_.user32().WindowFromPoint(probe.window_.user32().GetCursorPos()), 1u);
  host_.MoveMouse(30, 30);
  EXPECT_EQ(probe.log.size(), 1u);
  ASSERT_NE(host_.RegionOf("Probe1"), nullptr);
}

TEST_F(WindowSystemTest, DisabledWindowsGetNoInput) {
  Probe& probe = PlaceProbe();
  host_.Focus("Probe1");
  probe.window_.Enabled(false);
  probe.log.clear();
  host_.Click(15, 25);
  host_.KeyDown(32);
  EXPECT_TRUE(probe.log.empty());
}

TEST_F(WindowSystemTest, FocusMovesAndKeysGoToTheFocusedControl) {
  Probe& first = PlaceProbe("A", 10, 20);
  Probe& second = PlaceProbe("B", 100, 20);
  host_.Focus("A");
  host_.KeyDown(13, 1);
  host_.Focus("B");
  host_.KeyUp(13);
  EXPECT_THAT(first.log,
              ElementsAre("InitProperties", "Show", "GotFocus", "KeyDown(13,1)", "LostFocus"));
  EXPECT_THAT(second.log, ElementsAre("InitProperties", "Show", "GotFocus", "KeyUp(13)"));
  EXPECT_THROW(host_.Focus("C"), std::invalid_argument);
}

TEST_F(WindowSystemTest, TimersRunOnTheFakeClockInTimeOrder) {
  Probe& probe = PlaceProbe();
  std::vector<std::string> ticks;
  User32& desk = probe.window_.user32();
  desk.SetTimer(probe.window_.hWnd(), 1, 25,
                [&] { ticks.push_back("a@" + std::to_string(host_.Now())); });
  desk.SetTimer(probe.window_.hWnd(), 2, 1,
                [&] { ticks.push_back("b@" + std::to_string(host_.Now())); });
  host_.Advance(30);
  // Intervals below 10 ms run every 10 ms, as Windows raises them.
  EXPECT_THAT(ticks, ElementsAre("b@10", "b@20", "a@25", "b@30"));
  EXPECT_TRUE(desk.KillTimer(probe.window_.hWnd(), 2));
  host_.Advance(20);
  EXPECT_EQ(ticks.back(), "a@50");
  EXPECT_EQ(host_.Now(), 50);
}

TEST_F(WindowSystemTest, SurfaceMembersKeepTwipsAndClearToBackColor) {
  Probe& probe = PlaceProbe();
  UserControl& w = probe.window_;
  w.Width(1000);  // 66.7 pixels: the window takes 67
  EXPECT_EQ(w.Width(), 1000);
  EXPECT_EQ(w.ScaleWidth(), 1005.0);  // in twips, whole pixels
  w.ScaleMode(kScalePixels);
  EXPECT_EQ(w.ScaleWidth(), 67.0);
  EXPECT_EQ(probe.log.back(), "Resize");
  w.BackColor(0x00FF00);
  EXPECT_EQ(w.hDC().GetPixel(66, 19), 0x00FF00u);
  EXPECT_DOUBLE_EQ(w.ScaleX(2540, kScaleHimetric, kScalePixels), 96.0);
  EXPECT_DOUBLE_EQ(w.ScaleY(15, kScaleTwips, kScalePixels), 1.0);
  w.ForeColor(0x8000000F);  // a system colour reference draws in its current value
  w.hDC().MoveToEx(0, 0, nullptr);
  w.hDC().LineTo(3, 0);
  EXPECT_EQ(w.hDC().GetPixel(1, 0), GetSysColor(COLOR_BTNFACE));
  const PicturePtr image = w.Image();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width(), 67);
  EXPECT_EQ(image->image().color[5], 0x0000FF00u);  // 0x00RRGGBB: green
}

TEST_F(WindowSystemTest, EventsAreRecordedAndHandlersMayChangeArguments) {
  Probe& probe = PlaceProbe();
  host_.OnEvent(
      [](const std::string& control, std::string_view name, std::span<const EventArg> args) {
        if (control == "Probe1" && name == "KeyPress") *std::get<std::int16_t*>(args[0]) = 0;
      });
  std::int16_t key = 65;
  float x = 1.5f;
  bool flag = true;
  const EventArg args[] = {&key, &x, &flag};
  probe.site_.RaiseEvent("KeyPress", args);
  EXPECT_EQ(key, 0);
  EXPECT_THAT(host_.RecordsOf(Record::Kind::Event),
              ElementsAre(Record{Record::Kind::Event, "Probe1", "KeyPress", "65,1.5,True"}));
}

TEST_F(WindowSystemTest, UnloadTerminatesInReverseOrder) {
  PlaceProbe("A", 10, 20);
  PlaceProbe("B", 100, 20);
  host_.Unload();
  EXPECT_THAT(host_.RecordsOf(Record::Kind::Event),
              ElementsAre(Record{Record::Kind::Event, "B", "Terminated", ""},
                          Record{Record::Kind::Event, "A", "Terminated", ""}));
  EXPECT_THROW(host_.WindowOf("A"), std::invalid_argument);
}

// The window system keeps no record: an attached recorder keeps what happens while it is
// attached, and the revision counts everything either way.
TEST(WindowSystemObserver, RecordsAreKeptOnlyWhileARecorderIsAttached) {
  const auto device = CreatePlatformGdiDevice();
  auto host = std::make_unique<windowing::WindowSystem>(*device);
  Probe& probe = host->Place<Probe>({"Probe1", {150, 300, 750, 600}});
  // One of each thing the host sees: an event, a property change, a capture taken and
  // released, a cursor change, and keys sent.
  const auto see_one_of_each = [&] {
    probe.site_.RaiseEvent("Changed", {});
    probe.site_.PropertyChanged("Caption");
    probe.window_.user32().SetCapture(probe.window_.hWnd());
    probe.window_.user32().ReleaseCapture();
    probe.window_.user32().SetCursor(32512);
    probe.window_.user32().SendKeys("{Tab}", true);
  };
  std::uint64_t count = host->Revision();
  see_one_of_each();
  EXPECT_EQ(host->Revision(), count + 5);
  {
    Recorder recorder(*host);
    EXPECT_TRUE(recorder.Records().empty());
    EXPECT_THROW(Recorder second(*host), std::logic_error);
    count = host->Revision();
    see_one_of_each();
    EXPECT_EQ(host->Revision(), count + 5);
    EXPECT_THAT(recorder.Records(),
                ElementsAre(Record{Record::Kind::Event, "Probe1", "Changed", ""},
                            Record{Record::Kind::PropertyChanged, "Probe1", "Caption", ""},
                            Record{Record::Kind::SetCapture, "Probe1", "", ""},
                            Record{Record::Kind::ReleaseCapture, "Probe1", "", ""},
                            Record{Record::Kind::SetCursor, "", "32512", ""}));
    EXPECT_THAT(recorder.SentKeys(), ElementsAre("{Tab}"));
  }
  // Detached: counted, not kept; a new recorder starts empty.
  count = host->Revision();
  see_one_of_each();
  EXPECT_EQ(host->Revision(), count + 5);
  Recorder later(*host);
  EXPECT_TRUE(later.Records().empty());
  EXPECT_TRUE(later.SentKeys().empty());
  // A recorder may outlive its host: the host's end (its controls' Terminate) is recorded.
  host.reset();
  EXPECT_THAT(later.RecordsOf(Record::Kind::Event),
              ElementsAre(Record{Record::Kind::Event, "Probe1", "Terminated", ""}));
}

}  // namespace
}  // namespace fw::headless
