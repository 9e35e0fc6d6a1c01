// The control's window-facing basics: construction, hdc, hwnd, Refresh and the end of its life.
#include "controls/button/button.h"

namespace fw {

Button::Button(UserControl& window, UserControlSite& site) : window_(window), site_(site) {}

Dc& Button::hdc() const {
  return window_.hDC();
}

WindowHandle Button::hwnd() const {
  return window_.hWnd();
}

void Button::Refresh() {
  window_.Refresh();
}

// A region handed to the window belongs to the window, and the control holds no other drawing
// object: nothing to release.
void Button::Terminate() {}

}  // namespace fw
