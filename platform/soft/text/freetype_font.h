#pragma once
// The fonts FreeTypeTextRenderer realizes, shared by its three sources: soft_text.cpp finds the
// face for a LOGFONT and keeps the realized fonts, font_metrics.cpp sizes a face and computes
// its metrics as Wine does, glyph_bitmap.cpp loads, measures and rasterises its glyphs and
// draws a line of text. Not for use outside fw_soft_text.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_WINFONTS_H

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/soft/text/font_resolver.h"
#include "platform/soft/text/soft_text.h"

namespace fw::soft {

struct FaceDeleter {
  void operator()(FT_FaceRec_* face) const { FT_Done_Face(face); }
};
using UniqueFace = std::unique_ptr<FT_FaceRec_, FaceDeleter>;

constexpr int kBoldWeight = 700;     // FW_BOLD, what FontSpec::bold asks for
constexpr int kBoldThreshold = 550;  // GDI simulates bold above this weight

// FT_Pos arithmetic in 26.6 with C's two's-complement masks.
constexpr FT_Pos Floor64(FT_Pos v) {
  return v & -64;
}
constexpr FT_Pos Ceil64(FT_Pos v) {
  return (v + 63) & -64;
}
constexpr int Px(FT_Pos v) {
  return static_cast<int>(v >> 6);
}

// A face's properties as Wine's font list records them.
struct FaceInfo {
  FontFaceFile file;
  bool scalable = true;
  bool bold = false;
  bool italic = false;
  bool latin1 = true;
  int bitmap_height = 0;     // bitmap faces: cell height
  int internal_leading = 0;  // bitmap faces: from the Windows FNT header
};

// One realized font: a face at one size with its metrics and glyph cache, computed as Wine's
// FreeType backend computes them.
class FreeTypeTextRenderer::Font {
 public:
  struct Glyph {
    bool ok = false;
    int origin_x = 0;  // box left relative to the pen
    int origin_y = 0;  // box top above the baseline
    int width = 0;     // box size in pixels (0 for an empty glyph)
    int height = 0;
    int pitch = 0;    // bytes per row of `bits`, 1 bit per pixel, msb first
    int advance = 0;  // gmCellIncX
    std::vector<std::uint8_t> bits;
  };

  Font(FT_Library library, UniqueFace face, const FaceInfo& info, const LogFont& lf,
       const std::string& family, bool fallback);

  const TextMetrics& metrics() const { return metrics_; }
  const Selection& selection() const { return selection_; }

  const Glyph& GlyphFor(unsigned char byte);
  int WidthOf(unsigned char byte);
  int ExtentOf(std::string_view text);
  void Render(int x, int y, std::string_view text, const std::function<void(int, int)>& plot);

 private:
  // The size, the character map and the metrics (font_metrics.cpp).
  int LoadVdmx(int height);
  int PpemForHeight(int height) const;
  void PickCharmap();
  FT_UInt GlyphIndex(unsigned char byte) const;
  void SetOutlineMetrics();
  void SetBitmapMetrics(const FT_WinFNT_HeaderRec& fnt);
  void SetSizeMetrics();
  void ScaleMetrics();
  void SetMatrices();
  FT_Vector AdvanceMetric(FT_Pos base_advance, const FT_Matrix* matrix) const;

  // The glyphs (glyph_bitmap.cpp).
  static void FillLine(int x, int width, int baseline, int position, int thickness,
                       const std::function<void(int, int)>& plot);
  std::optional<FT_Glyph_Metrics> LoadSlot(FT_UInt index, bool for_bitmap);
  int LoadWidth(FT_UInt index);
  Glyph LoadGlyph(FT_UInt index);
  bool EmboldenOutline(FT_GlyphSlot slot, FT_Glyph_Metrics& metrics) const;
  static FT_BBox TransformedBox(const FT_Glyph_Metrics& m, const FT_Matrix* matrix);
  void MonoBitmap(FT_GlyphSlot slot, const FT_BBox& box, const FT_Matrix* matrix,
                  Glyph& glyph) const;
  void ScaledBitmap(const FT_Bitmap& src, Glyph& glyph) const;

  FT_Library library_;
  UniqueFace face_;
  LogFont lf_;
  Selection selection_;
  bool scalable_ = true;
  bool fnt_ = false;
  bool symbol_ = false;
  bool fake_bold_ = false;
  bool fake_italic_ = false;
  int ppem_ = 0;
  int scale_y_ = 1;
  int y_max_ = 0;
  int y_min_ = 0;
  FT_Fixed em_scale_ = 0;
  FT_Long ntm_avg_width_ = 0;
  bool has_outline_metrics_ = false;
  bool variable_pitch_ = true;
  TextMetrics tm_;  // the font's own (unscaled) metrics
  int tm_max_char_width_ = 0;
  int underscore_size_ = 0;
  int underscore_pos_ = 0;
  int strikeout_size_ = 0;
  int strikeout_pos_ = 0;
  TextMetrics metrics_;  // what GetTextMetrics reports
  int underline_position_ = 0;
  int underline_width_ = 1;
  int strikeout_position_ = 0;
  int strikeout_width_ = 1;
  std::optional<FT_Matrix> matrix_;
  std::map<unsigned char, Glyph> glyphs_;
  std::map<unsigned char, int> widths_;
};

}  // namespace fw::soft
