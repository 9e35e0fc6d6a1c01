#pragma once
// Face names to font files, through a fontconfig configuration of our own.
//
// The resolver mirrors how Wine (the reference the soft surface is checked against) finds a
// face: the system's fonts come from fontconfig, Wine's own fonts from Debian's fonts-wine
// directory (/usr/share/wine/fonts), which is added to the resolver's private FcConfig only,
// never to the process-wide one. The rules Wine applies to that set are applied here too:
//
//  - A face name first goes through Wine's FontSubstitutes ("MS Shell Dlg" is Tahoma).
//  - A family is looked up by name, then through fontconfig's metric-compatible aliases
//    (those bound "same", such as Arial -> Liberation Sans); fontconfig's generic fallbacks
//    ("sans-serif" and what it prefers) do not count as a match.
//  - A face that is not found falls back to kDefaultFallback, Liberation Sans: the face Wine
//    picks for an unknown name when Arial itself is not installed. Only if the fallback is
//    missing too does Resolve throw (std::runtime_error naming the face).
//  - Bitmap (non-scalable) fonts count only from the added directories; Type 1 fonts never
//    do; and the bitmap-only TrueType files Wine builds its .fon files from (OS/2 vendor
//    "Wine" with an EBSC table, such as ms_sans_serif.ttf) are skipped, as Wine skips them.
//    So "MS Sans Serif" resolves to sserife.fon, the raster font Wine draws it with.
//
// Not thread-safe; one resolver belongs to one renderer.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct _FcConfig;

namespace fw::soft {

// One face of a font file.
struct FontFaceFile {
  std::string path;
  int index = 0;       // face index inside the file (.ttc, .fon)
  std::string family;  // the family name fontconfig reports first
  std::string style;
  bool scalable = true;
  int pixel_size = 0;  // bitmap faces: fontconfig's pixel size (the em height)
  friend bool operator==(const FontFaceFile&, const FontFaceFile&) = default;
};

// The faces a face name resolves to: every style and size of one family.
struct ResolvedFamily {
  std::string requested;            // the name asked for
  std::string family;               // the family found
  bool fallback = false;            // true if `requested` was not found and the default was used
  std::vector<FontFaceFile> faces;  // sorted by path, then index
};

class FontResolver {
 public:
  static constexpr const char* kWineFontDirectory = "/usr/share/wine/fonts";
  static constexpr const char* kDefaultFallback = "Liberation Sans";

  // The system configuration plus `extra_directories` (Wine's font directory by default).
  // Throws std::runtime_error if fontconfig cannot be initialised.
  explicit FontResolver(std::vector<std::string> extra_directories = {kWineFontDirectory},
                        std::string fallback_family = kDefaultFallback);
  ~FontResolver();
  FontResolver(FontResolver&&) noexcept;
  FontResolver& operator=(FontResolver&&) noexcept;
  FontResolver(const FontResolver&) = delete;
  FontResolver& operator=(const FontResolver&) = delete;

  // The family `face` names (see the rules above). Throws std::runtime_error naming `face`
  // if neither it nor the fallback family can be found.
  ResolvedFamily Resolve(std::string_view face) const;

  // The faces of exactly `family` (no substitution, no alias, no fallback); empty if none.
  std::vector<FontFaceFile> FacesOf(std::string_view family) const;

 private:
  struct ConfigDeleter {
    void operator()(_FcConfig* config) const;
  };
  std::unique_ptr<_FcConfig, ConfigDeleter> config_;
  std::vector<std::string> extra_directories_;
  std::string fallback_family_;
};

}  // namespace fw::soft
