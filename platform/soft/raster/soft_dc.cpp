#include "platform/soft/raster/soft_dc.h"

#include <algorithm>
#include <utility>

#include "platform/soft/raster/draw_text.h"
#include "platform/soft/raster/soft_region.h"

namespace fw::soft {

namespace {

// Everything GDI writes with a pen or brush has a zero alpha byte.
std::uint32_t Solid(ColorRef c) {
  return ToDib(c & 0x00FFFFFFu);
}

std::pair<int, int> Ordered(int a, int b) {
  return a <= b ? std::pair{a, b} : std::pair{b, a};
}

}  // namespace

SoftDc::SoftDc(int width, int height, ColorRef fill, std::shared_ptr<TextRenderer> text)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), Solid(fill)),
      text_(std::move(text)) {}

ColorRef SoftDc::SetTextColor(ColorRef color) {
  return std::exchange(text_color_, color);
}
ColorRef SoftDc::SetBkColor(ColorRef color) {
  return std::exchange(bk_color_, color);
}
BkMode SoftDc::SetBkMode(BkMode mode) {
  return std::exchange(bk_mode_, mode);
}
PolyFillMode SoftDc::SetPolyFillMode(PolyFillMode mode) {
  return std::exchange(fill_mode_, mode);
}

void SoftDc::Put(int x, int y, std::uint32_t value) {
  if (!Inside(x, y)) return;
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(x)] = value;
}

void SoftDc::PutAll(const std::vector<Point>& points, std::uint32_t value) {
  for (const Point& p : points) Put(p.x, p.y, value);
}

void SoftDc::FillSpans(const std::vector<Span>& spans, std::uint32_t value) {
  for (const Span& s : spans) {
    if (s.y < 0 || s.y >= height_) continue;
    const int x0 = std::max(s.x0, 0);
    const int x1 = std::min(s.x1, width_);
    if (x0 >= x1) continue;
    auto row = pixels_.begin() + static_cast<std::ptrdiff_t>(s.y) * width_;
    std::fill(row + x0, row + x1, value);
  }
}

void SoftDc::StrokeOutline(const std::vector<Point>& vertices, bool closed) {
  if (pen_.null || vertices.empty()) return;
  const std::uint32_t value = Solid(pen_.color);
  if (pen_.width <= 1) {
    PutAll(PolylinePixels(vertices, closed), value);
  } else {
    PutAll(WidePenPixels(vertices, closed, pen_.width), value);
  }
}

bool SoftDc::MoveToEx(int x, int y, Point* previous) {
  if (previous != nullptr) *previous = position_;
  position_ = {x, y};
  return true;
}

bool SoftDc::LineTo(int x, int y) {
  const Point from = position_;
  position_ = {x, y};
  if (pen_.null) return true;
  if (pen_.width <= 1) {
    PutAll(LinePixels(from, position_), Solid(pen_.color));
  } else {
    const Point ends[] = {from, position_};
    PutAll(WidePenPixels(ends, false, pen_.width), Solid(pen_.color));
  }
  return true;
}

bool SoftDc::Polyline(std::span<const Point> points) {
  if (points.size() < 2) return false;
  StrokeOutline({points.begin(), points.end()}, false);
  return true;
}

bool SoftDc::Polygon(std::span<const Point> points) {
  if (points.size() < 2) return false;
  if (!brush_.hollow) FillSpans(PolygonSpans(points, fill_mode_), Solid(brush_.color));
  StrokeOutline({points.begin(), points.end()}, true);
  return true;
}

bool SoftDc::Rectangle(int left, int top, int right, int bottom) {
  // A rectangle is the round rectangle whose corners are too small to round.
  return RoundRect(left, top, right, bottom, 0, 0);
}

bool SoftDc::RoundRect(int left, int top, int right, int bottom, int width, int height) {
  const auto [l, r] = Ordered(left, right);
  const auto [t, b] = Ordered(top, bottom);
  if (l == r || t == b) return true;
  const int ew = std::min(r - l, std::abs(width));
  const int eh = std::min(b - t, std::abs(height));
  const bool rounded = ew > 2 && eh > 2;
  if (!brush_.hollow) {
    if (rounded) {
      FillSpans(RoundRectRegionSpans(l, t, r + 1, b + 1, ew, eh), Solid(brush_.color));
    } else {
      std::vector<Span> inside;
      for (int y = t + 1; y < b - 1; ++y) inside.push_back({y, l + 1, r - 1});
      FillSpans(inside, Solid(brush_.color));
    }
  }
  StrokeOutline(RoundRectOutlineVertices(l, t, r, b, ew, eh), true);
  return true;
}

bool SoftDc::Ellipse(int left, int top, int right, int bottom) {
  return RoundRect(left, top, right, bottom, right - left, bottom - top);
}

bool SoftDc::Arc(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  if (pen_.null) return true;
  const auto vertices = ArcVertices(left, top, right, bottom, xs, ys, xe, ye);
  StrokeOutline(vertices, false);
  return true;
}

