#pragma once
// The build's own drawing device with failures on request: the next surface it is asked for, or
// the next text drawn on any of its surfaces, throws DeviceFailure. Everything else goes to the
// real device, so a control drawn through it draws exactly as it would otherwise.
#include <memory>
#include <span>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/gdi.h"

namespace fw::test {

class DeviceFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class FailingDevice final : public GdiDevice {
 public:
  FailingDevice() = default;

  // The next CreateSurface throws.
  void FailNextSurface() { fail_surface_ = true; }
  // The next DrawTextA that draws (not one that only measures with DT_CALCRECT) throws.
  void FailNextText() { fail_text_ = true; }

  std::unique_ptr<Dc> CreateSurface(int width, int height, ColorRef fill) override {
    if (std::exchange(fail_surface_, false)) throw DeviceFailure("no surface, as asked");
    return std::make_unique<FailingDc>(*this, real_->CreateSurface(width, height, fill));
  }
  std::unique_ptr<Region> CreateRectRgn(int left, int top, int right, int bottom) override {
    return real_->CreateRectRgn(left, top, right, bottom);
  }
  std::unique_ptr<Region> CreateRoundRectRgn(int left, int top, int right, int bottom, int width,
                                             int height) override {
    return real_->CreateRoundRectRgn(left, top, right, bottom, width, height);
  }
  std::unique_ptr<Region> CreateEllipticRgn(int left, int top, int right, int bottom) override {
    return real_->CreateEllipticRgn(left, top, right, bottom);
  }
  std::unique_ptr<Region> CreatePolygonRgn(std::span<const Point> points,
                                           PolyFillMode mode) override {
    return real_->CreatePolygonRgn(points, mode);
  }
  RegionKind CombineRgn(Region& dest, const Region& a, const Region& b, RegionOp op) override {
    return real_->CombineRgn(dest, a, b, op);
  }

 private:
  // A surface of the real device; blits between two of them go to the real surfaces.
  class FailingDc final : public Dc {
   public:
    FailingDc(FailingDevice& device, std::unique_ptr<Dc> real)
        : device_(device), real_(std::move(real)) {}

    int Width() const override { return real_->Width(); }
    int Height() const override { return real_->Height(); }
    void SelectPen(const Pen& pen) override { real_->SelectPen(pen); }
    void SelectBrush(const Brush& brush) override { real_->SelectBrush(brush); }
    void SelectFont(const FontSpec& font) override { real_->SelectFont(font); }
    ColorRef SetTextColor(ColorRef color) override { return real_->SetTextColor(color); }
    ColorRef GetTextColor() const override { return real_->GetTextColor(); }
    ColorRef SetBkColor(ColorRef color) override { return real_->SetBkColor(color); }
    ColorRef GetBkColor() const override { return real_->GetBkColor(); }
    BkMode SetBkMode(BkMode mode) override { return real_->SetBkMode(mode); }
    PolyFillMode SetPolyFillMode(PolyFillMode mode) override {
      return real_->SetPolyFillMode(mode);
    }
    bool MoveToEx(int x, int y, Point* previous) override {
      return real_->MoveToEx(x, y, previous);
    }
    bool LineTo(int x, int y) override { return real_->LineTo(x, y); }
    bool Polyline(std::span<const Point> points) override { return real_->Polyline(points); }
    bool Polygon(std::span<const Point> points) override { return real_->Polygon(points); }
    bool Rectangle(int left, int top, int right, int bottom) override {
      return real_->Rectangle(left, top, right, bottom);
    }
    bool RoundRect(int left, int top, int right, int bottom, int width, int height) override {
      return real_->RoundRect(left, top, right, bottom, width, height);
    }
    bool Ellipse(int left, int top, int right, int bottom) override {
      return real_->Ellipse(left, top, right, bottom);
    }
    bool Arc(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) override {
      return real_->Arc(left, top, right, bottom, xs, ys, xe, ye);
    }
    int FillRect(const Rect& rect, const Brush& brush) override {
      return real_->FillRect(rect, brush);
    }
    int FrameRect(const Rect& rect, const Brush& brush) override {
      return real_->FrameRect(rect, brush);
    }
    bool DrawFocusRect(const Rect& rect) override { return real_->DrawFocusRect(rect); }
    bool FillRgn(const Region& region, const Brush& brush) override {
      return real_->FillRgn(region, brush);
    }
    bool GradientFill(const TriVertex& v0, const TriVertex& v1, GradientMode mode) override {
      return real_->GradientFill(v0, v1, mode);
    }
    ColorRef SetPixel(int x, int y, ColorRef color) override {
      return real_->SetPixel(x, y, color);
    }
    bool SetPixelV(int x, int y, ColorRef color) override { return real_->SetPixelV(x, y, color); }
    ColorRef GetPixel(int x, int y) const override { return real_->GetPixel(x, y); }
    bool BitBlt(int x, int y, int width, int height, const Dc& source, int xs, int ys) override {
      const auto* wrapped = dynamic_cast<const FailingDc*>(&source);
      return real_->BitBlt(x, y, width, height, wrapped != nullptr ? *wrapped->real_ : source, xs,
                           ys);
    }
    std::vector<std::uint8_t> GetDIBits24() const override { return real_->GetDIBits24(); }
    int SetDIBitsToDevice24(int x, int y, int width, int height,
                            std::span<const std::uint8_t> bits) override {
      return real_->SetDIBitsToDevice24(x, y, width, height, bits);
    }
    bool DrawIconEx(int x, int y, const IconImage& icon, int width, int height) override {
      return real_->DrawIconEx(x, y, icon, width, height);
    }
    bool TextOutA(int x, int y, std::string_view text) override {
      return real_->TextOutA(x, y, text);
    }
    Size GetTextExtentPoint32A(std::string_view text) override {
      return real_->GetTextExtentPoint32A(text);
    }
    int DrawTextA(std::string_view text, Rect& rect, unsigned format) override {
      if ((format & DT_CALCRECT) == 0 && std::exchange(device_.fail_text_, false)) {
        throw DeviceFailure("no text, as asked");
      }
      return real_->DrawTextA(text, rect, format);
    }
    std::vector<std::uint32_t> Pixels() const override { return real_->Pixels(); }

   private:
    FailingDevice& device_;
    std::unique_ptr<Dc> real_;
  };

  std::unique_ptr<GdiDevice> real_ = CreatePlatformGdiDevice();
  bool fail_surface_ = false;
  bool fail_text_ = false;
};

}  // namespace fw::test
