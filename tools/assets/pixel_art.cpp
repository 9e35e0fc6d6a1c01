#include "tools/assets/pixel_art.h"

#include <stdexcept>
#include <string>

namespace fw::assets {

image::Image PixelArt(std::span<const std::string_view> rows, std::span<const PixelKey> keys) {
  if (rows.empty()) throw std::invalid_argument("pixel art: no rows");
  image::Image out{static_cast<int>(rows.front().size()), static_cast<int>(rows.size()), {}};
  for (std::size_t y = 0; y < rows.size(); ++y) {
    if (rows[y].size() != rows.front().size()) {
      throw std::invalid_argument("pixel art: row " + std::to_string(y) + " has " +
                                  std::to_string(rows[y].size()) + " pixels, not " +
                                  std::to_string(rows.front().size()));
    }
    for (const char c : rows[y]) {
      if (c == '.') {
        out.pixels.push_back({0, 0, 0, 0});
        continue;
      }
      const PixelKey* found = nullptr;
      for (const PixelKey& key : keys) {
        if (key.key == c) found = &key;
      }
      if (found == nullptr) {
        throw std::invalid_argument(std::string("pixel art: no colour for '") + c + "' in row " +
                                    std::to_string(y));
      }
      out.pixels.push_back({static_cast<std::uint8_t>(found->rgb >> 16),
                            static_cast<std::uint8_t>(found->rgb >> 8),
                            static_cast<std::uint8_t>(found->rgb), 255});
    }
  }
  return out;
}

}  // namespace fw::assets
