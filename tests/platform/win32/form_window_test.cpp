// The main window as a real Win32 window under Wine, over Wine's registry: what it is made of,
// focus and tab order, the lock click through the real mouse with the registry read back through
// advapi32, what it paints and the tooltips, the timer, and every way of closing it. Message
// boxes go through the form's replaceable box function and are answered here.
#include "platform/win32/form_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/program.h"
#include "platform/form/software_form.h"
#include "platform/win32/win32_elevation.h"
#include "tests/app/scratch_registry.h"
#include "tests/platform/win32/win32_test_support.h"

namespace fw::win32 {
namespace {

using testing::Center;
using testing::ClickAt;
using testing::PumpFor;
using testing::PumpUntil;

constexpr ColorRef kRed = 0x0000FF;

// Form1, with the close requests and ticks it sees noted.
class NotingEvents final : public FormEvents {
 public:
  explicit NotingEvents(FormEvents& code) : code_(code) {}
  void ControlEvent(std::string_view control, std::string_view event,
                    std::span<const EventArg> args) override {
    code_.ControlEvent(control, event, args);
  }
  void QueryUnload(std::int16_t& cancel, std::int16_t mode) override {
    modes.push_back(mode);
    code_.QueryUnload(cancel, mode);
  }
  void Timer(std::string_view timer) override {
    ++ticks;
    code_.Timer(timer);
  }
  std::vector<std::int16_t> modes;
  int ticks = 0;

 private:
  FormEvents& code_;
};

// The Start value as advapi32 reads it, or -1 when there is none.
long StoredStart() {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\USBSTOR", 0,
                      KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return -1;
  }
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  const LONG status =
      ::RegQueryValueExA(key, "Start", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  ::RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_DWORD ? static_cast<long>(value) : -1;
}

int CountColor(const Dc& dc, const Rect& r, ColorRef color) {
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) count += dc.GetPixel(x, y) == color ? 1 : 0;
  }
  return count;
}

class FormWindowTest : public ::testing::Test {
 protected:
  void Open() {
    Win32FormOptions options;
    options.quit_on_close = false;
    options.message_box = [this](HWND owner, const std::string& text, const std::string& title,
                                 int style) {
      int answer = kIdOk;
      if (answers.empty()) {
        ADD_FAILURE() << "unexpected message box: " << title << ": " << text;
      } else {
        answer = answers.front();
        answers.pop_front();
      }
      boxes.push_back({text, style, title, answer});
      owners.push_back(owner);
      return answer;
    };
    form = std::make_unique<Win32Form>(*device, app::Form1Design(), app::MakeUserControl,
                                       app::ResourcePicture, options);
    if (with_elevation) {
      elevation = std::make_unique<Win32Elevation>(
          form->window(), std::filesystem::path(FERROWIND_CLI_TOOL).parent_path());
    }
    code = std::make_unique<app::Form1>(*form, scratch.registry(), elevation.get());
    events = std::make_unique<NotingEvents>(*code);
    form->Show(*events);
    // The first tick brings the display in line with the registry.
    ASSERT_TRUE(PumpUntil([this] { return events->ticks > 0; }));
    PumpFor(30);
  }
  HWND hwnd() const { return form->window(); }
  // A click `dx` pixels right of the button's middle (a second click elsewhere than the first,
  // lest the two make a double click).
  void ClickButton(std::string_view name, int dx = 0) {
    const Point middle = Center(form->PixelRect(name));
    ClickAt(hwnd(), {middle.x + dx, middle.y});
  }
  bool Enabled(std::string_view name) { return form->ControlWindow(name).Enabled(); }
  void TearDown() override {
    if (form) form->RethrowFailure();
  }

  std::unique_ptr<GdiDevice> device = CreatePlatformGdiDevice();
  fw::testing::ScratchRegistry scratch;
  // Whether the window has ferrowind-cli.exe make a refused write, as the program does.
  bool with_elevation = false;
  std::unique_ptr<Win32Form> form;
  std::unique_ptr<Win32Elevation> elevation;
  std::unique_ptr<app::Form1> code;
  std::unique_ptr<NotingEvents> events;
  std::deque<int> answers;
  std::vector<MessageBoxCall> boxes;
  std::vector<HWND> owners;
};

