#pragma once
// The Windows build's GdiDevice: surfaces are Win32Dc, regions are Win32Region.
#include <memory>

#include "platform/gdi.h"

namespace fw::win32 {

class Win32GdiDevice final : public GdiDevice {
 public:
  // A null result means GDI could not make the object (or a surface size is not positive).
  std::unique_ptr<Dc> CreateSurface(int width, int height, ColorRef fill) override;
  std::unique_ptr<Region> CreateRectRgn(int left, int top, int right, int bottom) override;
  std::unique_ptr<Region> CreateRoundRectRgn(int left, int top, int right, int bottom, int width,
                                             int height) override;
  std::unique_ptr<Region> CreateEllipticRgn(int left, int top, int right, int bottom) override;
  std::unique_ptr<Region> CreatePolygonRgn(std::span<const Point> points,
                                           PolyFillMode mode) override;
  // All three regions must be Win32Region; any other gives RGN_ERROR.
  RegionKind CombineRgn(Region& dest, const Region& a, const Region& b, RegionOp op) override;
};

}  // namespace fw::win32
