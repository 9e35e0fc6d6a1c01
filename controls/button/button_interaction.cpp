// Mouse, keyboard, focus, click and drag-and-drop notifications: the three state flags, the
// Value of a toggle button, repaints and the control's events.
//
// Events pass their arguments by reference: the container's handler sees pointers to the
// control's own copies (or, for drag and drop, to the arguments as received) and may change
// them; the control does not read them back.
#include <array>

#include "controls/button/button.h"

namespace fw {
namespace {

inline constexpr std::int16_t kKeyEnter = 13;
inline constexpr std::int16_t kKeySpace = 32;

}  // namespace

void Button::RaiseMouseEvent(std::string_view name, std::int16_t button, std::int16_t shift,
                             float x, float y) {
  const std::array<EventArg, 4> args = {&button, &shift, &x, &y};
  site_.RaiseEvent(name, args);
}

void Button::RaiseKeyEvent(std::string_view name, std::int16_t key_code, std::int16_t shift) {
  const std::array<EventArg, 2> args = {&key_code, &shift};
  site_.RaiseEvent(name, args);
}

// After the mouse-up: a toggle button takes the opposite of the pressed look as its Value. The
// paint pipeline draws a toggle whose Value is True pressed and sets the pressed flag, so
// successive clicks alternate.
void Button::Click() {
  if (fields_.button_type == 1) {
    fields_.value = !fields_.pressed;
  }
  Paint();
  site_.RaiseEvent("Click", {});
}

// The mouse-up that follows clears the pressed look again.
void Button::DblClick() {
  fields_.pressed = true;
  Paint();
  site_.RaiseEvent("DblClick", {});
}

void Button::GotFocus() {
  fields_.focus = true;
  Paint();
}

void Button::KeyDown(std::int16_t key_code, std::int16_t shift) {
  if (key_code == kKeySpace || key_code == kKeyEnter) {
    fields_.pressed = true;
    Paint();
  }
  RaiseKeyEvent("KeyDown", key_code, shift);
}

void Button::KeyPress(std::int16_t key_ascii) {
  const std::array<EventArg, 1> args = {&key_ascii};
  site_.RaiseEvent("KeyPress", args);
}

// Neither key clicks the control. Releasing Enter presses it again and reports a mouse-down
// with all arguments 0.
void Button::KeyUp(std::int16_t key_code, std::int16_t shift) {
  if (fields_.pressed) {
    fields_.pressed = false;
    Paint();
    if (key_code == kKeyEnter) {
      MouseDown(0, 0, 0.0f, 0.0f);
    }
  }
  RaiseKeyEvent("KeyUp", key_code, shift);
}

void Button::LostFocus() {
  fields_.focus = false;
  Paint();
}

// The control does not capture the mouse here.
void Button::MouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
  fields_.pressed = true;
  Paint();
  RaiseMouseEvent("MouseDown", button, shift, x, y);
}

// Hover tracking. The cursor's own position decides, not the notification's coordinates: the
// control holds the capture while the cursor is over it (both right and bottom edges count as
// over it), so that it also sees the move that leaves it. A change of the hover look drops the
// pressed look, so dragging out with the button held shows the normal look and coming back
// shows the hover look.
void Button::MouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
  User32& user32 = window_.user32();
  const WindowHandle window = window_.hWnd();
  const Point cursor = user32.ScreenToClient(window, user32.GetCursorPos());
  if (!site_.AmbientUserMode()) {
    return;
  }
  const double width = window_.ScaleWidth();
  const double height = window_.ScaleHeight();
  const double cx = cursor.x;
  const double cy = cursor.y;
  const bool inside = cx >= 0.0 && cx <= width && cy >= 0.0 && cy <= height;
  if (inside) {
    user32.SetCapture(window);
  } else {
    user32.ReleaseCapture();
  }
  if (inside != fields_.hover.value_or(false)) {
    fields_.hover = inside;
    fields_.pressed = false;
    Paint();
  }
  RaiseMouseEvent("MouseMove", button, shift, x, y);
}

// Takes the capture if it is not the control's, so that the next move outside is still seen and
// clears the hover look.
void Button::MouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
  User32& user32 = window_.user32();
  const WindowHandle window = window_.hWnd();
  if (user32.GetCapture() != window) {
    user32.SetCapture(window);
  }
  fields_.pressed = false;
  Paint();
  RaiseMouseEvent("MouseUp", button, shift, x, y);
}

// Drag and drop: each notification raises the event of the same name with the arguments as
// received, so the container's changes reach the caller.
void Button::OLECompleteDrag(std::int32_t& effect) {
  const std::array<EventArg, 1> args = {&effect};
  site_.RaiseEvent("OLECompleteDrag", args);
}

void Button::OLEDragDrop(DataObject& data, std::int32_t& effect, std::int16_t& button,
                         std::int16_t& shift, float& x, float& y) {
  const std::array<EventArg, 6> args = {&data, &effect, &button, &shift, &x, &y};
  site_.RaiseEvent("OLEDragDrop", args);
}

void Button::OLEDragOver(DataObject& data, std::int32_t& effect, std::int16_t& button,
                         std::int16_t& shift, float& x, float& y, std::int16_t& state) {
  const std::array<EventArg, 7> args = {&data, &effect, &button, &shift, &x, &y, &state};
  site_.RaiseEvent("OLEDragOver", args);
}

void Button::OLEGiveFeedback(std::int32_t& effect, bool& default_cursors) {
  const std::array<EventArg, 2> args = {&effect, &default_cursors};
  site_.RaiseEvent("OLEGiveFeedback", args);
}

void Button::OLESetData(DataObject& data, std::int16_t& data_format) {
  const std::array<EventArg, 2> args = {&data, &data_format};
  site_.RaiseEvent("OLESetData", args);
}

void Button::OLEStartDrag(DataObject& data, std::int32_t& allowed_effects) {
  const std::array<EventArg, 2> args = {&data, &allowed_effects};
  site_.RaiseEvent("OLEStartDrag", args);
}

}  // namespace fw
