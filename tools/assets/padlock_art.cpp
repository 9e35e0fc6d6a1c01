#include "tools/assets/padlock_art.h"

#include "tools/assets/padlock_drawing.h"
#include "tools/assets/scene.h"

namespace fw::assets {
namespace {

constexpr int kSamples = 8;

// The lock's shape for a picture `width` pixels wide; the body is centred.
PadlockGeometry WindowPadlock(int width) {
  PadlockGeometry g;
  const double left = (width - 44) / 2.0;
  g.body = {left, 35, left + 44, 70};
  g.body_radius = 5;
  g.shackle_radius = 12;
  g.tube_radius = 3.2;
  g.arc_centre_y = 24.2;
  g.outline = 1;
  g.left_leg_inserted = 3;
  return g;
}

image::Image Render(int width, int height, const PadlockGeometry& g) {
  Scene scene;
  scene.Add(RoundRect({0, 0, static_cast<double>(width), static_cast<double>(height)}, 0),
            Solid(Rgb(0xFFFFFF)));
  AddPadlock(scene, g);
  return scene.Render(width, height, kSamples);
}

}  // namespace

image::Image ClosedPadlockBitmap() {
  return Render(52, 72, WindowPadlock(52));
}

image::Image OpenPadlockBitmap() {
  PadlockGeometry g = WindowPadlock(50);
  g.raise = 7;
  g.swing = 0.8;
  return Render(50, 73, g);
}

}  // namespace fw::assets
