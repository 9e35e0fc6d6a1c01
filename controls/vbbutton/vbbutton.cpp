// The control's life and its window's notifications: Initialize, Show, Hide, Resize, the
// ambient-property change and Terminate, the draw rule, DisableRefresh and Refresh.
#include "controls/vbbutton/vbbutton.h"

#include <cmath>

#include "controls/vbbutton/vbbutton_region.h"

namespace fw {

// The control's design: a persistent image measured in pixels.
vbButton::vbButton(UserControl& window, UserControlSite& site) : window_(window), site_(site) {
  window_.AutoRedraw(true);
  window_.ScaleMode(kScalePixels);
  f_.drawing_allowed = true;
}

vbButton::~vbButton() {
  DisableOverTimer();
}

WindowHandle vbButton::hwnd() const {
  return window_.hWnd();
}

void vbButton::Draw(std::uint8_t state, bool force) {
  if (f_.check_box_behaviour && f_.value) state = kDown;
  const bool changed = force || f_.caption != f_.last_caption || state != f_.last_state;
  if (!changed || f_.height == 0 || !f_.drawing_allowed) return;
  f_.last_state = state;
  f_.last_caption = f_.caption;
  ++draw_count_;
  DrawFace(state);
}

void vbButton::DisableRefresh() {
  f_.drawing_allowed = false;
}

void vbButton::Refresh() {
  if (f_.button_type == 11) CaptureBackground();
  ApplyColorScheme();
  Layout();
  f_.drawing_allowed = true;
  RedrawLast();
}

void vbButton::Show() {
  if (f_.button_type == 11) CaptureBackground();  // makes the background context first
  f_.drawing_allowed = true;
  ApplyColorScheme();
  Draw(kUp, true);
}

// The window has its size before the control is sited; a host need not report it with a Resize
// notification, so the sited control measures itself as Resize does.
void vbButton::MeasureWindow() {
  Resize();
}

void vbButton::Hide() {
  f_.drawing_allowed = false;
}

void vbButton::Resize() {
  if (f_.capture_busy) return;
  // GetClientRect: the surface measures the client area, in pixels.
  f_.height = static_cast<std::int32_t>(
      std::lround(window_.ScaleY(window_.ScaleHeight(), window_.ScaleMode(), kScalePixels)));
  f_.width = static_cast<std::int32_t>(
      std::lround(window_.ScaleX(window_.ScaleWidth(), window_.ScaleMode(), kScalePixels)));
  Rect content{0, 0, f_.width, f_.height};
  const int inset = f_.button_type >= 7 && f_.button_type <= 13 ? 3 : f_.button_type == 14 ? 5 : 4;
  content = {content.left + inset, content.top + inset, content.right - inset,
             content.bottom - inset};
  if (f_.button_type == 14) {
    content = {content.left + 1, content.top + 1, content.right + 1, content.bottom + 1};
  }
  f_.content = content;
  Layout();
  window_.SetWindowRgn(vbbutton::BuildRegion(window_.gdi(), f_.button_type, f_.width, f_.height),
                       true);
  if (f_.height != 0) Draw(kUp, true);
}

void vbButton::AmbientChanged(std::string_view /*name*/) {
  if (f_.color_scheme == vbbutton::kSchemeCustom) return;
  ApplyColorScheme();
  RedrawLast();
}

// The region handed to the window belongs to the window; the background context is the
// control's own.
void vbButton::Terminate() {
  f_.drawing_allowed = false;
  f_.background.reset();
  DisableOverTimer();
}

void vbButton::ApplyColorScheme() {
  vbbutton::SchemeInputs in;
  in.scheme = f_.color_scheme;
  in.back_color = f_.back_color;
  in.back_over = f_.back_over;
  in.fore_color = f_.fore_color;
  in.fore_over = f_.fore_over;
  in.mask_color = f_.mask_color;
  in.soft_bevel = f_.soft_bevel;
  in.button_type = f_.button_type;
  if (f_.color_scheme == vbbutton::kSchemeParent) {
    // The colours selected in the parent window's context; without one, a fresh context's.
    User32& user32 = window_.user32();
    const WindowHandle parent = user32.GetParent(window_.hWnd());
    if (Dc* parent_dc = user32.GetDC(parent)) {
      in.parent_back = parent_dc->GetBkColor();
      in.parent_text = parent_dc->GetTextColor();
      user32.ReleaseDC(parent, *parent_dc);
    }
  }
  f_.colors = vbbutton::ComputeSchemeColors(in);
}

ColorRef vbButton::Shade(ColorRef color, int amount, bool proportional) const {
  return vbbutton::Shade(color, amount, proportional, f_.soft_bevel);
}

vbbutton::FaceCanvas vbButton::Canvas() {
  return vbbutton::FaceCanvas(dc(), ResolveColor(window_.ForeColor()), f_.width, f_.height);
}

}  // namespace fw
