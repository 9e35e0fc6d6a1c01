#include "platform/win32/picture_icons.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace fw::win32 {
namespace {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// CreateIconIndirect from the picture's XOR colours and AND mask. The colours' top bytes stay
// 0: an image with any alpha would be alpha-blended with the mask ignored.
HICON CreateFromImage(const IconImage& image, bool is_icon, Point hot_spot) {
  if (image.width <= 0 || image.height <= 0) return nullptr;
  const auto w = static_cast<std::size_t>(image.width);
  const auto h = static_cast<std::size_t>(image.height);
  if (image.color.size() != w * h || image.mask.size() != w * h) return nullptr;

  const BITMAPINFO info = TopDown32(image.width, image.height);
  void* bits = nullptr;
  const UniqueBitmap color(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!color || bits == nullptr) return nullptr;
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (std::size_t i = 0; i < w * h; ++i) pixels[i] = image.color[i] & 0x00FFFFFFu;

  // 1 bit per pixel, rows padded to 16 bits as CreateBitmap expects, most significant bit
  // first; a set bit keeps what lies beneath.
  const std::size_t stride = (w + 15) / 16 * 2;
  std::vector<std::uint8_t> mask_bits(stride * h, 0);
  for (std::size_t row = 0; row < h; ++row) {
    for (std::size_t column = 0; column < w; ++column) {
      if (image.mask[row * w + column]) {
        mask_bits[row * stride + column / 8] |= static_cast<std::uint8_t>(0x80u >> (column % 8));
      }
    }
  }
  const UniqueBitmap mask(::CreateBitmap(image.width, image.height, 1, 1, mask_bits.data()));
  if (!mask) return nullptr;

  ICONINFO icon_info{};
  icon_info.fIcon = is_icon ? TRUE : FALSE;
  icon_info.xHotspot = static_cast<DWORD>(std::max(hot_spot.x, 0));
  icon_info.yHotspot = static_cast<DWORD>(std::max(hot_spot.y, 0));
  icon_info.hbmMask = mask.get();
  icon_info.hbmColor = color.get();
  // CreateIconIndirect copies both bitmaps; ours are deleted on return.
  return ::CreateIconIndirect(&icon_info);
}

std::uint16_t Word(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}
std::uint32_t Dword(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(Word(bytes, at)) |
         (static_cast<std::uint32_t>(Word(bytes, at + 2)) << 16);
}

struct IcoEntry {
  int size;  // width; 0 in the directory means 256
  int bits;
  std::span<const std::uint8_t> image;
};

// The directory's entries whose images lie inside the file; nothing for a file that is not an
// icon file.
std::vector<IcoEntry> IcoEntries(std::span<const std::uint8_t> file) {
  constexpr std::size_t kHeader = 6;
  constexpr std::size_t kEntry = 16;
  std::vector<IcoEntry> entries;
  if (file.size() < kHeader || Word(file, 0) != 0 || Word(file, 2) != 1) return entries;
  const std::size_t count = Word(file, 4);
  if (file.size() < kHeader + count * kEntry) return entries;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kHeader + i * kEntry;
    const std::size_t bytes = Dword(file, at + 8);
    const std::size_t offset = Dword(file, at + 12);
    if (offset > file.size() || bytes > file.size() - offset || bytes == 0) continue;
    const int width = file[at] == 0 ? 256 : file[at];
    entries.push_back({width, Word(file, at + 6), file.subspan(offset, bytes)});
  }
  return entries;
}

std::optional<IcoEntry> BestEntry(const std::vector<IcoEntry>& entries, int size) {
  std::optional<IcoEntry> best;
  const auto better = [size](const IcoEntry& a, const IcoEntry& b) {
    // Exact size first (most bits), then the nearest larger, then the largest.
    const bool a_exact = a.size == size;
    const bool b_exact = b.size == size;
    if (a_exact != b_exact) return a_exact;
    if (a_exact) return a.bits > b.bits;
    const bool a_larger = a.size > size;
    const bool b_larger = b.size > size;
    if (a_larger != b_larger) return a_larger;
    if (a.size != b.size) return a_larger ? a.size < b.size : a.size > b.size;
    return a.bits > b.bits;
  };
  for (const IcoEntry& entry : entries) {
    if (!best || better(entry, *best)) best = entry;
  }
  return best;
}

}  // namespace

HCURSOR LoadSystemCursor(int id) {
  return ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(id)));
}

UniqueCursor CursorFromPicture(const Picture& picture) {
  return UniqueCursor(CreateFromImage(picture.image(), /*is_icon=*/false, picture.hot_spot()));
}

UniqueIcon IconFromPicture(const Picture& picture) {
  return UniqueIcon(CreateFromImage(picture.image(), /*is_icon=*/true, {}));
}

UniqueIcon IconFromIcoFile(std::span<const std::uint8_t> file, int size) {
  const std::optional<IcoEntry> entry = BestEntry(IcoEntries(file), size);
  if (!entry) return nullptr;
  // user32 reads the image (a DIB or a PNG) and does not write to it.
  auto* bits = const_cast<std::uint8_t*>(entry->image.data());
  return UniqueIcon(::CreateIconFromResourceEx(bits, static_cast<DWORD>(entry->image.size()), TRUE,
                                               0x00030000, size, size, LR_DEFAULTCOLOR));
}

}  // namespace fw::win32
