// A user control in a real child window under Wine: the window itself, the mouse as the desktop
// delivers it (positions in ScaleMode units, focus on a press, the click after a release over
// the pressed window, double clicks, capture), keys and focus, real window regions (the shape,
// and the mask with BackStyle 0), the pointer, timers and the persistent image on the screen.
#include "platform/win32/control_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "controls/button/button.h"
#include "platform/headless/recorder.h"
#include "platform/picture.h"
#include "platform/win32/picture_icons.h"
#include "platform/win32/win32_device.h"
#include "tests/platform/win32/win32_test_support.h"

namespace fw::win32 {
namespace {

using testing::Center;
using testing::ClickAt;
using testing::MoveMouseTo;
using testing::PointParam;
using testing::PressLeft;
using testing::PumpFor;
using testing::PumpPending;
using testing::ReleaseLeft;

std::string Format(const char* format, double a, double b) {
  char text[64];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

// Every notification the host gives it, as text.
class RecordingControl final : public ControlHandlers {
 public:
  RecordingControl(UserControl& window, std::vector<std::string>& log)
      : window_(window), log_(log) {}
  void Click() override { log_.push_back("Click"); }
  void DblClick() override { log_.push_back("DblClick"); }
  void GotFocus() override { log_.push_back("GotFocus"); }
  void LostFocus() override { log_.push_back("LostFocus"); }
  void KeyDown(std::int16_t key, std::int16_t shift) override {
    log_.push_back("KeyDown " + std::to_string(key) + " " + std::to_string(shift));
  }
  void KeyPress(std::int16_t key) override { log_.push_back("KeyPress " + std::to_string(key)); }
  void KeyUp(std::int16_t key, std::int16_t shift) override {
    log_.push_back("KeyUp " + std::to_string(key) + " " + std::to_string(shift));
  }
  void MouseDown(std::int16_t button, std::int16_t shift, float x, float y) override {
    log_.push_back("MouseDown " + std::to_string(button) + " " + std::to_string(shift) +
                   Format(" %g %g", x, y));
  }
  void MouseMove(std::int16_t button, std::int16_t, float x, float y) override {
    log_.push_back("MouseMove " + std::to_string(button) + Format(" %g %g", x, y));
  }
  void MouseUp(std::int16_t button, std::int16_t shift, float x, float y) override {
    log_.push_back("MouseUp " + std::to_string(button) + " " + std::to_string(shift) +
                   Format(" %g %g", x, y));
  }
  void InitProperties() override { log_.push_back("InitProperties"); }
  void ReadProperties(const PropertyBag&) override { log_.push_back("ReadProperties"); }
  void Show() override {
    log_.push_back("Show");
    window_.hDC().FillRect({0, 0, 80, 40}, Brush::Solid(0x0000FF));
    window_.Refresh();
  }
  void Resize() override { log_.push_back("Resize"); }

 private:
  UserControl& window_;
  std::vector<std::string>& log_;
};

// A plain top-level window to hold the control; it notes the mouse presses it gets itself. A
// popup without a caption: Wine leaves it to no window manager, so that destroying it does not
// wait for one (there is none on the test's X server).
class TestParent final : public MessageTarget {
 public:
  TestParent() {
    WindowSpec spec;
    spec.style = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN | WS_VISIBLE;
    spec.title = "Control host test";
    spec.position = {60, 60};
    spec.size = {320, 200};
    window_ =
        CreateTargetWindow(*this, {"FerrowindTestParent", 0, LoadSystemCursor(kIdcArrow)}, spec);
    ::SetForegroundWindow(window_.get());
  }
  HWND window() const { return window_.get(); }
  int presses = 0;
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == WM_LBUTTONDOWN) ++presses;
    return ::DefWindowProcA(window, message, wparam, lparam);
  }
  void Failed(UINT, std::exception_ptr) override { ADD_FAILURE() << "the parent failed"; }

