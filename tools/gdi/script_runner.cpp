#include <memory>
#include <type_traits>

#include "tools/gdi/script.h"

namespace fw::gdiscript {

namespace {

// The state a script carries between calls beyond what the Dc keeps: the current region.
class Runner {
 public:
  Runner(GdiDevice& device, Dc& dc) : device_(device), dc_(dc) {}

  void operator()(const SurfaceCmd&) {}
  void operator()(const PenCmd& c) { dc_.SelectPen(Pen::Solid(c.color, c.width)); }
  void operator()(const BrushCmd& c) { dc_.SelectBrush(c.brush); }
  void operator()(const MoveToCmd& c) { dc_.MoveToEx(c.to.x, c.to.y, nullptr); }
  void operator()(const LineToCmd& c) { dc_.LineTo(c.to.x, c.to.y); }
  void operator()(const PolygonCmd& c) { dc_.Polygon(c.points); }
  void operator()(const RectangleCmd& c) {
    dc_.Rectangle(c.box.left, c.box.top, c.box.right, c.box.bottom);
  }
  void operator()(const RoundRectCmd& c) {
    dc_.RoundRect(c.box.left, c.box.top, c.box.right, c.box.bottom, c.width, c.height);
  }
  void operator()(const EllipseCmd& c) {
    dc_.Ellipse(c.box.left, c.box.top, c.box.right, c.box.bottom);
  }
  void operator()(const ArcCmd& c) {
    dc_.Arc(c.box.left, c.box.top, c.box.right, c.box.bottom, c.start.x, c.start.y, c.end.x,
            c.end.y);
  }
  void operator()(const FillRectCmd& c) { dc_.FillRect(c.box, Brush::Solid(c.color)); }
  void operator()(const FrameRectCmd& c) { dc_.FrameRect(c.box, Brush::Solid(c.color)); }
  void operator()(const FocusRectCmd& c) { dc_.DrawFocusRect(c.box); }
  void operator()(const GradientCmd& c) { dc_.GradientFill(c.v0, c.v1, c.mode); }
  void operator()(const SetPixelCmd& c) { dc_.SetPixel(c.at.x, c.at.y, c.color); }
  void operator()(const RegionCmd& c) {
    const auto& a = c.args;
    switch (c.shape) {
      case RegionShape::Rect:
        region_ = device_.CreateRectRgn(a[0], a[1], a[2], a[3]);
        break;
      case RegionShape::RoundRect:
        region_ = device_.CreateRoundRectRgn(a[0], a[1], a[2], a[3], a[4], a[5]);
        break;
      case RegionShape::Ellipse:
        region_ = device_.CreateEllipticRgn(a[0], a[1], a[2], a[3]);
        break;
      case RegionShape::Polygon:
        region_ = device_.CreatePolygonRgn(c.points, PolyFillMode::Winding);
        break;
    }
  }
  void operator()(const RegionDiffCmd& c) {
    const auto cut = device_.CreateRectRgn(c.box.left, c.box.top, c.box.right, c.box.bottom);
    device_.CombineRgn(*region_, *region_, *cut, RegionOp::Diff);
  }
  void operator()(const FillRegionCmd& c) { dc_.FillRgn(*region_, Brush::Solid(c.color)); }
  void operator()(const TextCmd& c) {
    dc_.SelectFont(c.font);
    dc_.SetTextColor(c.color);
    dc_.SetBkMode(BkMode::Transparent);
    dc_.TextOutA(c.at.x, c.at.y, c.text);
  }

 private:
  GdiDevice& device_;
  Dc& dc_;
  std::unique_ptr<Region> region_;
};

}  // namespace

std::unique_ptr<Dc> RunScript(const Script& script, GdiDevice& device) {
  auto dc = device.CreateSurface(script.surface.width, script.surface.height, script.surface.color);
  // Scripts start with the hollow brush and the default black 1-pixel pen.
  dc->SelectBrush(Brush::Hollow());
  dc->SelectPen(Pen::Solid(0));
  Runner runner(device, *dc);
  for (const Command& command : script.commands) std::visit(runner, command);
  return dc;
}

}  // namespace fw::gdiscript
