#pragma once
// A memory DC with a 32-bit top-down DIB section selected in; every Dc call goes to real GDI.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi.h"
#include "platform/win32/gdi_handles.h"

namespace fw::win32 {

class Win32Dc final : public Dc {
 public:
  // A width x height surface cleared to `fill`, with the default font (FontSpec{}) selected;
  // null when GDI cannot make it (or a size is not positive).
  static std::unique_ptr<Win32Dc> Create(int width, int height, ColorRef fill);

  // Use Create. Takes a memory DC and a DIB section (not yet selected) whose bits are `bits`.
  Win32Dc(UniqueDc dc, UniqueBitmap bitmap, std::uint32_t* bits, int width, int height);
  ~Win32Dc() override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  void SelectPen(const Pen& pen) override;
  void SelectBrush(const Brush& brush) override;
  void SelectFont(const FontSpec& font) override;
  ColorRef SetTextColor(ColorRef color) override;
  ColorRef GetTextColor() const override;
  ColorRef SetBkColor(ColorRef color) override;
  ColorRef GetBkColor() const override;
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

  // The source must be a Win32Dc; any other Dc gives false.
  bool BitBlt(int x, int y, int width, int height, const Dc& source, int xs, int ys) override;
  std::vector<std::uint8_t> GetDIBits24() const override;
  int SetDIBitsToDevice24(int x, int y, int width, int height,
                          std::span<const std::uint8_t> bits) override;
  bool DrawIconEx(int x, int y, const IconImage& icon, int width, int height) override;

  bool TextOutA(int x, int y, std::string_view text) override;
  Size GetTextExtentPoint32A(std::string_view text) override;
  int DrawTextA(std::string_view text, Rect& rect, unsigned format) override;

  std::vector<std::uint32_t> Pixels() const override;

  HDC Handle() const { return dc_.get(); }

 private:
  int width_;
  int height_;
  // Declared first so it is destroyed last, after everything selected into it was released.
  UniqueDc dc_;
  UniqueBitmap bitmap_;
  std::uint32_t* bits_;  // the DIB section's memory, owned by bitmap_
  // The DC's own objects, selected back before ours are deleted.
  HGDIOBJ original_bitmap_ = nullptr;
  HGDIOBJ original_pen_ = nullptr;
  HGDIOBJ original_brush_ = nullptr;
  HGDIOBJ original_font_ = nullptr;
  // The objects currently selected (null for a stock object).
  UniquePen pen_;
  UniqueBrush brush_;
  UniqueFont font_;
};

}  // namespace fw::win32
