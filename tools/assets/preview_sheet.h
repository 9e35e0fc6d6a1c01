#pragma once
// Contact sheets for looking at the generated art: images side by side, magnified without
// smoothing, transparent pixels over a grey checkerboard so that the edges show.
#include <vector>

#include "formats/image/image.h"

namespace fw::assets {

class PreviewSheet {
 public:
  // Adds `image`, `scale` times larger, to the right of the last one.
  void Add(const image::Image& image, int scale);
  // The next images start a new row.
  void NewRow();
  image::Image Render() const;

 private:
  struct Placed {
    image::Image image;
    int scale;
  };
  std::vector<std::vector<Placed>> rows_{{}};
};

}  // namespace fw::assets
