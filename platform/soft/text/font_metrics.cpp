// A realized font's size and metrics: the em height (VDMX or the OS/2 heights), the integer
// scale of a bitmap font, the character map, the text metrics, the underline and strike-out,
// the simulation matrices and the advances, as Wine's FreeType backend computes them.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_TRIGONOMETRY_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H
#include FT_WINFONTS_H

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <utility>

#include "formats/text/ansi_text.h"
#include "platform/soft/text/freetype_font.h"

namespace fw::soft {
namespace {

int GdiRound(double v) {
  return static_cast<int>(v >= 0 ? v + 0.5 : v - 0.5);
}

std::uint16_t Be16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

}  // namespace

FreeTypeTextRenderer::Font::Font(FT_Library library, UniqueFace face, const FaceInfo& info,
                                 const LogFont& lf, const std::string& family, bool fallback)
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

// The em height from the VDMX table (0 if the table does not have it).
int FreeTypeTextRenderer::Font::LoadVdmx(int height) {
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
  auto pel_height = [&v](int i) { return static_cast<int>(Be16(&v[static_cast<size_t>(i * 6)])); };
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

int FreeTypeTextRenderer::Font::PpemForHeight(int height) const {
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
void FreeTypeTextRenderer::Font::PickCharmap() {
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

FT_UInt FreeTypeTextRenderer::Font::GlyphIndex(unsigned char byte) const {
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
void FreeTypeTextRenderer::Font::SetOutlineMetrics() {
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
void FreeTypeTextRenderer::Font::SetBitmapMetrics(const FT_WinFNT_HeaderRec& fnt) {
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

void FreeTypeTextRenderer::Font::SetSizeMetrics() {
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
void FreeTypeTextRenderer::Font::ScaleMetrics() {
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
void FreeTypeTextRenderer::Font::SetMatrices() {
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
FT_Vector FreeTypeTextRenderer::Font::AdvanceMetric(FT_Pos base_advance,
                                                    const FT_Matrix* matrix) const {
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

}  // namespace fw::soft
