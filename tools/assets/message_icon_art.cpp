#include "tools/assets/message_icon_art.h"

#include "tools/assets/scene.h"

namespace fw::assets {
namespace {

constexpr int kSize = 32;
constexpr int kSamples = 8;
// COLOR_BTNFACE of the system-colour table the message boxes are drawn with.
constexpr std::uint32_t kDialogFaceRgb = 0xF5F5F5;

// Pixels a shape covers at all become opaque, their colour blended over the dialog face by
// coverage; the rest stay transparent.
image::Image OverDialogFace(const Scene& scene) {
  image::Image out = scene.Render(kSize, kSize, kSamples);
  const Color face = Rgb(kDialogFaceRgb);
  for (image::Rgba& p : out.pixels) {
    if (p.a == 0 || p.a == 255) continue;
    const double t = p.a / 255.0;
    const auto blend = [t](std::uint8_t c, double under) {
      return static_cast<std::uint8_t>(c * t + under * 255.0 * (1 - t) + 0.5);
    };
    p = {blend(p.r, face.r), blend(p.g, face.g), blend(p.b, face.b), 255};
  }
  return out;
}

// A disc lit from the upper left, with a darker rim.
void AddDisc(Scene& scene, std::uint32_t rim, std::uint32_t light, std::uint32_t dark) {
  const Vec centre{16, 16};
  scene.Add(Circle(centre, 15), Solid(Rgb(rim)));
  scene.Add(Circle(centre, 14),
            LinearGradient({6, 4}, {26, 28}, {{0, Rgb(light)}, {1, Rgb(dark)}}));
}

}  // namespace

image::Image ErrorIconImage() {
  Scene scene;
  AddDisc(scene, 0x8E1010, 0xF2584C, 0xC41E1E);
  const Color white = Rgb(0xFFFFFF);
  scene.Add(Stroke({{10.5, 10.5}, {21.5, 21.5}}, 2.1), Solid(white));
  scene.Add(Stroke({{21.5, 10.5}, {10.5, 21.5}}, 2.1), Solid(white));
  return OverDialogFace(scene);
}

image::Image ExclamationIconImage() {
  Scene scene;
  const Shape triangle = Polygon({{16, 3.5}, {29.5, 28}, {2.5, 28}});
  scene.Add(Grow(triangle, 1.6), Solid(Rgb(0x7A5A00)));
  scene.Add(Grow(triangle, 0.6),
            LinearGradient({10, 4}, {22, 28}, {{0, Rgb(0xFFE46B)}, {1, Rgb(0xF2B705)}}));
  const Color black = Rgb(0x1A1A1A);
  scene.Add(Stroke({{16, 11}, {16, 19.5}}, 1.8), Solid(black));
  scene.Add(Circle({16, 24}, 1.9), Solid(black));
  return OverDialogFace(scene);
}

image::Image InformationIconImage() {
  Scene scene;
  AddDisc(scene, 0x0E3C8C, 0x5EA2F0, 0x1F5FC4);
  const Color white = Rgb(0xFFFFFF);
  scene.Add(Circle({16, 9.5}, 2.2), Solid(white));
  scene.Add(Stroke({{16, 14.5}, {16, 24}}, 2.0), Solid(white));
  return OverDialogFace(scene);
}

}  // namespace fw::assets
