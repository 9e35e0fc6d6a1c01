#include "platform/win32/mask_region.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace fw::win32 {

UniqueRegion OpaqueRegionOfMask(const Picture& mask, ColorRef see_through, int width, int height) {
  // The mask's pixels are 0x00RRGGBB, the colour a COLORREF 0x00BBGGRR.
  const std::uint32_t clear = (static_cast<std::uint32_t>(GetRValue(see_through)) << 16) |
                              (static_cast<std::uint32_t>(GetGValue(see_through)) << 8) |
                              GetBValue(see_through);
  const IconImage& image = mask.image();
  const auto see_through_at = [&](int x, int y) {
    if (x >= image.width || y >= image.height) return false;
    const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                          static_cast<std::size_t>(x);
    return (image.color[i] & 0x00FFFFFFu) == clear;
  };

  // One rectangle per run of opaque pixels in a row, in the banded order regions keep.
  std::vector<RECT> runs;
  for (int y = 0; y < height; ++y) {
    int x = 0;
    while (x < width) {
      while (x < width && see_through_at(x, y)) ++x;
      const int start = x;
      while (x < width && !see_through_at(x, y)) ++x;
      if (x > start) runs.push_back(RECT{start, y, x, y + 1});
    }
  }

  // RGNDATA: the header, then the rectangles. Built in 8-byte words so that both are aligned.
  RGNDATAHEADER header{};
  header.dwSize = sizeof header;
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(runs.size());
  header.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
  header.rcBound = RECT{0, 0, width, height};
  const std::size_t bytes = sizeof header + runs.size() * sizeof(RECT);
  std::vector<std::uint64_t> buffer((bytes + 7) / 8);
  std::memcpy(buffer.data(), &header, sizeof header);
  if (!runs.empty()) {
    std::memcpy(reinterpret_cast<unsigned char*>(buffer.data()) + sizeof header, runs.data(),
                runs.size() * sizeof(RECT));
  }
  return UniqueRegion(::ExtCreateRegion(nullptr, static_cast<DWORD>(bytes),
                                        reinterpret_cast<const RGNDATA*>(buffer.data())));
}

}  // namespace fw::win32
