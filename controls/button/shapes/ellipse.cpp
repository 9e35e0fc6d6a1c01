// Renderer 2: the ellipse (a circle, since the paint keeps this shape square). The window is
// cut to the ellipse of the whole surface; the outline and every style line are ellipses or
// arcs of ellipses a few pixels inside it.
#include "controls/button/shapes/shape_frame.h"
#include "controls/button/shapes/style_colors.h"

namespace fw::button_shapes {

namespace {

// r(v / d) for the midpoints and thirds the style lines aim at.
int RoundedRatio(int v, double d) {
  return RoundHalfEven(v / d);
}

// The upper-left half of the ellipse just inside the outline.
void UpperLeftHalf(ShapeCanvas& canvas, int w, int h) {
  canvas.Arc(w - 2, h - 2, 1, 1, w - 2, 1, 1, h - 2);
}

void DrawStyleLines(ShapeCanvas& canvas, const ShapeState& state) {
  const int w = canvas.W();
  const int h = canvas.H();
  const ColorValue shadow = SystemColor(COLOR_BTNSHADOW);
  const ColorValue highlight = SystemColor(COLOR_BTNHIGHLIGHT);
  const ColorValue dark_shadow = SystemColor(COLOR_3DDKSHADOW);
  switch (state.style) {
    case 1:
      if (state.pressed) {
        canvas.Pen(dark_shadow);
        UpperLeftHalf(canvas, w, h);
        canvas.Pen(shadow);
        canvas.Arc(w - 3, h - 3, 2, 2, w - 3, 2, 2, h - 3);
      } else {
        canvas.Pen(shadow);
        canvas.Arc(1, 1, w - 3, h - 3, RoundedRatio(w, 3), RoundedRatio(h, 2), w - 3, 1);
        canvas.Pen(highlight);
        UpperLeftHalf(canvas, w, h);
      }
      break;
    case 2:
    case 3:
      if (state.style == 3 && !state.pressed && !state.hover) break;
      canvas.Pen(state.pressed ? dark_shadow : highlight);
      UpperLeftHalf(canvas, w, h);
      break;
    case 4:
      if (state.enabled) {
        const int mid_x = RoundedRatio(w, 2);
        canvas.Pen(shadow);
        canvas.Arc(w - 3, h - 3, 2, 2, mid_x, h - 3, mid_x, 3);
        canvas.Pen(highlight);
        canvas.Arc(w - 3, h - 3, 2, 2, mid_x, 2, mid_x, h - 2);
        canvas.Arc(w - 2, h - 2, 1, 1, mid_x, h - 2, mid_x, 2);
      }
      break;
    case 6:
      if (state.pressed) {
        const int mid_x = RoundedRatio(w, 2);
        canvas.Pen(highlight);
        canvas.Arc(w - 4, h - 4, 3, 3, mid_x, h - 2, mid_x, 3);
      } else if (const Style6Colors* colors = Style6HighlightColors(state)) {
        canvas.Pen(colors->outer_bottom);
        canvas.Arc(2, 2, w - 3, h - 3, 2, h - 3, w - 3, h - 3);
        canvas.Pen(colors->outer_frame);
        canvas.Arc(2, 2, w - 3, h - 4, 3, 3, w - 2, 4);
        canvas.Pen(colors->inner_sides);
        canvas.Arc(3, 3, w - 4, h - 3, 2, 3, w - 2, 3);
        canvas.Pen(colors->top_line);
        canvas.Arc(w - 3, h - 2, 2, 2, w - 3, 3, 3, 3);
        canvas.Pen(colors->second_top);
        canvas.Arc(w - 3, h - 3, 3, 3, w - 3, 4, 4, 4);
      }
      break;
    case 7:
      canvas.Pen(state.pressed ? 0xCFB073 : 0xFFFFFF);
      canvas.RoundRect(2, 2, w - 3, h - 3, w - 3, h - 3);
      if (!state.pressed && state.focus_rect && state.focus) {
        canvas.Pen(0xFECC04);
        canvas.RoundRect(2, 2, w - 3, h - 3, w - 3, h - 3);
      }
      break;
    default:  // 5, 8 and any other value: no style lines
      break;
  }
}

}  // namespace

void RenderEllipse(ShapeCanvas& canvas, const ShapeState& state) {
  {
    const int w = canvas.W();
    const int h = canvas.H();
    canvas.SetRegion(canvas.gdi().CreateEllipticRgn(0, 0, w, h));
    canvas.RoundRect(1, 1, w - 2, h - 2, w - 2, h - 2);
  }
  DrawStyleLines(canvas, state);
  if (WantsFocusRing(state)) {
    const int w = canvas.W();
    const int h = canvas.H();
    canvas.Pen(kFocusRingColor);
    canvas.RoundRect(4, 4, w - 5, h - 5, w - 5, h - 5);
  }
}

}  // namespace fw::button_shapes
