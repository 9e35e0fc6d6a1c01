// CreateRoundRectRgn / CreateEllipticRgn as row spans, following GDI's region builder.
#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/soft/raster/raster.h"

namespace fw::soft {

namespace {

// CreateRectRgn: the corners are swapped into order; a zero width or height is empty.
std::vector<Span> RectSpans(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  std::vector<Span> spans;
  if (left == right) return spans;
  spans.reserve(static_cast<std::size_t>(bottom - top));
  for (int y = top; y < bottom; ++y) spans.push_back({y, left, right});
  return spans;
}

// How far row i (0 = top) of an ew x eh corner ellipse is cut in from each side. This is the
// ellipse stepping of the outline (Zingl's), run from the middle row down towards the bottom
// with x counting inwards; the upper half mirrors the lower one.
std::vector<int> CornerInsets(int ew, int eh) {
  const long long a = ew - 1;
  const long long b = eh - 1;
  const long long odd = b % 2;
  long long dx = 4 * b * b * (1 - a);
  long long dy = 4 * a * a * (1 + odd);
  long long err = dx + dy + a * a * odd;
  int x = 0;
  int y = eh / 2;
  const auto rows = static_cast<std::size_t>(eh);
  std::vector<int> inset(rows, 0);
  while (x <= ew / 2) {
    const long long twice = 2 * err;
    if (twice >= dx) {
      ++x;
      dx += 8 * b * b;
      err += dx;
    }
    if (twice <= dy) {
      ++y;
      dy += 8 * a * a;
      err += dy;
      if (y < eh) inset[static_cast<std::size_t>(y)] = x;
    }
  }
  // Very narrow, very tall corners (eh >= 3 and eh >= 2 * (ew - 1)^2, every ew = 2 among
  // them) make the stepping pass the middle column before it reaches the bottom row. Wine
  // leaves the rows it never reached uninitialised, so its regions hold garbage spans there and
  // we do not try to match them: those rows keep the inset of the last row reached (the tip
  // runs straight on once the columns are used up), so every row gets a proper span.
  for (int row = y + 1; row < eh; ++row) {
    inset[static_cast<std::size_t>(row)] = inset[static_cast<std::size_t>(row - 1)];
  }
  for (int i = 0; i < eh / 2; ++i) {
    inset[static_cast<std::size_t>(i)] = inset[static_cast<std::size_t>(eh - 1 - i)];
  }
  return inset;
}

}  // namespace

std::vector<Span> RoundRectRegionSpans(int left, int top, int right, int bottom, int cw, int ch) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  // The region stays inside [left, right - 1) x [top, bottom - 1).
  --right;
  --bottom;
  const int ew = static_cast<int>(std::min<long long>(right - left, std::llabs(cw)));
  const int eh = static_cast<int>(std::min<long long>(bottom - top, std::llabs(ch)));
  // A box of zero width has right < left here, and CreateRectRgn's swap turns that into the
  // single column left - 1 (likewise for rows).
  if (ew < 2 || eh < 2) return RectSpans(left, top, right, bottom);

  const std::vector<int> inset = CornerInsets(ew, eh);
  const int half = eh / 2;
  std::vector<Span> spans;
  spans.reserve(static_cast<std::size_t>(bottom - top));
  const auto add = [&](int y, int in) {
    if (left + in < right - in) spans.push_back({y, left + in, right - in});
  };
  for (int i = 0; i < half; ++i) add(top + i, inset[static_cast<std::size_t>(i)]);
  for (int y = top + half; y <= bottom - eh + half; ++y) add(y, 0);
  for (int i = half + 1; i < eh; ++i) add(bottom - eh + i, inset[static_cast<std::size_t>(i)]);
  return spans;
}

}  // namespace fw::soft