int SoftDc::FillRect(const Rect& rect, const Brush& brush) {
  if (brush.hollow) return 1;
  // PatBlt semantics: a negative extent mirrors around the start ([right + 1, left + 1)).
  // Wine's behaviour; Windows may normalise instead, so callers avoid reversed rectangles.
  const int x0 = rect.right >= rect.left ? rect.left : rect.right + 1;
  const int x1 = rect.right >= rect.left ? rect.right : rect.left + 1;
  const int y0 = rect.bottom >= rect.top ? rect.top : rect.bottom + 1;
  const int y1 = rect.bottom >= rect.top ? rect.bottom : rect.top + 1;
  if (rect.right == rect.left || rect.bottom == rect.top) return 1;
  std::vector<Span> spans;
  for (int y = std::max(y0, 0); y < std::min(y1, height_); ++y) spans.push_back({y, x0, x1});
  FillSpans(spans, Solid(brush.color));
  return 1;
}

int SoftDc::FrameRect(const Rect& rect, const Brush& brush) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return 0;
  if (brush.hollow) return 1;
  const std::uint32_t value = Solid(brush.color);
  std::vector<Span> bands = {{rect.top, rect.left, rect.right},
                             {rect.bottom - 1, rect.left, rect.right}};
  for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, height_); ++y) {
    bands.push_back({y, rect.left, rect.left + 1});
    bands.push_back({y, rect.right - 1, rect.right});
  }
  FillSpans(bands, value);
  return 1;
}

bool SoftDc::DrawFocusRect(const Rect& rect) {
  // Wine's pattern (the oracle we can run): see FocusRectPixels.
  for (const Point& p : FocusRectPixels(rect)) {
    if (!Inside(p.x, p.y)) continue;
    auto& pixel = pixels_[static_cast<std::size_t>(p.y) * static_cast<std::size_t>(width_) +
                          static_cast<std::size_t>(p.x)];
    pixel = ~pixel;
  }
  return true;
}

bool SoftDc::FillRgn(const Region& region, const Brush& brush) {
  const auto* soft = dynamic_cast<const SoftRegion*>(&region);
  if (soft == nullptr) return false;
  if (!brush.hollow) FillSpans(soft->Spans(), Solid(brush.color));
  return true;
}

bool SoftDc::GradientFill(const TriVertex& v0, const TriVertex& v1, GradientMode mode) {
  const bool horizontal = mode == GradientMode::Horizontal;
  const TriVertex* first = &v0;
  const TriVertex* second = &v1;
  if ((horizontal ? v1.x < v0.x : v1.y < v0.y)) std::swap(first, second);
  const int start = horizontal ? first->x : first->y;
  const int end = horizontal ? second->x : second->y;
  if (start == end) return true;
  const auto [cross0, cross1] = horizontal ? Ordered(v0.y, v1.y) : Ordered(v0.x, v1.x);
  const long long len = end - start;
  // Colours vary along one axis only: work out each visible step once, then fill whole rows.
  const int along0 = std::max(start, 0);
  const int along1 = std::min(end, horizontal ? width_ : height_);
  const int across0 = std::max(cross0, 0);
  const int across1 = std::min(cross1, horizontal ? height_ : width_);
  if (along0 >= along1 || across0 >= across1) return true;
  std::vector<std::uint32_t> steps(static_cast<std::size_t>(along1 - along0));
  for (int along = along0; along < along1; ++along) {
    steps[static_cast<std::size_t>(along - along0)] =
        GradientPixel(*first, *second, along - start, len);
  }
  const auto row_start = [&](int y) {
    return pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_;
  };
  if (horizontal) {
    for (int y = across0; y < across1; ++y)
      std::copy(steps.begin(), steps.end(), row_start(y) + along0);
  } else {
    for (int y = along0; y < along1; ++y) {
      std::fill(row_start(y) + across0, row_start(y) + across1,
                steps[static_cast<std::size_t>(y - along0)]);
    }
  }
  return true;
}

ColorRef SoftDc::SetPixel(int x, int y, ColorRef color) {
  // Wine answers the colour used even off the surface, where it writes nothing.
  Put(x, y, Solid(color));
  return color & 0x00FFFFFFu;
}

bool SoftDc::SetPixelV(int x, int y, ColorRef color) {
  Put(x, y, Solid(color));
  return true;
}

ColorRef SoftDc::GetPixel(int x, int y) const {
  if (!Inside(x, y)) return kClrInvalid;
  return FromDib(pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                         static_cast<std::size_t>(x)] &
                 0x00FFFFFFu);
}

bool SoftDc::BitBlt(int x, int y, int width, int height, const Dc& source, int xs, int ys) {
  const auto* src = dynamic_cast<const SoftDc*>(&source);
  if (src == nullptr) return false;
  // Copy through a snapshot so that a blit within one surface reads the old pixels.
  const std::vector<std::uint32_t> from = src->pixels_;
  for (int row = 0; row < height; ++row) {
    const int sy = ys + row;
    if (sy < 0 || sy >= src->height_) continue;
    for (int col = 0; col < width; ++col) {
      const int sx = xs + col;
      if (sx < 0 || sx >= src->width_) continue;
      Put(x + col, y + row,
          from[static_cast<std::size_t>(sy) * static_cast<std::size_t>(src->width_) +
               static_cast<std::size_t>(sx)]);
    }
  }
  return true;
}