 private:
  UniqueWindow window_;
};

class TestContainer final : public ControlContainer {
 public:
  GdiDevice& Device() override { return device; }
  Win32User32& Desktop() override { return desktop; }
  FontSpec AmbientFont() const override { return {}; }
  void ControlEvent(const std::string& control, std::string_view event,
                    std::span<const EventArg> args) override {
    events.push_back(control + "." + std::string(event) + "(" + headless::FormatEventArgs(args) +
                     ")");
  }
  bool TakesTab() const override { return takes_tab; }
  void TabPressed(bool backwards) override { tabs.push_back(backwards); }
  void ControlFailed(std::exception_ptr error) override {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      ADD_FAILURE() << "a control's handler failed: " << e.what();
    }
  }

  Win32GdiDevice device;
  Win32User32 desktop;
  std::vector<std::string> events;
  std::vector<bool> tabs;
  bool takes_tab = false;
};

class ControlWindowTest : public ::testing::Test {
 protected:
  // A recording control at (20, 30) pixels, 80 x 40 pixels, twips everywhere.
  Win32ControlWindow& PlaceRecorder() {
    window = std::make_unique<Win32ControlWindow>(container, parent.window(), "Recorder",
                                                  Rect{300, 450, 1500, 1050}, 7);
    window->Start([this](UserControl& w,
                         UserControlSite&) { return std::make_unique<RecordingControl>(w, log); },
                  nullptr);
    PumpFor(20);
    log.clear();
    return *window;
  }
  // The program's Button with cmdLock's stored properties, at cmdLock's place.
  Button& PlaceButton() {
    const FormDesign& design = app::Form1Design();
    const FormControlDesign& lock = *design.Find("cmdLock");
    saved = lock.properties;
    saved.Remove("_ExtentX");
    saved.Remove("_ExtentY");
    window = std::make_unique<Win32ControlWindow>(container, parent.window(), "cmdLock",
                                                  Rect{300, 300, 300 + 2415, 300 + 615}, 5);
    auto& control = window->Start(
        [](UserControl& w, UserControlSite& s) {
          return app::MakeUserControl(kButtonClassName, w, s);
        },
        &saved);
    PumpFor(20);
    return dynamic_cast<Button&>(control);
  }
  HWND hwnd() const { return window->window(); }
  bool Logged(const std::string& entry) const {
    return std::find(log.begin(), log.end(), entry) != log.end();
  }
  // The log without its moves: the desktop may report a move more than once.
  std::vector<std::string> WithoutMoves() const {
    std::vector<std::string> out;
    for (const std::string& entry : log) {
      if (!entry.starts_with("MouseMove")) out.push_back(entry);
    }
    return out;
  }

  TestParent parent;
  TestContainer container;
  std::vector<std::string> log;
  PropertyBag saved;
  std::unique_ptr<Win32ControlWindow> window;
};

TEST_F(ControlWindowTest, IsAVisibleTabStopChildWithDoubleClicksAtItsPlace) {
  PlaceRecorder();
  ASSERT_NE(hwnd(), nullptr);
  EXPECT_EQ(::GetParent(hwnd()), parent.window());
  const auto style = static_cast<DWORD>(::GetWindowLongPtrA(hwnd(), GWL_STYLE));
  EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS),
            static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS));
  EXPECT_NE(::GetClassLongPtrA(hwnd(), GCL_STYLE) & CS_DBLCLKS, 0u);
  EXPECT_EQ(::GetDlgCtrlID(hwnd()), 7);
  RECT r{};
  ::GetWindowRect(hwnd(), &r);
  ::MapWindowPoints(nullptr, parent.window(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right - r.left, 80);
  EXPECT_EQ(r.bottom - r.top, 40);
  EXPECT_EQ(window->Width(), 1200);
  EXPECT_EQ(window->ScaleWidth(), 1200.0);
  EXPECT_EQ(window->hWnd(), reinterpret_cast<WindowHandle>(hwnd()));
}

TEST_F(ControlWindowTest, LoadsThenShows) {
  window = std::make_unique<Win32ControlWindow>(container, parent.window(), "Recorder",
                                                Rect{0, 0, 600, 600}, 1);
  PropertyBag bag;
  window->Start([this](UserControl& w,
                       UserControlSite&) { return std::make_unique<RecordingControl>(w, log); },
                &bag);
  EXPECT_EQ(log, (std::vector<std::string>{"ReadProperties", "Show"}));
}

