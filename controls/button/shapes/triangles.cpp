// Renderers 4 to 7: the triangles pointing up, left, right and down. Each is a table of its
// coordinates; the drawing is the common one of the straight-edged shapes.
#include "controls/button/shapes/polygon_shape.h"
#include "controls/button/shapes/shape_frame.h"

namespace fw::button_shapes {
namespace {

using polygon::Geometry;
using polygon::kButtonHighlight;
using polygon::kButtonShadow;
using polygon::kDarkShadow;
using polygon::ShapeTable;

ShapeTable UpTable(const Geometry& g, const Style6Colors& c) {
  const int w = g.w;
  const int h = g.h;
  const int xm = g.xm;
  ShapeTable t;
  t.region = {{0, h}, {xm, 0}, {w, h}};
  t.outline = {{xm, 1}, {1, h - 1}, {w - 2, h - 1}, {xm, 1}};
  t.style1_pressed = {{kDarkShadow, {{xm, 1}, {1, h - 1}}}, {kButtonShadow, {{xm, 3}, {3, h - 3}}}};
  t.style1_raised = {{kButtonShadow, {{1, h - 2}, {w - 3, h - 2}, {xm, 3}}},
                     {kButtonHighlight, {{xm, 2}, {1, h - 1}}}};
  t.style2_pressed = {{kDarkShadow, {{xm, 1}, {1, h - 1}}}};
  t.style2_raised = {{kButtonHighlight, {{xm, 2}, {1, h - 1}}}};
  t.style4_enabled = {{kButtonShadow, {{1, h - 2}, {w - 3, h - 2}, {xm, 3}}},
                      {kButtonHighlight, {{xm, 3}, {2, h - 1}, {w - 2, h - 1}, {xm, 1}}}};
  t.style6_pressed = {{kButtonHighlight, {{4, h - 3}, {w - 5, h - 3}, {xm, 5}}}};
  t.style6_lit = {{c.outer_bottom, {{2, h - 2}, {w - 1, h - 2}}},
                  {c.outer_frame, {{3, h - 3}, {w - 4, h - 3}, {xm, 3}}},
                  {c.inner_sides, {{w - 5, h - 4}, {xm, 5}}},
                  {c.top_line, {{xm, 3}, {3, h - 3}}},
                  {c.second_top, {{xm, 4}, {3, h - 3}}}};
  t.style7_ring = {{xm, 2}, {2, h - 2}, {w - 3, h - 2}, {xm, 2}};
  t.focus = {{7, h - 5}, {xm, 9}, {w - 8, h - 5}};
  return t;
}

ShapeTable LeftTable(const Geometry& g, const Style6Colors& c) {
  const int w = g.w;
  const int h = g.h;
  const int ym = g.ym;
  ShapeTable t;
  t.region = {{0, ym}, {w, 0}, {w, h}};
  t.outline = {{1, ym}, {w - 1, 1}, {w - 1, h - 1}, {1, ym}};
  t.style1_pressed = {{kDarkShadow, {{w - 1, 1}, {1, ym}}}, {kButtonShadow, {{w - 3, 3}, {3, ym}}}};
  t.style1_raised = {{kButtonShadow, {{2, ym}, {w - 2, h - 3}, {w - 2, 1}}},
                     {kButtonHighlight, {{w - 1, 1}, {1, ym}}}};
  t.style2_pressed = {{kDarkShadow, {{w - 1, 1}, {1, ym}}}};
  t.style2_raised = {{kButtonHighlight, {{w - 1, 1}, {1, ym}}}};
  t.style4_enabled = {{kButtonShadow, {{w - 2, 2}, {w - 2, h - 3}, {3, ym}}},
                      {kButtonHighlight, {{3, ym}, {w - 1, 2}, {w - 1, h - 1}, {1, ym}}}};
  t.style6_pressed = {{kButtonHighlight, {{w - 3, 5}, {w - 3, h - 5}, {5, ym}}}};
  t.style6_lit = {{c.outer_bottom, {{w - 2, 2}, {w - 2, h - 1}}},
                  {c.outer_frame, {{w - 3, 2}, {w - 3, h - 3}, {3, ym}}},
                  {c.inner_sides, {{w - 3, h - 4}, {5, ym}}},
                  {c.top_line, {{3, ym}, {w - 3, 3}}},
                  {c.second_top, {{4, ym}, {w - 4, 4}}}};
  t.style7_ring = {{2, ym}, {w - 2, 2}, {w - 2, h - 2}, {2, ym}};
  t.focus = {{9, ym}, {w - 5, 7}, {w - 5, h - 8}};
  return t;
}

ShapeTable RightTable(const Geometry& g, const Style6Colors& c) {
  const int w = g.w;
  const int h = g.h;
  const int ym = g.ym;
  ShapeTable t;
  t.region = {{w, ym}, {0, 0}, {0, h}};
  // Starts at (W-2, ym) and ends one pixel further right, at (W-1, ym), which is left out.
  t.outline = {{w - 2, ym}, {0, 1}, {0, h - 1}, {w - 1, ym}};
  t.style1_pressed = {{kDarkShadow, {{w - 2, ym}, {0, 1}, {0, h - 1}}},
                      {kButtonShadow, {{w - 5, ym}, {1, 2}, {1, h - 2}}}};
  t.style1_raised = {{kButtonShadow, {{1, h - 3}, {w - 3, ym}}},
                     {kButtonHighlight, {{w - 3, ym}, {0, 1}, {0, h - 1}}}};
  t.style2_pressed = {{kDarkShadow, {{w - 2, ym}, {0, 1}, {0, h - 1}}}};
  t.style2_raised = {{kButtonHighlight, {{w - 3, ym}, {0, 1}, {0, h - 1}}}};
  t.style4_enabled = {{kButtonShadow, {{1, h - 3}, {w - 3, ym}}},
                      {kButtonHighlight, {{w - 5, ym}, {1, 3}, {1, h - 2}, {w - 1, ym}}}};
  t.style6_pressed = {{kButtonHighlight, {{2, 4}, {2, h - 5}, {w - 6, ym}}}};
  t.style6_lit = {{c.outer_bottom, {{1, 2}, {1, h - 1}}},
                  {c.outer_frame, {{2, 2}, {2, h - 3}, {w - 4, ym}}},
                  {c.inner_sides, {{3, h - 5}, {w - 5, ym}}},
                  {c.top_line, {{w - 4, ym}, {4, 4}}},
                  {c.second_top, {{w - 5, ym}, {5, 5}}}};
  t.style7_ring = {{w - 3, ym}, {1, 2}, {1, h - 2}, {w - 2, ym}};
  t.focus = {{w - 10, ym}, {4, 7}, {4, h - 8}};
  return t;
}

ShapeTable DownTable(const Geometry& g, const Style6Colors& c) {
  const int w = g.w;
  const int h = g.h;
  const int xm = g.xm;
  ShapeTable t;
  // The region starts at row 1: the top pixel row lies outside it.
  t.region = {{0, 1}, {xm, h}, {w, 1}};
  t.outline = {{xm, h - 1}, {w - 1, 1}, {1, 1}, {xm, h - 1}};
  t.style1_pressed = {{kDarkShadow, {{xm, h - 1}, {1, 1}, {w - 1, 1}}},
                      {kButtonShadow, {{xm, h - 4}, {2, 2}, {w - 3, 2}}}};
  t.style1_raised = {{kButtonShadow, {{w - 2, 1}, {xm, h - 3}}},
                     {kButtonHighlight, {{xm, h - 2}, {1, 1}, {w - 1, 1}}}};
  t.style2_pressed = {{kDarkShadow, {{xm, h - 1}, {1, 1}, {w - 1, 1}}}};
  t.style2_raised = {{kButtonHighlight, {{xm, h - 2}, {1, 1}, {w - 1, 1}}}};
  t.style4_enabled = {{kButtonShadow, {{w - 3, 2}, {xm, h - 3}}},
                      {kButtonHighlight, {{w - 2, 2}, {2, 2}, {xm, h - 4}}},
                      {std::nullopt, {{xm, h - 1}, {w - 1, 1}}}};
  t.style6_pressed = {{kButtonHighlight, {{4, 3}, {w - 5, 3}, {xm, h - 5}}}};
  t.style6_lit = {{c.outer_bottom, {{2, 2}, {w - 2, 2}}},
                  {c.outer_frame, {{3, 3}, {w - 3, 3}, {xm, h - 3}}},
                  {c.inner_sides, {{w - 5, 4}, {xm, h - 4}}},
                  {c.top_line, {{xm, h - 4}, {3, 3}}},
                  {c.second_top, {{xm, h - 5}, {4, 4}}}};
  t.style7_ring = {{xm, h - 2}, {w - 2, 2}, {2, 2}, {xm, h - 2}};
  t.focus = {{6, 4}, {xm, h - 10}, {w - 8, 4}};
  return t;
}

}  // namespace

void RenderTriangleUp(ShapeCanvas& canvas, const ShapeState& state) {
  const Geometry g = Geometry::Of(canvas);
  polygon::RenderPolygonShape(canvas, state, UpTable(g, polygon::LitColorsFor(state)));
}

void RenderTriangleLeft(ShapeCanvas& canvas, const ShapeState& state) {
  const Geometry g = Geometry::Of(canvas);
  polygon::RenderPolygonShape(canvas, state, LeftTable(g, polygon::LitColorsFor(state)));
}

void RenderTriangleRight(ShapeCanvas& canvas, const ShapeState& state) {
  const Geometry g = Geometry::Of(canvas);
  polygon::RenderPolygonShape(canvas, state, RightTable(g, polygon::LitColorsFor(state)));
}

void RenderTriangleDown(ShapeCanvas& canvas, const ShapeState& state) {
  const Geometry g = Geometry::Of(canvas);
  polygon::RenderPolygonShape(canvas, state, DownTable(g, polygon::LitColorsFor(state)));
}

}  // namespace fw::button_shapes
