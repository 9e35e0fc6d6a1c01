// What the top-level window paints itself: frames, labels and pictures, drawn with the
// form_render pieces in the headless form's order onto a memory surface of the client area,
// and the pictures' tooltips. The user controls are child windows above it.
#include <cstddef>

#include "platform/color.h"
#include "platform/form/form_render.h"
#include "platform/win32/form_pieces.h"
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
  canvas_->FillRect({0, 0, client_.cx, client_.cy}, Brush::Solid(ResolveColor(design_.back_color)));
  DrawContainer(*canvas_, design_.name);
  canvas_dirty_ = false;
}

void Win32Form::DrawContainer(Dc& dc, const std::string& container) {
  // Pictures and labels lie on their container; frames (and the controls' windows) above them.
  for (const bool windows : {false, true}) {
    for (const auto& piece : pieces_) {
      const FormControlDesign& control = *piece->design;
      const bool is_window =
          control.kind == FormControlKind::Frame || control.kind == FormControlKind::UserControl;
      if (is_window != windows || design_.Find(control.inside) != design_.Find(container)) {
        continue;
      }
      DrawPiece(dc, *piece);
    }
  }
}

void Win32Form::DrawPiece(Dc& dc, const Piece& piece) {
  const FormControlDesign& control = *piece.design;
  switch (control.kind) {
    case FormControlKind::Frame:
      if (!control.visible) return;
      DrawFrame(dc, piece.pixels, control.caption, control.font, ResolveColor(control.back_color),
                ResolveColor(control.fore_color));
      DrawContainer(dc, control.name);
      return;
    case FormControlKind::Label:
      if (!piece.label->Visible()) return;
      DrawLabel(dc, piece.pixels, piece.label->Caption(), control.font,
                ResolveColor(control.back_color), ResolveColor(control.fore_color));
      return;
    case FormControlKind::Image:
      if (!piece.image->Visible()) return;
      DrawPicture(dc, {piece.pixels.left, piece.pixels.top}, *piece.picture, piece.pixels);
      return;
    case FormControlKind::UserControl:
    case FormControlKind::Timer:
      return;  // a window of its own, or nothing to see
  }
}

void Win32Form::SyncToolTips() {
  if (tooltips_ == nullptr) return;
  // Topmost first: a later picture lies above an earlier one. A hidden picture, or one without
  // a text, has no tool.
  std::vector<PictureTip> tips;
  for (std::size_t i = pieces_.size(); i-- > 0;) {
    const Piece& piece = *pieces_[i];
    if (piece.image == nullptr || !piece.image->Visible() || piece.image->ToolTipText().empty()) {
      continue;
    }
    tips.push_back({static_cast<unsigned>(i + 1), piece.pixels, piece.image->ToolTipText()});
  }
  tooltips_->Set(tips);
}

std::vector<PictureTip> Win32Form::ToolTips() const {
  return tooltips_ != nullptr ? tooltips_->Tips() : std::vector<PictureTip>{};
}

}  // namespace fw::win32
