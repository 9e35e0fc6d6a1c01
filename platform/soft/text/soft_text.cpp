#include "platform/soft/text/soft_text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_WINFONTS_H

#include <algorithm>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>

#include "platform/soft/text/freetype_font.h"

namespace fw::soft {
namespace {

constexpr unsigned kAnsiCharset = 0;

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
