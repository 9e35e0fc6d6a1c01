#include "tools/preview/gallery.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/preview/picture_files.h"
#include "tools/preview/preview_options.h"

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

constexpr int kShapes = 12;  // ButtonShape 0 to 11
constexpr int kStyles = 8;   // ButtonStyle 1 to 8
constexpr int kThemes = 8;   // ButtonTheme 1 to 8
constexpr int kSchemes = 8;  // ButtonStyleColors 0 to 7
constexpr int kStripsPerRow = 4;
// What all the previews together may take, and what the sheet may take: 160 MB of pixels each.
constexpr std::size_t kMaxGalleryPixels = 40'000'000;
constexpr std::size_t kMaxSheetPixels = 40'000'000;

// Sheet geometry, in pixels.
constexpr int kMargin = 12;
constexpr int kCellGap = 6;      // between the states of one strip
constexpr int kStripGap = 24;    // between strips side by side
constexpr int kRowGap = 10;      // below a row of strips
constexpr int kSectionGap = 14;  // below a section
constexpr int kLineGap = 3;      // below a line of text
constexpr ColorRef kTextColor = 0x000000;

FontSpec LabelFont() {
  return {"Tahoma", 8.25, false, false, false, false};
}
FontSpec TitleFont() {
  return {"Tahoma", 10.0, true, false, false, false};
}

// One labelled row of previews: the same control, with `variation` set after the base recipe's
// own settings, in each state.
struct Strip {
  std::string label;
  std::vector<Assignment> variation;
  bool square = false;  // the variation sets a ButtonShape that makes the control square
  std::array<image::Image, kStates.size()> cells;
};

struct Section {
  std::string title;
  std::vector<Strip> strips;
};

Assignment Setting(std::string_view name, std::int32_t value) {
  return {FindButtonProperty(name), std::to_string(value), SettingValue{value}};
}

// Every ButtonShape but the rectangle (0) and the rounded rectangle (1) is drawn square: the
// paint sets the height to the width.
bool IsSquareShape(std::int32_t shape) {
  return shape != 0 && shape != 1;
}

// The sections and their strips, with no previews rendered yet.
std::vector<Section> PlanSections() {
  std::vector<Section> sections(3);
  sections[0].title = "ButtonShape 0 to 11 with ButtonStyle 1 to 8";
  for (int shape = 0; shape < kShapes; ++shape) {
    for (int style = 1; style <= kStyles; ++style) {
      sections[0].strips.push_back(
          {"ButtonShape " + std::to_string(shape) + ", ButtonStyle " + std::to_string(style),
           {Setting("ButtonShape", shape), Setting("ButtonStyle", style)},
           IsSquareShape(shape),
           {}});
    }
  }
  sections[1].title = "ButtonTheme 1 to 8";
  for (int theme = 1; theme <= kThemes; ++theme) {
    sections[1].strips.push_back(
        {"ButtonTheme " + std::to_string(theme), {Setting("ButtonTheme", theme)}, false, {}});
  }
  sections[2].title = "ButtonStyleColors 0 to 7 (background schemes)";
  for (int scheme = 0; scheme < kSchemes; ++scheme) {
    sections[2].strips.push_back({"ButtonStyleColors " + std::to_string(scheme),
                                  {Setting("ButtonStyleColors", scheme)},
                                  false,
                                  {}});
  }
  return sections;
}

// Gives every cell the size its preview will have, without rendering it: the size of the control
// the base recipe makes (one control, painted once), made square by a square ButtonShape. No
// state and no other property of the gallery changes the size. The cells hold no pixels.
// Returns the pixels all the previews will take.
std::size_t SizeCells(std::vector<Section>& sections, GdiDevice& device, const ControlRecipe& base,
                      PictureFiles& pictures) {
  ControlRecipe recipe = base;
  recipe.states = {};
  ButtonPreview probe(device, recipe, pictures);
  const Dc& surface = probe.window().hDC();
  const int width = surface.Width();
  const int height = surface.Height();
  std::size_t pixels = 0;
  for (Section& section : sections) {
    for (Strip& strip : section.strips) {
      for (image::Image& cell : strip.cells) {
        cell = image::Image{width, strip.square ? width : height, {}};
        pixels += static_cast<std::size_t>(cell.width) * static_cast<std::size_t>(cell.height);
      }
    }
  }
  return pixels;
}

