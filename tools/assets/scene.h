#pragma once
// A picture as a list of painted shapes, drawn in order, and its rendering with coverage
// antialiasing: each pixel is the average of a grid of samples, and each sample composites the
// layers that contain it. Samples are not shared between layers, so shapes that meet leave no
// seam.
#include <vector>

#include "formats/image/image.h"
#include "tools/assets/paint.h"
#include "tools/assets/shape.h"

namespace fw::assets {

class Scene {
 public:
  void Add(Shape shape, Paint paint);

  // width x height pixels, `samples` x `samples` samples in each; transparent where no layer
  // is. Pixel (x, y) covers the square from (x, y) to (x + 1, y + 1).
  image::Image Render(int width, int height, int samples) const;

 private:
  struct Layer {
    Shape shape;
    Paint paint;
  };
  std::vector<Layer> layers_;
};

}  // namespace fw::assets
