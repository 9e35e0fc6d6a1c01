// Renderer 3: the diamond, a square standing on one corner.
//
// Besides what every straight-edged shape does it draws the pixel below its top corner (the
// apex pixel) once more in the entry pen colour when ButtonStyleColors is not 0, blackens that
// pixel after its ButtonStyle 6 runs, and dots its own focus ring on the odd rows before the
// paint's focus marking runs.
#include "controls/button/shapes/polygon_shape.h"
#include "controls/button/shapes/shape_frame.h"

namespace fw::button_shapes {
namespace {

using polygon::Geometry;
using polygon::kButtonHighlight;
using polygon::kButtonShadow;
using polygon::kDarkShadow;
using polygon::ShapeTable;

ShapeTable DiamondTable(const Geometry& g, const Style6Colors& c) {
  const int w = g.w;
  const int h = g.h;
  const int xm = g.xm;
  const int ym = g.ym;
  ShapeTable t;
  t.region = {{w, ym}, {xm, 0}, {0, ym}, {xm, h}};
  t.outline = {{0, ym}, {xm, h - 1}, {w - 1, ym}, {xm, 0}, {0, ym}};
  t.style1_pressed = {{kDarkShadow, {{xm, 0}, {0, ym}, {xm, h - 1}}},
                      {kButtonShadow, {{xm, 1}, {1, ym}, {xm, h - 2}}}};
  t.style1_raised = {{kButtonShadow, {{xm, h - 2}, {w - 2, ym}, {xm, 1}}},
                     {kButtonHighlight, {{xm, 0}, {0, ym}, {xm, h - 1}}}};
  t.style2_pressed = {{kDarkShadow, {{xm, 0}, {0, ym}, {xm, h - 1}}}};
  t.style2_raised = {{kButtonHighlight, {{xm, 0}, {0, ym}, {xm, h - 1}}}};
  t.style4_enabled = {{kButtonShadow, {{xm, 1}, {w - 2, ym}, {xm, h - 2}}},
                      {kButtonHighlight, {{xm, 1}, {1, ym}, {xm, h - 2}}},
                      {std::nullopt, {{xm, 0}, {w - 1, ym}, {xm, h - 1}}}};
  t.style6_pressed = {{kButtonHighlight, {{xm, h - 4}, {w - 4, ym}, {xm, 3}}}};
  t.style6_lit = {{c.outer_bottom, {{xm, h - 2}, {w - 2, ym}}},
                  {c.outer_frame, {{xm, h - 3}, {w - 3, ym}}},
                  {std::nullopt, {{1, ym}, {xm, h - 2}}},
                  {std::nullopt, {{w - 2, ym}, {xm, 1}}},
                  {c.inner_sides, {{2, ym}, {xm, h - 3}}},
                  {std::nullopt, {{w - 3, ym}, {xm, 2}}},
                  {c.top_line, {{xm, 1}, {1, ym}}},
                  {c.second_top, {{xm, 2}, {2, ym}}}};
  t.style7_ring = {{1, ym}, {xm, h - 2}, {w - 2, ym}, {xm, 1}, {1, ym}};
  t.focus = {{w - 6, ym}, {xm, 5}, {5, ym}, {xm, h - 6}};
  return t;
}

// Blackens every pixel of the pen colour on the odd rows 1, 3, 5, ... up to H-1 of the columns
// 2 to W-2: the ring's pixels there, and any other pixel of exactly that colour. The pen colour
// is read back at each pixel.
void DotFocusRing(ShapeCanvas& canvas) {
  for (int x = 2; x <= canvas.W() - 2; ++x) {
    for (int y = 1; y <= canvas.H() - 1; y += 2) {
      if (canvas.GetPixel(x, y) == canvas.PenColor()) canvas.SetPixel(x, y, 0x000000);
    }
  }
}

}  // namespace

void RenderDiamond(ShapeCanvas& canvas, const ShapeState& state) {
  const Geometry g = Geometry::Of(canvas);
  const ShapeTable table = DiamondTable(g, polygon::LitColorsFor(state));
  polygon::SetPolygonRegion(canvas, table.region);
  polygon::DrawRun(canvas, {std::nullopt, table.outline});
  // The apex pixel, still in the entry pen colour: (xm, 1) -> (xm, 0) colours (xm, 1) alone.
  if (state.style_colors != 0) polygon::DrawRun(canvas, {std::nullopt, {{g.xm, 1}, {g.xm, 0}}});
  if (polygon::DrawStyleRuns(canvas, state, table)) canvas.SetPixel(g.xm, 1, 0x000000);
  if (polygon::DrawFocusRing(canvas, state, table)) DotFocusRing(canvas);
}

}  // namespace fw::button_shapes
