// A realized font's glyphs: loaded as GDI loads them for GGO_BITMAP (drawing) and GGO_METRICS
// (extents), rasterised into two-colour bitmaps, and drawn with the underline and strike-out.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_OUTLINE_H
#include FT_TRIGONOMETRY_H

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/soft/text/freetype_font.h"

namespace fw::soft {

const FreeTypeTextRenderer::Font::Glyph& FreeTypeTextRenderer::Font::GlyphFor(unsigned char byte) {
  auto it = glyphs_.find(byte);
  if (it != glyphs_.end()) return it->second;
  return glyphs_.emplace(byte, LoadGlyph(GlyphIndex(byte))).first->second;
}

// GetTextExtentPoint's width of one character: GDI measures with GGO_METRICS, which loads
// the outline with default hinting (no embedded bitmap), so it can differ from the advance
// of the drawn (GGO_BITMAP) glyph.
int FreeTypeTextRenderer::Font::WidthOf(unsigned char byte) {
  auto it = widths_.find(byte);
  if (it != widths_.end()) return it->second;
  return widths_.emplace(byte, LoadWidth(GlyphIndex(byte))).first->second;
}

int FreeTypeTextRenderer::Font::ExtentOf(std::string_view text) {
  int cx = 0;
  for (const char c : text) cx += WidthOf(static_cast<unsigned char>(c));
  return cx;
}

void FreeTypeTextRenderer::Font::Render(int x, int y, std::string_view text,
                                        const std::function<void(int, int)>& plot) {
  const int baseline = y + metrics_.ascent;
  int pen = x;
  for (const char c : text) {
    const Glyph& glyph = GlyphFor(static_cast<unsigned char>(c));
    if (!glyph.ok) continue;
    const int left = pen + glyph.origin_x;
    const int top = baseline - glyph.origin_y;
    for (int row = 0; row < glyph.height; ++row) {
      const std::uint8_t* bits = glyph.bits.data() + static_cast<size_t>(row * glyph.pitch);
      for (int col = 0; col < glyph.width; ++col) {
        if (bits[col / 8] & (0x80 >> (col % 8))) plot(left + col, top + row);
      }
    }
    pen += glyph.advance;
  }
  if (!lf_.underline && !lf_.strikethrough) return;
  const int width = ExtentOf(text);
  if (lf_.underline) FillLine(x, width, baseline, underline_position_, underline_width_, plot);
  if (lf_.strikethrough) {
    FillLine(x, width, baseline, strikeout_position_, strikeout_width_, plot);
  }
}

// ExtTextOut's underline and strike-out: a polygon filled with the text colour.
void FreeTypeTextRenderer::Font::FillLine(int x, int width, int baseline, int position,
                                          int thickness,
                                          const std::function<void(int, int)>& plot) {
  const int y0 = baseline - (position + thickness / 2);
  const int y1 = y0 + thickness;
  for (int y = std::min(y0, y1); y < std::max(y0, y1); ++y) {
    for (int px = std::min(x, x + width); px < std::max(x, x + width); ++px) plot(px, y);
  }
}

// Loads a glyph as Wine's freetype_get_glyph_outline does and returns its metrics
// (simulated bold applied, clipped to the cell), or nothing if FreeType cannot load it.
std::optional<FT_Glyph_Metrics> FreeTypeTextRenderer::Font::LoadSlot(FT_UInt index,
                                                                     bool for_bitmap) {
  FT_Int32 flags = FT_LOAD_IGNORE_GLOBAL_ADVANCE_WIDTH;
  if (for_bitmap) flags |= FT_LOAD_TARGET_MONO;
  if (matrix_ || !for_bitmap) flags |= FT_LOAD_NO_BITMAP;
  if (FT_Load_Glyph(face_.get(), index, flags) != 0 &&
      FT_Load_Glyph(face_.get(), index, flags | FT_LOAD_NO_HINTING) != 0) {
    return std::nullopt;
  }
  FT_GlyphSlot slot = face_->glyph;
  FT_Glyph_Metrics metrics = slot->metrics;
  if (fake_bold_ && !EmboldenOutline(slot, metrics) && metrics.width != 0) {
    metrics.width += 1 << 6;
  }
  // Clip to the cell (the font's own unscaled ascent and descent).
  const FT_Pos top = std::min<FT_Pos>(metrics.horiBearingY, FT_Pos{tm_.ascent} * 64);
  const FT_Pos bottom =
      std::max<FT_Pos>(metrics.horiBearingY - metrics.height, -FT_Pos{tm_.descent} * 64);
  metrics.horiBearingY = top;
  metrics.height = top - bottom;
  return metrics;
}

// abcA + abcB + abcC of GGO_METRICS: the rounded advance (its length when transformed).
int FreeTypeTextRenderer::Font::LoadWidth(FT_UInt index) {
  const std::optional<FT_Glyph_Metrics> metrics = LoadSlot(index, false);
  if (!metrics) return 0;
  const FT_Matrix* matrix = matrix_ ? &*matrix_ : nullptr;
  FT_Vector adv = AdvanceMetric(metrics->horiAdvance, matrix);
  return matrix == nullptr ? Px(adv.x) : Px(FT_Vector_Length(&adv));
}

// Wine's freetype_get_glyph_outline for GGO_BITMAP.
FreeTypeTextRenderer::Font::Glyph FreeTypeTextRenderer::Font::LoadGlyph(FT_UInt index) {
  Glyph glyph;
  const FT_Matrix* matrix = matrix_ ? &*matrix_ : nullptr;
  const std::optional<FT_Glyph_Metrics> loaded = LoadSlot(index, true);
  if (!loaded) return glyph;
  const FT_Glyph_Metrics& metrics = *loaded;
  FT_GlyphSlot slot = face_->glyph;
  const FT_BBox box = TransformedBox(metrics, matrix);
  glyph.advance = Px(AdvanceMetric(metrics.horiAdvance, matrix).x);
  glyph.origin_x = Px(box.xMin);
  glyph.origin_y = Px(box.yMax);
  glyph.width = Px(box.xMax - box.xMin);
  glyph.height = Px(box.yMax - box.yMin);
  glyph.ok = true;
  glyph.pitch = ((glyph.width + 31) >> 5) << 2;
  glyph.bits.assign(static_cast<size_t>(glyph.pitch * glyph.height), 0);
  if (glyph.bits.empty()) {  // empty glyph: nothing to draw
    glyph.width = glyph.height = 0;
    return glyph;
  }
  MonoBitmap(slot, box, matrix, glyph);
  return glyph;
}

bool FreeTypeTextRenderer::Font::EmboldenOutline(FT_GlyphSlot slot,
                                                 FT_Glyph_Metrics& metrics) const {
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return false;
  const FT_Pos strength = FT_MulDiv(ppem_, 1 << 6, 24);
  if (FT_Outline_Embolden(&slot->outline, strength) != 0) return false;
  FT_BBox box;
  FT_Outline_Get_CBox(&slot->outline, &box);
  metrics.width = box.xMax - box.xMin;
  metrics.height = box.yMax - box.yMin;
  metrics.horiBearingX = box.xMin;
  metrics.horiBearingY = box.yMax;
  return true;
}

FT_BBox FreeTypeTextRenderer::Font::TransformedBox(const FT_Glyph_Metrics& m,
                                                   const FT_Matrix* matrix) {
  FT_BBox box{};
  if (matrix == nullptr) {
    box.xMin = Floor64(m.horiBearingX);
    box.xMax = Ceil64(m.horiBearingX + m.width);
    box.yMax = Ceil64(m.horiBearingY);
    box.yMin = Floor64(m.horiBearingY - m.height);
    return box;
  }
  for (int xc = 0; xc < 2; ++xc) {
    for (int yc = 0; yc < 2; ++yc) {
      FT_Vector v{m.horiBearingX + xc * m.width, m.horiBearingY - yc * m.height};
      FT_Vector_Transform(&v, matrix);
      if (xc == 0 && yc == 0) {
        box.xMin = box.xMax = v.x;
        box.yMin = box.yMax = v.y;
      } else {
        box.xMin = std::min(box.xMin, v.x);
        box.xMax = std::max(box.xMax, v.x);
        box.yMin = std::min(box.yMin, v.y);
        box.yMax = std::max(box.yMax, v.y);
      }
    }
  }
  box.xMin = Floor64(box.xMin);
  box.xMax = Ceil64(box.xMax);
  box.yMin = Floor64(box.yMin);
  box.yMax = Ceil64(box.yMax);
  return box;
}

// Wine's get_mono_glyph_bitmap.
void FreeTypeTextRenderer::Font::MonoBitmap(FT_GlyphSlot slot, const FT_BBox& box,
                                            const FT_Matrix* matrix, Glyph& glyph) const {
  if (slot->format == FT_GLYPH_FORMAT_BITMAP) {
    if (scale_y_ != 1) {
      ScaledBitmap(slot->bitmap, glyph);
      return;
    }
    const FT_Bitmap& src = slot->bitmap;
    const int w = std::min(glyph.pitch, static_cast<int>((src.width + 7) >> 3));
    const int h = std::min(glyph.height, static_cast<int>(src.rows));
    for (int row = 0; row < h; ++row) {
      const std::uint8_t* s = src.buffer + static_cast<std::ptrdiff_t>(row) * src.pitch;
      std::uint8_t* d = glyph.bits.data() + static_cast<size_t>(row * glyph.pitch);
      if (!fake_bold_) {
        std::memcpy(d, s, static_cast<size_t>(w));
        continue;
      }
      d[0] = 0;
      for (int x = 0; x < w; ++x) {
        d[x] = static_cast<std::uint8_t>((d[x] & 0x80) | (s[x] >> 1) | s[x]);
        if (x + 1 < glyph.pitch) d[x + 1] = static_cast<std::uint8_t>((s[x] & 0x01) << 7);
      }
    }
    return;
  }
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return;
  FT_Bitmap bitmap;
  FT_Bitmap_Init(&bitmap);
  bitmap.width = static_cast<unsigned>(glyph.width);
  bitmap.rows = static_cast<unsigned>(glyph.height);
  bitmap.pitch = glyph.pitch;
  bitmap.pixel_mode = FT_PIXEL_MODE_MONO;
  bitmap.buffer = glyph.bits.data();
  if (matrix != nullptr) FT_Outline_Transform(&slot->outline, matrix);
  FT_Outline_Translate(&slot->outline, -box.xMin, -box.yMin);
  FT_Outline_Get_Bitmap(library_, &slot->outline, &bitmap);
}

// A raster font glyph enlarged by the integer factor scale_y_, each pixel a square block
// (as Windows scales raster fonts; Wine copies the unscaled bits into the enlarged box and
// leaves the rest of it uninitialised, which cannot be reproduced).
void FreeTypeTextRenderer::Font::ScaledBitmap(const FT_Bitmap& src, Glyph& glyph) const {
  const int scale = scale_y_;
  for (int row = 0; row < static_cast<int>(src.rows); ++row) {
    const std::uint8_t* s = src.buffer + static_cast<std::ptrdiff_t>(row) * src.pitch;
    auto bit = [&](int col) {
      return col >= 0 && col < static_cast<int>(src.width) && (s[col / 8] & (0x80 >> (col % 8)));
    };
    for (int col = 0; col <= static_cast<int>(src.width); ++col) {
      if (!bit(col) && !(fake_bold_ && bit(col - 1))) continue;
      for (int dy = 0; dy < scale; ++dy) {
        const int y = row * scale + dy;
        if (y >= glyph.height) break;
        for (int dx = 0; dx < scale; ++dx) {
          const int x = col * scale + dx;
          if (x >= glyph.width) break;
          glyph.bits[static_cast<size_t>(y * glyph.pitch + x / 8)] |=
              static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
      }
    }
  }
}

}  // namespace fw::soft
