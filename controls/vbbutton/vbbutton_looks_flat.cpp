// The flat looks: ButtonType 5 (a raised panel with a box around the focused caption) and 9 (a
// selection-coloured plate under the mouse).
#include "controls/vbbutton/vbbutton.h"

namespace fw {

// The focused caption of ButtonType 5 gets a box two pixels out from its text.
void vbButton::CaptionBox() {
  if (!f_.focus || !f_.show_focus_rect) return;
  Canvas().Frame(layout_.caption.left - 2, layout_.caption.top - 1, layout_.caption_width + 4,
                 layout_.caption_height + 2, 0xCC9999);
}

void vbButton::Look5(Branch branch) {
  const vbbutton::SchemeColors& c = f_.colors;
  vbbutton::FaceCanvas canvas = Canvas();
  const int w = f_.width;
  const int h = f_.height;
  if (branch == Branch::kUp) {
    canvas.Fill(1, 1, w - 1, h - 1, Shade(c.face, 12));
    DrawCaption(f_.mouse_over ? 1 : 0);
    canvas.Frame(1, 1, w - 1, h - 1, c.highlight);
    canvas.Frame(0, 0, w - 1, h - 1, Shade(c.shadow, -26));
    canvas.Pixel(1, h - 2, Shade(c.shadow, 26));
    canvas.Pixel(w - 2, 1, Shade(c.shadow, 26));
    CaptionBox();
  } else if (branch == Branch::kDown) {
    canvas.Fill(1, 1, w - 2, h - 2, Shade(c.shadow, 16));
    canvas.Frame(0, 0, w - 1, h - 1, Shade(c.shadow, -26));
    canvas.Line(w - 1, 1, w - 1, h, c.highlight);
    canvas.Line(1, h - 1, w - 1, h - 1, c.highlight);
    // The pressed caption: plain text, no effect, and the caption mode stays as it was.
    dc().SetBkMode(BkMode::Transparent);
    dc().SetTextColor(c.hover_text);
    CaptionText(layout_.caption);
    CaptionBox();
  } else {
    DrawCaption(4);
    canvas.Frame(0, 0, w, h, c.shadow);
  }
}

void vbButton::Look9(Branch branch) {
  const vbbutton::SchemeColors& c = f_.colors;
  vbbutton::FaceCanvas canvas = Canvas();
  const int w = f_.width;
  const int h = f_.height;
  if (branch == Branch::kUp) {
    if (f_.mouse_over) canvas.Fill(1, 1, w, h, c.light_selection);
    DrawCaption(f_.mouse_over ? 1 : 0);
    if (f_.mouse_over) canvas.Frame(0, 0, w, h, c.selection);
    FocusRect();
  } else if (branch == Branch::kDown) {
    if (f_.mouse_over) {
      canvas.Fill(0, 0, w, h,
                  f_.color_scheme != vbbutton::kSchemeCustom ? vbbutton::Lighten(c.selection, 128)
                                                             : Shade(c.light_selection, -32));
    }
    DrawCaption(2);
    canvas.Frame(0, 0, w, h, c.selection);
    FocusRect();
  } else {
    DrawCaption(4);
  }
}

}  // namespace fw
