#include "platform/soft/text/font_resolver.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <utility>

#include "formats/text/ascii_case.h"

namespace fw::soft {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct ObjectSetDeleter {
  void operator()(FcObjectSet* set) const { FcObjectSetDestroy(set); }
};
struct FontSetDeleter {
  void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
using UniquePattern = std::unique_ptr<FcPattern, PatternDeleter>;
using UniqueObjectSet = std::unique_ptr<FcObjectSet, ObjectSetDeleter>;
using UniqueFontSet = std::unique_ptr<FcFontSet, FontSetDeleter>;

const FcChar8* Fc(const char* text) {
  return reinterpret_cast<const FcChar8*>(text);
}
const char* Str(const FcChar8* text) {
  return reinterpret_cast<const char*>(text);
}

// Wine's default FontSubstitutes (wine.inf and the Latin-1 code page's defaults).
std::string Substitute(std::string_view face) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kSubstitutes{{
      {"ms shell dlg", "Tahoma"},
      {"ms shell dlg 2", "Tahoma"},
      {"helv", "MS Sans Serif"},
      {"helvetica", "Arial"},
      {"times", "Times New Roman"},
      {"tms rmn", "Times New Roman"},
  }};
  const std::string lower = ToAsciiLower(face);
  for (const auto& [from, to] : kSubstitutes) {
    if (lower == from) return std::string(to);
  }
  return std::string(face);
}

// True for a TrueType file that Wine uses only to build its bitmap fonts: OS/2 vendor "Wine"
// and an EBSC table. Wine's font loader skips these; so do we.
bool IsWineBitmapIntermediate(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  auto read = [&file](std::streamoff offset, char* out, std::streamsize size) {
    file.seekg(offset);
    return static_cast<bool>(file.read(out, size));
  };
  auto be16 = [](const char* p) {
    return static_cast<std::uint32_t>((static_cast<unsigned char>(p[0]) << 8) |
                                      static_cast<unsigned char>(p[1]));
  };
  auto be32 = [&be16](const char* p) { return (be16(p) << 16) | be16(p + 2); };

  std::array<char, 12> header{};
  if (!read(0, header.data(), 12)) return false;
  const std::uint32_t version = be32(header.data());
  if (version != 0x00010000u && version != 0x74727565u /* 'true' */) return false;
  const std::uint32_t tables = be16(header.data() + 4);
  bool has_ebsc = false;
  std::uint32_t os2_offset = 0;
  for (std::uint32_t i = 0; i < tables; ++i) {
    std::array<char, 16> record{};
    if (!read(static_cast<std::streamoff>(12 + 16 * i), record.data(), 16)) return false;
    const std::string_view tag(record.data(), 4);
    if (tag == "EBSC") has_ebsc = true;
    if (tag == "OS/2") os2_offset = be32(record.data() + 8);
  }
  if (!has_ebsc || os2_offset == 0) return false;
  std::array<char, 4> vendor{};
  if (!read(static_cast<std::streamoff>(os2_offset + 58), vendor.data(), 4)) return false;
  return std::string_view(vendor.data(), 4) == "Wine";
}

}  // namespace

void FontResolver::ConfigDeleter::operator()(_FcConfig* config) const {
  FcConfigDestroy(config);
}

FontResolver::FontResolver(std::vector<std::string> extra_directories, std::string fallback_family)
    : extra_directories_(std::move(extra_directories)),
      fallback_family_(std::move(fallback_family)) {
  // The system's configuration files, in a configuration object of our own.
  config_.reset(FcInitLoadConfig());
  if (!config_) throw std::runtime_error("fontconfig: cannot load the configuration");
  // Distributions reject bitmap fonts (70-no-bitmaps.conf); Wine's raster fonts are bitmap
  // fonts. Accept them here and keep only those from our own directories (FacesOf).
  static constexpr const char* kAcceptBitmaps =
      "<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">"
      "<fontconfig><selectfont><acceptfont><pattern>"
      "<patelt name=\"scalable\"><bool>false</bool></patelt>"
      "</pattern></acceptfont></selectfont></fontconfig>";
  if (!FcConfigParseAndLoadFromMemory(config_.get(), Fc(kAcceptBitmaps), FcFalse)) {
    throw std::runtime_error("fontconfig: cannot extend the configuration");
  }
  if (!FcConfigBuildFonts(config_.get())) {
    throw std::runtime_error("fontconfig: cannot build the font list");
  }
  for (const std::string& directory : extra_directories_) {
    // A missing directory is not an error: its faces are simply not there.
    FcConfigAppFontAddDir(config_.get(), Fc(directory.c_str()));
  }
}

