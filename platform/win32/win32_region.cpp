#include "platform/win32/win32_region.h"

namespace fw::win32 {

bool Win32Region::PtInRegion(int x, int y) const {
  return region_ && ::PtInRegion(region_.get(), x, y) != FALSE;
}

Rect Win32Region::Box() const {
  RECT box{};
  if (!region_ || ::GetRgnBox(region_.get(), &box) <= NULLREGION) return Rect{};
  return Rect{box.left, box.top, box.right, box.bottom};
}

std::unique_ptr<Region> Win32Region::Clone() const {
  UniqueRegion copy(::CreateRectRgn(0, 0, 0, 0));
  if (!copy) return nullptr;
  if (region_ && ::CombineRgn(copy.get(), region_.get(), nullptr, RGN_COPY) == RGN_ERROR) {
    return nullptr;
  }
  return std::make_unique<Win32Region>(std::move(copy));
}

}  // namespace fw::win32
