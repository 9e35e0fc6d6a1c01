#pragma once
// What the straight-edged shapes (the diamond and the four triangles) have in common: a polygon
// window region, an outline run in the entry pen colour, line runs per ButtonStyle and state,
// and a focus ring drawn as one Polygon.
//
// Each shape writes its coordinates down once, as a ShapeTable for the surface's current size;
// the selection by style and state, and the drawing, are the same for all five.
#include <cstdint>
#include <optional>
#include <vector>

#include "controls/button/shapes/shape_frame.h"
#include "controls/button/shapes/style_colors.h"

namespace fw::button_shapes::polygon {

inline constexpr ColorValue kButtonShadow = SystemColor(16);
inline constexpr ColorValue kButtonHighlight = SystemColor(20);
inline constexpr ColorValue kDarkShadow = SystemColor(21);

// ButtonStyle 7's rings.
inline constexpr ColorValue kPressedRingColor = 0xCFB073;
inline constexpr ColorValue kRaisedRingColor = 0xFFFFFF;
inline constexpr ColorValue kFocusedRingColor = 0xFECC04;

// The surface's size and its middle, each middle coordinate r(extent / 2) (halves to even).
struct Geometry {
  int w = 0;
  int h = 0;
  int xm = 0;
  int ym = 0;
  static Geometry Of(const ShapeCanvas& canvas);
};

// One run: pen c: p0 -> p1 -> ... (MoveToEx to p0, LineTo each further point). Without a pen
// the run reuses the pen the previous run left selected.
struct Run {
  std::optional<ColorValue> pen;
  std::vector<Point> points;
};
using Runs = std::vector<Run>;

// A shape's coordinates for one size, in drawing order inside each entry.
struct ShapeTable {
  std::vector<Point> region;   // CreatePolygonRgn, WINDING
  std::vector<Point> outline;  // drawn in the entry pen colour
  Runs style1_pressed;
  Runs style1_raised;   // hover or normal
  Runs style2_pressed;  // style 3 pressed as well
  Runs style2_raised;   // hover or normal; style 3 hover as well
  Runs style4_enabled;
  Runs style6_pressed;
  Runs style6_lit;                 // hover, or normal with FocusRect and the focus flag
  std::vector<Point> style7_ring;  // the same points for the pressed, raised and focused ring
  std::vector<Point> focus;        // the focus ring's polygon
};

// The c1..c5 set that ButtonStyle 6's lit runs use in this state: the hover colours while
// hovering (the pressed flag is tested before), the focused ones otherwise.
const Style6Colors& LitColorsFor(const ShapeState& state);

// Makes the region from `points` (WINDING) and hands it to the window, redraw requested. A new
// region on every call; the window owns it from then on.
void SetPolygonRegion(ShapeCanvas& canvas, const std::vector<Point>& points);

// pen c: p0 -> p1 -> ...; a run without points draws nothing.
void DrawRun(ShapeCanvas& canvas, const Run& run);
void DrawRuns(ShapeCanvas& canvas, const Runs& runs);

// The style runs of the current ButtonStyle and state (styles 1, 2, 3, 4, 6 and 7; any other
// value draws nothing). Returns true when it drew ButtonStyle 6's pressed or lit runs.
bool DrawStyleRuns(ShapeCanvas& canvas, const ShapeState& state, const ShapeTable& table);

// The focus ring, when WantsFocusRing(state): pen 0xD1D1D1, one Polygon through the focus
// points, never filled. Returns whether it was drawn.
bool DrawFocusRing(ShapeCanvas& canvas, const ShapeState& state, const ShapeTable& table);

// Region, outline, style runs and focus ring: the whole renderer of a triangle.
void RenderPolygonShape(ShapeCanvas& canvas, const ShapeState& state, const ShapeTable& table);

}  // namespace fw::button_shapes::polygon
