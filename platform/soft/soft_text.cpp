#include "platform/soft/soft_text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_BITMAP_H
#include FT_OUTLINE_H
#include FT_TRIGONOMETRY_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H
#include FT_WINFONTS_H

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <utility>

#include "formats/text/ansi_text.h"

namespace fw::soft {
namespace {

struct FaceDeleter {
  void operator()(FT_FaceRec_* face) const { FT_Done_Face(face); }
};
using UniqueFace = std::unique_ptr<FT_FaceRec_, FaceDeleter>;

constexpr int kBoldWeight = 700;     // FW_BOLD, what FontSpec::bold asks for
constexpr int kBoldThreshold = 550;  // GDI simulates bold above this weight
constexpr unsigned kAnsiCharset = 0;

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

int GdiRound(double v) {
  return static_cast<int>(v >= 0 ? v + 0.5 : v - 0.5);
}

std::uint16_t Be16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
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

std::optional<FaceInfo> Inspect(FT_Library library, const FontFaceFile& file) {
  FT_Face raw = nullptr;
  if (FT_New_Face(library, file.path.c_str(), file.index, &raw) != 0) return std::nullopt;
  const UniqueFace face(raw);
  FaceInfo info;
  info.file = file;
  info.scalable = FT_IS_SCALABLE(face) != 0;
  info.bold = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
  info.italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
  FT_WinFNT_HeaderRec fnt{};
  const bool is_fnt = FT_Get_WinFNT_Header(face.get(), &fnt) == 0;
  if (!info.scalable && is_fnt && fnt.weight > 400) info.bold = true;
  if (is_fnt) {
    info.latin1 = fnt.charset == kAnsiCharset;
  } else if (const auto* os2 =
                 static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face.get(), FT_SFNT_OS2))) {
    if (os2->version == 0) {
      info.latin1 = !(os2->usFirstCharIndex >= 0xF000 && os2->usFirstCharIndex < 0xF100);
    } else {
      info.latin1 = (os2->ulCodePageRange1 & 1) != 0;
    }
  }
  if (!info.scalable) {
    if (face->num_fixed_sizes < 1) return std::nullopt;
    const FT_Bitmap_Size& size = face->available_sizes[0];
    info.bitmap_height = size.height;
    if (is_fnt) {
      info.internal_leading = fnt.internal_leading;
      if (fnt.external_leading > 0 &&
          info.bitmap_height == fnt.pixel_height + fnt.external_leading) {
        info.bitmap_height = fnt.pixel_height;
      }
    }
  }
  return info;
}

}  // namespace

