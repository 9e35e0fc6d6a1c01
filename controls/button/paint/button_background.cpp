// Steps 6 and 7 of the paint: the background colour pair and the background scheme chosen by
// ButtonStyleColors.
#include "controls/button/paint/gradient.h"
#include "controls/button/paint/paint_steps.h"

namespace fw::button_paint {
namespace {

constexpr GradientMode kH = GradientMode::Horizontal;
constexpr GradientMode kV = GradientMode::Vertical;

// The first colour is BackColor; the second BackColorPressed when pressed, BackColorHover when
// hovered, else BackColorPressed again (so the normal and the pressed look share one pair).
ColorPair BackgroundPair(const PaintContext& ctx) {
  const ButtonFields& f = ctx.fields();
  return SplitPair(f.back_color,
                   ctx.ByState(f.back_color_pressed, f.back_color_hover, f.back_color_pressed));
}

}  // namespace

void PaintBackground(PaintContext& ctx) {
  const ButtonFields& f = ctx.fields();
  const ColorPair colors = BackgroundPair(ctx);
  UserControl& surface = ctx.surface();
  const std::int32_t scheme = f.button_style_colors;
  if (scheme == 0) {
    surface.BackStyle(0);
    return;
  }
  if (scheme < 1 || scheme > 7) return;  // BackStyle stays as it is
  surface.BackStyle(1);
  const int w = ctx.W();
  const int h = ctx.H();
  Dc& dc = ctx.dc();
  switch (scheme) {
    case 1:
      // Setting the surface's background colour clears the whole surface to it.
      surface.BackColor(ctx.ByState(f.back_color_pressed, f.back_color_hover, f.back_color));
      break;
    case 2:  // left edge first, right edge second
      FillGradient(dc, colors, {0, h}, {w, 0}, kH);
      break;
    case 3:  // top edge second, bottom edge first
      FillGradient(dc, colors, {0, h}, {w, 0}, kV);
      break;
    case 4: {  // first at the top and bottom edges, second in the middle
      const int mid = RoundHalfEven(h / 2.0);
      FillGradient(dc, colors, {w, 0}, {0, mid}, kV);
      FillGradient(dc, colors, {0, h}, {w, mid}, kV);
      break;
    }
    case 5: {  // second at the top and bottom edges, first in the middle
      const int mid = RoundHalfEven(h / 2.0);
      FillGradient(dc, colors, {0, mid}, {w, 0}, kV);
      FillGradient(dc, colors, {0, mid}, {w, h}, kV);
      break;
    }
    case 6: {  // first at the left and right edges, second in the middle
      const int mid = RoundHalfEven(w / 2.0);
      FillGradient(dc, colors, {0, 0}, {mid, h}, kH);
      FillGradient(dc, colors, {w, h}, {mid, 0}, kH);
      break;
    }
    case 7: {  // second at the left and right edges, first in the middle
      const int mid = RoundHalfEven(w / 2.0);
      FillGradient(dc, colors, {mid, 0}, {0, h}, kH);
      FillGradient(dc, colors, {mid, h}, {w, 0}, kH);
      break;
    }
    default:
      break;
  }
}

}  // namespace fw::button_paint
