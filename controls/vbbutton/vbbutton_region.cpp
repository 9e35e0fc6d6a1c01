// The region builder: pixels are taken away from the window's rectangle one at a time with
// CombineRgn's difference.
#include "controls/vbbutton/vbbutton_region.h"

#include <initializer_list>

namespace fw::vbbutton {

std::unique_ptr<Region> BuildRegion(GdiDevice& gdi, std::int32_t button_type, int width,
                                    int height) {
  const int w = width;
  const int h = height;
  if (button_type == 13) return gdi.CreateEllipticRgn(0, 0, w, h);
  auto region = gdi.CreateRectRgn(0, 0, w, h);
  const auto remove = [&](std::initializer_list<Point> pixels) {
    for (const Point p : pixels) {
      const auto pixel = gdi.CreateRectRgn(p.x, p.y, p.x + 1, p.y + 1);
      gdi.CombineRgn(*region, *region, *pixel, RegionOp::Diff);
    }
  };
  switch (button_type) {
    case 1:
    case 14:
      remove({{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}});
      break;
    case 5:
      remove({{0, h - 1}, {w - 1, 0}});
      break;
    case 3:
    case 4:
      remove({{0, 0}, {1, 0}, {0, 1}});
      remove({{w - 2, 0}, {w - 1, 0}, {w - 1, 1}});
      remove({{0, h - 1}, {1, h - 1}, {0, h - 2}});
      remove({{w - 2, h - 1}, {w - 1, h - 1}, {w - 1, h - 2}});
      break;
    default:
      break;
  }
  return region;
}

}  // namespace fw::vbbutton
