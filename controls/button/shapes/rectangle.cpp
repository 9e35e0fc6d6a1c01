// Renderer 0: the rectangle. Its outline is the one-pixel frame of the whole surface; it gives
// the window no region (it takes away the one an earlier shape set).
#include "controls/button/shapes/shape_frame.h"
#include "controls/button/shapes/style_colors.h"

namespace fw::button_shapes {

namespace {

void DrawStyleLines(ShapeCanvas& canvas, const ShapeState& state) {
  const int w = canvas.W();
  const int h = canvas.H();
  const ColorValue shadow = SystemColor(COLOR_BTNSHADOW);
  const ColorValue highlight = SystemColor(COLOR_BTNHIGHLIGHT);
  const ColorValue dark_shadow = SystemColor(COLOR_3DDKSHADOW);
  switch (state.style) {
    case 1:
      if (state.pressed) {
        canvas.Run(dark_shadow, {{w - 1, 0}, {0, 0}, {0, h - 1}});
        canvas.Run(shadow, {{w - 1, 1}, {1, 1}, {1, h - 1}});
      } else {
        canvas.Run(shadow, {{w - 2, 0}, {w - 2, h - 2}, {0, h - 2}});
        canvas.Run(highlight, {{w - 1, 0}, {0, 0}, {0, h - 1}});
      }
      break;
    case 2:
      canvas.Run(state.pressed ? dark_shadow : highlight, {{w - 1, 0}, {0, 0}, {0, h - 1}});
      break;
    case 3:
      if (state.pressed) {
        canvas.Run(dark_shadow, {{w - 1, 0}, {0, 0}, {0, h - 1}});
      } else if (state.hover) {
        canvas.Run(highlight, {{w - 1, 0}, {0, 0}, {0, h - 1}});
      }
      break;
    case 4:
      if (state.enabled) {
        canvas.Run(shadow, {{w - 2, 1}, {w - 2, h - 2}, {2, h - 2}});
        canvas.Run(highlight, {{w - 1, 1}, {1, 1}, {1, h - 1}, {w - 1, h - 1}, {w - 1, 1}});
      }
      break;
    case 6:
      if (state.pressed) {
        canvas.Run(highlight, {{2, h - 3}, {w - 3, h - 3}, {w - 3, 2}});
      } else if (const Style6Colors* colors = Style6HighlightColors(state)) {
        canvas.Run(colors->outer_bottom, {{w - 2, h - 2}, {0, h - 2}});
        canvas.Run(colors->outer_frame, {{1, 1}, {1, h - 3}, {w - 2, h - 3}, {w - 2, 1}});
        canvas.Run(colors->inner_sides, {{2, 2}, {2, h - 3}});
        canvas.Run({{w - 3, h - 4}, {w - 3, 2}});
        canvas.Run(colors->top_line, {{1, 1}, {w - 1, 1}});
        canvas.Run(colors->second_top, {{2, 2}, {w - 2, 2}});
      }
      break;
    case 7: {
      const std::initializer_list<Point> ring = {
          {1, 1}, {1, h - 2}, {w - 2, h - 2}, {w - 2, 1}, {1, 1}};
      if (state.pressed) {
        canvas.Run(0xCFB073, ring);
      } else {
        canvas.Run(0xFFFFFF, ring);
        if (state.focus_rect && state.focus) canvas.Run(0xFECC04, ring);
      }
      break;
    }
    default:  // 5, 8 and any other value: no style lines
      break;
  }
}

}  // namespace

void RenderRectangle(ShapeCanvas& canvas, const ShapeState& state) {
  {
    const int w = canvas.W();
    const int h = canvas.H();
    // From wherever the pen stands: after the surface is cleared that is the origin.
    canvas.Continue({{0, h - 1}, {w - 1, h - 1}, {w - 1, 0}, {0, 0}});
    canvas.RemoveRegion();
  }
  DrawStyleLines(canvas, state);
  if (WantsFocusRing(state)) {
    const int w = canvas.W();
    const int h = canvas.H();
    canvas.Run(kFocusRingColor, {{4, 4}, {4, h - 5}, {w - 5, h - 5}, {w - 5, 4}, {4, 4}});
  }
}

}  // namespace fw::button_shapes