namespace {
std::size_t Stride24(int width) {
  return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}
}  // namespace

std::vector<std::uint8_t> SoftDc::GetDIBits24() const {
  const std::size_t stride = Stride24(width_);
  std::vector<std::uint8_t> bits(stride * static_cast<std::size_t>(height_), 0);
  for (int y = 0; y < height_; ++y) {
    const std::size_t row = static_cast<std::size_t>(height_ - 1 - y) * stride;
    for (int x = 0; x < width_; ++x) {
      const std::uint32_t v = pixels_[static_cast<std::size_t>(y * width_ + x)];
      const std::size_t at = row + static_cast<std::size_t>(x) * 3;
      bits[at] = static_cast<std::uint8_t>(v & 0xFF);
      bits[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
      bits[at + 2] = static_cast<std::uint8_t>((v >> 16) & 0xFF);
    }
  }
  return bits;
}

int SoftDc::SetDIBitsToDevice24(int x, int y, int width, int height,
                                std::span<const std::uint8_t> bits) {
  const std::size_t stride = Stride24(width);
  if (width <= 0 || height <= 0 || bits.size() < stride * static_cast<std::size_t>(height)) {
    return 0;
  }
  for (int row = 0; row < height; ++row) {
    const std::size_t line = static_cast<std::size_t>(height - 1 - row) * stride;
    for (int col = 0; col < width; ++col) {
      const std::size_t at = line + static_cast<std::size_t>(col) * 3;
      Put(x + col, y + row,
          static_cast<std::uint32_t>(bits[at]) | (static_cast<std::uint32_t>(bits[at + 1]) << 8) |
              (static_cast<std::uint32_t>(bits[at + 2]) << 16));
    }
  }
  return height;
}

bool SoftDc::DrawIconEx(int x, int y, const IconImage& icon, int width, int height) {
  if (icon.width <= 0 || icon.height <= 0) return false;
  const std::size_t count =
      static_cast<std::size_t>(icon.width) * static_cast<std::size_t>(icon.height);
  if (icon.color.size() != count || icon.mask.size() != count) return false;
  const int w = width > 0 ? width : icon.width;
  const int h = height > 0 ? height : icon.height;
  for (int row = 0; row < h; ++row) {
    for (int col = 0; col < w; ++col) {
      if (!Inside(x + col, y + row)) continue;
      // Nearest-neighbour sampling when the icon is drawn at another size.
      const std::size_t at =
          static_cast<std::size_t>(row * icon.height / h) * static_cast<std::size_t>(icon.width) +
          static_cast<std::size_t>(col * icon.width / w);
      auto& pixel = pixels_[static_cast<std::size_t>((y + row) * width_ + x + col)];
      pixel = ((icon.mask[at] ? pixel : 0u) ^ icon.color[at]);
    }
  }
  return true;
}

bool SoftDc::TextOutA(int x, int y, std::string_view text) {
  return DrawTextRun(x, y, text, nullptr);
}

bool SoftDc::DrawTextRun(int x, int y, std::string_view text, const Rect* clip) {
  if (!text_) return false;
  const auto visible = [&](int px, int py) {
    return clip == nullptr ||
           (px >= clip->left && px < clip->right && py >= clip->top && py < clip->bottom);
  };
  if (bk_mode_ == BkMode::Opaque) {
    const Size extent = text_->Extent(font_, text);
    const std::uint32_t paper = Solid(bk_color_);
    for (int row = y; row < y + extent.cy; ++row) {
      for (int col = x; col < x + extent.cx; ++col) {
        if (visible(col, row)) Put(col, row, paper);
      }
    }
  }
  const std::uint32_t ink = Solid(text_color_);
  text_->Render(font_, x, y, text, [&](int px, int py) {
    if (visible(px, py)) Put(px, py, ink);
  });
  return true;
}

Size SoftDc::GetTextExtentPoint32A(std::string_view text) {
  if (!text_) return {};
  return text_->Extent(font_, text);
}

int SoftDc::DrawTextA(std::string_view text, Rect& rect, unsigned format) {
  if (!text_) return 0;
  // DrawTextA clips to its rectangle unless told not to.
  const Rect clip = rect;
  const bool clipped = (format & DT_NOCLIP) == 0;
  const std::uint32_t ink = Solid(text_color_);
  return LayoutDrawText(
      *text_, font_, text, rect, format,
      [&](int x, int y, std::string_view line) {
        DrawTextRun(x, y, line, clipped ? &clip : nullptr);
      },
      // The access key's underscore: a 1-pixel line in the text colour.
      [&](int x0, int x1, int y) {
        for (int x = x0; x < x1; ++x) {
          if (!clipped || (x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom)) {
            Put(x, y, ink);
          }
        }
      });
}

}  // namespace fw::soft
