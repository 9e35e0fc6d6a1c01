#include "tools/preview/vbbutton_gallery.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/picture_encode.h"
#include "tools/preview/preview_options.h"
#include "tools/preview/vbbutton_render.h"

namespace fw::preview {
namespace {

struct GalleryState {
  const char* name;
  StateRequest states;
  bool enabled;
};

constexpr std::array<GalleryState, 5> kStates = {{
    {"normal", {}, true},
    {"hover", {.focus = false, .hover = true, .pressed = false}, true},
    {"pressed", {.focus = false, .hover = false, .pressed = true}, true},
    {"focused", {.focus = true, .hover = false, .pressed = false}, true},
    {"disabled", {}, false},
}};

constexpr int kTypes = 14;     // ButtonType 1 to 14
constexpr int kSchemes = 4;    // ColorScheme 1 to 4
constexpr int kPositions = 5;  // PicturePosition 0 to 4
constexpr int kStripsPerRow = 4;
// The size of the picture section's previews when the recipe gives none: room for a caption and
// the sample picture beside it.
constexpr Size kPictureCell = {120, 44};
// What the sheet may take: 160 MB of pixels.
constexpr std::size_t kMaxSheetPixels = 40'000'000;

constexpr int kMargin = 12;
constexpr int kCellGap = 6;
constexpr int kStripGap = 24;
constexpr int kRowGap = 10;
constexpr int kSectionGap = 14;
constexpr int kLineGap = 3;

FontSpec LabelFont() {
  return {"Tahoma", 8.25, false, false, false, false};
}
FontSpec TitleFont() {
  return {"Tahoma", 10.0, true, false, false, false};
}

struct Strip {
  std::string label;
  std::vector<Assignment> variation;
  bool picture_cell = false;  // sized for the picture section
  std::array<image::Image, kStates.size()> cells;
};

struct Section {
  std::string title;
  std::vector<Strip> strips;
};

Assignment Setting(std::string_view name, SettingValue value) {
  // An empty text: a picture value is used as it is, not read from a file.
  return {nullptr, "", std::move(value), FindVbButtonProperty(name)};
}

std::vector<Section> PlanSections(const ControlRecipe& base) {
  std::vector<Section> sections(3);
  sections[0].title = "ButtonType 1 to 14";
  for (int type = 1; type <= kTypes; ++type) {
    sections[0].strips.push_back(
        {"ButtonType " + std::to_string(type), {Setting("ButtonType", type)}, false, {}});
  }
  sections[1].title = "ColorScheme 1 to 4 (system, custom, classic, parent window)";
  for (int scheme = 1; scheme <= kSchemes; ++scheme) {
    for (int type = 1; type <= kTypes; ++type) {
      sections[1].strips.push_back(
          {"ColorScheme " + std::to_string(scheme) + ", ButtonType " + std::to_string(type),
           {Setting("ColorScheme", scheme), Setting("ButtonType", type)},
           false,
           {}});
    }
  }
  // The recipe's own picture when it sets one, else the sample.
  bool has_picture = false;
  for (const Assignment& a : base.assignments) {
    has_picture =
        has_picture || (a.vb_property != nullptr && a.vb_property->name == "PictureNormal");
  }
  std::vector<Assignment> picture;
  if (!has_picture && base.saved == nullptr) {
    picture.push_back(Setting("PictureNormal", VbGallerySamplePicture()));
  }
  sections[2].title = "PicturePosition 0 to 4 (left, right, above, below, behind), greyscale, mask";
  const auto with_picture = [&](std::vector<Assignment> more) {
    std::vector<Assignment> all = picture;
    all.insert(all.end(), more.begin(), more.end());
    return all;
  };
  for (int position = 0; position < kPositions; ++position) {
    sections[2].strips.push_back({"PicturePosition " + std::to_string(position),
                                  with_picture({Setting("PicturePosition", position)}),
                                  true,
                                  {}});
  }
  sections[2].strips.push_back(
      {"UseGreyscale True", with_picture({Setting("UseGreyscale", true)}), true, {}});
  sections[2].strips.push_back(
      {"UseMaskColor False", with_picture({Setting("UseMaskColor", false)}), true, {}});
  sections[2].strips.push_back(
      {"SpecialEffect 1, ButtonType 9",
       with_picture({Setting("SpecialEffect", 1), Setting("ButtonType", 9)}),
       true,
       {}});
  return sections;
}

void RenderCells(std::vector<Section>& sections, GdiDevice& device, const ControlRecipe& base,
                 PictureFiles& pictures, ColorRef background) {
  for (Section& section : sections) {
    for (Strip& strip : section.strips) {
      for (std::size_t i = 0; i < kStates.size(); ++i) {
        ControlRecipe recipe = base;
        if (strip.picture_cell && !recipe.size && !recipe.saved_extent_twips) {
          recipe.size = kPictureCell;
        }
        recipe.assignments.insert(recipe.assignments.end(), strip.variation.begin(),
                                  strip.variation.end());
        recipe.enabled = kStates[i].enabled;
        recipe.states = kStates[i].states;
        VbButtonPreview preview(device, recipe, pictures, background);
        strip.cells[i] = preview.Capture(background);
      }
    }
  }
}

struct TextItem {
  Point at;
  std::string text;
  bool title;
};
struct CellItem {
  Point at;
  const image::Image* image;
};
struct Layout {
  Size sheet;
  std::vector<TextItem> texts;
  std::vector<CellItem> cells;
};

// Sections one under the other; in each, its strips four to a row, each strip a label over its
// five cells, one per state.
Layout LayOut(const std::vector<Section>& sections, const std::string& title, Dc& measure) {
  const auto extent = [&measure](const std::string& text, const FontSpec& font) {
    measure.SelectFont(font);
    return measure.GetTextExtentPoint32A(text);
  };
  const int label_height = extent("Ag", LabelFont()).cy;
  const int title_height = extent("Ag", TitleFont()).cy;
  Layout layout;
  int width = 2 * kMargin + extent(title, TitleFont()).cx;
  int y = kMargin;
  layout.texts.push_back({{kMargin, y}, title, true});
  y += title_height + kSectionGap;
  for (const Section& section : sections) {
    int cell_width = 0;
    int column_width = 0;
    for (const Strip& strip : section.strips) {
      for (const image::Image& cell : strip.cells) cell_width = std::max(cell_width, cell.width);
      column_width = std::max(column_width, extent(strip.label, LabelFont()).cx);
    }
    for (const GalleryState& state : kStates) {
      cell_width = std::max(cell_width, extent(state.name, LabelFont()).cx);
    }
    const int cell_step = cell_width + kCellGap;
    column_width = std::max(column_width, static_cast<int>(kStates.size()) * cell_step - kCellGap);
    const int column_step = column_width + kStripGap;

    layout.texts.push_back({{kMargin, y}, section.title, true});
    width = std::max(width, 2 * kMargin + extent(section.title, TitleFont()).cx);
    y += title_height + kLineGap;
    const int columns = std::min(kStripsPerRow, static_cast<int>(section.strips.size()));
    for (int column = 0; column < columns; ++column) {
      for (std::size_t s = 0; s < kStates.size(); ++s) {
        layout.texts.push_back(
            {{kMargin + column * column_step + static_cast<int>(s) * cell_step, y},
             kStates[s].name,
             false});
      }
    }
    width = std::max(width, 2 * kMargin + columns * column_step - kStripGap);
    y += label_height + 2 * kLineGap;
    for (std::size_t first = 0; first < section.strips.size(); first += kStripsPerRow) {
      const std::size_t last = std::min(section.strips.size(), first + kStripsPerRow);
      int row_height = 0;
      for (std::size_t i = first; i < last; ++i) {
        const int x = kMargin + static_cast<int>(i - first) * column_step;
        const Strip& strip = section.strips[i];
        layout.texts.push_back({{x, y}, strip.label, false});
        for (std::size_t s = 0; s < strip.cells.size(); ++s) {
          layout.cells.push_back(
              {{x + static_cast<int>(s) * cell_step, y + label_height + kLineGap},
               &strip.cells[s]});
          row_height = std::max(row_height, strip.cells[s].height);
        }
      }
      y += label_height + kLineGap + row_height + kRowGap;
    }
    y += kSectionGap;
  }
  layout.sheet = {width, y - kSectionGap - kRowGap + kMargin};
  return layout;
}

}  // namespace

PicturePtr VbGallerySamplePicture() {
  constexpr int kSide = 16;
  IconImage image;
  image.width = kSide;
  image.height = kSide;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const int dx = 2 * x - (kSide - 1);
      const int dy = 2 * y - (kSide - 1);
      const int d = dx * dx + dy * dy;
      std::uint32_t pixel = 0xC0C0C0;                      // MaskColor's default: see-through
      if (d >= 13 * 13 && d <= 15 * 15) pixel = 0x2060C0;  // a blue ring (0x00RRGGBB)
      if ((x == y || x == kSide - 1 - y) && d < 11 * 11) pixel = 0xD02020;  // a red cross
      image.color.push_back(pixel);
    }
  }
  image.mask.assign(image.color.size(), false);
  return std::make_shared<const Picture>(BitmapPicture(std::move(image)));
}