FontResolver::~FontResolver() = default;
FontResolver::FontResolver(FontResolver&&) noexcept = default;
FontResolver& FontResolver::operator=(FontResolver&&) noexcept = default;

std::vector<FontFaceFile> FontResolver::FacesOf(std::string_view family) const {
  std::vector<FontFaceFile> faces;
  const UniquePattern pattern(FcPatternCreate());
  const UniqueObjectSet objects(FcObjectSetBuild(
      FC_FILE, FC_INDEX, FC_FAMILY, FC_STYLE, FC_SCALABLE, FC_PIXEL_SIZE, FC_FONTFORMAT, nullptr));
  if (!pattern || !objects) return faces;
  const std::string name(family);
  FcPatternAddString(pattern.get(), FC_FAMILY, Fc(name.c_str()));
  const UniqueFontSet set(FcFontList(config_.get(), pattern.get(), objects.get()));
  if (!set) return faces;

  for (int i = 0; i < set->nfont; ++i) {
    const FcPattern* font = set->fonts[i];
    FcChar8* file = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) continue;
    FontFaceFile face;
    face.path = Str(file);
    FcPatternGetInteger(font, FC_INDEX, 0, &face.index);
    FcChar8* text = nullptr;
    if (FcPatternGetString(font, FC_FAMILY, 0, &text) == FcResultMatch) face.family = Str(text);
    if (FcPatternGetString(font, FC_STYLE, 0, &text) == FcResultMatch) face.style = Str(text);
    FcBool scalable = FcTrue;
    FcPatternGetBool(font, FC_SCALABLE, 0, &scalable);
    face.scalable = scalable != FcFalse;
    double pixel_size = 0;
    if (FcPatternGetDouble(font, FC_PIXEL_SIZE, 0, &pixel_size) == FcResultMatch) {
      face.pixel_size = static_cast<int>(pixel_size + 0.5);
    }
    std::string format;
    if (FcPatternGetString(font, FC_FONTFORMAT, 0, &text) == FcResultMatch) format = Str(text);

    if (format == "Type 1") continue;  // Wine ignores Type 1 fonts
    if (!face.scalable) {
      const bool ours = std::any_of(
          extra_directories_.begin(), extra_directories_.end(), [&face](const std::string& dir) {
            return face.path.size() > dir.size() && face.path.compare(0, dir.size(), dir) == 0 &&
                   face.path[dir.size()] == '/';
          });
      if (!ours) continue;
      if (IsWineBitmapIntermediate(face.path)) continue;
    }
    faces.push_back(std::move(face));
  }
  std::sort(faces.begin(), faces.end(), [](const FontFaceFile& a, const FontFaceFile& b) {
    return a.path != b.path ? a.path < b.path : a.index < b.index;
  });
  faces.erase(std::unique(faces.begin(), faces.end()), faces.end());
  return faces;
}

ResolvedFamily FontResolver::Resolve(std::string_view face) const {
  ResolvedFamily result;
  result.requested = std::string(face);
  const std::string name = Substitute(face);

  // The name itself, then the families fontconfig binds to it as equivalents ("same"
  // binding: metric-compatible aliases). Weakly bound generic fallbacks do not count.
  std::vector<std::string> candidates{name};
  if (const UniquePattern pattern(FcPatternCreate()); pattern) {
    FcPatternAddString(pattern.get(), FC_FAMILY, Fc(name.c_str()));
    FcConfigSubstitute(config_.get(), pattern.get(), FcMatchPattern);
    FcValue value;
    FcValueBinding binding;
    for (int id = 0;
         FcPatternGetWithBinding(pattern.get(), FC_FAMILY, id, &value, &binding) == FcResultMatch;
         ++id) {
      if (value.type != FcTypeString) continue;
      if (binding != FcValueBindingStrong && binding != FcValueBindingSame) continue;
      candidates.emplace_back(Str(value.u.s));
    }
  }
  for (const std::string& candidate : candidates) {
    std::vector<FontFaceFile> faces = FacesOf(candidate);
    if (faces.empty()) continue;
    result.family = candidate;
    result.faces = std::move(faces);
    return result;
  }

  result.faces = FacesOf(fallback_family_);
  if (result.faces.empty()) {
    throw std::runtime_error("no font for face \"" + std::string(face) +
                             "\" and the fallback family \"" + fallback_family_ +
                             "\" is not installed");
  }
  result.family = fallback_family_;
  result.fallback = true;
  return result;
}

}  // namespace fw::soft
