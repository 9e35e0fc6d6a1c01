#pragma once
// A region as GDI keeps one: y-bands of disjoint, sorted x-spans.
#include <memory>
#include <span>
#include <vector>

#include "platform/gdi.h"
#include "platform/soft/raster/raster.h"

namespace fw::soft {

class SoftRegion final : public Region {
 public:
  SoftRegion() = default;
  // Builds from spans in any order; overlapping or touching spans of a row are merged.
  explicit SoftRegion(std::vector<Span> spans);

  bool PtInRegion(int x, int y) const override;
  Rect Box() const override;
  std::unique_ptr<Region> Clone() const override;

  // The region's spans, sorted by y then x, disjoint and not touching within a row.
  const std::vector<Span>& Spans() const { return spans_; }
  bool Empty() const { return spans_.empty(); }
  RegionKind Kind() const;

  static SoftRegion Combine(const SoftRegion& a, const SoftRegion& b, RegionOp op);

 private:
  std::vector<Span> spans_;
};

}  // namespace fw::soft