// Renders every cell's preview.
void RenderCells(std::vector<Section>& sections, GdiDevice& device, const ControlRecipe& base,
                 PictureFiles& pictures, ColorRef background) {
  for (Section& section : sections) {
    for (Strip& strip : section.strips) {
      for (std::size_t i = 0; i < kStates.size(); ++i) {
        ControlRecipe recipe = base;
        recipe.assignments.insert(recipe.assignments.end(), strip.variation.begin(),
                                  strip.variation.end());
        recipe.enabled = kStates[i].enabled;
        recipe.states = kStates[i].states;
        ButtonPreview preview(device, recipe, pictures);
        strip.cells[i] = preview.Capture(background);
      }
    }
  }
}

std::string TooLarge(const char* what, std::size_t pixels, std::size_t limit, int cell_width,
                     int cell_height) {
  return std::string("--gallery: ") + what + " would take " + std::to_string(pixels) +
         " pixels, more than " + std::to_string(limit) + " (each preview is up to " +
         std::to_string(cell_width) + "x" + std::to_string(cell_height) +
         "); give a smaller --size";
}

// What goes where on the sheet.
struct TextItem {
  Point at;
  std::string text;
  bool title;  // in the title font, else the label font
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

// Lays the sections out, measuring text with the label and title fonts on `measure`.
Layout LayOut(const std::vector<Section>& sections, const std::string& title, Dc& measure) {
  const auto extent = [&measure](const std::string& text, const FontSpec& font) {
    measure.SelectFont(font);
    return measure.GetTextExtentPoint32A(text);
  };
  const int label_height = extent("Ag", LabelFont()).cy;
  const int title_height = extent("Ag", TitleFont()).cy;

  int cell_width = 0;
  int column_width = 0;
  for (const Section& section : sections) {
    for (const Strip& strip : section.strips) {
      for (const image::Image& cell : strip.cells) cell_width = std::max(cell_width, cell.width);
      column_width = std::max(column_width, extent(strip.label, LabelFont()).cx);
    }
  }
  for (const GalleryState& state : kStates) {
    cell_width = std::max(cell_width, extent(state.name, LabelFont()).cx);
  }
  const int cell_step = cell_width + kCellGap;
  column_width = std::max(column_width, static_cast<int>(kStates.size()) * cell_step - kCellGap);
  const int column_step = column_width + kStripGap;

  Layout layout;
  int width = 2 * kMargin + extent(title, TitleFont()).cx;
  int y = kMargin;
  layout.texts.push_back({{kMargin, y}, title, true});
  y += title_height + kSectionGap;
  for (const Section& section : sections) {
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
    y += label_height + kLineGap + kLineGap;
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

image::Image BuildGallery(GdiDevice& device, const ControlRecipe& base, PictureFiles& pictures,
                          ColorRef background) {
  const std::string title =
      "Button gallery: normal, hover, pressed, focused and disabled, each a control of its own";
  const std::unique_ptr<Dc> measure = device.CreateSurface(1, 1, background);

  // Refuse a gallery too large before any preview is rendered: the sizes are known beforehand.
  std::vector<Section> sections = PlanSections();
  const std::size_t preview_pixels = SizeCells(sections, device, base, pictures);
  int cell_width = 0;
  int cell_height = 0;
  for (const Section& section : sections) {
    for (const Strip& strip : section.strips) {
      for (const image::Image& cell : strip.cells) {
        cell_width = std::max(cell_width, cell.width);
        cell_height = std::max(cell_height, cell.height);
      }
    }
  }
  if (preview_pixels > kMaxGalleryPixels) {
    throw UsageError(
        TooLarge("the previews", preview_pixels, kMaxGalleryPixels, cell_width, cell_height));
  }
  const Size planned = LayOut(sections, title, *measure).sheet;
  const std::size_t sheet_pixels =
      static_cast<std::size_t>(planned.cx) * static_cast<std::size_t>(planned.cy);
  if (sheet_pixels > kMaxSheetPixels) {
    throw UsageError(TooLarge("the sheet", sheet_pixels, kMaxSheetPixels, cell_width, cell_height));
  }

  RenderCells(sections, device, base, pictures, background);
  const Layout layout = LayOut(sections, title, *measure);

  const std::unique_ptr<Dc> sheet =
      device.CreateSurface(layout.sheet.cx, layout.sheet.cy, background);
  sheet->SetBkMode(BkMode::Transparent);
  sheet->SetTextColor(kTextColor);
  for (const TextItem& text : layout.texts) {
    sheet->SelectFont(text.title ? TitleFont() : LabelFont());
    sheet->TextOutA(text.at.x, text.at.y, text.text);
  }
  image::Image image = image::FromDibPixels(sheet->Width(), sheet->Height(), sheet->Pixels());
  for (const CellItem& cell : layout.cells) {
    CompositeOver(image, *cell.image, cell.at.x, cell.at.y);
  }
  return image;
}

}  // namespace fw::preview
