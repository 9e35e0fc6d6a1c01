// Steps 16 to 18 of the paint: the focus marking, the focus rectangle of ButtonStyle 4 and the
// drop-down arrow.
#include "controls/button/paint/paint_steps.h"

namespace fw::button_paint {
namespace {

constexpr ColorValue kStyle4FocusColor = 0xCC9999u;
constexpr ColorValue kArrowColor = 0x000000u;

bool Focused(const ButtonFields& f) {
  return f.focus_rect && f.focus;
}

// Sets every pixel of one grid pass that has the stored pen colour to black: columns from
// `first` by twos up to W - `first`, and in each, rows from `first` by twos up to H - `first`.
void MarkGrid(PaintContext& ctx, int first) {
  const ColorValue pen = ctx.surface().ForeColor();
  Dc& dc = ctx.dc();
  for (int x = first; x <= ctx.W() - first; x += 2) {
    for (int y = first; y <= ctx.H() - first; y += 2) {
      if (dc.GetPixel(x, y) == pen) dc.SetPixel(x, y, 0x000000u);
    }
  }
}

}  // namespace

void PaintFocusMarking(PaintContext& ctx) {
  const ButtonFields& f = ctx.fields();
  const std::int32_t style = f.button_style;
  if (style == 4 || style == 6 || style == 7 || !Focused(f)) return;
  // Two passes visit exactly the pixels with an even X + Y: a one-in-two chequer over every
  // line in the pen colour the shape renderer left selected.
  MarkGrid(ctx, 3);
  MarkGrid(ctx, 2);
}

void PaintStyle4FocusRect(PaintContext& ctx) {
  const ButtonFields& f = ctx.fields();
  if (f.caption.empty() || f.button_style != 4 || !Focused(f)) return;
  const PaintBox& box = f.caption_box;
  ctx.Pen(kStyle4FocusColor);
  Dc& dc = ctx.dc();
  dc.SelectBrush(Brush::Hollow());  // an outline only: the caption stays visible
  dc.RoundRect(box.x + box.width + 2, box.y + box.height + 2, box.x - 3, box.y - 2, 0, 0);
}

void PaintDropDown(PaintContext& ctx) {
  const std::int32_t mode = ctx.fields().drop_down;
  if (mode == 0) return;
  int ox = 0;
  int oy = 0;
  if (mode == 1) {
    ox = 2;
    oy = RoundHalfEven(ctx.H() / 2.0 - 8);
  } else if (mode == 2) {
    ox = ctx.W() - 21;
    oy = RoundHalfEven(ctx.H() / 2.0 - 8);
  }
  ctx.Pen(kArrowColor);
  Dc& dc = ctx.dc();
  // Two stacked downward chevrons, each two pixels thick.
  const Point runs[4][3] = {
      {{ox + 6, oy + 5}, {ox + 9, oy + 8}, {ox + 13, oy + 4}},
      {{ox + 7, oy + 5}, {ox + 9, oy + 7}, {ox + 12, oy + 4}},
      {{ox + 6, oy + 9}, {ox + 9, oy + 12}, {ox + 13, oy + 8}},
      {{ox + 7, oy + 9}, {ox + 9, oy + 11}, {ox + 12, oy + 8}},
  };
  for (const auto& run : runs) {
    dc.MoveToEx(run[0].x, run[0].y, nullptr);
    dc.LineTo(run[1].x, run[1].y);
    dc.LineTo(run[2].x, run[2].y);
  }
}

}  // namespace fw::button_paint
