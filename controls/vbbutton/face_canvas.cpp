// The looks' drawing primitives.
#include "controls/vbbutton/face_canvas.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace fw::vbbutton {

int CoordinateSum(int x, int w) {
  const std::int64_t sum = std::int64_t{x} + w;
  if (sum < std::numeric_limits<std::int32_t>::min() ||
      sum > std::numeric_limits<std::int32_t>::max()) {
    throw OverflowError("coordinate " + std::to_string(x) + " + " + std::to_string(w) +
                        " does not fit in 32 bits");
  }
  return static_cast<int>(sum);
}

void FaceCanvas::RestoreSurfacePen() {
  dc_.SelectPen(Pen::Solid(surface_pen_));
}

void FaceCanvas::Fill(int x, int y, int w, int h, ColorRef color) {
  dc_.FillRect({x, y, CoordinateSum(x, w), CoordinateSum(y, h)}, Brush::Solid(color));
}

void FaceCanvas::Frame(int x, int y, int w, int h, ColorRef color) {
  dc_.FrameRect({x, y, CoordinateSum(x, w), CoordinateSum(y, h)}, Brush::Solid(color));
}

void FaceCanvas::Line(int x1, int y1, int x2, int y2, ColorRef color) {
  dc_.SelectPen(Pen::Solid(color));
  dc_.MoveToEx(x1, y1, nullptr);
  dc_.LineTo(x2, y2);
  RestoreSurfacePen();
}

void FaceCanvas::Pixel(int x, int y, ColorRef color) {
  dc_.SetPixelV(x, y, color);
}

void FaceCanvas::Ellipse(int x, int y, int w, int h, ColorRef pen, ColorRef brush) {
  dc_.SelectBrush(Brush::Solid(brush));
  dc_.SelectPen(Pen::Solid(pen, 2));
  dc_.Ellipse(x, y, CoordinateSum(x, w), CoordinateSum(y, h));
  RestoreSurfacePen();
  dc_.SelectBrush(Brush::Hollow());
}

void FaceCanvas::Bevel(ColorRef c1, ColorRef c2, ColorRef c3, ColorRef c4, int a, bool outer_only) {
  const int o = std::abs(a);
  const int x = CoordinateSum(CoordinateSum(w_, a), -1);
  const int y = CoordinateSum(CoordinateSum(h_, a), -1);
  dc_.SelectPen(Pen::Solid(c1));
  dc_.MoveToEx(o, y, nullptr);
  dc_.LineTo(o, o);
  dc_.LineTo(x, o);
  dc_.SelectPen(Pen::Solid(c2));
  dc_.LineTo(x, y);
  dc_.LineTo(o - 1, y);
  dc_.MoveToEx(o + 1, y - 1, nullptr);
  if (!outer_only) {
    dc_.SelectPen(Pen::Solid(c3));
    dc_.LineTo(o + 1, o + 1);
    dc_.LineTo(x - 1, o + 1);
    dc_.SelectPen(Pen::Solid(c4));
    dc_.LineTo(x - 1, y - 1);
    dc_.LineTo(o, y - 1);
  }
  RestoreSurfacePen();
}

}  // namespace fw::vbbutton
