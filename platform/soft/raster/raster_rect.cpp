// DrawFocusRect's pixel pattern and GradientFill's colour rule.
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/soft/raster/raster.h"

namespace fw::soft {

// DrawFocusRect as Wine draws it, the GDI we can run and compare against: Rectangle(rect) with
// a one-on/one-off cosmetic pen in R2_NOT mode and no brush. The outline is walked from the
// top-right corner anticlockwise (top row leftwards, left column down, bottom row rightwards,
// right column up), each side leaving out its end point as LineTo does, and every
// even-numbered pixel of that walk is inverted. The phase therefore follows the rectangle's
// size, not the screen. Windows instead XORs a one-pixel frame with a checkerboard brush
// aligned to the brush origin, so the two invert different pixels; we follow Wine.
//
// In rectangles one pixel wide or high the walk passes some pixels twice. Each entry of the
// result is one inversion, so the caller XORs them one after another and a pixel listed twice
// ends up unchanged, as it does under Wine.
std::vector<Point> FocusRectPixels(const Rect& rect) {
  int left = rect.left;
  int top = rect.top;
  int right = rect.right;
  int bottom = rect.bottom;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  std::vector<Point> inverted;
  if (left == right || top == bottom) return inverted;

  long long k = 0;
  const auto visit = [&](int x, int y) {
    if (k % 2 == 0) inverted.push_back({x, y});
    ++k;
  };
  for (int x = right - 1; x > left; --x) visit(x, top);
  for (int y = top; y < bottom - 1; ++y) visit(left, y);
  for (int x = left; x < right - 1; ++x) visit(x, bottom - 1);
  for (int y = bottom - 1; y > top; --y) visit(right - 1, y);
  return inverted;
}

// `pos` is in [0, len]; a gradient of no length gives v0's colour.
std::uint32_t GradientPixel(const TriVertex& v0, const TriVertex& v1, long long pos,
                            long long len) {
  if (len <= 0) {
    pos = 0;
    len = 1;
  }
  const auto from = static_cast<std::uint64_t>(len - pos);
  const auto to = static_cast<std::uint64_t>(pos);
  const auto total = static_cast<std::uint64_t>(len);
  // Two truncating divisions, as GDI does them; the same as one floor of / (256 * len).
  const auto channel = [&](std::uint16_t c0, std::uint16_t c1) {
    return static_cast<std::uint32_t>((std::uint64_t{c0} * from + std::uint64_t{c1} * to) / total /
                                      256);
  };
  return channel(v0.alpha, v1.alpha) << 24 | channel(v0.red, v1.red) << 16 |
         channel(v0.green, v1.green) << 8 | channel(v0.blue, v1.blue);
}

}  // namespace fw::soft
