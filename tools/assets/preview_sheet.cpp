#include "tools/assets/preview_sheet.h"

#include <algorithm>

namespace fw::assets {
namespace {

constexpr int kGap = 8;
const image::Rgba kSheet{0x40, 0x48, 0x58, 255};

image::Rgba Checker(int x, int y) {
  const bool light = ((x / 8) + (y / 8)) % 2 == 0;
  const std::uint8_t v = light ? 0xEE : 0xBB;
  return {v, v, v, 255};
}

image::Rgba Over(const image::Rgba& top, const image::Rgba& bottom) {
  const auto blend = [&](std::uint8_t t, std::uint8_t b) {
    return static_cast<std::uint8_t>((t * top.a + b * (255 - top.a) + 127) / 255);
  };
  return {blend(top.r, bottom.r), blend(top.g, bottom.g), blend(top.b, bottom.b), 255};
}

}  // namespace

void PreviewSheet::Add(const image::Image& image, int scale) {
  rows_.back().push_back({image, scale});
}

void PreviewSheet::NewRow() {
  rows_.emplace_back();
}

image::Image PreviewSheet::Render() const {
  int width = kGap;
  int height = kGap;
  for (const auto& row : rows_) {
    int row_width = kGap;
    int row_height = 0;
    for (const Placed& p : row) {
      row_width += p.image.width * p.scale + kGap;
      row_height = std::max(row_height, p.image.height * p.scale);
    }
    width = std::max(width, row_width);
    height += row_height + kGap;
  }
  image::Image sheet{
      width, height,
      std::vector<image::Rgba>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                               kSheet)};
  int top = kGap;
  for (const auto& row : rows_) {
    int left = kGap;
    int row_height = 0;
    for (const Placed& p : row) {
      for (int y = 0; y < p.image.height * p.scale; ++y) {
        for (int x = 0; x < p.image.width * p.scale; ++x) {
          sheet.At(left + x, top + y) = Over(p.image.At(x / p.scale, y / p.scale), Checker(x, y));
        }
      }
      left += p.image.width * p.scale + kGap;
      row_height = std::max(row_height, p.image.height * p.scale);
    }
    top += row_height + kGap;
  }
  return sheet;
}

}  // namespace fw::assets
