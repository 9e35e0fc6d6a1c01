#pragma once
// Helpers of the Button paint tests: a plainly set-up button in the headless host, pixel
// access to its surface, GDI's gradient rule written out on its own, pictures of known pixels
// and text drawn on a scratch surface for comparison.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/controls/button/button_test_support.h"

namespace fw::test::paint {

inline constexpr ColorValue kSys15 = 0x80000000u + 15;  // button face
inline constexpr ColorValue kSys16 = 0x80000000u + 16;  // button shadow
inline constexpr ColorValue kSys20 = 0x80000000u + 20;  // button highlight
inline constexpr ColorValue kSys21 = 0x80000000u + 21;  // dark 3D shadow

// A shape value without a renderer: nothing is drawn over the pipeline's own pixels (the
// control is made square, as for every shape but 0 and 1).
inline constexpr std::int32_t kNoRenderer = 12;

inline ColorRef Resolved(ColorValue value) {
  ColorRef rgb = 0;
  EXPECT_EQ(OleTranslateColor(value, rgb), 0) << std::hex << value;
  return rgb;
}

// GDI's rectangle gradient (GRADIENT_FILL_RECT_H or _V) at `pos` of `len` pixels from `from`
// (at pos 0) towards `to` (at pos len, not reached): each 16-bit channel c = component * 256,
// and the pixel's component is floor((c0 * (len - pos) + c1 * pos) / len / 256).
inline ColorRef GradientAt(ColorRef from, ColorRef to, int pos, int len) {
  auto channel = [&](int shift) {
    const long long c0 = static_cast<long long>((from >> shift) & 0xFF) * 256;
    const long long c1 = static_cast<long long>((to >> shift) & 0xFF) * 256;
    const long long l = len;
    const long long p = pos;
    return static_cast<ColorRef>((c0 * (l - p) + c1 * p) / l / 256);
  };
  return channel(0) | channel(8) << 8 | channel(16) << 16;
}

// A bitmap picture of `width` x `height` pixels; `color_at(x, y)` gives each pixel as a
// COLORREF (0xBBGGRR).
template <class ColorAt>
PicturePtr MakePicture(int width, int height, ColorAt color_at) {
  TestPixels pixels{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const ColorRef c = color_at(x, y);
      pixels.color.push_back(static_cast<std::uint32_t>(GetRValue(c)) << 16 |
                             static_cast<std::uint32_t>(GetGValue(c)) << 8 | GetBValue(c));
    }
  }
  return std::make_shared<const Picture>(LoadPicture(MakeBmp(pixels), "bmp"));
}

inline PicturePtr SolidPicture(int width, int height, ColorRef color) {
  return MakePicture(width, height, [color](int, int) { return color; });
}

class PaintTest : public ButtonTest {
 protected:
  // A fresh button of `width` x `height` pixels with ButtonStyle 0 (no style colours, no style
  // lines), no caption and the given shape, background scheme and colours.
  // Later helpers work on the control placed last (`name`).
  Button& PlacePlain(int width, int height, std::int32_t shape = 0,
                     const std::string& name = "Command1") {
    current_ = name;
    Button& b = PlaceFresh(name);
    b.ButtonStyle(0);
    b.Caption("");
    b.ButtonShape(shape);
    Surface().Width(width * kTwipsPerPixel);
    Surface().Height(height * kTwipsPerPixel);
    return b;
  }

  UserControl& Surface() { return Window(current_); }
  Dc& dc() { return Surface().hDC(); }
  int W() { return static_cast<int>(Surface().ScaleWidth()); }
  int H() { return static_cast<int>(Surface().ScaleHeight()); }
  ColorRef Pixel(int x, int y) { return dc().GetPixel(x, y); }

  // Every pixel of the surface that has `color`, in the area [left, right) x [top, bottom).
  std::set<std::pair<int, int>> PixelsOf(ColorRef color, int left, int top, int right, int bottom) {
    std::set<std::pair<int, int>> found;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        if (Pixel(x, y) == color) found.insert({x, y});
      }
    }
    return found;
  }
  std::set<std::pair<int, int>> PixelsOf(ColorRef color) { return PixelsOf(color, 0, 0, W(), H()); }

  // The bounding box {left, top, right, bottom} (exclusive) of the pixels of `color`.
  Rect BoxOf(ColorRef color) {
    Rect box{W(), H(), -1, -1};
    for (const auto& [x, y] : PixelsOf(color)) {
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
    return box;
  }

  // The pixels text draws: `text` in the control's font, in `color`, with its top-left at
  // (x, y), drawn on a scratch surface of the control's size.
  std::set<std::pair<int, int>> TextPixels(const std::string& text, int x, int y) {
    auto scratch = host_.Device().CreateSurface(W(), H(), 0xFFFFFF);
    scratch->SelectFont(Surface().Font());
    scratch->SetBkMode(BkMode::Transparent);
    scratch->SetTextColor(0x000000);
    scratch->TextOutA(x, y, text);
    std::set<std::pair<int, int>> found;
    for (int py = 0; py < H(); ++py) {
      for (int px = 0; px < W(); ++px) {
        if (scratch->GetPixel(px, py) == 0x000000) found.insert({px, py});
      }
    }
    return found;
  }

  // Checks a horizontal ramp: columns `inset` to W-1-`inset` of the rows `inset` and
  // H-1-`inset` against `expected(x)`. Insets keep clear of the lines the shape renderers draw
  // along the edges.
  template <class Expected>
  void ExpectColumns(int inset, Expected expected) {
    for (int x = inset; x < W() - inset; ++x) {
      ASSERT_EQ(Pixel(x, inset), expected(x)) << "column " << x << " row " << inset;
      ASSERT_EQ(Pixel(x, H() - 1 - inset), expected(x))
          << "column " << x << " row " << H() - 1 - inset;
    }
  }
  // The same for a vertical ramp: rows `inset` to H-1-`inset` of two columns.
  template <class Expected>
  void ExpectRows(int inset, Expected expected) {
    for (int y = inset; y < H() - inset; ++y) {
      ASSERT_EQ(Pixel(inset, y), expected(y)) << "row " << y << " column " << inset;
      ASSERT_EQ(Pixel(W() - 1 - inset, y), expected(y))
          << "row " << y << " column " << W() - 1 - inset;
    }
  }

  Size Extent(const std::string& text) { return dc().GetTextExtentPoint32A(text); }

  std::string current_ = "Command1";

  // The cursor changes the host saw, as cursor ids.
  std::vector<std::string> Cursors() const {
    std::vector<std::string> ids;
    for (const auto& r : host_.RecordsOf(headless::Record::Kind::SetCursor)) ids.push_back(r.name);
    return ids;
  }
};

}  // namespace fw::test::paint
