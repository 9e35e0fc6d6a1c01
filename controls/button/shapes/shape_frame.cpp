#include "controls/button/shapes/shape_frame.h"

#include <cmath>

namespace fw::button_shapes {

int ShapeCanvas::W() const { return static_cast<int>(std::lround(surface_.ScaleWidth())); }
int ShapeCanvas::H() const { return static_cast<int>(std::lround(surface_.ScaleHeight())); }

void ShapeCanvas::Pen(ColorValue color) { surface_.ForeColor(color); }

void ShapeCanvas::Run(ColorValue color, std::initializer_list<Point> points) {
  Pen(color);
  Run(points);
}

void ShapeCanvas::Run(std::initializer_list<Point> points) {
  if (points.size() == 0) return;
  Dc& dc = surface_.hDC();
  dc.MoveToEx(points.begin()->x, points.begin()->y, nullptr);
  for (auto it = points.begin() + 1; it != points.end(); ++it) dc.LineTo(it->x, it->y);
}

void ShapeCanvas::Continue(std::initializer_list<Point> points) {
  Dc& dc = surface_.hDC();
  for (const Point& p : points) dc.LineTo(p.x, p.y);
}

void ShapeCanvas::RoundRect(int x1, int y1, int x2, int y2, int width, int height) {
  Dc& dc = surface_.hDC();
  dc.SelectBrush(Brush::Hollow());  // an outline must not erase the caption
  dc.RoundRect(x1, y1, x2, y2, width, height);
}

void ShapeCanvas::Arc(int x1, int y1, int x2, int y2, int xs, int ys, int xe, int ye) {
  surface_.hDC().Arc(x1, y1, x2, y2, xs, ys, xe, ye);
}

void ShapeCanvas::Polygon(std::span<const Point> points) {
  Dc& dc = surface_.hDC();
  dc.SelectBrush(Brush::Hollow());
  dc.Polygon(points);
}

ColorRef ShapeCanvas::GetPixel(int x, int y) const { return surface_.hDC().GetPixel(x, y); }

void ShapeCanvas::SetPixel(int x, int y, ColorRef color) { surface_.hDC().SetPixel(x, y, color); }

void ShapeCanvas::SetRegion(std::unique_ptr<Region> region) {
  surface_.SetWindowRgn(std::move(region), true);
}

void ShapeCanvas::RemoveRegion() { surface_.SetWindowRgn(nullptr, false); }

bool WantsFocusRing(const ShapeState& state) {
  return state.style != 4 && state.style != 6 && state.style != 7 && state.focus_rect &&
         state.focus;
}

void RenderShape(std::int32_t shape, ShapeCanvas& canvas, const ShapeState& state) {
  using Renderer = void (*)(ShapeCanvas&, const ShapeState&);
  static constexpr Renderer kRenderers[] = {
      RenderRectangle,   RenderRoundedRectangle, RenderEllipse,       RenderDiamond,
      RenderTriangleUp,  RenderTriangleLeft,     RenderTriangleRight, RenderTriangleDown,
      RenderArrowUp,     RenderArrowLeft,        RenderArrowRight,    RenderArrowDown};
  if (shape < 0 || shape >= static_cast<std::int32_t>(std::size(kRenderers))) return;
  kRenderers[static_cast<std::size_t>(shape)](canvas, state);
}

}  // namespace fw::button_shapes
