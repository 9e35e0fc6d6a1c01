#include "platform/soft/raster/soft_device.h"

#include <stdexcept>
#include <utility>

#include "platform/soft/raster/soft_dc.h"
#include "platform/soft/raster/soft_region.h"

namespace fw::soft {

namespace {

const SoftRegion& AsSoft(const Region& region) {
  const auto* soft = dynamic_cast<const SoftRegion*>(&region);
  if (soft == nullptr) throw std::invalid_argument("CombineRgn: a region of another device");
  return *soft;
}

}  // namespace

SoftGdiDevice::SoftGdiDevice(std::shared_ptr<TextRenderer> text) : text_(std::move(text)) {}

std::unique_ptr<Dc> SoftGdiDevice::CreateSurface(int width, int height, ColorRef fill) {
  return std::make_unique<SoftDc>(width, height, fill, text_);
}

std::unique_ptr<Region> SoftGdiDevice::CreateRectRgn(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  std::vector<Span> spans;
  if (left < right) {
    for (int y = top; y < bottom; ++y) spans.push_back({y, left, right});
  }
  return std::make_unique<SoftRegion>(std::move(spans));
}

std::unique_ptr<Region> SoftGdiDevice::CreateRoundRectRgn(int left, int top, int right, int bottom,
                                                          int width, int height) {
  return std::make_unique<SoftRegion>(
      RoundRectRegionSpans(left, top, right, bottom, width, height));
}

std::unique_ptr<Region> SoftGdiDevice::CreateEllipticRgn(int left, int top, int right, int bottom) {
  return CreateRoundRectRgn(left, top, right, bottom, right - left, bottom - top);
}

std::unique_ptr<Region> SoftGdiDevice::CreatePolygonRgn(std::span<const Point> points,
                                                        PolyFillMode mode) {
  return std::make_unique<SoftRegion>(PolygonSpans(points, mode));
}

RegionKind SoftGdiDevice::CombineRgn(Region& dest, const Region& a, const Region& b, RegionOp op) {
  auto* target = dynamic_cast<SoftRegion*>(&dest);
  if (target == nullptr) throw std::invalid_argument("CombineRgn: a region of another device");
  *target = SoftRegion::Combine(AsSoft(a), AsSoft(b), op);
  return target->Kind();
}

}  // namespace fw::soft