TEST_F(ControlWindowTest, AClickGivesTheFocusThenClicksAfterTheRelease) {
  PlaceRecorder();
  ClickAt(hwnd(), {10, 5});
  // Twips (ScaleMode 1): 15 per pixel.
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "MouseMove 0 150 75");
  EXPECT_EQ(WithoutMoves(), (std::vector<std::string>{"GotFocus", "MouseDown 1 0 150 75",
                                                      "MouseUp 1 0 150 75", "Click"}));
  EXPECT_EQ(::GetFocus(), hwnd());
}

TEST_F(ControlWindowTest, PositionsFollowTheScaleMode) {
  PlaceRecorder().ScaleMode(kScalePixels);
  MoveMouseTo(hwnd(), {10, 5});
  EXPECT_TRUE(Logged("MouseMove 0 10 5"));
}

TEST_F(ControlWindowTest, AReleaseElsewhereDoesNotClick) {
  PlaceRecorder();
  MoveMouseTo(hwnd(), {10, 5});
  PressLeft();
  // Held by the capture, the release outside still reaches the control, but is no click.
  ::SetCapture(hwnd());
  MoveMouseTo(hwnd(), {200, 100});
  ReleaseLeft();
  EXPECT_TRUE(Logged("MouseUp 1 0 3000 1500")) << ::testing::PrintToString(log);
  EXPECT_FALSE(Logged("Click"));
}

TEST_F(ControlWindowTest, TheSecondPressOfADoubleClickIsTheDoubleClickNotification) {
  PlaceRecorder();
  ClickAt(hwnd(), {10, 5});
  PressLeft();
  ReleaseLeft();
  ASSERT_TRUE(Logged("DblClick")) << ::testing::PrintToString(log);
  // down, up, click, double click, up: no second down and no second click.
  EXPECT_EQ(std::count(log.begin(), log.end(), "Click"), 1);
  EXPECT_EQ(std::count_if(log.begin(), log.end(),
                          [](const std::string& e) { return e.starts_with("MouseDown"); }),
            1);
}