image::Image BuildVbButtonGallery(GdiDevice& device, const ControlRecipe& base,
                                  PictureFiles& pictures, ColorRef background) {
  const std::string title =
      "vbButton gallery: normal, hover, pressed, focused and disabled, each a control of its own";
  const std::unique_ptr<Dc> measure = device.CreateSurface(1, 1, background);
  std::vector<Section> sections = PlanSections(base);
  // Every preview of a section has the size the recipe gives it; refuse a sheet too large
  // before anything is rendered.
  {
    ControlRecipe probe_recipe = base;
    probe_recipe.states = {};
    VbButtonPreview probe(device, probe_recipe, pictures, background);
    const Dc& surface = probe.window().hDC();
    for (Section& section : sections) {
      for (Strip& strip : section.strips) {
        const bool own_size = strip.picture_cell && !base.size && !base.saved_extent_twips;
        for (image::Image& cell : strip.cells) {
          cell = image::Image{own_size ? kPictureCell.cx : surface.Width(),
                              own_size ? kPictureCell.cy : surface.Height(),
                              {}};
        }
      }
    }
  }
  const Size planned = LayOut(sections, title, *measure).sheet;
  const std::size_t sheet_pixels =
      static_cast<std::size_t>(planned.cx) * static_cast<std::size_t>(planned.cy);
  if (sheet_pixels > kMaxSheetPixels) {
    throw UsageError("--gallery: the sheet would take " + std::to_string(sheet_pixels) +
                     " pixels, more than " + std::to_string(kMaxSheetPixels) +
                     "; give a smaller --size");
  }
  RenderCells(sections, device, base, pictures, background);
  const Layout layout = LayOut(sections, title, *measure);
  const std::unique_ptr<Dc> sheet =
      device.CreateSurface(layout.sheet.cx, layout.sheet.cy, background);
  sheet->SetBkMode(BkMode::Transparent);
  sheet->SetTextColor(0x000000);
  for (const TextItem& text : layout.texts) {
    sheet->SelectFont(text.title ? TitleFont() : LabelFont());
    sheet->TextOutA(text.at.x, text.at.y, text.text);
  }
  image::Image image = image::FromDibPixels(sheet->Width(), sheet->Height(), sheet->Pixels());
  for (const CellItem& cell : layout.cells) CompositeOver(image, *cell.image, cell.at.x, cell.at.y);
  return image;
}

}  // namespace fw::preview
