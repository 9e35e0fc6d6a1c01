// The control window's messages, mapped to the control's notifications as the platform raises
// them: positions in the control's ScaleMode, focus on a press, the click after a release over
// the pressed window, the double-click notification in place of the second press, keys to the
// control with the focus (Tab to the container when it takes it), the pointer on WM_SETCURSOR.
// A disabled window receives no input.
#include "platform/win32/control_window.h"

namespace fw::win32 {
namespace {

Point PointOf(LPARAM lparam) {
  // Signed: with the capture held, the mouse may be left of or above the window.
  return {static_cast<short>(LOWORD(static_cast<DWORD_PTR>(lparam))),
          static_cast<short>(HIWORD(static_cast<DWORD_PTR>(lparam)))};
}

std::int16_t ButtonsOf(WPARAM wparam) {
  int buttons = 0;
  if ((wparam & MK_LBUTTON) != 0) buttons |= kLeftButton;
  if ((wparam & MK_RBUTTON) != 0) buttons |= kRightButton;
  if ((wparam & MK_MBUTTON) != 0) buttons |= kMiddleButton;
  return static_cast<std::int16_t>(buttons);
}

bool KeyHeld(int key) {
  return ::GetKeyState(key) < 0;
}

// Shift, Ctrl and Alt as the events carry them; a mouse message names the first two itself.
std::int16_t MouseShiftOf(WPARAM wparam) {
  int shift = 0;
  if ((wparam & MK_SHIFT) != 0) shift |= kShiftMask;
  if ((wparam & MK_CONTROL) != 0) shift |= kCtrlMask;
  if (KeyHeld(VK_MENU)) shift |= kAltMask;
  return static_cast<std::int16_t>(shift);
}

std::int16_t KeyShift() {
  int shift = 0;
  if (KeyHeld(VK_SHIFT)) shift |= kShiftMask;
  if (KeyHeld(VK_CONTROL)) shift |= kCtrlMask;
  if (KeyHeld(VK_MENU)) shift |= kAltMask;
  return static_cast<std::int16_t>(shift);
}

}  // namespace

LRESULT Win32ControlWindow::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the persistent image covers the whole window
    case WM_MOUSEMOVE:
      OnMouseMove(wparam, lparam);
      return 0;
    case WM_LBUTTONDOWN:
      OnButtonDown(kLeftButton, wparam, lparam);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      OnButtonDown(kRightButton, wparam, lparam);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      OnButtonDown(kMiddleButton, wparam, lparam);
      return 0;
    case WM_LBUTTONUP:
      OnButtonUp(kLeftButton, wparam, lparam);
      return 0;
    case WM_RBUTTONUP:
      OnButtonUp(kRightButton, wparam, lparam);
      return 0;
    case WM_MBUTTONUP:
      OnButtonUp(kMiddleButton, wparam, lparam);
      return 0;
    case WM_LBUTTONDBLCLK:
      // The second press of a double click: the notification replaces the press, and the
      // release that follows clicks nothing.
      if (Enabled() && has_control()) control().DblClick();
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      if (OnKey(message, wparam)) return 0;
      break;
    case WM_SYSCHAR:
      if (container_.AccessKey(static_cast<char>(wparam))) return 0;
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
      if (has_control()) control().GotFocus();
      return 0;
    case WM_KILLFOCUS:
      if (has_control()) control().LostFocus();
      return 0;
    case WM_SETCURSOR:
      if (OnSetCursor(wparam, lparam)) return TRUE;
      break;
    case WM_TIMER:
      if (container_.Desktop().DispatchTimer(window, static_cast<std::uintptr_t>(wparam))) return 0;
      break;
    case WM_NCDESTROY:
      // The window is gone (its parent was destroyed): the object lives on without it.
      container_.Desktop().ForgetWindow(window);
      if (container_.Desktop().pressed_window() == window) {
        container_.Desktop().set_pressed_window(nullptr);
      }
      (void)window_.release();
      break;
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wparam, lparam);
}

void Win32ControlWindow::Failed(UINT /*message*/, std::exception_ptr error) {
  container_.ControlFailed(std::move(error));
}

void Win32ControlWindow::OnPaint(HWND window) {
  const PaintScope paint(window);
  const RECT& area = paint.area();
  ::BitBlt(paint.dc(), area.left, area.top, area.right - area.left, area.bottom - area.top,
           SurfaceHandle(), area.left, area.top, SRCCOPY);
}

void Win32ControlWindow::OnMouseMove(WPARAM wparam, LPARAM lparam) {
  if (!Enabled() || !has_control()) return;
  const Point at = PointOf(lparam);
  control().MouseMove(ButtonsOf(wparam), MouseShiftOf(wparam), ToScaleX(at.x), ToScaleY(at.y));
}

void Win32ControlWindow::OnButtonDown(std::int16_t button, WPARAM wparam, LPARAM lparam) {
  if (!Enabled() || !has_control()) return;
  const HWND window = window_.get();
  // Pressing a control gives it the focus first, as clicking a window does.
  if (::GetFocus() != window) ::SetFocus(window);
  if (window_.get() == nullptr || !Enabled()) return;
  container_.Desktop().set_pressed_window(window);
  const Point at = PointOf(lparam);
  control().MouseDown(button, MouseShiftOf(wparam), ToScaleX(at.x), ToScaleY(at.y));
}

void Win32ControlWindow::OnButtonUp(std::int16_t button, WPARAM wparam, LPARAM lparam) {
  const HWND window = window_.get();
  const HWND pressed = container_.Desktop().pressed_window();
  container_.Desktop().set_pressed_window(nullptr);
  if (!Enabled() || !has_control()) return;
  const Point at = PointOf(lparam);
  control().MouseUp(button, MouseShiftOf(wparam), ToScaleX(at.x), ToScaleY(at.y));
  // The handler may have disabled the control or destroyed its window.
  if (window_.get() == nullptr || !Enabled()) return;
  // The platform's click follows a release over the window that was pressed.
  if (button == kLeftButton && pressed == window && HitTest(at)) control().Click();
}

bool Win32ControlWindow::OnKey(UINT message, WPARAM wparam) {
  if (container_.TakesTab() && wparam == (message == WM_CHAR ? '\t' : VK_TAB)) {
    if (message == WM_KEYDOWN) container_.TabPressed((KeyShift() & kShiftMask) != 0);
    return true;
  }
  if (!Enabled() || !has_control()) return true;
  const auto code = static_cast<std::int16_t>(wparam & 0xFF);
  switch (message) {
    case WM_KEYDOWN:
      control().KeyDown(code, KeyShift());
      break;
    case WM_CHAR:
      control().KeyPress(code);
      break;
    default:
      control().KeyUp(code, KeyShift());
      break;
  }
  return true;
}

bool Win32ControlWindow::OnSetCursor(WPARAM wparam, LPARAM lparam) {
  // Only for the client area of this window itself; borders and children keep their own.
  if (reinterpret_cast<HWND>(wparam) != window_.get() ||
      LOWORD(static_cast<DWORD_PTR>(lparam)) != HTCLIENT) {
    return false;
  }
  ::SetCursor(PointerCursor());
  return true;
}

}  // namespace fw::win32
