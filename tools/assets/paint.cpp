#include "tools/assets/paint.h"

#include <algorithm>
#include <utility>

namespace fw::assets {

Color Rgb(std::uint32_t rgb, double alpha) {
  return {static_cast<double>((rgb >> 16) & 0xFFu) / 255,
          static_cast<double>((rgb >> 8) & 0xFFu) / 255, static_cast<double>(rgb & 0xFFu) / 255,
          alpha};
}

Color Mix(const Color& a, const Color& b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
          a.a + (b.a - a.a) * t};
}

Color Scale(const Color& color, double factor) {
  return {std::min(color.r * factor, 1.0), std::min(color.g * factor, 1.0),
          std::min(color.b * factor, 1.0), color.a};
}

Paint Solid(Color color) {
  return [color](Vec) { return color; };
}

Paint LinearGradient(Vec from, Vec to, std::vector<GradientStop> stops) {
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  const double length2 = dx * dx + dy * dy;
  return [from, dx, dy, length2, stops = std::move(stops)](Vec p) {
    const double t = length2 > 0 ? ((p.x - from.x) * dx + (p.y - from.y) * dy) / length2 : 0;
    if (t <= stops.front().at) return stops.front().color;
    for (std::size_t i = 1; i < stops.size(); ++i) {
      if (t <= stops[i].at) {
        const double span = stops[i].at - stops[i - 1].at;
        return Mix(stops[i - 1].color, stops[i].color, span > 0 ? (t - stops[i - 1].at) / span : 1);
      }
    }
    return stops.back().color;
  };
}

}  // namespace fw::assets
