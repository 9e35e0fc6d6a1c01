// The four block arrows' coordinate tables.
//
// Region corners and focus-ring vertices are the up arrow's, turned: the left arrow exchanges x
// and y, the right arrow mirrors the left one, the down arrow mirrors the up one. The runs are
// written out per arrow, because they are not turned copies of one another: the up arrow's shaft
// ends in a slanted bottom line on even sizes (r(H - 1.5)), the right arrow's tip lies on the last
// column where the left arrow's lies one pixel in from the first, and the bevels of each arrow
// take their own turns. Entries: Px(k) is k; End(k) is W + k or H + k; Mid, Third and TwoThirds
// are r(W/2 + k), r(W/3 + k) and r(W/1.5 + k) (with H for y).
#include "controls/button/shapes/arrow_geometry.h"
#include "platform/color.h"

namespace fw::button_shapes::arrow {
namespace {

// Shared by all four arrows: the up arrow's region and focus ring, and their turnings.

constexpr Heptagon kUpRegion = {To(Mid(), Px(0)),         To(Px(0), TwoThirds()),
                                To(Third(), TwoThirds()), To(Third(), End()),
                                To(TwoThirds(), End()),   To(TwoThirds(), TwoThirds()),
                                To(End(), TwoThirds())};
constexpr Heptagon kUpFocusRing = {
    To(Mid(), Px(6)),           To(Px(9), TwoThirds(-5)),   To(Third(4), TwoThirds(-5)),
    To(Third(4), End(-5)),      To(TwoThirds(-5), End(-5)), To(TwoThirds(-5), TwoThirds(-5)),
    To(End(-10), TwoThirds(-5))};

// The tip stays on the centre line of the arrow's breadth: a mirror never meets a half.
constexpr bool MirrorsNoHalf(const Heptagon& points, bool x_axis) {
  for (const ArrowPoint& p : points) {
    if ((x_axis ? p.x.base : p.y.base) == Base::kHalf) return false;
  }
  return true;
}
static_assert(MirrorsNoHalf(Transposed(kUpRegion), true) &&
              MirrorsNoHalf(Transposed(kUpFocusRing), true));
static_assert(MirrorsNoHalf(kUpRegion, false) && MirrorsNoHalf(kUpFocusRing, false));

// Shape 8, up arrow.

constexpr ArrowPoint kUpOutline[] = {MoveTo(Mid(), Px(1)),         To(Px(1), TwoThirds(-1)),
                                     To(Third(), TwoThirds(-1)),   To(Third(), End(-1)),
                                     To(TwoThirds(-1), End(-1.5)), To(TwoThirds(-1), TwoThirds(-1)),
                                     To(End(-1), TwoThirds(-1)),   To(Mid(), Px(1))};
constexpr ArrowPoint kUpA[] = {MoveTo(Mid(), Px(1)), To(Px(1), TwoThirds(-1)),
                               To(Third(), TwoThirds(-1)), To(Third(), End(-1))};
constexpr ArrowPoint kUpN[] = {MoveTo(Third(), End(-2)), To(TwoThirds(-2), End(-2)),
                               To(TwoThirds(-2), TwoThirds(-2)), To(End(-3), TwoThirds(-2)),
                               To(Mid(), Px(2))};
constexpr ArrowPoint kUpP[] = {MoveTo(Mid(), Px(2)), To(Px(2), TwoThirds(-1)),
                               MoveTo(Px(2), TwoThirds(-2)), To(Third(1), TwoThirds(-2)),
                               To(Third(1), End(-1))};
constexpr ArrowPoint kUpS[] = {MoveTo(Third(), End(-2)), To(TwoThirds(-2), End(-2)),
                               To(TwoThirds(-2), TwoThirds(-2)), To(End(-3), TwoThirds(-2)),
                               To(Mid(), Px(3))};
constexpr ArrowPoint kUpL[] = {MoveTo(Mid(), Px(3)),        To(Px(3), TwoThirds(-2)),
                               To(Third(1), TwoThirds(-2)), To(Third(1), End(-1)),
                               To(TwoThirds(-1), End(-1)),  To(TwoThirds(-1), TwoThirds(-1)),
                               To(End(-1), TwoThirds(-1)),  To(Mid(), Px(1))};
constexpr ArrowPoint kUpQ[] = {MoveTo(Third(3), End(-3)), To(TwoThirds(-3), End(-2.5)),
                               To(TwoThirds(-3), TwoThirds(-3)), To(End(-5), TwoThirds(-3)),
                               To(Mid(), Px(4))};
constexpr ArrowPoint kUpF1[] = {MoveTo(TwoThirds(-2), End(-2)), To(Third(), End(-2))};
constexpr ArrowPoint kUpF2[] = {MoveTo(Third(1), End(-3)), To(TwoThirds(-2), End(-3.5)),
                                To(TwoThirds(-2), TwoThirds(-2)), To(End(-3), TwoThirds(-2)),
                                To(Mid(), Px(3))};
constexpr ArrowPoint kUpF3[] = {MoveTo(TwoThirds(-3), End(-4.5)), To(TwoThirds(-3), TwoThirds(-3)),
                                To(End(-5), TwoThirds(-3)), To(Mid(), Px(5))};
constexpr ArrowPoint kUpF4[] = {MoveTo(Mid(), Px(3)), To(Px(3), TwoThirds(-2)),
                                To(Third(1), TwoThirds(-2)), To(Third(1), End(-2))};
constexpr ArrowPoint kUpF5[] = {MoveTo(Mid(), Px(5)), To(Px(5), TwoThirds(-3)),
                                To(Third(2), TwoThirds(-3)), To(Third(2), End(-3))};
constexpr ArrowPoint kUpG[] = {MoveTo(Mid(), Px(2)),        To(Px(3), TwoThirds(-2)),
                               To(Third(1), TwoThirds(-2)), To(Third(1), End(-2)),
                               To(TwoThirds(-2), End(-2)),  To(TwoThirds(-2), TwoThirds(-2)),
                               To(End(-3), TwoThirds(-2)),  To(Mid(), Px(2))};

// Shape 9, left arrow.

constexpr ArrowPoint kLeftOutline[] = {MoveTo(End(-1), Third()),   To(TwoThirds(-1), Third()),
                                       To(TwoThirds(-1), Px(1)),   To(Px(1), Mid()),
                                       To(TwoThirds(-1), End(-1)), To(TwoThirds(-1), TwoThirds(-1)),
                                       To(End(-1), TwoThirds(-1)), To(End(-1), Third())};
constexpr ArrowPoint kLeftA[] = {MoveTo(End(-1), Third()), To(TwoThirds(-1), Third()),
                                 To(TwoThirds(-1), Px(1)), To(Px(1), Mid())};
constexpr ArrowPoint kLeftN[] = {MoveTo(End(-2), Third(2)), To(End(-2), TwoThirds(-2)),
                                 To(TwoThirds(-2), TwoThirds(-2)), To(TwoThirds(-2), End(-3)),
                                 To(Px(2), Mid())};
constexpr ArrowPoint kLeftP[] = {MoveTo(End(-1), Third(1)), To(TwoThirds(-2), Third(1)),
                                 To(TwoThirds(-2), Px(3)), To(Px(2), Mid())};
constexpr ArrowPoint kLeftS[] = {MoveTo(End(-2), Third(2)), To(End(-2), TwoThirds(-2)),
                                 To(TwoThirds(-2), TwoThirds(-2)), To(TwoThirds(-2), End(-3)),
                                 To(Px(3), Mid())};
constexpr ArrowPoint kLeftL[] = {MoveTo(End(-1), Third(1)),
                                 To(TwoThirds(-2), Third(1)),
                                 To(TwoThirds(-2), Px(3)),
                                 To(Px(2), Mid()),
                                 MoveTo(End(-1), Third(1)),
                                 To(End(-1), TwoThirds(-1)),
                                 To(TwoThirds(-1), TwoThirds(-1)),
                                 To(TwoThirds(-1), End(-1)),
                                 To(Px(1), Mid())};
constexpr ArrowPoint kLeftQ[] = {MoveTo(End(-3), Third(2)), To(End(-3), TwoThirds(-3)),
                                 To(TwoThirds(-3), TwoThirds(-3)), To(TwoThirds(-3), End(-5)),
                                 To(Px(5), Mid())};
constexpr ArrowPoint kLeftF1[] = {MoveTo(End(-2), Third(1)), To(End(-2), TwoThirds(-1))};
constexpr ArrowPoint kLeftF2[] = {MoveTo(End(-3), Third(1)), To(End(-3), TwoThirds(-2)),
                                  To(TwoThirds(-2), TwoThirds(-2)), To(TwoThirds(-2), End(-3)),
                                  To(Px(2), Mid())};
constexpr ArrowPoint kLeftF3[] = {MoveTo(End(-3), TwoThirds(-3)), To(TwoThirds(-3), TwoThirds(-3)),
                                  To(TwoThirds(-3), End(-5)), To(Px(4), Mid())};
constexpr ArrowPoint kLeftF4[] = {MoveTo(End(-3), Third(1)), To(TwoThirds(-2), Third(1)),
                                  To(TwoThirds(-2), Px(3)), To(Px(2), Mid())};
constexpr ArrowPoint kLeftF5[] = {MoveTo(End(-4), Third(2)), To(TwoThirds(-3), Third(2)),
                                  To(TwoThirds(-3), Px(5)), To(Px(3), Mid())};
constexpr ArrowPoint kLeftG[] = {MoveTo(End(-3), Third(1)),  To(TwoThirds(-2), Third(1)),
                                 To(TwoThirds(-2), Px(3)),   To(Px(2), Mid()),
                                 To(TwoThirds(-2), End(-3)), To(TwoThirds(-2), TwoThirds(-2)),
                                 To(End(-2), TwoThirds(-2)), To(End(-2), Third())};

// Shape 10, right arrow.

constexpr ArrowPoint kRightOutline[] = {MoveTo(Px(0), TwoThirds(-1)), To(Px(0), Third()),
                                        To(Third(), Third()),         To(Third(), Px(1)),
                                        To(End(-1), Mid()),           To(Third(), End(-1)),
                                        To(Third(), TwoThirds(-1)),   To(Px(0), TwoThirds(-1))};
constexpr ArrowPoint kRightA[] = {MoveTo(Px(0), TwoThirds(-1)), To(Px(0), Third()),
                                  To(Third(), Third()), To(Third(), Px(1)), To(End(-1), Mid())};
constexpr ArrowPoint kRightN[] = {MoveTo(End(-2), Mid()),      To(Third(1), End(-3)),
                                  MoveTo(End(-3), Mid()),      To(Third(1), End(-3)),
                                  To(Third(1), TwoThirds(-2)), To(Px(1), TwoThirds(-2))};
constexpr ArrowPoint kRightP[] = {MoveTo(Px(1), TwoThirds(-2)), To(Px(1), Third(1)),
                                  To(Third(1), Third(1)), To(Third(1), Px(3)), To(End(-2), Mid())};
constexpr ArrowPoint kRightS[] = {MoveTo(End(-3), Mid()), To(Third(1), End(-3)),
                                  To(Third(1), TwoThirds(-2)), To(Px(0), TwoThirds(-2))};
constexpr ArrowPoint kRightL[] = {
    MoveTo(Px(1), TwoThirds(-2)), To(Px(1), Third(1)),        To(Third(1), Third(1)),
    To(Third(1), Px(3)),          To(End(-3), Mid()),         MoveTo(End(-1), Mid()),
    To(Third(), End(-1)),         To(Third(), TwoThirds(-1)), To(Px(0), TwoThirds(-1))};
constexpr ArrowPoint kRightQ[] = {MoveTo(Px(2), Third(2)), To(Px(2), TwoThirds(-3)),
                                  To(Third(2), TwoThirds(-3)), To(Third(2), End(-5)),
                                  To(End(-5), Mid())};
constexpr ArrowPoint kRightF1[] = {MoveTo(Px(1), TwoThirds(-2)), To(Px(1), Third())};
constexpr ArrowPoint kRightF2[] = {MoveTo(Px(2), Third(1)), To(Px(2), TwoThirds(-2)),
                                   To(Third(1), TwoThirds(-2)), To(Third(1), End(-3)),
                                   To(End(-2), Mid())};
constexpr ArrowPoint kRightF3[] = {MoveTo(Px(3), TwoThirds(-3)), To(Third(2), TwoThirds(-3)),
                                   To(Third(2), End(-5)), To(End(-3), Mid())};
constexpr ArrowPoint kRightF4[] = {MoveTo(Px(3), Third(1)), To(Third(1), Third(1)),
                                   To(Third(1), Px(3)), To(End(-3), Mid())};
constexpr ArrowPoint kRightF5[] = {MoveTo(Px(4), Third(2)), To(Third(2), Third(2)),
                                   To(Third(2), Px(5)), To(End(-4), Mid())};
constexpr ArrowPoint kRightG[] = {MoveTo(Px(1), TwoThirds(-2)), To(Px(1), Third(1)),
                                  To(Third(1), Third(1)),       To(Third(1), Px(3)),
                                  To(End(-2), Mid(-1)),         To(Third(1), End(-3)),
                                  To(Third(1), TwoThirds(-2)),  To(Px(1), TwoThirds(-2))};

// Shape 11, down arrow.

constexpr ArrowPoint kDownOutline[] = {MoveTo(TwoThirds(), Px(0)), To(Third(), Px(0)),
                                       To(Third(), Third()),       To(Px(1), Third()),
                                       To(Mid(), End(-1)),         To(End(-1), Third()),
                                       To(TwoThirds(-1), Third()), To(TwoThirds(-1), Px(0))};
constexpr ArrowPoint kDownA[] = {MoveTo(TwoThirds(), Px(0)), To(Third(), Px(0)),
                                 To(Third(), Third()), To(Px(1), Third()), To(Mid(), End(-1))};
constexpr ArrowPoint kDownN[] = {MoveTo(TwoThirds(-2), Px(1)), To(TwoThirds(-2), Third(1)),
                                 To(End(-3), Third(1)),        To(Mid(), End(-2)),
                                 MoveTo(End(-3), Third(1)),    To(Mid(), End(-3))};
constexpr ArrowPoint kDownP[] = {MoveTo(TwoThirds(-1), Px(1)), To(Third(1), Px(1)),
                                 To(Third(1), Third(1)), To(Px(3), Third(1)), To(Mid(), End(-2))};
constexpr ArrowPoint kDownS[] = {MoveTo(TwoThirds(-2), Px(2)), To(TwoThirds(-2), Third(1)),
                                 To(End(-3), Third(1)), To(Mid(), End(-3))};
constexpr ArrowPoint kDownL[] = {MoveTo(Third(1), Px(1)),      To(TwoThirds(1), Px(1)),
                                 MoveTo(Third(1), Px(2)),      To(Third(1), Third(1)),
                                 To(Px(3), Third(1)),          To(Mid(), End(-3)),
                                 MoveTo(TwoThirds(-1), Px(2)), To(TwoThirds(-1), Third()),
                                 To(End(-1), Third()),         To(Mid(), End(-1))};
constexpr ArrowPoint kDownQ[] = {MoveTo(Third(3), Px(2)), To(TwoThirds(-3), Px(2)),
                                 To(TwoThirds(-3), Third(2)), To(End(-5), Third(2)),
                                 To(Mid(), End(-4))};
constexpr ArrowPoint kDownF1[] = {MoveTo(Third(1), Px(1)), To(TwoThirds(-1), Px(1))};
constexpr ArrowPoint kDownF2[] = {MoveTo(Third(1), Px(1)), To(TwoThirds(-2), Px(1)),
                                  To(TwoThirds(-2), Third(1)), To(End(-3), Third(1)),
                                  To(Mid(), End(-2))};
constexpr ArrowPoint kDownF3[] = {MoveTo(TwoThirds(-3), Px(2)), To(TwoThirds(-3), Third(2)),
                                  To(End(-5), Third(2)), To(Mid(), End(-4))};
constexpr ArrowPoint kDownF4[] = {MoveTo(Third(1), Px(2)), To(Third(1), Third(1)),
                                  To(Px(3), Third(1)), To(Mid(), End(-3))};
constexpr ArrowPoint kDownF5[] = {MoveTo(Third(2), Px(3)), To(Third(2), Third(2)),
                                  To(Px(4), Third(2)), To(Mid(), End(-4))};
constexpr ArrowPoint kDownG[] = {MoveTo(TwoThirds(), Px(1)),  To(Third(1), Px(1)),
                                 To(Third(1), Third(1)),      To(Px(3), Third(1)),
                                 To(Mid(-1), End(-2)),        To(End(-3), Third(1)),
                                 To(TwoThirds(-2), Third(1)), To(TwoThirds(-2), Px(1))};

constexpr ArrowTable kArrowUp{
    .region = kUpRegion,
    .outline = kUpOutline,
    .a = kUpA,
    .n = kUpN,
    .p = kUpP,
    .s = kUpS,
    .l = kUpL,
    .q = kUpQ,
    .f = {kUpF1, kUpF2, kUpF3, kUpF4, kUpF5},
    .g = kUpG,
    .focus_ring = kUpFocusRing,
    .highlight_before_shadow = true,
};

constexpr ArrowTable kArrowLeft{
    .region = Transposed(kUpRegion),
    .outline = kLeftOutline,
    .a = kLeftA,
    .n = kLeftN,
    .p = kLeftP,
    .s = kLeftS,
    .l = kLeftL,
    .q = kLeftQ,
    .f = {kLeftF1, kLeftF2, kLeftF3, kLeftF4, kLeftF5},
    .g = kLeftG,
    .focus_ring = Transposed(kUpFocusRing),
    .highlight_before_shadow = false,
};

constexpr ArrowTable kArrowRight{
    .region = MirroredLeftRight(Transposed(kUpRegion), Mirror::kCorner),
    .outline = kRightOutline,
    .a = kRightA,
    .n = kRightN,
    .p = kRightP,
    .s = kRightS,
    .l = kRightL,
    .q = kRightQ,
    .f = {kRightF1, kRightF2, kRightF3, kRightF4, kRightF5},
    .g = kRightG,
    .focus_ring = MirroredLeftRight(Transposed(kUpFocusRing), Mirror::kPixel),
    .highlight_before_shadow = false,
};

constexpr ArrowTable kArrowDown{
    .region = MirroredTopBottom(kUpRegion, Mirror::kCorner),
    .outline = kDownOutline,
    .a = kDownA,
    .n = kDownN,
    .p = kDownP,
    .s = kDownS,
    .l = kDownL,
    .q = kDownQ,
    .f = {kDownF1, kDownF2, kDownF3, kDownF4, kDownF5},
    .g = kDownG,
    .focus_ring = MirroredTopBottom(kUpFocusRing, Mirror::kPixel),
    .highlight_before_shadow = false,
};

double BaseValue(Base base, double length) {
  switch (base) {
    case Base::kZero:
      return 0.0;
    case Base::kThird:
      return length / 3.0;
    case Base::kHalf:
      return length / 2.0;
    case Base::kTwoThirds:
      return length / 1.5;
    case Base::kEnd:
      return length;
  }
  return 0.0;
}

}  // namespace

const ArrowTable& ArrowUpTable() {
  return kArrowUp;
}
const ArrowTable& ArrowLeftTable() {
  return kArrowLeft;
}
const ArrowTable& ArrowRightTable() {
  return kArrowRight;
}
const ArrowTable& ArrowDownTable() {
  return kArrowDown;
}

Point Resolve(const ArrowPoint& point, double width, double height) {
  return {RoundHalfEven(BaseValue(point.x.base, width) + point.x.offset),
          RoundHalfEven(BaseValue(point.y.base, height) + point.y.offset)};
}

}  // namespace fw::button_shapes::arrow
