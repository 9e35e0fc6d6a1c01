// The classic vbButton in a real Windows window under Wine: the control's window is the same
// ControlSurface the headless host gives it, with what a vbButton asks of its container beyond a
// Button: Alt and its access key, the arrow keys sending Tab through SendKeys, and the parent's
// DC behind a see-through face.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/vbbutton/vbbutton.h"
#include "platform/form/form_design.h"
#include "platform/win32/form_window.h"
#include "tests/platform/win32/win32_test_support.h"

namespace fw::win32 {
namespace {

using testing::Center;
using testing::ClickAt;
using testing::PumpFor;
using testing::PumpUntil;

// Two vbButtons on a dark blue window: "&Go" a plain one, "&Stop" of type 11, which shows what
// lies behind it.
constexpr std::string_view kDesign = R"({
  "name": "Main", "caption": "vbButton window", "client_width": 3000, "client_height": 1500,
  "back_color": "0x00563412",
  "controls": [
    {"name": "Go", "kind": "control", "class": "vbButton", "left": 150, "top": 150,
     "width": 1500, "height": 450, "tab_index": 0, "properties": {"TX": "&Go"}},
    {"name": "Stop", "kind": "control", "class": "vbButton", "left": 150, "top": 750,
     "width": 1500, "height": 450, "tab_index": 1, "properties": {"TX": "&Stop", "BTYPE": 11}}
  ]
})";

class Events final : public FormEvents {
 public:
  void ControlEvent(std::string_view control, std::string_view event,
                    std::span<const EventArg> /*args*/) override {
    if (event == "Click") clicks.push_back(std::string(control));
  }
  void QueryUnload(std::int16_t& /*cancel*/, std::int16_t /*mode*/) override {}
  void Timer(std::string_view /*timer*/) override {}
  std::vector<std::string> clicks;
};

void PressKeys(std::initializer_list<WORD> down_then_up) {
  std::vector<INPUT> inputs;
  for (const WORD key : down_then_up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
  }
  for (auto it = down_then_up.end(); it != down_then_up.begin();) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *--it;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  PumpFor(60);
}

class VbButtonWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Win32FormOptions options;
    options.quit_on_close = false;
    form = std::make_unique<Win32Form>(
        *device, design,
        [](std::string_view class_name, UserControl& window,
           UserControlSite& site) -> std::unique_ptr<ControlHandlers> {
          if (class_name == kVbButtonClassName) return std::make_unique<vbButton>(window, site);
          return nullptr;
        },
        PictureResolver{}, options);
    form->Show(events);
    PumpFor(60);
  }
  void TearDown() override { form->RethrowFailure(); }

  std::unique_ptr<GdiDevice> device = CreatePlatformGdiDevice();
  FormDesign design = ParseFormDesign(kDesign, {});
  Events events;
  std::unique_ptr<Win32Form> form;
};

TEST_F(VbButtonWindowTest, ClicksAccessKeysArrowsAndTheParentsPixelsWork) {
  // A click with the real mouse.
  ClickAt(form->window(), Center(form->PixelRect("Go")));
  EXPECT_EQ(events.clicks, std::vector<std::string>{"Go"});
  EXPECT_EQ(form->FocusedName(), "Go");

  // Alt+S: the other button's access key clicks it.
  PressKeys({VK_MENU, 'S'});
  EXPECT_EQ(events.clicks, (std::vector<std::string>{"Go", "Stop"}));

  // The arrow keys send Tab and Shift+Tab to the container, which moves the focus.
  ::SetFocus(form->ControlWindow("Go").window());
  PressKeys({VK_RIGHT});
  EXPECT_TRUE(PumpUntil([&] { return form->FocusedName() == "Stop"; }, 1000));
  PressKeys({VK_UP});
  EXPECT_TRUE(PumpUntil([&] { return form->FocusedName() == "Go"; }, 1000));

  // Type 11 took the window's own pixels behind it through the parent's DC.
  const Dc& stop = form->ControlWindow("Stop").hDC();
  EXPECT_EQ(stop.GetPixel(5, 10), 0x563412u);
  EXPECT_EQ(stop.GetPixel(90, 25), 0x563412u);
}

}  // namespace
}  // namespace fw::win32
