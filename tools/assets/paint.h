#pragma once
// Colours and paints for the asset generator: a paint gives the colour of a shape at each point,
// so gradients and shading are plain functions of the position.
#include <cstdint>
#include <functional>
#include <vector>

#include "tools/assets/shape.h"

namespace fw::assets {

// Straight (not premultiplied) colour, every channel 0 to 1.
struct Color {
  double r = 0;
  double g = 0;
  double b = 0;
  double a = 1;
};

// 0xRRGGBB with an opacity.
Color Rgb(std::uint32_t rgb, double alpha = 1);
// From a (t = 0) to b (t = 1), t clamped; alpha too.
Color Mix(const Color& a, const Color& b, double t);
// Each channel times `factor` (clamped to 1); alpha kept.
Color Scale(const Color& color, double factor);

using Paint = std::function<Color(Vec)>;

Paint Solid(Color color);

struct GradientStop {
  double at = 0;  // 0 to 1 along the gradient, increasing
  Color color;
};
// Colours along the line from `from` to `to`, constant across it; ends extended.
Paint LinearGradient(Vec from, Vec to, std::vector<GradientStop> stops);

}  // namespace fw::assets
