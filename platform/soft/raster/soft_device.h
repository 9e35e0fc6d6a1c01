#pragma once
// The soft rasterizer's device: surfaces are SoftDc, regions are SoftRegion.
#include <memory>

#include "platform/gdi.h"
#include "platform/soft/raster/text_renderer.h"

namespace fw::soft {

class SoftGdiDevice final : public GdiDevice {
 public:
  // `text` may be null: surfaces then draw no text (TextOutA and DrawTextA return failure).
  explicit SoftGdiDevice(std::shared_ptr<TextRenderer> text = nullptr);

  std::unique_ptr<Dc> CreateSurface(int width, int height, ColorRef fill) override;
  std::unique_ptr<Region> CreateRectRgn(int left, int top, int right, int bottom) override;
  std::unique_ptr<Region> CreateRoundRectRgn(int left, int top, int right, int bottom, int width,
                                             int height) override;
  std::unique_ptr<Region> CreateEllipticRgn(int left, int top, int right, int bottom) override;
  std::unique_ptr<Region> CreatePolygonRgn(std::span<const Point> points,
                                           PolyFillMode mode) override;
  RegionKind CombineRgn(Region& dest, const Region& a, const Region& b, RegionOp op) override;

 private:
  std::shared_ptr<TextRenderer> text_;
};

}  // namespace fw::soft
