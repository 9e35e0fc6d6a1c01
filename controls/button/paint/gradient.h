#pragma once
// The two-vertex gradients of the background and the style overlays.
#include "controls/button/paint/split_color.h"
#include "platform/gdi.h"
#include "platform/geometry.h"

namespace fw::button_paint {

// A colour pair as the gradient steps use it: vertex 0 carries the first colour, vertex 1 the
// second.
struct ColorPair {
  Rgb first;
  Rgb second;
};

// Both colours through SplitColor.
ColorPair SplitPair(ColorValue first, ColorValue second);

// The gradient vertex: each 16-bit channel is the 8-bit component shifted left by 8 bits
// (component 0xFF gives 0xFF00); alpha is always 0.
TriVertex Vertex(Point position, const Rgb& color);

// One GradientFill of the rectangle spanned by vertex 0 at `v0` (first colour) and vertex 1 at
// `v1` (second colour); vertex 1 is the rectangle's upper-left corner, vertex 0 its lower-right.
void FillGradient(Dc& dc, const ColorPair& colors, Point v0, Point v1, GradientMode mode);

}  // namespace fw::button_paint
