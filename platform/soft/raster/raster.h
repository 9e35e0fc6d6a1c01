#pragma once
// The pixel rules of GDI as pure functions: each returns the pixels (or row spans) that GDI
// paints for one primitive, unclipped. The soft Dc clips them to its surface and writes them.
// Nothing here touches a bitmap, so every rule can be tested on its own.
#include <span>
#include <vector>

#include "platform/gdi.h"
#include "platform/geometry.h"

namespace fw::soft {

// Pixels [x0, x1) of row y.
struct Span {
  int y = 0;
  int x0 = 0;
  int x1 = 0;
  friend bool operator==(const Span&, const Span&) = default;
};

// --- 1-pixel cosmetic pen -------------------------------------------------------------
// LineTo from `from` to `to`: Bresenham with Wine's octant bias; the end point is left out.
std::vector<Point> LinePixels(Point from, Point to);
// Polyline (closed = false: the last point is not drawn) or a Polygon outline (closed = true).
// Fewer than two points draw nothing.
std::vector<Point> PolylinePixels(std::span<const Point> points, bool closed);

// The lower-right quarter of an ellipse filling a w x h box (box-local coordinates), from the
// right end of the middle row to the bottom middle.
std::vector<Point> QuadrantPoints(int w, int h);
// The closed vertex list of RoundRect/Ellipse for a normalised box with clamped corner sizes
// ew, eh (both > 2).
std::vector<Point> RoundRectVertices(int left, int top, int right, int bottom, int ew, int eh);
// The corner-clamped vertex list of RoundRect(l, t, r, b, cw, ch) with any box and corner
// sizes: the rounded outline, the rectangle fallback's four corners, or nothing.
std::vector<Point> RoundRectOutlineVertices(int left, int top, int right, int bottom, int cw,
                                            int ch);
// The pixels of Arc (counter-clockwise) with a 1-pixel pen.
std::vector<Point> ArcPixels(int left, int top, int right, int bottom, int xs, int ys, int xe,
                             int ye);
// The points of the open polyline Arc draws (before the last one is dropped by the line rule).
std::vector<Point> ArcVertices(int left, int top, int right, int bottom, int xs, int ys, int xe,
                               int ye);

// --- wide pens --------------------------------------------------------------------------
// The pixels a solid pen of `width` >= 2 paints along `vertices` (round caps and joins; no
// end point left out). closed adds the segment back to the first vertex.
std::vector<Point> WidePenPixels(std::span<const Point> vertices, bool closed, int width);

// --- interiors and regions ----------------------------------------------------------------
// The pixels inside a polygon by GDI's sampling rule (top-left corner of each pixel, half-open
// edges), as row spans sorted by y then x.
std::vector<Span> PolygonSpans(std::span<const Point> points, PolyFillMode mode);
// CreateRoundRectRgn(l, t, r, b, cw, ch) as row spans (CreateEllipticRgn is the w = r - l,
// h = b - t case).
std::vector<Span> RoundRectRegionSpans(int left, int top, int right, int bottom, int cw, int ch);

// --- rectangles and gradients ----------------------------------------------------------------
// The pixels DrawFocusRect inverts (Wine's alternate-pen path), in drawing order.
std::vector<Point> FocusRectPixels(const Rect& rect);
// The 32-bit DIB value GradientFill writes at `pos` of `len` between two vertices.
std::uint32_t GradientPixel(const TriVertex& v0, const TriVertex& v1, long long pos, long long len);

}  // namespace fw::soft