TEST_F(FormWindowTest, IsATopLevelWindowOfTheDesignsClientSizeCaptionAndIcon) {
  Open();
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  EXPECT_EQ(client.right, 395);
  EXPECT_EQ(client.bottom, 225);
  char caption[64] = {};
  ::GetWindowTextA(hwnd(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Ferrowind");
  const auto style = static_cast<DWORD>(::GetWindowLongPtrA(hwnd(), GWL_STYLE));
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
            static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CHILD), 0u);
  EXPECT_TRUE(::IsWindowVisible(hwnd()));

  for (const auto& [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
    const auto icon =
        reinterpret_cast<HICON>(::SendMessageA(hwnd(), WM_GETICON, static_cast<WPARAM>(which), 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    const UniqueBitmap mask(info.hbmMask);
    const UniqueBitmap color(info.hbmColor);
    BITMAP bitmap{};
    ::GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_TRUE(info.fIcon);
    EXPECT_EQ(bitmap.bmWidth, ::GetSystemMetrics(metric));
  }
}

TEST_F(FormWindowTest, EachButtonIsAChildWindowAtItsDesignedPlace) {
  Open();
  for (const char* name : {"cmdUnLock", "cmdLock", "cmdExit", "Command2", "Command1"}) {
    SCOPED_TRACE(name);
    const HWND child = form->ControlWindow(name).window();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(::GetParent(child), hwnd());
    char class_name[64] = {};
    ::GetClassNameA(child, class_name, sizeof class_name);
    EXPECT_STREQ(class_name, Win32ControlWindow::kClassName);
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ((Rect{r.left, r.top, r.right, r.bottom}), form->PixelRect(name));
  }
  EXPECT_EQ(form->PixelRect("cmdLock"), (Rect{64, 32, 225, 73}));
}

TEST_F(FormWindowTest, TheFirstButtonInTabOrderHasTheFocusAndTabMovesIt) {
  Open();
  EXPECT_EQ(form->FocusedName(), "cmdLock");
  const auto tab = [this](bool backwards) {
    const HWND focused = ::GetFocus();
    if (backwards) {
      form->TabFocus(true);
    } else {
      ::SendMessageA(focused, WM_KEYDOWN, VK_TAB, 0);
    }
    return form->FocusedName();
  };
  EXPECT_EQ(tab(false), "cmdUnLock");
  EXPECT_EQ(tab(false), "Command1");
  EXPECT_EQ(tab(false), "Command2");
  EXPECT_EQ(tab(false), "cmdExit");
  EXPECT_EQ(tab(false), "cmdLock");
  EXPECT_EQ(tab(true), "cmdExit");
  // A disabled button is skipped.
  form->ControlWindow("cmdUnLock").Enabled(false);
  form->TabFocus(false);
  form->TabFocus(false);
  EXPECT_EQ(form->FocusedName(), "Command1");
}

TEST_F(FormWindowTest, LockWritesFourShowsTheClosedPadlockAndTheTickSaysLocked) {
  scratch.SetStart(3);
  Open();
  EXPECT_EQ(form->Label("Label4").Caption(), "Un-Locked");
  EXPECT_TRUE(form->Image("imgUnLock").Visible());
  EXPECT_FALSE(Enabled("cmdUnLock"));

  answers = {kIdOk};
  ClickButton("cmdLock");
  EXPECT_EQ(StoredStart(), 4);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, " USB Port Has Been Locked...");
  EXPECT_EQ(boxes[0].title, "Locked");
  EXPECT_EQ(boxes[0].style, 0x30);
  EXPECT_EQ(owners[0], hwnd());
  EXPECT_FALSE(Enabled("cmdLock"));
  EXPECT_FALSE(::IsWindowEnabled(form->ControlWindow("cmdLock").window()));
  EXPECT_TRUE(Enabled("cmdUnLock"));
  EXPECT_TRUE(form->Image("imgLock").Visible());

  ASSERT_TRUE(PumpUntil([this] { return form->Label("Label4").Caption() == "Locked"; }));
  const std::vector<PictureTip> tips = form->ToolTips();
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(tips[0].text, "Locked");
  EXPECT_EQ(tips[0].rect, form->PixelRect("imgLock"));
  // The tooltip control holds exactly that tool.
  EXPECT_EQ(::SendMessageA(form->ToolTipWindow(), TTM_GETTOOLCOUNT, 0, 0), 1);
}

// A user whose write is refused: the window runs ferrowind-cli.exe through the shell's "runas";
// the tool is refused too (the key's access list denies everyone), so the window shows the
// failure message over itself, changes nothing and takes input again.
TEST_F(FormWindowTest, ARefusedLockRunsTheToolElevatedAndShowsItsFailure) {
  scratch.SetStart(3);
  with_elevation = true;
  Open();
  const auto refusal = scratch.RefuseWrites(kHkeyLocalMachine, app::kUsbStorPath);
  answers = {kIdOk};
  ClickButton("cmdLock");
  EXPECT_EQ(StoredStart(), 3);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "Ferrowind");
  EXPECT_EQ(boxes[0].style, 0x10);
  EXPECT_EQ(owners[0], hwnd());
  EXPECT_TRUE(::IsWindowEnabled(hwnd()));
  EXPECT_TRUE(Enabled("cmdLock"));
  EXPECT_TRUE(form->Image("imgUnLock").Visible());
}

TEST_F(FormWindowTest, TheWindowPaintsThePadlockAndTheStatusText) {
  scratch.SetStart(4);
  Open();
  const Win32Dc& canvas = form->Canvas();
  const Rect lock = form->PixelRect("imgLock");
  const PicturePtr padlock = app::ResourcePicture("padlock_closed.bmp");
  ASSERT_NE(padlock, nullptr);
  int differences = 0;
  for (int y = 0; y < padlock->height(); ++y) {
    for (int x = 0; x < padlock->width(); ++x) {
      const std::uint32_t rgb =
          padlock->image().color[static_cast<std::size_t>(y * padlock->width() + x)];
      const ColorRef expected =
          RGB(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
              static_cast<int>(rgb & 0xFF));
      differences += canvas.GetPixel(lock.left + x, lock.top + y) == expected ? 0 : 1;
    }
  }
  EXPECT_EQ(differences, 0);
  const int locked_red = CountColor(canvas, form->PixelRect("Label4"), kRed);
  EXPECT_GT(locked_red, 50);

  // The screen shows the same: the window blits its canvas.
  PumpFor(30);
  const WindowDc screen(hwnd());
  EXPECT_EQ(::GetPixel(screen.get(), lock.left + 26, lock.top + 40),
            canvas.GetPixel(lock.left + 26, lock.top + 40));

  // "Un-Locked" has more red than "Locked".
  scratch.SetStart(3);
  ASSERT_TRUE(PumpUntil([this] { return form->Label("Label4").Caption() == "Un-Locked"; }));
  EXPECT_GT(CountColor(form->Canvas(), form->PixelRect("Label4"), kRed), locked_red);
}

TEST_F(FormWindowTest, HiddenPicturesHaveNoTooltip) {
  Open();  // no Start value: neither picture shows
  EXPECT_TRUE(form->ToolTips().empty());
  EXPECT_EQ(::SendMessageA(form->ToolTipWindow(), TTM_GETTOOLCOUNT, 0, 0), 0);
  scratch.SetStart(3);
  ASSERT_TRUE(PumpUntil([this] { return form->ToolTips().size() == 1; }));
  EXPECT_EQ(form->ToolTips()[0].text, "Un-Locked");
  // The window's code shows one padlock at a time: the open one's tool goes with it.
  scratch.SetStart(4);
  ASSERT_TRUE(PumpUntil(
      [this] { return form->ToolTips().size() == 1 && form->ToolTips()[0].text == "Locked"; }));
  EXPECT_EQ(form->ToolTips()[0].rect, form->PixelRect("imgLock"));
  EXPECT_EQ(::SendMessageA(form->ToolTipWindow(), TTM_GETTOOLCOUNT, 0, 0), 1);
  // Both shown (a state only a changed window code could reach): the closed padlock lies above
  // and its tool comes first.
  form->Image("imgUnLock").Visible(true);
  ASSERT_EQ(form->ToolTips().size(), 2u);
  EXPECT_EQ(form->ToolTips()[0].text, "Locked");
  EXPECT_EQ(form->ToolTips()[1].text, "Un-Locked");
  EXPECT_EQ(::SendMessageA(form->ToolTipWindow(), TTM_GETTOOLCOUNT, 0, 0), 2);
  TTHITTESTINFOA hit{};
  hit.hwnd = hwnd();
  hit.pt = {Center(form->PixelRect("imgLock")).x, Center(form->PixelRect("imgLock")).y};
  hit.ti.cbSize = sizeof(TTTOOLINFOA);
  char text[80] = {};
  hit.ti.lpszText = text;
  ASSERT_TRUE(
      ::SendMessageA(form->ToolTipWindow(), TTM_HITTESTA, 0, reinterpret_cast<LPARAM>(&hit)));
  EXPECT_EQ(hit.ti.uId, form->ToolTips()[0].id);
}

TEST_F(FormWindowTest, ANewTooltipTextReachesTheToolInPlace) {
  scratch.SetStart(4);
  Open();
  ASSERT_EQ(form->ToolTips().size(), 1u);
  form->Image("imgLock").ToolTipText("Closed");
  char text[80] = {};
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = hwnd();
  tool.uId = form->ToolTips()[0].id;
  tool.lpszText = text;
  ::SendMessageA(form->ToolTipWindow(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, "Closed");
  EXPECT_EQ(::SendMessageA(form->ToolTipWindow(), TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST_F(FormWindowTest, TheOneMillisecondTimerTicksEveryTenMilliseconds) {
  Open();
  const int before = events->ticks;
  const auto start = std::chrono::steady_clock::now();
  PumpFor(300);
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - start)
                           .count();
  const int ticks = events->ticks - before;
  EXPECT_GE(ticks, 3);
  // A 1 ms timer would tick about 300 times. The bound leaves room for ticks that fell due
  // while the window opened and arrive late, as they do on a loaded machine.
  EXPECT_LE(ticks, elapsed / 10 + 3);
}

TEST_F(FormWindowTest, TheCloseBoxAsksFirstNoKeepsTheWindowYesClosesIt) {
  Open();
  answers = {kIdNo};
  ::PostMessageA(hwnd(), WM_CLOSE, 0, 0);
  PumpFor(30);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Are you sure you want to quit ?");
  EXPECT_EQ(boxes[0].title, "Exit");
  EXPECT_EQ(boxes[0].style, 0x04);
  EXPECT_TRUE(::IsWindow(hwnd()));
  EXPECT_FALSE(form->Closed());

  const HWND window = hwnd();
  answers = {kIdYes};
  ::PostMessageA(window, WM_CLOSE, 0, 0);
  PumpFor(30);
  EXPECT_TRUE(form->Closed());
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(form->window(), nullptr);
  EXPECT_EQ(events->modes,
            (std::vector<std::int16_t>{kUnloadFormControlMenu, kUnloadFormControlMenu}));
}

TEST_F(FormWindowTest, ALogOffRaisesTheCloseRequestToo) {
  Open();
  answers = {kIdNo, kIdYes};
  EXPECT_EQ(::SendMessageA(hwnd(), WM_QUERYENDSESSION, 0, 0), FALSE);
  EXPECT_TRUE(::IsWindow(hwnd()));
  EXPECT_EQ(::SendMessageA(hwnd(), WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_TRUE(form->Closed());
  EXPECT_EQ(events->modes, (std::vector<std::int16_t>{kUnloadAppWindows, kUnloadAppWindows}));
}

TEST_F(FormWindowTest, TheExitButtonUnloadsFromCodeAndTheWindowGoesInsideItsOwnClick) {
  Open();
  answers = {kIdNo};
  ClickButton("cmdExit");
  EXPECT_TRUE(::IsWindow(hwnd()));
  answers = {kIdYes};
  const HWND window = hwnd();
  ClickButton("cmdExit", 20);
  EXPECT_TRUE(form->Closed());
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(events->modes, (std::vector<std::int16_t>{kUnloadFormCode, kUnloadFormCode}));
  // Nothing reaches the window's code any more.
  const int ticks = events->ticks;
  PumpFor(50);
  EXPECT_EQ(events->ticks, ticks);
}

TEST_F(FormWindowTest, TheButtonsFacesAreTheSoftwareFormsOverTheSameGdi) {
  // Nothing under the mouse and no tick: both windows show their buttons as loaded, cmdLock
  // with the focus.
  ::SetCursorPos(0, 0);
  Open();
  SoftwareForm headless(*device, app::Form1Design(), app::MakeUserControl, app::ResourcePicture);
  NotingEvents quiet(*code);
  headless.Show(quiet);
  for (const char* name : {"cmdUnLock", "cmdLock", "cmdExit", "Command2", "Command1"}) {
    SCOPED_TRACE(name);
    const std::vector<std::uint32_t> real = form->ControlWindow(name).hDC().Pixels();
    const std::vector<std::uint32_t> modelled = headless.Host().WindowOf(name).hDC().Pixels();
    ASSERT_EQ(real.size(), modelled.size());
    int differences = 0;
    for (std::size_t i = 0; i < real.size(); ++i) {
      differences += (real[i] & 0xFFFFFF) == (modelled[i] & 0xFFFFFF) ? 0 : 1;
    }
    EXPECT_EQ(differences, 0);
  }
}

}  // namespace
}  // namespace fw::win32
