#include "platform/win32/win32_device.h"

#include <vector>

#include "platform/win32/gdi_handles.h"
#include "platform/win32/win32_dc.h"
#include "platform/win32/win32_region.h"

namespace fw {
namespace win32 {
namespace {

std::unique_ptr<Region> Wrap(HRGN region) {
  UniqueRegion owned(region);
  if (!owned) return nullptr;
  return std::make_unique<Win32Region>(std::move(owned));
}

}  // namespace

std::unique_ptr<Dc> Win32GdiDevice::CreateSurface(int width, int height, ColorRef fill) {
  return Win32Dc::Create(width, height, fill);
}

std::unique_ptr<Region> Win32GdiDevice::CreateRectRgn(int left, int top, int right, int bottom) {
  return Wrap(::CreateRectRgn(left, top, right, bottom));
}

std::unique_ptr<Region> Win32GdiDevice::CreateRoundRectRgn(int left, int top, int right, int bottom,
                                                           int width, int height) {
  return Wrap(::CreateRoundRectRgn(left, top, right, bottom, width, height));
}

std::unique_ptr<Region> Win32GdiDevice::CreateEllipticRgn(int left, int top, int right,
                                                          int bottom) {
  return Wrap(::CreateEllipticRgn(left, top, right, bottom));
}

std::unique_ptr<Region> Win32GdiDevice::CreatePolygonRgn(std::span<const Point> points,
                                                         PolyFillMode mode) {
  std::vector<POINT> p;
  p.reserve(points.size());
  for (const Point& point : points) p.push_back(POINT{point.x, point.y});
  const int gdi_mode = mode == PolyFillMode::Winding ? WINDING : ALTERNATE;
  return Wrap(::CreatePolygonRgn(p.data(), static_cast<int>(p.size()), gdi_mode));
}

RegionKind Win32GdiDevice::CombineRgn(Region& dest, const Region& a, const Region& b, RegionOp op) {
  auto* d = dynamic_cast<Win32Region*>(&dest);
  const auto* first = dynamic_cast<const Win32Region*>(&a);
  const auto* second = dynamic_cast<const Win32Region*>(&b);
  if (d == nullptr || first == nullptr || second == nullptr) return RGN_ERROR;
  if (d->Handle() == nullptr || first->Handle() == nullptr) return RGN_ERROR;
  const int result =
      ::CombineRgn(d->Handle(), first->Handle(), second->Handle(), static_cast<int>(op));
  return static_cast<RegionKind>(result);
}

}  // namespace win32

std::unique_ptr<GdiDevice> CreatePlatformGdiDevice() {
  return std::make_unique<win32::Win32GdiDevice>();
}

}  // namespace fw
