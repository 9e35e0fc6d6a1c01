#include "formats/image/palette.h"

#include <algorithm>
#include <array>
#include <map>

namespace fw::image {
namespace {

constexpr std::size_t kOpaqueEntries = 255;  // entry 0 stays black for transparent pixels

struct Entry {
  std::array<int, 3> rgb;
  long count = 0;
};

using Box = std::vector<Entry>;

int Range(const Box& box, int channel) {
  int low = 255;
  int high = 0;
  for (const Entry& e : box) {
    low = std::min(low, e.rgb[static_cast<std::size_t>(channel)]);
    high = std::max(high, e.rgb[static_cast<std::size_t>(channel)]);
  }
  return high - low;
}

// Median cut: split the box with the widest channel range at its pixel-weighted median until
// there are enough boxes. Sorting by the channel and then the whole colour keeps it
// deterministic.
std::vector<Rgba> MedianCut(Box colors) {
  std::vector<Box> boxes{std::move(colors)};
  while (boxes.size() < kOpaqueEntries) {
    std::size_t widest = boxes.size();
    int widest_channel = 0;
    int widest_range = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].size() < 2) continue;
      for (int c = 0; c < 3; ++c) {
        const int range = Range(boxes[i], c);
        if (range > widest_range) {
          widest = i;
          widest_channel = c;
          widest_range = range;
        }
      }
    }
    if (widest == boxes.size()) break;
    Box& box = boxes[widest];
    const auto channel = static_cast<std::size_t>(widest_channel);
    std::sort(box.begin(), box.end(), [channel](const Entry& a, const Entry& b) {
      if (a.rgb[channel] != b.rgb[channel]) return a.rgb[channel] < b.rgb[channel];
      return a.rgb < b.rgb;
    });
    long total = 0;
    for (const Entry& e : box) total += e.count;
    long running = 0;
    std::size_t split = 1;
    for (std::size_t i = 0; i + 1 < box.size(); ++i) {
      running += box[i].count;
      split = i + 1;
      if (2 * running >= total) break;
    }
    Box upper(box.begin() + static_cast<std::ptrdiff_t>(split), box.end());
    box.resize(split);
    boxes.push_back(std::move(upper));
  }
  std::vector<Rgba> palette;
  for (const Box& box : boxes) {
    std::array<long, 3> sum{};
    long count = 0;
    for (const Entry& e : box) {
      for (std::size_t c = 0; c < 3; ++c) sum[c] += e.rgb[c] * e.count;
      count += e.count;
    }
    const auto mean = [&](std::size_t c) {
      return static_cast<std::uint8_t>((sum[c] + count / 2) / count);
    };
    palette.push_back({mean(0), mean(1), mean(2), 255});
  }
  return palette;
}

long Distance2(const Rgba& a, const Rgba& b) {
  const long dr = a.r - b.r;
  const long dg = a.g - b.g;
  const long db = a.b - b.b;
  return dr * dr + dg * dg + db * db;
}

}  // namespace

IndexedImage Quantize(const Image& image) {
  IndexedImage out{image.width, image.height, {}, {}, {}};
  std::map<std::array<int, 3>, long> counts;
  for (const Rgba& p : image.pixels) {
    if (p.a >= 128) ++counts[{p.r, p.g, p.b}];
  }
  Box colors;
  for (const auto& [rgb, count] : counts) colors.push_back({rgb, count});

  out.palette.push_back({0, 0, 0, 255});
  if (colors.size() <= kOpaqueEntries) {
    for (const Entry& e : colors) {
      out.palette.push_back({static_cast<std::uint8_t>(e.rgb[0]),
                             static_cast<std::uint8_t>(e.rgb[1]),
                             static_cast<std::uint8_t>(e.rgb[2]), 255});
    }
  } else {
    const std::vector<Rgba> cut = MedianCut(std::move(colors));
    out.palette.insert(out.palette.end(), cut.begin(), cut.end());
  }
  const std::size_t used = out.palette.size();
  out.palette.resize(256, {0, 0, 0, 255});

  for (const Rgba& p : image.pixels) {
    const bool transparent = p.a < 128;
    out.transparent.push_back(transparent);
    std::size_t best = 0;
    if (!transparent) {
      for (std::size_t i = 1; i < used; ++i) {
        if (Distance2(out.palette[i], p) < Distance2(out.palette[best], p)) best = i;
      }
    }
    out.indices.push_back(static_cast<std::uint8_t>(best));
  }
  return out;
}

}  // namespace fw::image
