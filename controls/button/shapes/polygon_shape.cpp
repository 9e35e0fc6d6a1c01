#include "controls/button/shapes/polygon_shape.h"

#include <memory>
#include <utility>

namespace fw::button_shapes::polygon {

Geometry Geometry::Of(const ShapeCanvas& canvas) {
  const int w = canvas.W();
  const int h = canvas.H();
  return Geometry{w, h, RoundHalfEven(w / 2.0), RoundHalfEven(h / 2.0)};
}

const Style6Colors& LitColorsFor(const ShapeState& state) {
  return state.hover ? kStyle6Hover : kStyle6Focused;
}

void SetPolygonRegion(ShapeCanvas& canvas, const std::vector<Point>& points) {
  std::unique_ptr<Region> region = canvas.gdi().CreatePolygonRgn(points, PolyFillMode::Winding);
  // A region that could not be made reaches the window as none: the window stays unclipped.
  canvas.SetRegion(std::move(region));
}

void DrawRun(ShapeCanvas& canvas, const Run& run) {
  if (run.pen.has_value()) canvas.Pen(*run.pen);
  if (run.points.empty()) return;
  canvas.Run({run.points.front()});
  for (std::size_t i = 1; i < run.points.size(); ++i) canvas.Continue({run.points[i]});
}

void DrawRuns(ShapeCanvas& canvas, const Runs& runs) {
  for (const Run& run : runs) DrawRun(canvas, run);
}

bool DrawStyleRuns(ShapeCanvas& canvas, const ShapeState& state, const ShapeTable& table) {
  const bool focused = state.focus_rect && state.focus;
  switch (state.style) {
    case 1:
      DrawRuns(canvas, state.pressed ? table.style1_pressed : table.style1_raised);
      return false;
    case 2:
      DrawRuns(canvas, state.pressed ? table.style2_pressed : table.style2_raised);
      return false;
    case 3:
      if (state.pressed) {
        DrawRuns(canvas, table.style2_pressed);
      } else if (state.hover) {
        DrawRuns(canvas, table.style2_raised);
      }
      return false;
    case 4:
      if (state.enabled) DrawRuns(canvas, table.style4_enabled);
      return false;
    case 6:
      if (state.pressed) {
        DrawRuns(canvas, table.style6_pressed);
        return true;
      }
      if (state.hover || focused) {
        DrawRuns(canvas, table.style6_lit);
        return true;
      }
      return false;
    case 7:
      if (state.pressed) {
        DrawRun(canvas, {kPressedRingColor, table.style7_ring});
      } else {
        DrawRun(canvas, {kRaisedRingColor, table.style7_ring});
        if (focused) DrawRun(canvas, {kFocusedRingColor, table.style7_ring});
      }
      return false;
    default:  // 5, 8 and any other value: no style runs
      return false;
  }
}

bool DrawFocusRing(ShapeCanvas& canvas, const ShapeState& state, const ShapeTable& table) {
  if (!WantsFocusRing(state)) return false;
  canvas.Pen(kFocusRingColor);
  canvas.Polygon(table.focus);
  return true;
}

void RenderPolygonShape(ShapeCanvas& canvas, const ShapeState& state, const ShapeTable& table) {
  SetPolygonRegion(canvas, table.region);
  DrawRun(canvas, {std::nullopt, table.outline});
  DrawStyleRuns(canvas, state, table);
  DrawFocusRing(canvas, state, table);
}

}  // namespace fw::button_shapes::polygon
