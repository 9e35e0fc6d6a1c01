// The caption routine with its eight caption modes, and the special effects drawn under the
// caption: copies of the text one pixel below right and above left, in shades of the base.
#include "controls/vbbutton/vbbutton.h"

namespace fw {
namespace {

constexpr unsigned kCaptionFormat = DT_WORDBREAK | DT_VCENTER | DT_CENTER;

Rect Moved(const Rect& r, int dx, int dy) {
  return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

}  // namespace

void vbButton::CaptionText(const Rect& rect) {
  Rect r = rect;
  dc().DrawTextA(f_.caption, r, kCaptionFormat);
}

void vbButton::SpecialEffectOn(const Rect& rect) {
  if (f_.special_effect <= 0) return;
  const vbbutton::SchemeColors& c = f_.colors;
  const int type = f_.button_type;
  ColorRef base = c.face;
  if (type == 3 || type == 4 || type == 14) {
    base = c.focus;
  } else if (type == 9 && f_.last_state == kUp && f_.mouse_over &&
             f_.color_scheme != vbbutton::kSchemeCustom) {
    base = c.light_selection;
  }
  const bool raised = f_.special_effect == 2;
  dc().SetTextColor(Shade(base, raised ? 40 : -40));
  CaptionText(Moved(rect, 1, 1));
  if (f_.special_effect == 1 || f_.special_effect == 2) {
    dc().SetTextColor(Shade(base, raised ? -40 : 40));
    CaptionText(Moved(rect, -1, -1));
  }
}

void vbButton::DrawCaption(std::uint8_t mode) {
  layout_.caption_mode = mode;
  const vbbutton::SchemeColors& c = f_.colors;
  Dc& d = dc();
  d.SetBkMode(BkMode::Transparent);
  switch (mode) {
    case 0:
    case 1:
      SpecialEffectOn(layout_.caption);
      d.SetTextColor(mode == 0 ? c.text : c.hover_text);
      CaptionText(layout_.caption);
      break;
    case 2:
      SpecialEffectOn(layout_.offset_caption);
      d.SetTextColor(f_.button_type == 4 ? c.light : c.hover_text);
      CaptionText(layout_.offset_caption);
      break;
    case 3:
      d.SetTextColor(c.highlight);
      CaptionText(layout_.offset_caption);
      d.SetTextColor(c.shadow);
      CaptionText(layout_.caption);
      break;
    case 4:
      d.SetTextColor(c.shadow);
      CaptionText(layout_.caption);
      break;
    case 5:
      d.SetTextColor(Shade(c.focus, -104, true));
      CaptionText(layout_.caption);
      break;
    case 6:
      d.SetTextColor(c.highlight);
      CaptionText(layout_.offset_caption);
      d.SetTextColor(c.face);
      CaptionText(layout_.caption);
      break;
    case 7:
      d.SetTextColor(Shade(c.shadow, -50));
      CaptionText(layout_.offset_caption);
      d.SetTextColor(c.highlight);
      CaptionText(layout_.caption);
      break;
    default:
      break;
  }
}

}  // namespace fw
