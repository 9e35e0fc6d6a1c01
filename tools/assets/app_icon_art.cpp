#include "tools/assets/app_icon_art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <string_view>

#include "tools/assets/padlock_drawing.h"
#include "tools/assets/pixel_art.h"
#include "tools/assets/scene.h"
#include "tools/assets/shading.h"

namespace fw::assets {
namespace {

const Color kShieldOutline = Rgb(0x0E2A5C);
const Color kRimLight = Rgb(0xB9D3F5);
const Color kRimDark = Rgb(0x3C6CB4);
const Color kFieldLight = Rgb(0x4A8FE8);
const Color kFieldDark = Rgb(0x1C4C9E);
const Color kSymbol = Rgb(0xFFFFFF, 0.92);

// Everything is laid out on a 256-unit square and scaled; `Px` rounds to whole pixels for the
// edges that must stay crisp at small sizes.
struct Layout {
  double scale;
  double Px(double units) const { return std::floor(units * scale + 0.5); }
  double At(double units) const { return units * scale; }
};

// A heater shield: straight sides from the top down to `shoulder`, then two arcs meeting in a
// point at the bottom. Each arc is a circle centred level with the shoulder on the other side,
// so that it leaves the straight side without a kink. The two circles' lens reaches above the
// shoulder too (inside the straight part), which keeps the distance right across the seam.
Shape Shield(Bounds box, double shoulder, double corner) {
  const double centre_x = (box.left + box.right) / 2;
  const double half = (box.right - box.left) / 2;
  const double drop = box.bottom - shoulder;
  // The right-hand circle's centre (centre_x + d, shoulder) is as far from the bottom point as
  // from the left shoulder corner.
  const double d = (drop * drop - half * half) / (2 * half);
  const double radius = d + half;
  const Shape upper = RoundRect({box.left, box.top, box.right, shoulder + corner}, corner);
  const double top = box.top;
  const Shape below_top([top](Vec p) { return top - p.y; }, box);
  const Shape lens =
      Intersect(Circle({centre_x + d, shoulder}, radius), Circle({centre_x - d, shoulder}, radius));
  return Union(upper, Intersect(lens, below_top));
}

void AddShield(Scene& scene, const Layout& l, int size) {
  const double outline = std::max(1.0, l.Px(5));
  const bool small = size < 128;
  const double rim = small ? 1.0 : l.Px(12);
  const double left = l.Px(18);
  const double right = size - left;
  const double top = l.Px(8);
  const double bottom = l.At(250);
  const Shape shield = Shield({left, top, right, bottom}, l.At(118), l.At(14));
  const Shape rim_shape = Grow(shield, -outline);
  const Shape field = Grow(shield, -(outline + rim));
  const double centre_x = size / 2.0;
  scene.Add(shield, Solid(kShieldOutline));
  // A metal rim, lit from the upper left.
  scene.Add(rim_shape,
            LinearGradient({left, top}, {right, bottom},
                           {{0, kRimLight}, {0.55, Mix(kRimLight, kRimDark, 0.5)}, {1, kRimDark}}));
  // A fine groove between rim and field, where there is room for it.
  if (!small) scene.Add(Grow(field, outline * 0.6), Solid(Mix(kShieldOutline, kRimDark, 0.4)));
  // The field: its left half catches more light, as on a shield with a ridge down the middle.
  const Paint field_light = LinearGradient(
      {0, top}, {0, bottom}, {{0, kFieldLight}, {1, Mix(kFieldLight, kFieldDark, 0.6)}});
  const Paint field_dark = LinearGradient(
      {0, top}, {0, bottom}, {{0, Mix(kFieldLight, kFieldDark, 0.45)}, {1, kFieldDark}});
  scene.Add(field, [field_light, field_dark, centre_x](Vec p) {
    return p.x < centre_x ? field_light(p) : field_dark(p);
  });
}

// The USB sign between the shackle's legs: a stem with an arrowhead, and two arms that end in a
// circle and a square.
void AddUsbSign(Scene& scene, const Layout& l) {
  const double cx = l.At(128);
  const double w = l.At(3.2);  // half the line width
  const Shape stem = Stroke({{cx, l.At(72)}, {cx, l.At(118)}}, w);
  const Shape head = Polygon({{cx, l.At(62)}, {cx + l.At(7), l.At(74)}, {cx - l.At(7), l.At(74)}});
  const Shape base = Circle({cx, l.At(116)}, l.At(6));
  const Shape left_arm =
      Stroke({{cx, l.At(104)}, {cx - l.At(14), l.At(95)}, {cx - l.At(14), l.At(86)}}, w);
  const Shape left_end = Circle({cx - l.At(14), l.At(84)}, l.At(5));
  const Shape right_arm =
      Stroke({{cx, l.At(98)}, {cx + l.At(13), l.At(90)}, {cx + l.At(13), l.At(82)}}, w);
  const Shape right_end = RoundRect({cx + l.At(8.5), l.At(74), cx + l.At(17.5), l.At(83)}, l.At(1));
  Shape sign = Union(Union(Union(stem, head), Union(base, left_arm)),
                     Union(Union(left_end, right_arm), right_end));
  scene.Add(sign, Solid(kSymbol));
}

PadlockGeometry IconPadlock(const Layout& l, int size) {
  PadlockGeometry g;
  const double left = l.Px(60);
  g.body = {left, l.Px(128), size - left, l.Px(226)};
  g.body_radius = l.At(16);
  g.outline = std::max(1.0, l.Px(4));
  g.bevel = std::max(1.0, l.At(10));
  g.tube_radius = std::max(2.0, l.Px(14));
  g.shackle_radius = std::floor(l.At(40) - g.tube_radius + 0.5) + g.tube_radius;
  g.arc_centre_y = g.body.top - std::max(2.0, l.Px(26));
  g.left_leg_inserted = g.tube_radius;
  return g;
}

// A soft shadow the padlock casts on the shield, down and to the right.
void AddPadlockShadow(Scene& scene, const Layout& l, const PadlockGeometry& g) {
  const double blur = std::max(1.0, l.At(10));
  const Shape body = Translate(RoundRect(g.body, g.body_radius), {l.At(6), l.At(8)});
  scene.Add(Grow(body, blur), [body, blur](Vec p) {
    const double t = std::clamp(0.5 - body(p) / (2 * blur), 0.0, 1.0);
    return Rgb(0x061630, 0.45 * t * t * (3 - 2 * t));
  });
}

image::Image DrawnIcon(int size) {
  const Layout l{size / 256.0};
  Scene scene;
  AddShield(scene, l, size);
  const PadlockGeometry lock = IconPadlock(l, size);
  if (size >= 128) AddUsbSign(scene, l);
  if (size >= 128) AddPadlockShadow(scene, l, lock);
  AddPadlock(scene, lock);
  image::Image image = scene.Render(size, size, size >= 128 ? 4 : 8);
  // A faint edge would be a full pixel wherever the AND mask is used: leave it out.
  for (image::Rgba& p : image.pixels) {
    if (p.a < 8) p = {0, 0, 0, 0};
  }
  return image;
}

image::Image PixelIcon16() {
  static constexpr std::array<std::string_view, 16> kRows{
      // 0123456789012345
      ".oooooooooooooo.",  //  0
      ".orrrrrrrrrrrro.",  //  1
      ".orbbbsssSBBBro.",  //  2
      ".orbbsSbBsSBBro.",  //  3
      ".orbbsSbBsSBBro.",  //  4
      ".orbbsSbBsSBBro.",  //  5
      ".orbbsSbBsSBBro.",  //  6
      ".oOOOOOOOOOOOOo.",  //  7
      ".oOyyyyyyyyyGOo.",  //  8
      ".oOggggkkgggGOo.",  //  9
      "..OggggkkgggGO..",  // 10
      "..OggggkkgggGO..",  // 11
      "..OgGGGGGGGGGO..",  // 12
      "..OOOOOOOOOOOO..",  // 13
      "......oBBo......",  // 14
      ".......oo.......",  // 15
  };
  static constexpr std::array<PixelKey, 11> kKeys{{{'o', 0x0E2A5C},
                                                   {'r', 0x7FA6DA},
                                                   {'b', 0x3F82DC},
                                                   {'B', 0x245AAE},
                                                   {'s', 0xD8DDE3},
                                                   {'S', 0x8A919A},
                                                   {'O', 0x5A3906},
                                                   {'g', 0xF2C24A},
                                                   {'G', 0xB67F16},
                                                   {'k', 0x24180A},
                                                   {'y', 0xFFE08A}}};
  return PixelArt(kRows, kKeys);
}

}  // namespace

image::Image AppIconImage(int size) {
  switch (size) {
    case 256:
    case 128:
    case 48:
    case 32:
      return DrawnIcon(size);
    case 16:
      return PixelIcon16();
    default:
      throw std::invalid_argument("icon: no " + std::to_string(size) + "-pixel image");
  }
}

}  // namespace fw::assets
