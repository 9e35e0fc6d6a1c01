#include "controls/button/paint/gradient.h"

#include <cstdint>

namespace fw::button_paint {
namespace {

std::uint16_t Channel(int component) {
  return static_cast<std::uint16_t>((component & 0xFF) << 8);
}

}  // namespace

ColorPair SplitPair(ColorValue first, ColorValue second) {
  return ColorPair{SplitColor(first), SplitColor(second)};
}

TriVertex Vertex(Point position, const Rgb& color) {
  return TriVertex{position.x,           position.y,          Channel(color.red),
                   Channel(color.green), Channel(color.blue), 0};
}

void FillGradient(Dc& dc, const ColorPair& colors, Point v0, Point v1, GradientMode mode) {
  // The device's GRADIENT_RECT names its first argument as the upper-left vertex.
  dc.GradientFill(Vertex(v1, colors.second), Vertex(v0, colors.first), mode);
}

}  // namespace fw::button_paint
