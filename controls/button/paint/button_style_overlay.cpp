// Step 8 of the paint: the border colours each ButtonStyle fixes, written straight into the
// fields (no change notification, no repaint), and the style's overlay gradient.
#include "controls/button/paint/gradient.h"
#include "controls/button/paint/paint_steps.h"

namespace fw::button_paint {
namespace {

constexpr GradientMode kH = GradientMode::Horizontal;
constexpr GradientMode kV = GradientMode::Vertical;

enum class Overlay { None, A, B, C, D };

// Writes the style's three border colours and names its overlay.
Overlay ApplyStyleColors(ButtonFields& f) {
  auto set = [&f](ColorValue normal, ColorValue hover, ColorValue pressed) {
    f.border_color = normal;
    f.border_color_hover = hover;
    f.border_color_pressed = pressed;
  };
  switch (f.button_style) {
    case 1:
    case 2:
      set(kSysDarkShadow, kSysDarkShadow, kSysButtonHighlight);
      return Overlay::None;
    case 3:
      set(f.back_color, kSysDarkShadow, kSysButtonHighlight);
      return Overlay::None;
    case 4:
      set(kSysButtonShadow, kSysButtonShadow, kSysButtonShadow);
      return Overlay::None;
    case 5:
      set(kSysButtonFace, 0x000000u, 0x000000u);
      return Overlay::A;
    case 6:
      set(0x000000u, 0x000000u, 0x000000u);
      return Overlay::B;
    case 7:
      set(0x8F8F8Eu, 0xB17F3Cu, 0x5C411Du);
      return Overlay::C;
    case 8:
      set(f.back_color, f.back_color_hover, f.back_color_pressed);
      return Overlay::D;
    default:
      return Overlay::None;
  }
}

// The overlay's colour pair by state: pressed, hover, then enabled or disabled (the surface's
// Enabled). The disabled looks of B, C and D also set BorderColor.
ColorPair OverlayPair(PaintContext& ctx, Overlay overlay) {
  ButtonFields& f = ctx.fields();
  const bool enabled = ctx.surface().Enabled();
  switch (overlay) {
    case Overlay::A:
      if (ctx.pressed()) return SplitPair(0xA57F71u, f.back_color_pressed);
      if (ctx.hover()) return SplitPair(0xAC9891u, f.back_color_hover);
      return SplitPair(f.back_color, f.back_color);
    case Overlay::B:  // no hover look of its own
      if (ctx.pressed()) return SplitPair(f.back_color, 0xE0E6E6u);
      if (enabled) return SplitPair(f.back_color, f.back_color_pressed);
      f.border_color = 0x8DABABu;
      return SplitPair(0xDBE7E7u, 0xDBE7E7u);
    case Overlay::C:
      if (ctx.pressed()) return SplitPair(f.back_color_pressed, 0xF8ECD5u);
      if (ctx.hover()) return SplitPair(f.back_color_hover, 0xFEFCF7u);
      if (enabled) return SplitPair(f.back_color, 0xEFEFEFu);
      f.border_color = 0xB5B2ADu;
      return SplitPair(0xF0F0F0u, 0xF4F4F4u);
    case Overlay::D:
      if (ctx.pressed()) return SplitPair(f.back_color_pressed, 0xFFFFFFu);
      if (ctx.hover()) return SplitPair(f.back_color_hover, 0xFFFFFFu);
      if (enabled) return SplitPair(f.back_color, 0xFFFFFFu);
      f.border_color = 0xA4B6B7u;
      return SplitPair(0xA4B6B7u, 0xFFFFFFu);
    case Overlay::None:
      break;
  }
  return {};
}

// Shapes 4, 7, 8 and 11 turn overlays C and D by a quarter turn.
bool TurnsOverlay(std::int32_t shape) {
  return shape == 4 || shape == 7 || shape == 8 || shape == 11;
}

void DrawOverlay(PaintContext& ctx, Overlay overlay, const ColorPair& colors) {
  const int w = ctx.W();
  const int h = ctx.H();
  const bool turned = TurnsOverlay(ctx.fields().button_shape);
  Dc& dc = ctx.dc();
  switch (overlay) {
    case Overlay::A:
    case Overlay::B:  // second at the top edge, first at the bottom edge
      FillGradient(dc, colors, {0, h}, {w, 0}, kV);
      break;
    case Overlay::C:
      // The second fill overpaints the first from the middle on; past the surface it is
      // clipped, and the part inside shows its stretch of the ramp.
      if (turned) {
        FillGradient(dc, colors, {RoundHalfEven(w / 1.5), 0}, {0, h}, kH);
        FillGradient(dc, colors, {RoundHalfEven(w / 2.0), h}, {w + 25, 0}, kH);
      } else {
        FillGradient(dc, colors, {0, RoundHalfEven(h / 1.5)}, {w, 0}, kV);
        FillGradient(dc, colors, {0, RoundHalfEven(h / 2.0)}, {w, h + 25}, kV);
      }
      break;
    case Overlay::D:
      if (turned) {
        FillGradient(dc, colors, {w, 0}, {RoundHalfEven(-w / 6.0), h}, kH);
        FillGradient(dc, colors, {RoundHalfEven(w / 2.0), h}, {RoundHalfEven(w + w / 3.0), 0}, kH);
      } else {
        FillGradient(dc, colors, {0, h}, {w, RoundHalfEven(-h / 6.0)}, kV);
        FillGradient(dc, colors, {0, RoundHalfEven(h / 2.0)}, {w, RoundHalfEven(h + h / 3.0)}, kV);
      }
      break;
    case Overlay::None:
      break;
  }
}

}  // namespace

void PaintStyleOverlay(PaintContext& ctx) {
  const Overlay overlay = ApplyStyleColors(ctx.fields());
  // With ButtonStyleColors 0 there is no overlay at all, and so none of its disabled border
  // colours either.
  if (overlay == Overlay::None || ctx.fields().button_style_colors == 0) return;
  const ColorPair colors = OverlayPair(ctx, overlay);
  DrawOverlay(ctx, overlay, colors);
}

}  // namespace fw::button_paint
