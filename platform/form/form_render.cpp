#include "platform/form/form_render.h"

#include <algorithm>
#include <vector>

#include "platform/color.h"

namespace fw {
namespace {

constexpr ColorValue kButtonShadow = 0x80000010;
constexpr ColorValue kButtonHighlight = 0x80000014;
constexpr ColorValue kInfoText = 0x80000017;
constexpr ColorValue kInfoBackground = 0x80000018;
constexpr ColorValue kWindowFrame = 0x80000006;

// The caption starts this far from the frame's left edge, with this much background either side.
constexpr int kCaptionIndent = 8;
constexpr int kCaptionPadding = 2;

void Outline(Dc& dc, const Rect& r, ColorRef color) {
  dc.FrameRect(r, Brush::Solid(color));
}

}  // namespace

void DrawFrame(Dc& dc, const Rect& rect, std::string_view caption, const FontSpec& font,
               ColorRef back, ColorRef fore) {
  dc.FillRect(rect, Brush::Solid(back));
  dc.SelectFont(font);
  const Size line = dc.GetTextExtentPoint32A(caption.empty() ? std::string_view("X") : caption);
  const int border_top = rect.top + line.cy / 2;
  // Etched: a shadow line with a highlight line inside and below it.
  Outline(dc, {rect.left + 1, border_top + 1, rect.right, rect.bottom},
          ResolveColor(kButtonHighlight));
  Outline(dc, {rect.left, border_top, rect.right - 1, rect.bottom - 1},
          ResolveColor(kButtonShadow));
  if (caption.empty()) return;
  const int text_left = rect.left + kCaptionIndent;
  dc.FillRect({text_left - kCaptionPadding, rect.top, text_left + line.cx + kCaptionPadding,
               rect.top + line.cy},
              Brush::Solid(back));
  dc.SetBkMode(BkMode::Transparent);
  dc.SetTextColor(fore);
  // The caption is drawn unclipped: a face's drawn advance may exceed its measured extent.
  Rect text_rect{text_left, rect.top, rect.right, rect.bottom};
  dc.DrawTextA(caption, text_rect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

void DrawLabel(Dc& dc, const Rect& rect, std::string_view text, const FontSpec& font, ColorRef back,
               ColorRef fore) {
  dc.FillRect(rect, Brush::Solid(back));
  dc.SelectFont(font);
  dc.SetBkMode(BkMode::Transparent);
  dc.SetTextColor(fore);
  Rect text_rect = rect;
  dc.DrawTextA(text, text_rect, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

void DrawPicture(Dc& dc, Point at, const Picture& picture, const Rect& clip) {
  const IconImage& image = picture.image();
  const int width = std::min(image.width, clip.right - at.x);
  const int height = std::min(image.height, clip.bottom - at.y);
  if (width <= 0 || height <= 0) return;
  IconImage visible{width, height, {}, {}};
  visible.color.resize(static_cast<std::size_t>(width * height));
  visible.mask.resize(static_cast<std::size_t>(width * height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto from = static_cast<std::size_t>(y * image.width + x);
      const auto to = static_cast<std::size_t>(y * width + x);
      visible.mask[to] = image.mask[from];
      visible.color[to] = image.mask[from] ? 0 : image.color[from];
    }
  }
  dc.DrawIconEx(at.x, at.y, visible, width, height);
}

void DrawControlSurface(Dc& dc, Point at, const Dc& surface, const Region* region) {
  const int width = surface.Width();
  const int height = surface.Height();
  IconImage image{width, height, surface.Pixels(), {}};
  image.mask.assign(image.color.size(), false);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto i = static_cast<std::size_t>(y * width + x);
      const bool outside = region != nullptr && !region->PtInRegion(x, y);
      image.mask[i] = outside;
      image.color[i] = outside ? 0 : (image.color[i] & 0xFFFFFF);
    }
  }
  dc.DrawIconEx(at.x, at.y, image, width, height);
}

void DrawToolTip(Dc& dc, Point cursor, std::string_view text) {
  dc.SelectFont(FontSpec{});
  const Size extent = dc.GetTextExtentPoint32A(text);
  const int width = extent.cx + 8;
  const int height = extent.cy + 4;
  int left = std::clamp(cursor.x, 0, std::max(0, dc.Width() - width));
  int top = cursor.y + 20;
  if (top + height > dc.Height()) top = std::max(0, cursor.y - height - 2);
  const Rect box{left, top, left + width, top + height};
  dc.FillRect(box, Brush::Solid(ResolveColor(kInfoBackground)));
  Outline(dc, box, ResolveColor(kWindowFrame));
  dc.SetBkMode(BkMode::Transparent);
  dc.SetTextColor(ResolveColor(kInfoText));
  dc.TextOutA(left + 4, top + 2, text);
}

}  // namespace fw
