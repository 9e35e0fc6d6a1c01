// Renderers 8 to 11: the block arrows up, left, right and down.
//
// All four run one procedure on one style table and differ only in their coordinate tables
// (arrow_tables.cpp):
//   1. the window region: a new WINDING polygon region on the seven region corners, handed to
//      the window (redraw requested); the window owns it from then on;
//   2. the outline run, in the pen colour found at entry;
//   3. the runs of the current ButtonStyle and state, each after setting its pen colour:
//
//      ButtonStyle  state                                      runs (pen: run)
//      1            pressed                                    3D dark shadow: A; shadow: P
//      1            not pressed                                highlight: A, shadow: N (up arrow)
//                                                              shadow: N, highlight: A (others)
//      2            pressed / not pressed                      3D dark shadow: A / highlight: A
//      3            pressed / hover / neither                  3D dark shadow: A / highlight: A /
//                                                              none
//      4            surface enabled / disabled                 shadow: S; highlight: L / none
//      6            pressed                                    highlight: Q
//      6            not pressed, hover                         hover colours: F1 to F5
//      6            not pressed, no hover, FocusRect and focus focus colours: F1 to F5
//      7            pressed                                    0xCFB073: G
//      7            not pressed                                0xFFFFFF: G, then 0xFECC04: G
//                                                              again with FocusRect and focus
//      5, others    any                                        none
//
//   4. the focus ring (WantsFocusRing): pen 0xD1D1D1, the seven focus-ring vertices as a
//      Polygon outline.
//
// The pen colour left behind is the last one set, which the paint's focus marking relies on.
// Region and ring vertices live in local arrays filled anew at each call.
#include <array>
#include <vector>

#include "controls/button/shapes/arrow_geometry.h"
#include "controls/button/shapes/shape_frame.h"
#include "controls/button/shapes/style_colors.h"

namespace fw::button_shapes {
namespace {

using arrow::ArrowPoint;
using arrow::ArrowRun;
using arrow::ArrowTable;
using arrow::Heptagon;

constexpr ColorValue kButtonHighlight = SystemColor(20);
constexpr ColorValue kButtonShadow = SystemColor(16);
constexpr ColorValue kDarkShadow3D = SystemColor(21);

constexpr ColorValue kStyle7Pressed = 0xCFB073;
constexpr ColorValue kStyle7Normal = 0xFFFFFF;
constexpr ColorValue kStyle7Focus = 0xFECC04;

struct PenRun {
  ColorValue color;
  ArrowRun run;
};

// Step 3's table: the runs of `state`, in drawing order.
std::vector<PenRun> StyleRuns(const ArrowTable& table, const ShapeState& state) {
  const bool focused = state.focus_rect && state.focus;
  switch (state.style) {
    case 1:
      if (state.pressed) return {{kDarkShadow3D, table.a}, {kButtonShadow, table.p}};
      if (table.highlight_before_shadow) {
        return {{kButtonHighlight, table.a}, {kButtonShadow, table.n}};
      }
      return {{kButtonShadow, table.n}, {kButtonHighlight, table.a}};
    case 2:
      return {{state.pressed ? kDarkShadow3D : kButtonHighlight, table.a}};
    case 3:
      if (state.pressed) return {{kDarkShadow3D, table.a}};
      if (state.hover) return {{kButtonHighlight, table.a}};
      return {};
    case 4:
      if (state.enabled) return {{kButtonShadow, table.s}, {kButtonHighlight, table.l}};
      return {};
    case 6: {
      if (state.pressed) return {{kButtonHighlight, table.q}};
      if (!state.hover && !focused) return {};
      // Hover wins over focus.
      const Style6Colors& c = state.hover ? kStyle6Hover : kStyle6Focused;
      return {{c.outer_bottom, table.f[0]},
              {c.outer_frame, table.f[1]},
              {c.inner_sides, table.f[2]},
              {c.top_line, table.f[3]},
              {c.second_top, table.f[4]}};
    }
    case 7:
      if (state.pressed) return {{kStyle7Pressed, table.g}};
      if (focused) return {{kStyle7Normal, table.g}, {kStyle7Focus, table.g}};
      return {{kStyle7Normal, table.g}};
    default:
      return {};
  }
}

// W and H are read afresh for every point.
Point At(const ShapeCanvas& canvas, const ArrowPoint& point) {
  return arrow::Resolve(point, static_cast<double>(canvas.W()), static_cast<double>(canvas.H()));
}

// MoveToEx to each stretch's first point, LineTo every other; the pen is left as it is.
void DrawRun(ShapeCanvas& canvas, ArrowRun run) {
  for (const ArrowPoint& point : run) {
    const Point at = At(canvas, point);
    if (point.move) {
      canvas.Run({at});
    } else {
      canvas.Continue({at});
    }
  }
}

std::array<Point, 7> Vertices(const ShapeCanvas& canvas, const Heptagon& points) {
  std::array<Point, 7> out{};
  for (std::size_t i = 0; i < points.size(); ++i) out[i] = At(canvas, points[i]);
  return out;
}

void RenderArrow(const ArrowTable& table, ShapeCanvas& canvas, const ShapeState& state) {
  const std::array<Point, 7> corners = Vertices(canvas, table.region);
  canvas.SetRegion(canvas.gdi().CreatePolygonRgn(corners, PolyFillMode::Winding));

  DrawRun(canvas, table.outline);

  for (const PenRun& pen_run : StyleRuns(table, state)) {
    canvas.Pen(pen_run.color);
    DrawRun(canvas, pen_run.run);
  }

  if (WantsFocusRing(state)) {
    canvas.Pen(kFocusRingColor);
    const std::array<Point, 7> ring = Vertices(canvas, table.focus_ring);
    canvas.Polygon(ring);
  }
}

}  // namespace

void RenderArrowUp(ShapeCanvas& canvas, const ShapeState& state) {
  RenderArrow(arrow::ArrowUpTable(), canvas, state);
}

void RenderArrowLeft(ShapeCanvas& canvas, const ShapeState& state) {
  RenderArrow(arrow::ArrowLeftTable(), canvas, state);
}

void RenderArrowRight(ShapeCanvas& canvas, const ShapeState& state) {
  RenderArrow(arrow::ArrowRightTable(), canvas, state);
}

void RenderArrowDown(ShapeCanvas& canvas, const ShapeState& state) {
  RenderArrow(arrow::ArrowDownTable(), canvas, state);
}

}  // namespace fw::button_shapes
