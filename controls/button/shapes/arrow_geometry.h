#pragma once
// The coordinate tables of the four block arrows (ButtonShape 8 to 11) and how a table entry
// becomes a pixel position.
//
// Every coordinate of an arrow is measured along its own axis (x along W, y along H) from one
// of five bases, 0, a third, a half, two thirds or the whole length, plus an offset, and is
// converted as a whole with r (halves to even): Third(+1) is r(W/3 + 1), End(-1.5) is
// r(H - 1.5), TwoThirds(0) is r(W/1.5). Working from bases rather than finished numbers is what
// lets the arrows share one table of region corners and focus-ring vertices: turning an arrow
// maps bases onto bases (a third onto two thirds, 0 onto the whole length), and so gives exactly
// the entries each arrow's own table has, for any W and H.
#include <array>
#include <cstdint>
#include <span>

#include "platform/geometry.h"

namespace fw::button_shapes::arrow {

enum class Base : std::uint8_t { kZero, kThird, kHalf, kTwoThirds, kEnd };

// r(base + offset) along one axis.
struct Coord {
  Base base = Base::kZero;
  double offset = 0.0;
  friend constexpr bool operator==(const Coord&, const Coord&) = default;
};

constexpr Coord Px(double value) {
  return {Base::kZero, value};
}
constexpr Coord Third(double offset = 0.0) {
  return {Base::kThird, offset};
}
constexpr Coord Mid(double offset = 0.0) {
  return {Base::kHalf, offset};
}
constexpr Coord TwoThirds(double offset = 0.0) {
  return {Base::kTwoThirds, offset};
}
constexpr Coord End(double offset = 0.0) {
  return {Base::kEnd, offset};
}

// One point of a run: either the start of a stretch (MoveToEx) or the end of a line (LineTo).
// Region corners and focus-ring vertices use the same type; their step is not read.
struct ArrowPoint {
  Coord x;
  Coord y;
  bool move = false;
  friend constexpr bool operator==(const ArrowPoint&, const ArrowPoint&) = default;
};

constexpr ArrowPoint MoveTo(Coord x, Coord y) {
  return {x, y, true};
}
constexpr ArrowPoint To(Coord x, Coord y) {
  return {x, y, false};
}

// A run's points in drawing order; its first point always starts a stretch.
using ArrowRun = std::span<const ArrowPoint>;
// The seven vertices of a window region or a focus ring.
using Heptagon = std::array<ArrowPoint, 7>;

// One arrow: its region corners, outline, the named runs the style table draws, and its
// focus-ring vertices.
struct ArrowTable {
  Heptagon region;
  ArrowRun outline;
  ArrowRun a;                 // raised or sunken edge: ButtonStyle 1 to 3
  ArrowRun n;                 // shadow of ButtonStyle 1, not pressed
  ArrowRun p;                 // inner shadow of ButtonStyle 1, pressed
  ArrowRun s;                 // shadow of ButtonStyle 4
  ArrowRun l;                 // highlight of ButtonStyle 4
  ArrowRun q;                 // highlight of ButtonStyle 6, pressed
  std::array<ArrowRun, 5> f;  // F1 to F5 of ButtonStyle 6, hover or focus
  ArrowRun g;                 // the ring of ButtonStyle 7
  Heptagon focus_ring;
  // ButtonStyle 1, not pressed: the up arrow draws its highlight A before its shadow N; the
  // other three draw N first, so that A ends up on top where the two meet.
  bool highlight_before_shadow = false;
};

const ArrowTable& ArrowUpTable();     // ButtonShape 8
const ArrowTable& ArrowLeftTable();   // ButtonShape 9
const ArrowTable& ArrowRightTable();  // ButtonShape 10
const ArrowTable& ArrowDownTable();   // ButtonShape 11

// The pixel position of `point` on a surface `width` x `height` pixels.
Point Resolve(const ArrowPoint& point, double width, double height);

// Turning. A region corner c on an axis of length n mirrors to n - c; a pixel p to n - 1 - p.
// Bases mirror onto bases: 0 and the whole length swap, a third and two thirds swap (W - r(2W/3)
// equals r(W/3) for whole W, so no entry moves by a rounding step).
enum class Mirror : std::uint8_t { kCorner, kPixel };

constexpr Base Opposite(Base base) {
  switch (base) {
    case Base::kZero:
      return Base::kEnd;
    case Base::kThird:
      return Base::kTwoThirds;
    case Base::kHalf:  // the tables never mirror a half (arrow_tables.cpp checks it)
      return Base::kHalf;
    case Base::kTwoThirds:
      return Base::kThird;
    case Base::kEnd:
      return Base::kZero;
  }
  return base;
}

constexpr Coord Mirrored(Coord c, Mirror mirror) {
  return {Opposite(c.base), (mirror == Mirror::kCorner ? 0.0 : -1.0) - c.offset};
}

// x and y exchanged: the up arrow becomes the left arrow.
constexpr Heptagon Transposed(const Heptagon& points) {
  Heptagon out{};
  for (std::size_t i = 0; i < points.size(); ++i) out[i] = {points[i].y, points[i].x, false};
  return out;
}

constexpr Heptagon MirroredLeftRight(const Heptagon& points, Mirror mirror) {
  Heptagon out{};
  for (std::size_t i = 0; i < points.size(); ++i) {
    out[i] = {Mirrored(points[i].x, mirror), points[i].y, false};
  }
  return out;
}

constexpr Heptagon MirroredTopBottom(const Heptagon& points, Mirror mirror) {
  Heptagon out{};
  for (std::size_t i = 0; i < points.size(); ++i) {
    out[i] = {points[i].x, Mirrored(points[i].y, mirror), false};
  }
  return out;
}

}  // namespace fw::button_shapes::arrow
