#pragma once
// The padlock every Ferrowind picture shows: a brass body with a keyhole and a steel shackle,
// closed or open, at any size. The window's bitmaps and the icon draw it through here so that
// they show the same lock.
#include "tools/assets/scene.h"
#include "tools/assets/shape.h"

namespace fw::assets {

struct PadlockGeometry {
  Bounds body;                   // the brass body
  double body_radius = 5;        // its corner radius
  double shackle_radius = 12;    // from the arc's centre to the tube's centre line
  double tube_radius = 3;        // half the shackle's thickness
  double arc_centre_y = 24;      // where the arc meets the legs, when closed
  double outline = 1;            // dark outline width, in pixels
  double bevel = 2.5;            // how far in from the outline the body's rounded edge reaches
  double left_leg_inserted = 2;  // how deep the short leg goes into the body when closed
  // Open: the shackle is lifted by `raise` pixels and swung about its long (right) leg until
  // its width appears `swing` times the closed width (1 = not swung).
  double raise = 0;
  double swing = 1;
  bool keyhole = true;
};

void AddPadlock(Scene& scene, const PadlockGeometry& g);

}  // namespace fw::assets
