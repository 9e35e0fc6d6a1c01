#pragma once
// Light for the generated artwork: one light from the upper left and in front, as classic
// Windows artwork is lit. Surfaces are shaded from their normals: a tube's from its centre line,
// a bevelled face's from its edge.
#include "tools/assets/paint.h"
#include "tools/assets/shape.h"

namespace fw::assets {

struct Normal {
  double x = 0;
  double y = 0;
  double z = 1;  // towards the viewer
};

struct Light {
  double diffuse = 0;   // 0 to 1
  double specular = 0;  // 0 to 1, a tight highlight
};

Light LightOn(Normal n);

// The surface of a tube of `radius` around its centre line, at `p`, whose nearest centre-line
// point is `centre`.
Normal TubeNormal(Vec p, Vec centre, double radius);

// A flat face whose edge is rounded over `width` pixels: facing the viewer inside, tilting
// outwards (along the shape's distance gradient) towards the edge.
Normal BevelNormal(const Shape& shape, Vec p, double width);

// `dark` in full shade, `base` in full light, plus `shine` at the highlight.
Color Lit(const Light& light, const Color& dark, const Color& base, const Color& shine);

}  // namespace fw::assets
