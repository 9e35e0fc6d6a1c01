// Renderer 1: the rounded rectangle. The window is cut to a rounded rectangle with 15-pixel
// corners and the outline drawn with 16-pixel corners; the style lines follow the straight
// edges and bend round the corners with quarter arcs.
#include "controls/button/shapes/shape_frame.h"
#include "controls/button/shapes/style_colors.h"

namespace fw::button_shapes {

namespace {

// The top edge, the top-left corner, the left edge and the bottom-left corner, as styles 2 and
// 3 draw them (and style 1 draws them raised) under the pen already set.
void TopLeftEdges(ShapeCanvas& canvas, int w, int h) {
  canvas.Run({{10, 0}, {w - 8, 0}});
  canvas.Arc(17, 17, 0, 0, 10, 0, 0, 10);
  canvas.Run({{0, 10}, {0, h - 10}});
}

// The style-6 highlight in one colour set; `frame_corner_end_y` is where the first arc of the
// outer frame ends (the focused set ends it one row lower than the hover set).
void Style6Highlight(ShapeCanvas& canvas, const Style6Colors& colors, int frame_corner_end_y, int w,
                     int h) {
  canvas.Pen(colors.outer_bottom);
  canvas.Arc(16, h - 17, 1, h - 2, -17, h, 8, h - 1);
  canvas.Run({{w - 8, h - 3}, {8, h - 3}});
  canvas.Arc(w - 17, h - 17, w - 2, h - 2, w - 10, h - 2, w - 1, h - 10);

  canvas.Pen(colors.outer_frame);
  canvas.Arc(17, h - 18, 1, h - 3, -18, h, 10, frame_corner_end_y);
  canvas.Run({{1, 6}, {1, h - 8}});
  canvas.Run({{w - 8, h - 4}, {8, h - 4}});
  canvas.Arc(w - 17, h - 17, w - 3, h - 3, w - 10, h - 2, w - 1, h - 10);
  canvas.Run({{w - 3, 6}, {w - 3, h - 8}});

  canvas.Pen(colors.inner_sides);
  canvas.Run({{2, 7}, {2, h - 7}});
  canvas.Run({{w - 4, 7}, {w - 4, h - 7}});
  canvas.Arc(17, 17, 1, 1, 8, 0, 0, 8);
  canvas.Arc(w - 17, 17, w - 2, 1, w - 1, 8, w - 12, 1);
  canvas.Arc(w - 17, 17, w - 3, 2, w - 1, 8, w - 12, 1);
  canvas.Arc(17, 17, 2, 2, 8, 0, 0, 8);

  canvas.Run(colors.top_line, {{10, 1}, {w - 7, 1}});
  canvas.Run(colors.second_top, {{10, 2}, {w - 8, 2}});
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
        TopLeftEdges(canvas, w, h);
        canvas.Arc(17, h - 17, 0, h - 1, -16, h - 16, 9, h);
        canvas.Arc(16, h - 16, 0, h - 2, -16, h - 16, 8, h);
        canvas.Run(shadow, {{10, 1}, {w - 8, 1}});
        canvas.Arc(17, 17, 1, 1, 10, 1, 1, 10);
        canvas.Run({{1, 10}, {1, h - 10}});
        canvas.Arc(17, h - 16, 1, h - 2, -16, h - 16, 9, h - 1);
      } else {
        canvas.Pen(shadow);
        canvas.RoundRect(0, 0, w - 2, h - 2, 15, 15);
        canvas.Pen(highlight);
        TopLeftEdges(canvas, w, h);
        canvas.Arc(17, h - 17, 0, h - 2, -16, h - 16, 9, h - 1);
        canvas.Arc(17, h - 17, 0, h - 1, -16, h - 16, 9, h - 1);
      }
      break;
    case 2:
    case 3:
      if (state.style == 3 && !state.pressed && !state.hover) break;
      canvas.Pen(state.pressed ? dark_shadow : highlight);
      TopLeftEdges(canvas, w, h);
      canvas.Arc(17, h - 17, 0, h - 1, -16, h - 16, 9, h - 1);
      break;
    case 4:
      if (state.enabled) {
        canvas.Pen(shadow);
        canvas.RoundRect(0, 0, w - 2, h - 2, 16, 16);
        canvas.Pen(highlight);
        canvas.RoundRect(1, 1, w - 1, h - 1, 16, 16);
      }
      break;
    case 6:
      if (state.pressed) {
        canvas.Pen(highlight);
        canvas.Arc(w - 17, h - 17, w - 3, h - 3, w - 10, h - 3, w - 2, h - 10);
        canvas.Run({{w - 9, h - 4}, {8, h - 4}});
        canvas.Run({{w - 4, 4}, {w - 4, h - 9}});
      } else if (state.hover) {
        Style6Highlight(canvas, kStyle6Hover, h - 1, w, h);
      } else if (state.focus_rect && state.focus) {
        Style6Highlight(canvas, kStyle6Focused, h, w, h);
      }
      break;
    case 7:
      canvas.Pen(state.pressed ? 0xCFB073 : 0xFFFFFF);
      canvas.RoundRect(1, 1, w - 2, h - 2, 14, 14);
      if (!state.pressed && state.focus_rect && state.focus) {
        canvas.Pen(0xFECC04);
        canvas.RoundRect(1, 1, w - 2, h - 2, 14, 14);
      }
      break;
    default:  // 5, 8 and any other value: no style lines
      break;
  }
}

}  // namespace

void RenderRoundedRectangle(ShapeCanvas& canvas, const ShapeState& state) {
  {
    const int w = canvas.W();
    const int h = canvas.H();
    canvas.SetRegion(canvas.gdi().CreateRoundRectRgn(0, 0, w, h, 15, 15));
    canvas.RoundRect(0, 0, w - 1, h - 1, 16, 16);
  }
  DrawStyleLines(canvas, state);
  if (WantsFocusRing(state)) {
    const int w = canvas.W();
    const int h = canvas.H();
    canvas.Pen(kFocusRingColor);
    canvas.RoundRect(4, 4, w - 5, h - 5, 15, 15);
  }
}

}  // namespace fw::button_shapes
