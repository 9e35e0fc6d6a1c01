#include "tools/assets/shape.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace fw::assets {
namespace {

double Length(double x, double y) {
  return std::sqrt(x * x + y * y);
}

Bounds Enclosing(const Bounds& a, const Bounds& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

Bounds Overlap(const Bounds& a, const Bounds& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

Bounds PointsBounds(const std::vector<Vec>& points, double margin) {
  Bounds b{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
           std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest()};
  for (const Vec& p : points) {
    b = {std::min(b.left, p.x), std::min(b.top, p.y), std::max(b.right, p.x),
         std::max(b.bottom, p.y)};
  }
  return {b.left - margin, b.top - margin, b.right + margin, b.bottom + margin};
}

// The point of segment a-b nearest to p.
Vec NearestOnSegment(Vec a, Vec b, Vec p) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return {a.x + t * dx, a.y + t * dy};
}

}  // namespace

Shape::Shape(Distance distance, Bounds bounds) : distance_(std::move(distance)), bounds_(bounds) {}

Shape Circle(Vec center, double radius) {
  return Shape([=](Vec p) { return Length(p.x - center.x, p.y - center.y) - radius; },
               {center.x - radius, center.y - radius, center.x + radius, center.y + radius});
}

Shape Ellipse(Vec center, double radius_x, double radius_y) {
  // First-order distance: the implicit function divided by its gradient's length.
  return Shape(
      [=](Vec p) {
        const double x = p.x - center.x;
        const double y = p.y - center.y;
        const double k0 = Length(x / radius_x, y / radius_y);
        const double k1 = Length(x / (radius_x * radius_x), y / (radius_y * radius_y));
        if (k1 == 0) return -std::min(radius_x, radius_y);
        return k0 * (k0 - 1) / k1;
      },
      {center.x - radius_x, center.y - radius_y, center.x + radius_x, center.y + radius_y});
}

Shape RoundRect(Bounds box, double radius) {
  const double cx = (box.left + box.right) / 2;
  const double cy = (box.top + box.bottom) / 2;
  const double hx = (box.right - box.left) / 2 - radius;
  const double hy = (box.bottom - box.top) / 2 - radius;
  return Shape(
      [=](Vec p) {
        const double qx = std::abs(p.x - cx) - hx;
        const double qy = std::abs(p.y - cy) - hy;
        const double outside = Length(std::max(qx, 0.0), std::max(qy, 0.0));
        return outside + std::min(std::max(qx, qy), 0.0) - radius;
      },
      box);
}

Shape Polygon(std::vector<Vec> points) {
  const Bounds bounds = PointsBounds(points, 0);
  return Shape(
      [points = std::move(points)](Vec p) {
        double nearest = std::numeric_limits<double>::max();
        int winding = 0;
        for (std::size_t i = 0; i < points.size(); ++i) {
          const Vec a = points[i];
          const Vec b = points[(i + 1) % points.size()];
          const Vec q = NearestOnSegment(a, b, p);
          nearest = std::min(nearest, Length(p.x - q.x, p.y - q.y));
          const double cross = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
          if (a.y <= p.y && b.y > p.y && cross > 0) ++winding;
          if (a.y > p.y && b.y <= p.y && cross < 0) --winding;
        }
        return winding != 0 ? -nearest : nearest;
      },
      bounds);
}

PathPoint NearestOnPath(const std::vector<Vec>& points, Vec p) {
  PathPoint best{points.front(), Length(p.x - points.front().x, p.y - points.front().y)};
  for (std::size_t i = 1; i < points.size(); ++i) {
    const Vec q = NearestOnSegment(points[i - 1], points[i], p);
    const double d = Length(p.x - q.x, p.y - q.y);
    if (d < best.distance) best = {q, d};
  }
  return best;
}

Shape Stroke(std::vector<Vec> points, double radius) {
  const Bounds bounds = PointsBounds(points, radius);
  return Shape([points = std::move(points),
                radius](Vec p) { return NearestOnPath(points, p).distance - radius; },
               bounds);
}

Shape Union(const Shape& a, const Shape& b) {
  return Shape([a, b](Vec p) { return std::min(a(p), b(p)); }, Enclosing(a.bounds(), b.bounds()));
}

Shape Intersect(const Shape& a, const Shape& b) {
  return Shape([a, b](Vec p) { return std::max(a(p), b(p)); }, Overlap(a.bounds(), b.bounds()));
}

Shape Subtract(const Shape& a, const Shape& b) {
  return Shape([a, b](Vec p) { return std::max(a(p), -b(p)); }, a.bounds());
}

Shape Grow(const Shape& shape, double amount) {
  const Bounds& b = shape.bounds();
  const double margin = std::max(amount, 0.0);
  return Shape([shape, amount](Vec p) { return shape(p) - amount; },
               {b.left - margin, b.top - margin, b.right + margin, b.bottom + margin});
}

Shape Translate(const Shape& shape, Vec offset) {
  const Bounds& b = shape.bounds();
  return Shape(
      [shape, offset](Vec p) {
        return shape({p.x - offset.x, p.y - offset.y});
      },
      {b.left + offset.x, b.top + offset.y, b.right + offset.x, b.bottom + offset.y});
}

std::vector<Vec> UpperHalfEllipse(Vec center, double radius_x, double radius_y, int steps) {
  // (1 - t^2, 2t) / (1 + t^2) runs over a quarter circle as t runs from 0 to 1.
  std::vector<Vec> points;
  for (int i = 0; i <= steps; ++i) {  // left end up to the top
    const double t = static_cast<double>(i) / steps;
    const double c = (1 - t * t) / (1 + t * t);
    const double s = 2 * t / (1 + t * t);
    points.push_back({center.x - radius_x * c, center.y - radius_y * s});
  }
  for (int i = steps - 1; i >= 0; --i) {  // top down to the right end
    const double t = static_cast<double>(i) / steps;
    const double c = (1 - t * t) / (1 + t * t);
    const double s = 2 * t / (1 + t * t);
    points.push_back({center.x + radius_x * c, center.y - radius_y * s});
  }
  return points;
}

}  // namespace fw::assets
