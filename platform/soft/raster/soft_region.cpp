#include "platform/soft/raster/soft_region.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <utility>

namespace fw::soft {

namespace {

using SpanIt = std::vector<Span>::const_iterator;

// The end of the run of spans that share row `first->y`.
SpanIt RowEnd(SpanIt first, SpanIt last) {
  const int y = first->y;
  return std::find_if(first, last, [y](const Span& s) { return s.y != y; });
}

bool Apply(RegionOp op, bool in_a, bool in_b) {
  switch (op) {
    case RegionOp::And:
      return in_a && in_b;
    case RegionOp::Or:
      return in_a || in_b;
    case RegionOp::Xor:
      return in_a != in_b;
    case RegionOp::Diff:
      return in_a && !in_b;
    case RegionOp::Copy:
      return in_a;
  }
  return false;
}

// Combines one row of `a` with the same row of `b`. Both inputs are sorted, disjoint and not
// touching, so walking their edges from left to right visits every place where membership can
// change; a span is emitted between an edge where the result turns on and the next edge where
// it turns off. Edges at the same x are all taken before the result is looked at, so the
// output spans are maximal (never empty, never touching).
void CombineRow(int y, SpanIt a, SpanIt a_end, SpanIt b, SpanIt b_end, RegionOp op,
                std::vector<Span>& out) {
  bool in_a = false;
  bool in_b = false;
  bool on = false;
  int start = 0;
  for (;;) {
    const int next_a = a == a_end ? INT_MAX : (in_a ? a->x1 : a->x0);
    const int next_b = b == b_end ? INT_MAX : (in_b ? b->x1 : b->x0);
    if (a == a_end && b == b_end) break;
    const int x = std::min(next_a, next_b);
    if (a != a_end && next_a == x) {
      if (in_a) ++a;
      in_a = !in_a;
    }
    if (b != b_end && next_b == x) {
      if (in_b) ++b;
      in_b = !in_b;
    }
    const bool now = Apply(op, in_a, in_b);
    if (now && !on) {
      start = x;
    } else if (!now && on) {
      out.push_back({y, start, x});
    }
    on = now;
  }
}

}  // namespace

SoftRegion::SoftRegion(std::vector<Span> spans) {
  std::erase_if(spans, [](const Span& s) { return s.x1 <= s.x0; });
  std::sort(spans.begin(), spans.end(),
            [](const Span& l, const Span& r) { return l.y != r.y ? l.y < r.y : l.x0 < r.x0; });
  spans_.reserve(spans.size());
  for (const Span& s : spans) {
    if (!spans_.empty() && spans_.back().y == s.y && s.x0 <= spans_.back().x1) {
      spans_.back().x1 = std::max(spans_.back().x1, s.x1);
    } else {
      spans_.push_back(s);
    }
  }
}

bool SoftRegion::PtInRegion(int x, int y) const {
  // The first span that is not wholly before (x, y) in row-major order.
  const auto it = std::lower_bound(spans_.begin(), spans_.end(), std::pair{y, x},
                                   [](const Span& s, const std::pair<int, int>& p) {
                                     return s.y != p.first ? s.y < p.first : s.x1 <= p.second;
                                   });
  return it != spans_.end() && it->y == y && it->x0 <= x;
}

Rect SoftRegion::Box() const {
  if (spans_.empty()) return Rect{};
  Rect box{spans_.front().x0, spans_.front().y, spans_.front().x1, spans_.back().y + 1};
  for (const Span& s : spans_) {
    box.left = std::min(box.left, s.x0);
    box.right = std::max(box.right, s.x1);
  }
  return box;
}

std::unique_ptr<Region> SoftRegion::Clone() const {
  return std::make_unique<SoftRegion>(*this);
}

RegionKind SoftRegion::Kind() const {
  if (spans_.empty()) return NULLREGION;
  // One rectangle: one span per row, all alike, on consecutive rows.
  const Span& first = spans_.front();
  for (std::size_t i = 1; i < spans_.size(); ++i) {
    const Span& s = spans_[i];
    if (s.x0 != first.x0 || s.x1 != first.x1 || s.y != spans_[i - 1].y + 1) return COMPLEXREGION;
  }
  return SIMPLEREGION;
}

SoftRegion SoftRegion::Combine(const SoftRegion& a, const SoftRegion& b, RegionOp op) {
  if (op == RegionOp::Copy) return a;
  // What a row present in only one operand becomes.
  const bool keep_a_only = Apply(op, true, false);
  const bool keep_b_only = Apply(op, false, true);

  SoftRegion result;
  std::vector<Span>& out = result.spans_;
  out.reserve(a.spans_.size() + b.spans_.size());
  SpanIt ia = a.spans_.begin();
  SpanIt ib = b.spans_.begin();
  const SpanIt a_end = a.spans_.end();
  const SpanIt b_end = b.spans_.end();
  while (ia != a_end || ib != b_end) {
    if (ib == b_end || (ia != a_end && ia->y < ib->y)) {
      const SpanIt row_end = RowEnd(ia, a_end);
      if (keep_a_only) out.insert(out.end(), ia, row_end);
      ia = row_end;
    } else if (ia == a_end || ib->y < ia->y) {
      const SpanIt row_end = RowEnd(ib, b_end);
      if (keep_b_only) out.insert(out.end(), ib, row_end);
      ib = row_end;
    } else {
      const SpanIt a_row_end = RowEnd(ia, a_end);
      const SpanIt b_row_end = RowEnd(ib, b_end);
      CombineRow(ia->y, ia, a_row_end, ib, b_row_end, op, out);
      ia = a_row_end;
      ib = b_row_end;
    }
  }
  return result;
}

}  // namespace fw::soft
