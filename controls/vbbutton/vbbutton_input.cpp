// Mouse, keyboard, focus, click and access-key notifications; the hover polling of OverTimer;
// the access-key update.
//
// Every handler raises its event first. Events pass their arguments by reference, so what the
// handler goes on with is the value as the container's handler left it.
#include <array>
#include <string>
#include <utility>

#include "controls/vbbutton/vbbutton.h"
#include "formats/text/ansi_text.h"

namespace fw {
namespace {

constexpr std::int16_t kKeySpace = 32;
constexpr std::int16_t kKeyLeft = 37;
constexpr std::int16_t kKeyUp = 38;
constexpr std::int16_t kKeyRight = 39;
constexpr std::int16_t kKeyDown = 40;

// An 8-bit field takes 0 to 255; anything else is an overflow error of the call.
std::uint8_t ToByte(std::int32_t value, std::string_view what) {
  if (value < 0 || value > 255) {
    throw OverflowError(std::string(what) + ": " + std::to_string(value) +
                        " does not fit in 8 bits");
  }
  return static_cast<std::uint8_t>(value);
}

// Lower case in the Windows-1252 code page the captions are held in.
char LowerAnsi(char c) {
  return static_cast<char>(AnsiToLower(static_cast<unsigned char>(c)));
}

}  // namespace

std::string AccessKeysOf(std::string_view caption) {
  if (caption.size() <= 1) return {};
  const std::size_t p = caption.find('&');
  if (p == std::string_view::npos || p + 1 == caption.size()) return {};
  if (caption[p + 1] != '&') return std::string(1, LowerAnsi(caption[p + 1]));
  // A doubled "&&" stands for the character itself; the next single "&" marks the key.
  const std::size_t q = caption.find('&', p + 2);
  if (q == std::string_view::npos || q + 1 == caption.size()) return {};
  if (caption[q + 1] == '&') return {};
  return std::string(1, LowerAnsi(caption[q + 1]));
}

void vbButton::UpdateAccessKeys() {
  window_.AccessKeys("");
  window_.AccessKeys(AccessKeysOf(f_.caption));
}

void vbButton::RaiseMouseEvent(std::string_view name, std::int16_t& button, std::int16_t& shift,
                               float& x, float& y) {
  const std::array<EventArg, 4> args = {&button, &shift, &x, &y};
  site_.RaiseEvent(name, args);
}

void vbButton::RaiseKeyEvent(std::string_view name, std::int16_t& key_code, std::int16_t& shift) {
  const std::array<EventArg, 2> args = {&key_code, &shift};
  site_.RaiseEvent(name, args);
}

bool vbButton::CursorOverControl() const {
  User32& user32 = window_.user32();
  return user32.WindowFromPoint(user32.GetCursorPos()) == window_.hWnd();
}

void vbButton::EnableOverTimer() {
  if (over_timer_enabled_) return;
  window_.user32().SetTimer(window_.hWnd(), kOverTimerId, kOverTimerInterval,
                            [this] { OverTimerTick(); });
  over_timer_enabled_ = true;
}

void vbButton::DisableOverTimer() {
  if (!over_timer_enabled_) return;
  window_.user32().KillTimer(window_.hWnd(), kOverTimerId);
  over_timer_enabled_ = false;
}

void vbButton::MouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
  RaiseMouseEvent("MouseDown", button, shift, x, y);
  f_.last_button = ToByte(button, "mouse button");
  if (button != kRightButton) Draw(kDown, false);
}

void vbButton::MouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
  if (std::exchange(double_click_capture_, false)) {
    User32& user32 = window_.user32();
    if (user32.GetCapture() == window_.hWnd()) user32.ReleaseCapture();
  }
  RaiseMouseEvent("MouseUp", button, shift, x, y);
  if (button != kRightButton) Draw(kUp, false);
}

void vbButton::MouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
  RaiseMouseEvent("MouseMove", button, shift, x, y);
  if (button != 0 && button != kLeftButton) return;
  if (!CursorOverControl()) {
    Draw(kUp, false);
    return;
  }
  if (button == 0 && !f_.mouse_over) {
    EnableOverTimer();
    f_.mouse_over = true;
    Draw(kUp, true);
    site_.RaiseEvent("MouseOver", {});
  } else if (button == kLeftButton) {
    f_.mouse_over = true;
    Draw(kDown, false);
    f_.mouse_over = false;
  }
}

// Polls the cursor while the hover look is on; the first tick that finds it elsewhere ends it.
void vbButton::OverTimerTick() {
  if (CursorOverControl()) return;
  DisableOverTimer();
  f_.mouse_over = false;
  Draw(kUp, true);
  site_.RaiseEvent("MouseOut", {});
}

void vbButton::Click() {
  if (f_.last_button != kLeftButton || !f_.enabled) return;
  if (f_.check_box_behaviour) f_.value = !f_.value;
  Draw(kUp, true);
  window_.Refresh();
  site_.RaiseEvent("Click", {});
}

// The second press of a double click is a press of the left button at (0, 0), and the control
// keeps the mouse until the next release (MouseUp gives it back).
void vbButton::DblClick() {
  if (f_.last_button != kLeftButton) return;
  MouseDown(kLeftButton, 0, 0.0f, 0.0f);
  window_.user32().SetCapture(window_.hWnd());
  double_click_capture_ = true;
}

void vbButton::AccessKeyPress(std::int16_t /*key_ascii*/) {
  f_.last_button = kLeftButton;
  Click();
}

void vbButton::KeyDown(std::int16_t key_code, std::int16_t shift) {
  RaiseKeyEvent("KeyDown", key_code, shift);
  f_.last_key_code = ToByte(key_code, "key code");
  switch (key_code) {
    case kKeySpace:
      Draw(kDown, false);
      break;
    case kKeyLeft:
    case kKeyUp:
      window_.user32().SendKeys("+{Tab}", false);
      break;
    case kKeyRight:
    case kKeyDown:
      window_.user32().SendKeys("{Tab}", false);
      break;
    default:
      break;
  }
}

void vbButton::KeyUp(std::int16_t key_code, std::int16_t shift) {
  RaiseKeyEvent("KeyUp", key_code, shift);
  if (f_.last_key_code != kKeySpace || key_code != kKeySpace) return;
  if (f_.check_box_behaviour) f_.value = !f_.value;
  Draw(kUp, false);
  window_.Refresh();
  site_.RaiseEvent("Click", {});
}

void vbButton::KeyPress(std::int16_t key_ascii) {
  const std::array<EventArg, 1> args = {&key_ascii};
  site_.RaiseEvent("KeyPress", args);
}

// With ShowFocusRect the focused control shows the hover look, without MouseOver or MouseOut.
void vbButton::GotFocus() {
  f_.focus = true;
  if (f_.show_focus_rect) f_.mouse_over = true;
  RedrawLast();
}

void vbButton::LostFocus() {
  f_.focus = false;
  if (f_.show_focus_rect) f_.mouse_over = false;
  RedrawLast();
}

}  // namespace fw