TEST_F(ControlWindowTest, ADisabledControlGetsNoInputAndDisablingReleasesTheCapture) {
  PlaceRecorder();
  ::SetCapture(hwnd());
  window->Enabled(false);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_FALSE(::IsWindowEnabled(hwnd()));
  ClickAt(hwnd(), {10, 5});
  ::SendMessageA(hwnd(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(log, std::vector<std::string>{});
}

TEST_F(ControlWindowTest, DisablingTheFocusedControlHandsTheFocusToItsParent) {
  PlaceRecorder();
  ::SetFocus(hwnd());
  PumpPending();
  window->Enabled(false);
  EXPECT_EQ(::GetFocus(), parent.window());
  EXPECT_TRUE(Logged("LostFocus"));
}

TEST_F(ControlWindowTest, KeysGoToTheControlAndTabToAContainerThatTakesIt) {
  PlaceRecorder();
  ::SetFocus(hwnd());
  ::SendMessageA(hwnd(), WM_KEYDOWN, VK_SPACE, 0);
  ::SendMessageA(hwnd(), WM_CHAR, ' ', 0);
  ::SendMessageA(hwnd(), WM_KEYUP, VK_SPACE, 0);
  EXPECT_TRUE(Logged("KeyDown 32 0"));
  EXPECT_TRUE(Logged("KeyPress 32"));
  EXPECT_TRUE(Logged("KeyUp 32 0"));
  EXPECT_EQ(::SendMessageA(hwnd(), WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);

  container.takes_tab = true;
  log.clear();
  ::SendMessageA(hwnd(), WM_KEYDOWN, VK_TAB, 0);
  ::SendMessageA(hwnd(), WM_CHAR, '\t', 0);
  ::SendMessageA(hwnd(), WM_KEYUP, VK_TAB, 0);
  EXPECT_EQ(log, std::vector<std::string>{});
  EXPECT_EQ(container.tabs, std::vector<bool>{false});
}

TEST_F(ControlWindowTest, FocusNotificationsFollowTheRealFocus) {
  PlaceRecorder();
  ::SetFocus(hwnd());
  ::SetFocus(parent.window());
  EXPECT_EQ(log, (std::vector<std::string>{"GotFocus", "LostFocus"}));
}

TEST_F(ControlWindowTest, TheWindowGetsTheRegionTheControlHandsOver) {
  PlaceRecorder();
  window->SetWindowRgn(container.device.CreateEllipticRgn(0, 0, 80, 40), true);
  const UniqueRegion applied(::CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(::GetWindowRgn(hwnd(), applied.get()), ERROR);
  EXPECT_TRUE(::PtInRegion(applied.get(), 40, 20));
  EXPECT_FALSE(::PtInRegion(applied.get(), 1, 1));
  ASSERT_NE(window->region(), nullptr);
  EXPECT_FALSE(window->region()->PtInRegion(1, 1));

  // The desktop hit-tests with it: a press at the cut corner goes to the parent.
  ClickAt(hwnd(), {1, 1});
  EXPECT_FALSE(Logged("Click"));
  EXPECT_EQ(parent.presses, 1);
  ClickAt(hwnd(), {40, 20});
  EXPECT_TRUE(Logged("Click"));

  window->SetWindowRgn(nullptr, true);
  EXPECT_EQ(::GetWindowRgn(hwnd(), applied.get()), ERROR);  // no region any more
  EXPECT_EQ(window->region(), nullptr);
}

TEST_F(ControlWindowTest, WithBackStyleZeroTheMasksSeeThroughPixelsAreCutToo) {
  PlaceRecorder();
  IconImage mask{80, 40, std::vector<std::uint32_t>(80 * 40, 0x000000), {}};
  mask.mask.assign(mask.color.size(), false);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 10; ++x) mask.color[static_cast<std::size_t>(y * 80 + x)] = 0x00FF00;
  }
  window->MaskColor(0x00FF00);
  window->MaskPicture(std::make_shared<const Picture>(BitmapPicture(mask)));
  const UniqueRegion applied(::CreateRectRgn(0, 0, 0, 0));
  // BackStyle 1: the mask changes nothing.
  EXPECT_EQ(::GetWindowRgn(hwnd(), applied.get()), ERROR);

  window->BackStyle(0);
  ASSERT_NE(::GetWindowRgn(hwnd(), applied.get()), ERROR);
  EXPECT_FALSE(::PtInRegion(applied.get(), 5, 20));
  EXPECT_TRUE(::PtInRegion(applied.get(), 10, 20));
  EXPECT_TRUE(::PtInRegion(applied.get(), 79, 39));

  // With a shape as well, both cut.
  window->SetWindowRgn(container.device.CreateRectRgn(0, 0, 40, 40), true);
  ::GetWindowRgn(hwnd(), applied.get());
  EXPECT_FALSE(::PtInRegion(applied.get(), 5, 20));
  EXPECT_TRUE(::PtInRegion(applied.get(), 20, 20));
  EXPECT_FALSE(::PtInRegion(applied.get(), 50, 20));
}

TEST_F(ControlWindowTest, ThePointerShowsTheMouseIconWithItsHotSpotOrASystemCursor) {
  PlaceRecorder();
  const PicturePtr hand = app::ResourcePicture("hand.cur");
  ASSERT_NE(hand, nullptr);
  const auto set_cursor = [this] {
    ::SendMessageA(hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd()),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return ::GetCursor();
  };
  EXPECT_EQ(set_cursor(), ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(32512)));  // 0: arrow
  window->MousePointer(2);
  EXPECT_EQ(set_cursor(), ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(32515)));  // cross

  window->MousePointer(99);
  window->MouseIcon(hand);
  const HCURSOR custom = set_cursor();
  EXPECT_EQ(custom, window->PointerCursor());
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(custom, &info));
  const UniqueBitmap mask(info.hbmMask);
  const UniqueBitmap color(info.hbmColor);
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(static_cast<int>(info.xHotspot), hand->hot_spot().x);
  EXPECT_EQ(static_cast<int>(info.yHotspot), hand->hot_spot().y);
  BITMAP bitmap{};
  ::GetObjectA(info.hbmMask, sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, 32);

  // Without an icon, 99 shows the arrow.
  window->MouseIcon(nullptr);
  EXPECT_EQ(set_cursor(), ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(32512)));
}

