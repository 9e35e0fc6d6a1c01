#include "tools/assets/shading.h"

#include <algorithm>
#include <cmath>

namespace fw::assets {
namespace {

Normal Normalized(double x, double y, double z) {
  const double length = std::sqrt(x * x + y * y + z * z);
  return {x / length, y / length, z / length};
}

double Dot(const Normal& a, const Normal& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

// x to the power 2^n, by squaring (std::pow's last bits differ between C libraries).
double PowerOfTwoPower(double x, int n) {
  for (int i = 0; i < n; ++i) x *= x;
  return x;
}

}  // namespace

Light LightOn(Normal n) {
  const Normal light = Normalized(-0.55, -0.7, 1.0);
  const Normal half = Normalized(light.x, light.y, light.z + 1);
  const double diffuse = std::max(Dot(n, light), 0.0);
  const double specular = PowerOfTwoPower(std::max(Dot(n, half), 0.0), 5);  // ^32
  return {diffuse, specular};
}

Normal TubeNormal(Vec p, Vec centre, double radius) {
  const double x = std::clamp((p.x - centre.x) / radius, -1.0, 1.0);
  const double y = std::clamp((p.y - centre.y) / radius, -1.0, 1.0);
  const double flat = std::max(1 - x * x - y * y, 0.0);
  return Normalized(x, y, std::sqrt(flat) + 1e-6);
}

Normal BevelNormal(const Shape& shape, Vec p, double width) {
  const double inside = -shape(p);
  if (inside >= width) return {};
  constexpr double kStep = 1.0 / 64;
  const double gx = shape({p.x + kStep, p.y}) - shape({p.x - kStep, p.y});
  const double gy = shape({p.x, p.y + kStep}) - shape({p.x, p.y - kStep});
  const double g = std::sqrt(gx * gx + gy * gy);
  if (g == 0) return {};
  // A quarter-round edge: the tilt's sine grows from 0 at the bevel's inner side to 1 at the rim.
  const double s = std::clamp(1 - std::max(inside, 0.0) / width, 0.0, 1.0) * 0.9;
  const double c = std::sqrt(1 - s * s);
  return {gx / g * s, gy / g * s, c};
}

Color Lit(const Light& light, const Color& dark, const Color& base, const Color& shine) {
  const Color lit = Mix(dark, base, light.diffuse);
  return Mix(lit, shine, light.specular);
}

}  // namespace fw::assets
