// Steps 10 to 12 of the paint: the caption box, the caption text with its effect, and the
// caption colour ramp of CaptionStyle.
#include <algorithm>

#include "controls/button/paint/paint_steps.h"
#include "controls/button/paint/split_color.h"

namespace fw::button_paint {
namespace {

// Step 10. Alignments 0 to 4 measure the caption and place it; any other value measures
// nothing and keeps the whole box of the previous paint. The top and left margins come out as
// 6 pixels while the text takes at most half the surface and 5 otherwise; the right and bottom
// margins are a fixed 5.
void LayOutCaption(PaintContext& ctx) {
  ButtonFields& f = ctx.fields();
  const std::int32_t alignment = f.caption_alignment;
  if (alignment < 0 || alignment > 4) return;
  PaintBox& box = f.caption_box;
  const Size extent = ctx.dc().GetTextExtentPoint32A(f.caption);
  box.width = extent.cx;
  box.height = extent.cy;
  const int w = ctx.W();
  const int h = ctx.H();
  const double cx = box.width;
  const double cy = box.height;
  switch (alignment) {
    case 0:  // top
      box.x = RoundHalfEven((w - cx) / 2);
      box.y = RoundHalfEven((h - cy) / h + 5);
      break;
    case 1:  // left
      box.x = RoundHalfEven((w - cx) / w + 5);
      box.y = RoundHalfEven((h - cy) / 2);
      break;
    case 2:  // centre
      box.x = RoundHalfEven((w - cx) / 2);
      box.y = RoundHalfEven((h - cy) / 2);
      break;
    case 3:  // right
      box.x = w - box.width - 5;
      box.y = RoundHalfEven((h - cy) / 2);
      break;
    default:  // 4, bottom
      box.x = RoundHalfEven((w - cx) / 2);
      box.y = h - box.height - 5;
      break;
  }
}

// One text draw: the pen colour (the text colour) is set first; the text background is left
// as it is.
void DrawText(PaintContext& ctx, ColorValue color, int x, int y) {
  ctx.Pen(color);
  ctx.dc().TextOutA(x, y, ctx.fields().caption);
}

// Step 11.
void DrawCaption(PaintContext& ctx) {
  const ButtonFields& f = ctx.fields();
  const PaintBox& box = f.caption_box;
  if (!ctx.surface().Enabled()) {
    // Styles 4, 6, 7 and 8 draw the disabled caption flat; the others etch it.
    const std::int32_t style = f.button_style;
    if (style != 4 && style != 6 && style != 7 && style != 8) {
      DrawText(ctx, kSysButtonHighlight, box.x + 1, box.y + 1);
    }
    DrawText(ctx, kSysButtonShadow, box.x, box.y);
    return;
  }
  const ColorValue main = ctx.ByState(f.fore_color_pressed, f.fore_color_hover, f.fore_color);
  const int offset = ctx.pressed() ? 1 : 0;
  const int x = box.x + offset;
  const int y = box.y + offset;
  switch (f.caption_effect) {
    case 0:
      DrawText(ctx, main, x, y);
      break;
    case 1:
      DrawText(ctx, f.effect_color, x - 1, y - 1);
      DrawText(ctx, main, x, y);
      break;
    case 2:
      DrawText(ctx, f.effect_color, x + 1, y + 1);
      DrawText(ctx, main, x, y);
      break;
    case 3:
      for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
          DrawText(ctx, f.effect_color, x + dx, y + dy);
          DrawText(ctx, main, x, y);
        }
      }
      break;
    default:  // no text at all
      break;
  }
}

// A ramp value clamped to a colour component: past the control's edges the ramp runs beyond
// its two end colours, and each component stops at 0 and 255.
int Component(int value) {
  return std::clamp(value, 0, 255);
}

// Step 12. The ramp runs in the coordinates of the whole control, from c1 at t = 0 to c0 at
// t = S, over exactly the pixels of the caption box that have the stored pen colour (a
// system-colour reference never matches a pixel).
void RampCaption(PaintContext& ctx) {
  const ButtonFields& f = ctx.fields();
  const std::int32_t style = f.caption_style;
  if (style != 1 && style != 2) return;
  const ColorValue state =
      ctx.ByState(f.fore_color_pressed, f.fore_color_hover, f.fore_color_pressed);
  const bool horizontal = style == 1;
  const Rgb c0 = SplitColor(horizontal ? state : f.fore_color);
  const Rgb c1 = SplitColor(horizontal ? f.fore_color : state);
  const double span = horizontal ? ctx.W() : ctx.H();
  const ColorValue pen = ctx.surface().ForeColor();
  const PaintBox& box = f.caption_box;
  Dc& dc = ctx.dc();
  for (int x = box.x; x <= box.x + box.width; ++x) {
    for (int y = box.y; y <= box.y + box.height; ++y) {
      if (dc.GetPixel(x, y) != pen) continue;
      const double t = horizontal ? x : y;
      const int red = RoundHalfEven(c1.red + (c0.red - c1.red) / span * t);
      const int green = RoundHalfEven(c1.green + (c0.green - c1.green) / span * t);
      const int blue = c1.blue + RoundHalfEven((c0.blue - c1.blue) / span * t);
      dc.SetPixel(x, y, RGB(Component(red), Component(green), Component(blue)));
    }
  }
}

}  // namespace

void PaintCaption(PaintContext& ctx) {
  LayOutCaption(ctx);
  DrawCaption(ctx);
  RampCaption(ctx);
}

}  // namespace fw::button_paint
