#include "tools/preview/gallery_sheet.h"

#include <algorithm>
#include <cstddef>
#include <memory>

#include "tools/preview/render.h"

namespace fw::preview {
namespace {

constexpr int kStripsPerRow = 4;

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
Layout LayOut(const std::vector<GallerySection>& sections, const std::string& title,
              GalleryColumns columns_of, Dc& measure) {
  const auto extent = [&measure](const std::string& text, const FontSpec& font) {
    measure.SelectFont(font);
    return measure.GetTextExtentPoint32A(text);
  };
  const int label_height = extent("Ag", LabelFont()).cy;
  const int title_height = extent("Ag", TitleFont()).cy;
  // The width of a cell and of a strip's column over `covered` sections.
  const auto column_steps = [&](auto first, auto last) {
    int cell_width = 0;
    int column_width = 0;
    for (auto section = first; section != last; ++section) {
      for (const GalleryStrip& strip : section->strips) {
        for (const image::Image& cell : strip.cells) cell_width = std::max(cell_width, cell.width);
        column_width = std::max(column_width, extent(strip.label, LabelFont()).cx);
      }
    }
    for (const GalleryState& state : kGalleryStates) {
      cell_width = std::max(cell_width, extent(state.name, LabelFont()).cx);
    }
    const int cell_step = cell_width + kCellGap;
    column_width =
        std::max(column_width, static_cast<int>(kGalleryStates.size()) * cell_step - kCellGap);
    return std::pair{cell_step, column_width + kStripGap};
  };
  auto [cell_step, column_step] = column_steps(sections.begin(), sections.end());

  Layout layout;
  int width = 2 * kMargin + extent(title, TitleFont()).cx;
  int y = kMargin;
  layout.texts.push_back({{kMargin, y}, title, true});
  y += title_height + kSectionGap;
  for (auto section = sections.begin(); section != sections.end(); ++section) {
    if (columns_of == GalleryColumns::PerSection) {
      std::tie(cell_step, column_step) = column_steps(section, section + 1);
    }
    layout.texts.push_back({{kMargin, y}, section->title, true});
    width = std::max(width, 2 * kMargin + extent(section->title, TitleFont()).cx);
    y += title_height + kLineGap;
    const int columns = std::min(kStripsPerRow, static_cast<int>(section->strips.size()));
    for (int column = 0; column < columns; ++column) {
      for (std::size_t s = 0; s < kGalleryStates.size(); ++s) {
        layout.texts.push_back(
            {{kMargin + column * column_step + static_cast<int>(s) * cell_step, y},
             kGalleryStates[s].name,
             false});
      }
    }
    width = std::max(width, 2 * kMargin + columns * column_step - kStripGap);
    y += label_height + 2 * kLineGap;
    const std::vector<GalleryStrip>& strips = section->strips;
    for (std::size_t first = 0; first < strips.size(); first += kStripsPerRow) {
      const std::size_t last = std::min(strips.size(), first + kStripsPerRow);
      int row_height = 0;
      for (std::size_t i = first; i < last; ++i) {
        const int x = kMargin + static_cast<int>(i - first) * column_step;
        const GalleryStrip& strip = strips[i];
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

Size GallerySheetSize(GdiDevice& device, const GalleryPlan& plan) {
  const std::unique_ptr<Dc> measure = device.CreateSurface(1, 1, 0xFFFFFF);
  return LayOut(plan.sections, plan.title, plan.columns, *measure).sheet;
}

image::Image DrawGallerySheet(GdiDevice& device, const GalleryPlan& plan, ColorRef background) {
  const std::unique_ptr<Dc> measure = device.CreateSurface(1, 1, background);
  const Layout layout = LayOut(plan.sections, plan.title, plan.columns, *measure);
  const std::unique_ptr<Dc> sheet =
      device.CreateSurface(layout.sheet.cx, layout.sheet.cy, background);
  sheet->SetBkMode(BkMode::Transparent);
  sheet->SetTextColor(kTextColor);
  for (const TextItem& text : layout.texts) {
    sheet->SelectFont(text.title ? TitleFont() : LabelFont());
    sheet->TextOutA(text.at.x, text.at.y, text.text);
  }
  image::Image image = image::FromDibPixels(sheet->Width(), sheet->Height(), sheet->Pixels());
  for (const CellItem& cell : layout.cells) CompositeOver(image, *cell.image, cell.at.x, cell.at.y);
  return image;
}

}  // namespace fw::preview
