#include "tools/assets/padlock_drawing.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/assets/shading.h"

namespace fw::assets {
namespace {

const Color kSteelOutline = Rgb(0x2E3238);
const Color kSteelDark = Rgb(0x4E555E);
const Color kSteel = Rgb(0xD2D7DD);
const Color kSteelShine = Rgb(0xFFFFFF);

const Color kBrassOutline = Rgb(0x5A3906);
const Color kBrassDark = Rgb(0x96620C);
const Color kBrass = Rgb(0xF4C64E);
const Color kBrassShine = Rgb(0xFFF7D6);

const Color kHole = Rgb(0x24180A);
const Color kHoleRim = Rgb(0xFFE7A0);

// The quarter plane left of `x` and below `y`.
Shape BelowLeftOf(double x, double y) {
  return Shape([x, y](Vec p) { return std::max(p.x - x, y - p.y); }, {-1e4, y, x, 1e4});
}

void AddShackle(Scene& scene, const PadlockGeometry& g) {
  const double centre_x = (g.body.left + g.body.right) / 2;
  const double right_x = centre_x + g.shackle_radius;
  const double left_x = right_x - 2 * g.shackle_radius * g.swing;
  const double arc_y = g.arc_centre_y - g.raise;
  const double left_end = g.body.top + g.left_leg_inserted - g.raise;
  const double right_end = g.body.bottom - g.body_radius;  // hidden in the body

  std::vector<Vec> path{{left_x, left_end}};
  const std::vector<Vec> arc = UpperHalfEllipse({(left_x + right_x) / 2, arc_y},
                                                (right_x - left_x) / 2, g.shackle_radius, 24);
  path.insert(path.end(), arc.begin(), arc.end());
  path.push_back({right_x, right_end});

  // The short leg ends flat.
  const double middle = (left_x + right_x) / 2;
  const Shape outer = Subtract(Stroke(path, g.tube_radius), BelowLeftOf(middle, left_end));
  const double inner_radius = g.tube_radius - g.outline;
  const Shape inner =
      Subtract(Stroke(path, inner_radius), BelowLeftOf(middle, left_end - g.outline));
  scene.Add(outer, Solid(kSteelOutline));
  scene.Add(inner, [path, inner_radius](Vec p) {
    const PathPoint nearest = NearestOnPath(path, p);
    return Lit(LightOn(TubeNormal(p, nearest.point, inner_radius)), kSteelDark, kSteel,
               kSteelShine);
  });
}

void AddBody(Scene& scene, const PadlockGeometry& g) {
  const Shape body = RoundRect(g.body, g.body_radius);
  const Shape face = Grow(body, -g.outline);
  const double bevel = g.bevel;
  const double top = g.body.top;
  const double height = g.body.bottom - g.body.top;
  scene.Add(body, Solid(kBrassOutline));
  scene.Add(face, [face, bevel, top, height](Vec p) {
    const Color lit = Lit(LightOn(BevelNormal(face, p, bevel)), kBrassDark, kBrass, kBrassShine);
    // Polished brass: a little brighter towards the top.
    return Scale(lit, 1.08 - 0.16 * (p.y - top) / height);
  });

  // The holes the shackle's legs go into, just under the body's top edge.
  const double centre_x = (g.body.left + g.body.right) / 2;
  const double hole_y = top + g.outline + g.tube_radius * 0.45;
  for (const double x : {centre_x - g.shackle_radius, centre_x + g.shackle_radius}) {
    scene.Add(Ellipse({x, hole_y}, g.tube_radius * 1.05, g.tube_radius * 0.4),
              Solid(Rgb(0x3A2606, 0.75)));
  }
}

// A keyhole whose edges fall on whole pixels, for bodies too small to round it: a slot two
// pixels wide under a head four wide (two on the smallest).
Shape PixelKeyhole(const PadlockGeometry& g) {
  const double width = g.body.right - g.body.left;
  const double height = g.body.bottom - g.body.top;
  const double cx = std::floor((g.body.left + g.body.right) / 2 + 0.5);
  const double head_top = std::floor(g.body.top + height * 0.28 + 0.5);
  const double slot_bottom = std::floor(g.body.top + height * 0.74 + 0.5);
  const double head = width >= 24 ? 2 : 1;
  return Union(RoundRect({cx - head, head_top, cx + head, head_top + 2 * head}, head / 2),
               RoundRect({cx - 1, head_top + head, cx + 1, slot_bottom}, 0));
}

Shape RoundKeyhole(const PadlockGeometry& g) {
  const double width = g.body.right - g.body.left;
  const double height = g.body.bottom - g.body.top;
  const double cx = (g.body.left + g.body.right) / 2;
  const double cy = g.body.top + height * 0.42;
  const double r = width * 0.085;
  const double slot_bottom = g.body.top + height * 0.78;
  return Union(Circle({cx, cy}, r), Polygon({{cx - r * 0.5, cy},
                                             {cx + r * 0.5, cy},
                                             {cx + r * 0.8, slot_bottom},
                                             {cx - r * 0.8, slot_bottom}}));
}

void AddKeyhole(Scene& scene, const PadlockGeometry& g) {
  const bool small = g.body.right - g.body.left < 40;
  const Shape hole = small ? PixelKeyhole(g) : RoundKeyhole(g);
  // Cut into the metal: the far wall catches the light.
  const double rim = small ? 1 : std::max(g.outline * 0.9, (g.body.right - g.body.left) * 0.019);
  scene.Add(Translate(hole, {small ? 0 : rim * 0.5, rim}), Solid(kHoleRim));
  scene.Add(hole, Solid(kHole));
}

}  // namespace

void AddPadlock(Scene& scene, const PadlockGeometry& g) {
  AddShackle(scene, g);
  AddBody(scene, g);
  if (g.keyhole) AddKeyhole(scene, g);
}

}  // namespace fw::assets
