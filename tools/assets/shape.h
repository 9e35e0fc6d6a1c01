#pragma once
// Vector shapes for the asset generator, as signed distances: negative inside, positive outside,
// in pixels. Distances (rather than plain inside tests) make insets, outlines and bevels one
// call each: an outline is the shape, and the same shape grown by the outline's width under it.
//
// Only +, -, *, / and sqrt are used, which IEEE 754 rounds exactly, so every build of the
// generator computes the same pixels (no sin, cos or atan2, whose last bits vary by library).
#include <functional>
#include <vector>

namespace fw::assets {

struct Vec {
  double x = 0;
  double y = 0;
};

// A rectangle that holds a shape: left <= x <= right, top <= y <= bottom.
struct Bounds {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

class Shape {
 public:
  using Distance = std::function<double(Vec)>;
  Shape(Distance distance, Bounds bounds);

  double operator()(Vec p) const { return distance_(p); }
  bool Contains(Vec p) const { return distance_(p) <= 0; }
  // Every point inside lies within these bounds.
  const Bounds& bounds() const { return bounds_; }

 private:
  Distance distance_;
  Bounds bounds_;
};

Shape Circle(Vec center, double radius);
// The distance is exact for circles and close for ellipses, which is all antialiasing and small
// insets need.
Shape Ellipse(Vec center, double radius_x, double radius_y);
Shape RoundRect(Bounds box, double radius);
// A filled polygon (non-zero winding), its vertices in order.
Shape Polygon(std::vector<Vec> points);
// Every point within `radius` of the open path through `points` (round ends and joins).
Shape Stroke(std::vector<Vec> points, double radius);

Shape Union(const Shape& a, const Shape& b);
Shape Intersect(const Shape& a, const Shape& b);
Shape Subtract(const Shape& a, const Shape& b);
// The shape grown by `amount` pixels (shrunk when negative).
Shape Grow(const Shape& shape, double amount);
Shape Translate(const Shape& shape, Vec offset);

// The nearest point of the path through `points` to `p`, and its distance.
struct PathPoint {
  Vec point;
  double distance = 0;
};
PathPoint NearestOnPath(const std::vector<Vec>& points, Vec p);

// Points along the upper half of an ellipse, from its left end over the top to its right end,
// `steps` segments per quarter (a rational parametrisation: no trigonometry).
std::vector<Vec> UpperHalfEllipse(Vec center, double radius_x, double radius_y, int steps);

}  // namespace fw::assets
