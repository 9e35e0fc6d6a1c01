#include "tools/assets/scene.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace fw::assets {
namespace {

std::uint8_t ToByte(double value) {
  return static_cast<std::uint8_t>(std::clamp(std::floor(value * 255 + 0.5), 0.0, 255.0));
}

}  // namespace

void Scene::Add(Shape shape, Paint paint) {
  layers_.push_back({std::move(shape), std::move(paint)});
}

image::Image Scene::Render(int width, int height, int samples) const {
  image::Image out{width, height, {}};
  out.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  const double weight = 1.0 / (samples * samples);
  std::vector<const Layer*> here;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      here.clear();
      for (const Layer& layer : layers_) {
        const Bounds& b = layer.shape.bounds();
        if (b.right >= x && b.left <= x + 1 && b.bottom >= y && b.top <= y + 1) {
          here.push_back(&layer);
        }
      }
      // Premultiplied sums over the samples.
      double r = 0;
      double g = 0;
      double bl = 0;
      double a = 0;
      for (int sy = 0; sy < samples && !here.empty(); ++sy) {
        for (int sx = 0; sx < samples; ++sx) {
          const Vec p{x + (sx + 0.5) / samples, y + (sy + 0.5) / samples};
          double pr = 0;
          double pg = 0;
          double pb = 0;
          double pa = 0;
          for (const Layer* layer : here) {
            if (!layer->shape.Contains(p)) continue;
            const Color c = layer->paint(p);
            // Source over.
            pr = c.r * c.a + pr * (1 - c.a);
            pg = c.g * c.a + pg * (1 - c.a);
            pb = c.b * c.a + pb * (1 - c.a);
            pa = c.a + pa * (1 - c.a);
          }
          r += pr;
          g += pg;
          bl += pb;
          a += pa;
        }
      }
      image::Rgba& pixel = out.At(x, y);
      pixel.a = ToByte(a * weight);
      if (pixel.a == 0) {
        pixel = {0, 0, 0, 0};
        continue;
      }
      pixel.r = ToByte(r / a);
      pixel.g = ToByte(g / a);
      pixel.b = ToByte(bl / a);
    }
  }
  return out;
}

}  // namespace fw::assets