TEST_F(ControlWindowTest, RefreshShowsThePersistentImage) {
  PlaceRecorder();
  window->hDC().FillRect({0, 0, 80, 40}, Brush::Solid(0x00FF00));
  window->Refresh();
  const WindowDc screen(hwnd());
  EXPECT_EQ(::GetPixel(screen.get(), 40, 20), 0x00FF00u);
}

TEST_F(ControlWindowTest, TimersTickOnTheWindowAtTenMillisecondsAtMost) {
  PlaceRecorder();
  int ticks = 0;
  const WindowHandle handle = window->hWnd();
  ASSERT_EQ(container.desktop.SetTimer(handle, 5, 1, [&] { ++ticks; }), 5u);
  const auto start = std::chrono::steady_clock::now();
  PumpFor(200);
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - start)
                           .count();
  EXPECT_GE(ticks, 1);
  EXPECT_LE(ticks, elapsed / 10 + 1);
  EXPECT_TRUE(container.desktop.KillTimer(handle, 5));
  const int stopped = ticks;
  PumpFor(50);
  EXPECT_EQ(ticks, stopped);
  EXPECT_EQ(container.desktop.TimerCount(), 0u);
}

TEST_F(ControlWindowTest, CaptureAndCursorPositionAreTheDesktops) {
  PlaceRecorder();
  User32& user32 = window->user32();
  user32.SetCapture(window->hWnd());
  EXPECT_EQ(user32.GetCapture(), window->hWnd());
  EXPECT_EQ(::GetCapture(), hwnd());
  EXPECT_TRUE(user32.ReleaseCapture());
  EXPECT_EQ(user32.GetCapture(), 0u);
  MoveMouseTo(hwnd(), {10, 5});
  const Point client = user32.ScreenToClient(window->hWnd(), user32.GetCursorPos());
  EXPECT_EQ(client, (Point{10, 5}));
  EXPECT_EQ(user32.WindowFromPoint(user32.GetCursorPos()), window->hWnd());
  EXPECT_EQ(user32.LoadCursorA(kIdcHand), reinterpret_cast<CursorHandle>(::LoadCursorA(
                                              nullptr, reinterpret_cast<LPCSTR>(32649))));
  EXPECT_EQ(user32.LoadCursorA(12345), 0u);
}

TEST_F(ControlWindowTest, TheObjectOutlivesItsWindow) {
  PlaceRecorder();
  ::DestroyWindow(hwnd());
  EXPECT_EQ(window->window(), nullptr);
  window->Refresh();
  window->Enabled(false);
  window->SetWindowRgn(container.device.CreateRectRgn(0, 0, 4, 4), true);
  window->Width(600);
  EXPECT_EQ(window->Width(), 600);
}

TEST_F(ControlWindowTest, TheButtonIsClickedThroughItsWindow) {
  Button& button = PlaceButton();
  (void)button;
  ClickAt(hwnd(), {80, 20});
  ASSERT_FALSE(container.events.empty());
  EXPECT_NE(std::find(container.events.begin(), container.events.end(), "cmdLock.Click()"),
            container.events.end())
      << ::testing::PrintToString(container.events);
  // Hovered, the button holds the capture; the move away gives it back.
  EXPECT_EQ(::GetCapture(), hwnd());
  MoveMouseTo(parent.window(), {300, 190});
  EXPECT_EQ(::GetCapture(), nullptr);
  // MousePointer 99 with the hand cursor.
  EXPECT_EQ(window->MousePointer(), 99);
  ASSERT_NE(window->MouseIcon(), nullptr);
}

}  // namespace
}  // namespace fw::win32
