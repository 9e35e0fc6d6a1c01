#pragma once
// A GDI region (HRGN) behind the platform Region interface.
#include <memory>

#include "platform/gdi.h"
#include "platform/win32/gdi_handles.h"

namespace fw::win32 {

class Win32Region final : public Region {
 public:
  explicit Win32Region(UniqueRegion region) : region_(std::move(region)) {}

  bool PtInRegion(int x, int y) const override;
  Rect Box() const override;
  std::unique_ptr<Region> Clone() const override;

  // The region handle, still owned by this object (null after Release).
  HRGN Handle() const { return region_.get(); }
  // Gives up ownership, e.g. to SetWindowRgn, which takes the region over. The object is
  // empty afterwards: PtInRegion answers false and Box is empty.
  HRGN Release() { return region_.release(); }

 private:
  UniqueRegion region_;
};

}  // namespace fw::win32
