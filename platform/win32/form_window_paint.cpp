// What the top-level window paints itself: frames, labels and pictures, drawn with the
// form_render pieces in the form model's order onto a memory surface of the client area,
// and the pictures' tooltips. The user controls are child windows above it.
#include <cstddef>

#include "platform/color.h"
#include "platform/form/form_render.h"
#include "platform/win32/form_window.h"

namespace fw::win32 {

void Win32Form::Changed() {
  canvas_dirty_ = true;
  if (const HWND window = window_.get()) ::InvalidateRect(window, nullptr, FALSE);
}

const Win32Dc& Win32Form::Canvas() {
  if (canvas_dirty_) Render();
  return *canvas_;
}

void Win32Form::Render() {
  // The canvas is kept from one paint to the next: each starts from the window's back colour.
  canvas_->FillRect({0, 0, client_.cx, client_.cy},
                    Brush::Solid(ResolveColor(model_.design().back_color)));
  // The controls are windows of their own above the canvas.
  model_.Draw(*canvas_, nullptr);
  canvas_dirty_ = false;
}

void Win32Form::SyncToolTips() {
  if (tooltips_ != nullptr) tooltips_->Set(model_.ToolTips());
}

std::vector<PictureTip> Win32Form::ToolTips() const {
  return tooltips_ != nullptr ? tooltips_->Tips() : std::vector<PictureTip>{};
}

}  // namespace fw::win32