struct FreeTypeTextRenderer::FamilyInfo {
  ResolvedFamily resolved;
  std::vector<FaceInfo> faces;
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
       const std::string& family, bool fallback)
      : library_(library), face_(std::move(face)), lf_(lf) {
    selection_.family = family;
    selection_.path = info.file.path;
    selection_.index = info.file.index;
    selection_.fallback = fallback;
    scalable_ = info.scalable;
    fake_bold_ = kBoldWeight > kBoldThreshold && lf.bold && !info.bold;
    fake_italic_ = lf.italic && !info.italic;
    selection_.fake_bold = fake_bold_;
    selection_.fake_italic = fake_italic_;
    FT_WinFNT_HeaderRec fnt{};
    fnt_ = FT_Get_WinFNT_Header(face_.get(), &fnt) == 0;

    if (scalable_) {
      ppem_ = LoadVdmx(lf.height);
      if (ppem_ == 0) ppem_ = PpemForHeight(lf.height);
      FT_Set_Pixel_Sizes(face_.get(), 0, static_cast<FT_UInt>(ppem_));
    } else {
      // Windows uses integer scaling factors for bitmap fonts.
      const int face_height = info.bitmap_height;
      int height = lf.height;
      const int diff =
          height > 0 ? height - face_height : -height - (face_height - info.internal_leading);
      if (height != 0) height = diff;
      height += face_height;
      int scale = (height + face_height - 1) / face_height;
      const int scaled_height = scale * face_height;
      if (scale > 2 && scaled_height - height > face_height / 4) {
        --scale;
      } else if (scale == 2 && scaled_height - height > (face_height / 4 - 1)) {
        --scale;
      }
      scale_y_ = std::max(scale, 1);
      const FT_Bitmap_Size& size = face_->available_sizes[0];
      ppem_ = static_cast<int>(size.y_ppem >> 6);
      FT_Set_Pixel_Sizes(face_.get(), static_cast<FT_UInt>(size.x_ppem >> 6),
                         static_cast<FT_UInt>(ppem_));
    }
    selection_.ppem = ppem_;
    PickCharmap();
    if (scalable_) {
      SetOutlineMetrics();
    } else {
      SetBitmapMetrics(fnt);
    }
    ScaleMetrics();
    SetMatrices();
  }

  const TextMetrics& metrics() const { return metrics_; }
  const Selection& selection() const { return selection_; }

  const Glyph& GlyphFor(unsigned char byte) {
    auto it = glyphs_.find(byte);
    if (it != glyphs_.end()) return it->second;
    return glyphs_.emplace(byte, LoadGlyph(GlyphIndex(byte))).first->second;
  }

  // GetTextExtentPoint's width of one character: GDI measures with GGO_METRICS, which loads
  // the outline with default hinting (no embedded bitmap), so it can differ from the advance
  // of the drawn (GGO_BITMAP) glyph.
  int WidthOf(unsigned char byte) {
    auto it = widths_.find(byte);
    if (it != widths_.end()) return it->second;
    return widths_.emplace(byte, LoadWidth(GlyphIndex(byte))).first->second;
  }

  int ExtentOf(std::string_view text) {
    int cx = 0;
    for (const char c : text) cx += WidthOf(static_cast<unsigned char>(c));
    return cx;
  }

  void Render(int x, int y, std::string_view text, const std::function<void(int, int)>& plot) {
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

 private:
  // ExtTextOut's underline and strike-out: a polygon filled with the text colour.
  static void FillLine(int x, int width, int baseline, int position, int thickness,
                       const std::function<void(int, int)>& plot) {
    const int y0 = baseline - (position + thickness / 2);
    const int y1 = y0 + thickness;
    for (int y = std::min(y0, y1); y < std::max(y0, y1); ++y) {
      for (int px = std::min(x, x + width); px < std::max(x, x + width); ++px) plot(px, y);
    }
  }

  // The em height from the VDMX table (0 if the table does not have it).
  int LoadVdmx(int height) {
    auto table = [this](FT_ULong offset, void* out, FT_ULong size) {
      FT_ULong length = size;
      return FT_Load_Sfnt_Table(face_.get(), TTAG_VDMX, static_cast<FT_Long>(offset),
                                static_cast<FT_Byte*>(out), &length) == 0;
    };
    std::array<std::uint8_t, 6> header{};
    if (!table(0, header.data(), header.size())) return 0;
    const int ratios = Be16(header.data() + 4);
    std::optional<FT_ULong> group_offset;
    for (int i = 0; i < ratios; ++i) {
      std::array<std::uint8_t, 4> ratio{};  // bCharSet, xRatio, yStartRatio, yEndRatio
      table(static_cast<FT_ULong>(6 + i * 4), ratio.data(), ratio.size());
      if (ratio[0] == 0) continue;
      if ((ratio[1] == 0 && ratio[2] == 0 && ratio[3] == 0) ||
          (ratio[1] == 1 && ratio[2] <= 1 && ratio[3] >= 1)) {
        std::array<std::uint8_t, 2> offset{};
        table(static_cast<FT_ULong>(6 + ratios * 4 + i * 2), offset.data(), offset.size());
        group_offset = Be16(offset.data());
        break;
      }
    }
    if (!group_offset) return 0;
    std::array<std::uint8_t, 4> group{};  // recs, startsz, endsz
    if (!table(*group_offset, group.data(), group.size())) return 0;
    const int records = Be16(group.data());
    const int start_size = group[2];
    const int end_size = group[3];
    std::vector<std::uint8_t> v(static_cast<size_t>(records) * 6);
    if (records == 0 || !table(*group_offset + 4, v.data(), v.size())) return 0;
    auto pel_height = [&v](int i) {
      return static_cast<int>(Be16(&v[static_cast<size_t>(i * 6)]));
    };
    auto y_max = [&v](int i) {
      return static_cast<int>(static_cast<std::int16_t>(Be16(&v[static_cast<size_t>(i * 6 + 2)])));
    };
    auto y_min = [&v](int i) {
      return static_cast<int>(static_cast<std::int16_t>(Be16(&v[static_cast<size_t>(i * 6 + 4)])));
    };

    int ppem = 0;
    if (height > 0) {
      for (int i = 0; i < records; ++i) {
        ppem = pel_height(i);
        if (y_max(i) - y_min(i) == height) {
          y_max_ = y_max(i);
          y_min_ = y_min(i);
          break;
        }
        if (y_max(i) - y_min(i) > height) {
          if (--i < 0) return 0;
          y_max_ = y_max(i);
          y_min_ = y_min(i);
          ppem = pel_height(i);
          break;
        }
      }
      if (y_max_ == 0) ppem = 0;
    } else {
      ppem = -height;
      if (ppem < start_size || ppem > end_size) return 0;
      for (int i = 0; i < records; ++i) {
        const int pel = pel_height(i);
        if (pel > ppem) return 0;
        if (pel == ppem) {
          y_max_ = y_max(i);
          y_min_ = y_min(i);
          break;
        }
      }
    }
    return ppem;
  }

  int PpemForHeight(int height) const {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_.get(), FT_SFNT_OS2));
    const auto* hhea =
        static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face_.get(), FT_SFNT_HHEA));
    constexpr int kMaxPpem = (1 << 16) - 1;
    if (height == 0) height = 16;
    if (height < 0) return height >= -kMaxPpem ? -height : 1;
    if (os2 == nullptr || hhea == nullptr) return height;
    const int win_descent = std::abs(static_cast<std::int16_t>(os2->usWinDescent));
    const FT_Long units = os2->usWinAscent + win_descent == 0 ? hhea->Ascender - hhea->Descender
                                                              : os2->usWinAscent + win_descent;
    const FT_Long upem = face_->units_per_EM;
    auto ppem = static_cast<int>(FT_MulDiv(upem, height, units));
    if (ppem > 1 && FT_MulDiv(units, ppem, upem) > height) --ppem;
    if (ppem > kMaxPpem) ppem = 1;
    return ppem;
  }

  // Unicode preferred, from the Microsoft cmap if there is one (Wine's pick_charmap).
  void PickCharmap() {
    for (const FT_Encoding encoding :
         {FT_ENCODING_UNICODE, FT_ENCODING_APPLE_ROMAN, FT_ENCODING_MS_SYMBOL}) {
      std::array<FT_CharMap, 5> by_platform{};  // 0..3 and "other"
      for (int i = 0; i < face_->num_charmaps; ++i) {
        FT_CharMap map = face_->charmaps[i];
        if (map->encoding != encoding) continue;
        const size_t slot = map->platform_id <= 3 ? map->platform_id : 4;
        by_platform[slot] = map;
      }
      for (const size_t slot : {3u, 1u, 2u, 0u, 4u}) {
        if (by_platform[slot] != nullptr && FT_Set_Charmap(face_.get(), by_platform[slot]) == 0) {
          symbol_ = encoding == FT_ENCODING_MS_SYMBOL;
          return;
        }
      }
    }
    if (face_->charmap == nullptr && face_->num_charmaps > 0) {
      FT_Set_Charmap(face_.get(), face_->charmaps[0]);
    }
  }

  FT_UInt GlyphIndex(unsigned char byte) const {
    if (face_->charmap == nullptr) return 0;
    if (face_->charmap->encoding == FT_ENCODING_NONE) {
      return FT_Get_Char_Index(face_.get(), byte);  // raster fonts: the code page byte
    }
    const char32_t code = AnsiToUnicode(byte);
    if (symbol_) {
      FT_UInt index = FT_Get_Char_Index(face_.get(), byte + 0xF000u);
      if (index == 0) index = FT_Get_Char_Index(face_.get(), byte);
      return index;
    }
    return FT_Get_Char_Index(face_.get(), code);
  }

  // Wine's freetype_set_outline_text_metrics.
  void SetOutlineMetrics() {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_.get(), FT_SFNT_OS2));
    const auto* hhea =
        static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face_.get(), FT_SFNT_HHEA));
    const auto* post =
        static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face_.get(), FT_SFNT_POST));
    if (os2 == nullptr || hhea == nullptr) {
      SetSizeMetrics();
      return;
    }
    const FT_Long upem = face_->units_per_EM;
    em_scale_ = FT_MulDiv(ppem_, 1 << 16, upem);
    auto scale = [this](FT_Long v) { return static_cast<int>(FT_MulFix(v, em_scale_)); };

    const FT_Long win_descent = std::abs(static_cast<std::int16_t>(os2->usWinDescent));
    FT_Long ascent = os2->usWinAscent;
    FT_Long descent = win_descent;
    if (os2->usWinAscent + win_descent == 0) {
      ascent = hhea->Ascender;
      descent = -hhea->Descender;
    }
    ntm_avg_width_ = os2->xAvgCharWidth;
    if (y_max_ != 0) {
      tm_.ascent = y_max_;
      tm_.descent = -y_min_;
      tm_.internal_leading = tm_.ascent + tm_.descent - face_->size->metrics.y_ppem;
    } else {
      tm_.ascent = scale(ascent);
      tm_.descent = scale(descent);
      tm_.internal_leading = scale(ascent + descent - upem);
    }
    tm_.height = tm_.ascent + tm_.descent;
    tm_.external_leading = std::max(
        0, scale(hhea->Line_Gap - ((ascent + descent) - (hhea->Ascender - hhea->Descender))));
    tm_.ave_char_width = scale(os2->xAvgCharWidth);
    if (tm_.ave_char_width == 0) tm_.ave_char_width = 1;
    tm_max_char_width_ = scale(face_->bbox.xMax - face_->bbox.xMin);
    // TMPF_FIXED_PITCH is set for variable-pitch fonts.
    variable_pitch_ = !FT_IS_FIXED_WIDTH(face_) &&
                      (os2->version == 0xFFFF || os2->panose[3] != 9 /* PAN_PROP_MONOSPACED */);
    has_outline_metrics_ = true;

    strikeout_size_ = scale(os2->yStrikeoutSize);
    strikeout_pos_ = scale(os2->yStrikeoutPosition);
    if (post != nullptr) {
      underscore_size_ = scale(post->underlineThickness);
      underscore_pos_ = scale(post->underlinePosition);
    }
  }

  // Wine's freetype_set_bitmap_text_metrics.
  void SetBitmapMetrics(const FT_WinFNT_HeaderRec& fnt) {
    if (!fnt_) {
      SetSizeMetrics();
      return;
    }
    tm_.height = fnt.pixel_height;
    tm_.ascent = fnt.ascent;
    tm_.descent = tm_.height - tm_.ascent;
    tm_.internal_leading = fnt.internal_leading;
    tm_.external_leading = fnt.external_leading;
    tm_.ave_char_width = fnt.avg_width;
    tm_max_char_width_ = fnt.max_width;
  }

  void SetSizeMetrics() {
    const FT_Size_Metrics& m = face_->size->metrics;
    tm_.ascent = Px(m.ascender);
    tm_.descent = Px(-m.descender);
    tm_.height = tm_.ascent + tm_.descent;
    tm_.internal_leading = tm_.height - m.y_ppem;
    tm_.external_leading = Px(m.height) - tm_.height;
    tm_max_char_width_ = Px(m.max_advance);
    tm_.ave_char_width = tm_max_char_width_ * 2 / 3;
  }

  // Wine's scale_font_metrics (integer scaling of bitmap fonts, simulated bold), plus the
  // underline and strike-out geometry ExtTextOut derives from them.
  void ScaleMetrics() {
    const double scale = scale_y_;
    metrics_.height = GdiRound(tm_.height * scale);
    metrics_.ascent = GdiRound(tm_.ascent * scale);
    metrics_.descent = GdiRound(tm_.descent * scale);
    metrics_.internal_leading = GdiRound(tm_.internal_leading * scale);
    metrics_.external_leading = GdiRound(tm_.external_leading * scale);
    metrics_.ave_char_width = GdiRound((tm_.ave_char_width + (fake_bold_ ? 1 : 0)) * scale);

    if (has_outline_metrics_) {
      auto line_width = [](int size) { return size == 0 ? 1 : size; };
      underline_position_ = underscore_pos_;
      underline_width_ = line_width(underscore_size_);
      strikeout_position_ = strikeout_pos_;
      strikeout_width_ = line_width(strikeout_size_);
    } else {
      underline_position_ = 0;
      underline_width_ = metrics_.ascent / 20 + 1;
      strikeout_position_ = metrics_.ascent / 2;
      strikeout_width_ = underline_width_;
    }
  }

  // Wine's get_transform_matrices without rotation, world or caller transforms.
  void SetMatrices() {
    FT_Matrix unrotated{1 << 16, 0, 0, 1 << 16};
    bool needed = false;
    if (scale_y_ != 1) {
      FT_Matrix scale{static_cast<FT_Fixed>(scale_y_) << 16, 0, 0,
                      static_cast<FT_Fixed>(scale_y_) << 16};
      FT_Matrix_Multiply(&scale, &unrotated);
      needed = true;
    }
    if (fake_italic_) {
      FT_Matrix slant{1 << 16, (1 << 16) >> 2, 0, 1 << 16};
      FT_Matrix_Multiply(&slant, &unrotated);
      needed = true;
    }
    if (needed) matrix_ = unrotated;
  }

  // Wine's get_advance_metric.
  FT_Vector AdvanceMetric(FT_Pos base_advance, const FT_Matrix* matrix) const {
    FT_Vector adv{base_advance, 0};
    FT_Fixed em_scale = 0;
    bool fixed_pitch_full = false;
    if (has_outline_metrics_ && !variable_pitch_) {
      em_scale = FT_MulDiv(ppem_, 1 << 16, face_->units_per_EM);
      const FT_Long avg_advance = FT_MulFix(ntm_avg_width_, em_scale);
      fixed_pitch_full =
          avg_advance > 0 && (base_advance + 63) >> 6 == FT_MulFix(ntm_avg_width_ * 2, em_scale);
      if (fixed_pitch_full && matrix == nullptr) adv.x = (avg_advance * 2) << 6;
    }
    if (matrix != nullptr) {
      FT_Vector_Transform(&adv, matrix);
      if (fixed_pitch_full && adv.y == 0) {
        FT_Vector vec{ntm_avg_width_, 0};
        FT_Vector_Transform(&vec, matrix);
        adv.x = (FT_MulFix(vec.x, em_scale) * 2) << 6;
      }
    }
    if (fake_bold_) {
      if (matrix == nullptr) {
        adv.x += 1 << 6;
      } else {
        FT_Vector vec{1 << 6, 0};
        FT_Vector_Transform(&vec, matrix);
        const FT_Fixed length = FT_Vector_Length(&vec);
        if (length != 0) {
          adv.x += (vec.x * 64) / length;
          adv.y += (vec.y * 64) / length;
        }
      }
    }
    adv.x = Ceil64(adv.x);
    adv.y = -Ceil64(adv.y);
    return adv;
  }

  // Loads a glyph as Wine's freetype_get_glyph_outline does and returns its metrics
  // (simulated bold applied, clipped to the cell), or nothing if FreeType cannot load it.
  std::optional<FT_Glyph_Metrics> LoadSlot(FT_UInt index, bool for_bitmap) {
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
  int LoadWidth(FT_UInt index) {
    const std::optional<FT_Glyph_Metrics> metrics = LoadSlot(index, false);
    if (!metrics) return 0;
    const FT_Matrix* matrix = matrix_ ? &*matrix_ : nullptr;
    FT_Vector adv = AdvanceMetric(metrics->horiAdvance, matrix);
    return matrix == nullptr ? Px(adv.x) : Px(FT_Vector_Length(&adv));
  }

  // Wine's freetype_get_glyph_outline for GGO_BITMAP.
  Glyph LoadGlyph(FT_UInt index) {
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

  bool EmboldenOutline(FT_GlyphSlot slot, FT_Glyph_Metrics& metrics) const {
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

  static FT_BBox TransformedBox(const FT_Glyph_Metrics& m, const FT_Matrix* matrix) {
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
  void MonoBitmap(FT_GlyphSlot slot, const FT_BBox& box, const FT_Matrix* matrix,
                  Glyph& glyph) const {
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
  void ScaledBitmap(const FT_Bitmap& src, Glyph& glyph) const {
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

void FreeTypeTextRenderer::LibraryDeleter::operator()(FT_LibraryRec_* library) const {
  FT_Done_FreeType(library);
}

namespace {
FT_Library NewLibrary() {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("FreeType: cannot initialise");
  return library;
}
}  // namespace

FreeTypeTextRenderer::FreeTypeTextRenderer() : FreeTypeTextRenderer(FontResolver()) {}

FreeTypeTextRenderer::FreeTypeTextRenderer(FontResolver resolver)
    : library_(NewLibrary()), resolver_(std::move(resolver)) {}

FreeTypeTextRenderer::~FreeTypeTextRenderer() {
  // Faces first, then the library (member order does the rest).
  fonts_.clear();
}

FreeTypeTextRenderer::LogFont FreeTypeTextRenderer::FromSpec(const FontSpec& font) {
  LogFont lf;
  lf.face = font.face;
  lf.height = FontHeightFromPoints(font.points);
  lf.bold = font.bold;
  lf.italic = font.italic;
  lf.underline = font.underline;
  lf.strikethrough = font.strikethrough;
  return lf;
}

const FreeTypeTextRenderer::FamilyInfo& FreeTypeTextRenderer::Family(const std::string& face) {
  auto it = families_.find(face);
  if (it != families_.end()) return *it->second;
  auto info = std::make_unique<FamilyInfo>();
  info->resolved = resolver_.Resolve(face);
  for (const FontFaceFile& file : info->resolved.faces) {
    if (auto inspected = Inspect(library_.get(), file)) info->faces.push_back(*inspected);
  }
  if (info->faces.empty()) {
    throw std::runtime_error("no usable font file for face \"" + face + "\"");
  }
  return *families_.emplace(face, std::move(info)).first->second;
}

FreeTypeTextRenderer::Font& FreeTypeTextRenderer::Realize(const LogFont& lf) {
  auto it = fonts_.find(lf);
  if (it != fonts_.end()) return *it->second;
  const FamilyInfo& family = Family(lf.face);

  // Wine's find_best_matching_face, among the faces for the ANSI character set.
  const bool any_latin1 = std::any_of(family.faces.begin(), family.faces.end(),
                                      [](const FaceInfo& f) { return f.latin1; });
  const int want_italic = lf.italic ? 1 : 0;
  const int want_bold = lf.bold && kBoldWeight > kBoldThreshold ? 1 : 0;
  const FaceInfo* best = nullptr;
  const FaceInfo* best_bitmap = nullptr;
  int best_score = 4;
  int best_diff = 0;
  for (const FaceInfo& face : family.faces) {
    if (any_latin1 && !face.latin1) continue;
    const int score = ((face.italic ? 1 : 0) ^ want_italic) + ((face.bold ? 1 : 0) ^ want_bold);
    if (score > best_score) continue;
    best_score = score;
    best = &face;
    if (face.scalable && score == 0) break;
    if (!face.scalable) {
      const int diff = lf.height > 0 ? lf.height - face.bitmap_height
                                     : -lf.height - (face.bitmap_height - face.internal_leading);
      if (best_bitmap == nullptr || (best_diff > 0 && diff >= 0 && diff < best_diff) ||
          (best_diff < 0 && diff > best_diff)) {
        best_diff = diff;
        best_bitmap = &face;
        if (score == 0 && diff == 0) break;
      }
    }
  }
  const FaceInfo* chosen = best != nullptr && !best->scalable ? best_bitmap : best;
  if (chosen == nullptr) throw std::runtime_error("no usable face for \"" + lf.face + "\"");

  FT_Face raw = nullptr;
  if (FT_New_Face(library_.get(), chosen->file.path.c_str(), chosen->file.index, &raw) != 0) {
    throw std::runtime_error("FreeType cannot open " + chosen->file.path);
  }
  auto font = std::make_unique<Font>(library_.get(), UniqueFace(raw), *chosen, lf,
                                     family.resolved.family, family.resolved.fallback);
  return *fonts_.emplace(lf, std::move(font)).first->second;
}

TextMetrics FreeTypeTextRenderer::Metrics(const LogFont& font) {
  return Realize(font).metrics();
}

Size FreeTypeTextRenderer::Extent(const LogFont& font, std::string_view text) {
  if (text.empty()) return Size{};  // GetTextExtentPoint32 of no characters is 0 x 0
  Font& realized = Realize(font);
  return Size{realized.ExtentOf(text), realized.metrics().height};
}

void FreeTypeTextRenderer::Render(const LogFont& font, int x, int y, std::string_view text,
                                  const std::function<void(int, int)>& plot) {
  if (text.empty()) return;
  Realize(font).Render(x, y, text, plot);
}

FreeTypeTextRenderer::Selection FreeTypeTextRenderer::Describe(const LogFont& font) {
  return Realize(font).selection();
}

TextMetrics FreeTypeTextRenderer::Metrics(const FontSpec& font) {
  return Metrics(FromSpec(font));
}

Size FreeTypeTextRenderer::Extent(const FontSpec& font, std::string_view text) {
  return Extent(FromSpec(font), text);
}

void FreeTypeTextRenderer::Render(const FontSpec& font, int x, int y, std::string_view text,
                                  const std::function<void(int, int)>& plot) {
  Render(FromSpec(font), x, y, text, plot);
}

}  // namespace fw::soft
