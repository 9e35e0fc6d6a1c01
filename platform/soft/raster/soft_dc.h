#pragma once
// A memory DC over a 32-bit top-down pixel buffer, drawing by GDI's pixel rules.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi.h"
#include "platform/soft/raster/raster.h"
#include "platform/soft/raster/text_renderer.h"

namespace fw::soft {

class SoftDc final : public Dc {
 public:
  SoftDc(int width, int height, ColorRef fill, std::shared_ptr<TextRenderer> text);

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  void SelectPen(const Pen& pen) override { pen_ = pen; }
  void SelectBrush(const Brush& brush) override { brush_ = brush; }
  void SelectFont(const FontSpec& font) override { font_ = font; }
  ColorRef SetTextColor(ColorRef color) override;
  ColorRef GetTextColor() const override { return text_color_; }
  ColorRef SetBkColor(ColorRef color) override;
  ColorRef GetBkColor() const override { return bk_color_; }
  BkMode SetBkMode(BkMode mode) override;
  PolyFillMode SetPolyFillMode(PolyFillMode mode) override;

  bool MoveToEx(int x, int y, Point* previous) override;
  bool LineTo(int x, int y) override;
  bool Polyline(std::span<const Point> points) override;
  bool Polygon(std::span<const Point> points) override;
  bool Rectangle(int left, int top, int right, int bottom) override;
  bool RoundRect(int left, int top, int right, int bottom, int width, int height) override;
  bool Ellipse(int left, int top, int right, int bottom) override;
  bool Arc(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) override;

  int FillRect(const Rect& rect, const Brush& brush) override;
  int FrameRect(const Rect& rect, const Brush& brush) override;
  bool DrawFocusRect(const Rect& rect) override;
  bool FillRgn(const Region& region, const Brush& brush) override;
  bool GradientFill(const TriVertex& v0, const TriVertex& v1, GradientMode mode) override;

  ColorRef SetPixel(int x, int y, ColorRef color) override;
  bool SetPixelV(int x, int y, ColorRef color) override;
  ColorRef GetPixel(int x, int y) const override;

  bool BitBlt(int x, int y, int width, int height, const Dc& source, int xs, int ys) override;
  std::vector<std::uint8_t> GetDIBits24() const override;
  int SetDIBitsToDevice24(int x, int y, int width, int height,
                          std::span<const std::uint8_t> bits) override;
  bool DrawIconEx(int x, int y, const IconImage& icon, int width, int height) override;

  bool TextOutA(int x, int y, std::string_view text) override;
  Size GetTextExtentPoint32A(std::string_view text) override;
  int DrawTextA(std::string_view text, Rect& rect, unsigned format) override;

  std::vector<std::uint32_t> Pixels() const override { return pixels_; }

 private:
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // Writes one raw 32-bit value, clipped to the surface.
  void Put(int x, int y, std::uint32_t value);
  void PutAll(const std::vector<Point>& points, std::uint32_t value);
  void FillSpans(const std::vector<Span>& spans, std::uint32_t value);
  // Draws an outline through `vertices` with the current pen (1-pixel rule or wide pen).
  void StrokeOutline(const std::vector<Point>& vertices, bool closed);
  // TextOutA's pixels, optionally kept inside `clip`.
  bool DrawTextRun(int x, int y, std::string_view text, const Rect* clip);

  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
  std::shared_ptr<TextRenderer> text_;
  Pen pen_ = Pen::Solid(0);
  Brush brush_ = Brush::Solid(0xFFFFFF);
  FontSpec font_;
  ColorRef text_color_ = 0;
  ColorRef bk_color_ = 0xFFFFFF;
  BkMode bk_mode_ = BkMode::Opaque;
  PolyFillMode fill_mode_ = PolyFillMode::Alternate;
  Point position_{};
};

// 0x00BBGGRR to the 0x00RRGGBB a 32-bit DIB holds, and back.
constexpr std::uint32_t ToDib(ColorRef c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr ColorRef FromDib(std::uint32_t v) {
  return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

}  // namespace fw::soft
