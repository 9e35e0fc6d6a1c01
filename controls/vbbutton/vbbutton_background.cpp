// The background of ButtonType 11: the parent window's pixels behind the control, copied into a
// memory context of the control's size while the control is out of the way.
#include <cmath>

#include "controls/vbbutton/vbbutton.h"
#include "platform/scope_exit.h"

namespace fw {

// The memory context exists, at the control's size, whenever a capture runs.
void vbButton::EnsureBackground() {
  const int w = f_.width;
  const int h = f_.height;
  if (f_.background != nullptr && f_.background->Width() == w && f_.background->Height() == h) {
    return;
  }
  f_.background = w > 0 && h > 0 ? window_.gdi().CreateSurface(w, h) : nullptr;
}

// The control is out of the way (no height) and Resize does nothing (the busy flag) only while
// the capture runs: both are given back however it ends, the height first, while the flag still
// keeps Resize quiet.
void vbButton::CaptureBackground() {
  f_.capture_busy = true;
  const ScopeExit not_busy([this] { f_.capture_busy = false; });
  const int height_twips =
      static_cast<int>(std::lround(window_.ScaleY(f_.height, kScalePixels, kScaleTwips)));
  const ScopeExit height_back([this, height_twips] { window_.Height(height_twips); });
  User32& user32 = window_.user32();
  const WindowHandle self = window_.hWnd();
  // With no height the control uncovers the parent, which repaints what lay behind it.
  window_.Height(0);
  user32.DoEvents();
  EnsureBackground();
  const WindowHandle parent = user32.GetParent(self);
  if (Dc* parent_dc = user32.GetDC(parent); parent_dc != nullptr) {
    const ScopeExit release([&] { user32.ReleaseDC(parent, *parent_dc); });
    // The control's top-left corner in the parent's client pixels.
    const Point corner = user32.ScreenToClient(parent, user32.ClientToScreen(self, {0, 0}));
    if (f_.background != nullptr) {
      f_.background->BitBlt(0, 0, f_.width, f_.height, *parent_dc, corner.x, corner.y);
    }
  }
}

}  // namespace fw
