#pragma once
// Text for the soft surface over FreeType: the pixels GDI draws with font smoothing off.
//
// The reference is Wine's GDI (win32u's FreeType font backend and its DIB engine) drawing
// two-coloured glyphs (GGO_BITMAP). Wine does that for a DEFAULT_QUALITY font only when
// fontconfig says "antialias" false for the face: fontconfig's answer overrides the registry's
// FontSmoothing (NONANTIALIASED_QUALITY forces it). FreeTypeTextRenderer repeats Wine's steps
// on the same FreeType library, so the glyph bits are the ones Wine gets:
//
//  - Face choice within the family (a bold face if one exists, else simulated bold; bitmap
//    fonts by the size nearest below the request, scaled by an integer factor when too small).
//  - The em height: a negative LOGFONT height is the em in pixels, a positive one the cell
//    height; TrueType fonts use their VDMX table when it has the size, else the OS/2
//    usWinAscent + usWinDescent (hhea when those are zero).
//  - Metrics: tmAscent and tmDescent are usWinAscent and usWinDescent scaled by
//    FT_MulFix(value, FT_MulDiv(ppem, 65536, unitsPerEm)), or the VDMX entry; bitmap fonts
//    take the Windows FNT header.
//  - Glyphs: FT_Load_Glyph with FT_LOAD_TARGET_MONO (embedded bitmaps allowed), clipped to
//    the cell's ascent and descent, rasterised into a box of whole pixels with
//    FT_Outline_Get_Bitmap; advances rounded up to whole pixels. GetTextExtentPoint32 measures
//    other glyphs: GGO_METRICS loads the outline with default hinting and no embedded bitmap,
//    so an extent can differ from the sum of the drawn advances. Simulated bold emboldens
//    outlines by ppem/24 pixel (bitmaps: smeared one pixel right) and adds one pixel to every
//    advance; simulated italic shears by 1/4.
//  - Placement: the glyph box's left edge at pen x + its origin, its top at the baseline
//    (cell top + tmAscent) minus its origin; underline and strike-out are filled rectangles
//    from the font's post/OS/2 tables (bitmap fonts: tmAscent/20 + 1 thick, at the baseline
//    and tmAscent/2 above it).
//
// Two places where Wine cannot be followed: a raster font scaled by an integer factor (MS Sans
// Serif above 12 pt) and simulated italic of a raster font leave part of Wine's glyph buffer
// uninitialised. Here a scaled raster glyph is enlarged pixel by pixel, as Windows does, and
// raster italic stays upright (Wine's initialised pixels).
//
// Text is single-byte Windows-1252: bytes 0x80-0x9F map through the code page, the others are
// Latin-1; raster (.fon) fonts are indexed by the byte itself, as Wine does.
//
// The renderer owns its FreeType library, its resolver and its caches; it is not thread-safe.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/soft/raster/text_renderer.h"
#include "platform/soft/text/font_resolver.h"

struct FT_LibraryRec_;

namespace fw::soft {

class FreeTypeTextRenderer final : public TextRenderer {
 public:
  // Throws std::runtime_error if FreeType or fontconfig cannot be initialised.
  FreeTypeTextRenderer();
  explicit FreeTypeTextRenderer(FontResolver resolver);
  ~FreeTypeTextRenderer() override;
  FreeTypeTextRenderer(const FreeTypeTextRenderer&) = delete;
  FreeTypeTextRenderer& operator=(const FreeTypeTextRenderer&) = delete;

  TextMetrics Metrics(const FontSpec& font) override;
  Size Extent(const FontSpec& font, std::string_view text) override;
  void Render(const FontSpec& font, int x, int y, std::string_view text,
              const std::function<void(int, int)>& plot) override;

  // The same for a raw LOGFONT height (negative: em height; positive: cell height).
  struct LogFont {
    std::string face;
    int height = -11;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    auto Key() const { return std::tie(face, height, bold, italic, underline, strikethrough); }
  };
  TextMetrics Metrics(const LogFont& font);
  Size Extent(const LogFont& font, std::string_view text);
  void Render(const LogFont& font, int x, int y, std::string_view text,
              const std::function<void(int, int)>& plot);

  // What a font resolved to: the family, the file and face index, and whether bold or italic
  // are simulated (for tests and diagnostics).
  struct Selection {
    std::string family;
    std::string path;
    int index = 0;
    bool fallback = false;
    bool fake_bold = false;
    bool fake_italic = false;
    int ppem = 0;
  };
  Selection Describe(const LogFont& font);

  static LogFont FromSpec(const FontSpec& font);

 private:
  class Font;
  struct FamilyInfo;
  struct LibraryDeleter {
    void operator()(FT_LibraryRec_* library) const;
  };
  struct KeyLess {
    bool operator()(const LogFont& a, const LogFont& b) const { return a.Key() < b.Key(); }
  };

  Font& Realize(const LogFont& font);
  const FamilyInfo& Family(const std::string& face);

  // Declared first: destroyed last, after every face made from it.
  std::unique_ptr<FT_LibraryRec_, LibraryDeleter> library_;
  FontResolver resolver_;
  std::map<std::string, std::unique_ptr<FamilyInfo>> families_;
  std::map<LogFont, std::unique_ptr<Font>, KeyLess> fonts_;
};

}  // namespace fw::soft
