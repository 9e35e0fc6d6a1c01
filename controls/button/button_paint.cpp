// The paint routine and the window notifications that repaint.
//
// Every paint redraws the whole control from scratch on the surface's persistent image, in a
// fixed order (controls/button/paint/paint_steps.h lists the steps and where each lives). This
// file holds the steps that work on the surface as a whole: set-up, size clamp and squaring,
// cursor, toggle state, mask colour, border pen, the shape renderer, mask and show.
#include "controls/button/button.h"
#include "controls/button/paint/paint_steps.h"
#include "controls/button/shapes/shape_frame.h"

namespace fw {
namespace button_paint {

int PaintContext::W() const {
  return RoundHalfEven(surface_.ScaleWidth());
}
int PaintContext::H() const {
  return RoundHalfEven(surface_.ScaleHeight());
}

namespace {

// 375 twips are 25 pixels at 96 dots per inch.
constexpr int kMinimumTwips = 375;

// Steps 2 and 3: neither side below 375 twips; every shape but the rectangle (0) and the
// rounded rectangle (1) is square, and the width wins.
//
// Changing the size resizes the surface and runs the Resize handler, which paints the control
// at its new size before the change returns. We then clear the surface once more, so that the
// rest of this paint draws on a clean surface rather than over that complete paint: drawn
// twice, an icon's inverting pixels would cancel out and smoothed text would come out heavier.
// The result is exactly one paint at the new size.
void ClampSize(PaintContext& ctx) {
  UserControl& surface = ctx.surface();
  const int w = ctx.W();
  const int h = ctx.H();
  if (surface.Width() < kMinimumTwips) surface.Width(kMinimumTwips);
  if (surface.Height() < kMinimumTwips) surface.Height(kMinimumTwips);
  const std::int32_t shape = ctx.fields().button_shape;
  if (shape != 0 && shape != 1) surface.Height(surface.Width());
  if (ctx.W() != w || ctx.H() != h) surface.Cls();
}

// Step 4: the system hand cursor while focused, or while hovered and not pressed.
void ShowHandCursor(PaintContext& ctx) {
  const ButtonFields& f = ctx.fields();
  if (!f.hand_pointer) return;
  if (!(f.focus || (ctx.hover() && !ctx.pressed()))) return;
  User32& user32 = ctx.surface().user32();
  user32.SetCursor(user32.LoadCursorA(kIdcHand));
}

// Step 15: the shape renderer of ButtonShape (none for a value outside 0 to 11).
void RenderShape(PaintContext& ctx) {
  const ButtonFields& f = ctx.fields();
  button_shapes::ShapeState state;
  state.style = f.button_style;
  state.focus_rect = f.focus_rect;
  state.pressed = ctx.pressed();
  state.hover = ctx.hover();
  state.focus = f.focus;
  state.enabled = ctx.surface().Enabled();
  state.style_colors = f.button_style_colors;
  button_shapes::ShapeCanvas canvas(ctx.surface());
  button_shapes::RenderShape(f.button_shape, canvas, state);
}

}  // namespace
}  // namespace button_paint

void Button::Paint() {
  using namespace button_paint;
  PaintContext ctx(window_, fields_);

  // 1. Surface set-up: drawing goes to the persistent image, in pixels, from a clear surface.
  window_.AutoRedraw(true);
  window_.ScaleMode(kScalePixels);
  window_.Cls();
  // 2, 3. Minimum size and square shapes.
  ClampSize(ctx);
  // 4. Cursor.
  ShowHandCursor(ctx);
  // 5. Toggle state: a toggle button whose Value is True is drawn pressed, and the pressed flag
  // stays set after the paint (the next release clears it).
  if (fields_.button_type == 1 && fields_.value) {
    fields_.pressed = true;
  }
  // 6 to 12. Background, style colours and overlay, picture, caption.
  PaintBackground(ctx);
  PaintStyleOverlay(ctx);
  PaintPicture(ctx);
  PaintCaption(ctx);
  // 13. The mask colour is the surface background colour as it now stands.
  window_.MaskColor(window_.BackColor());
  // 14. Border pen, read after the style colours were written.
  ctx.Pen(
      ctx.ByState(fields_.border_color_pressed, fields_.border_color_hover, fields_.border_color));
  // 15. Shape.
  RenderShape(ctx);
  // 16 to 18. Focus marking, focus rectangle of style 4, drop-down arrow.
  PaintFocusMarking(ctx);
  PaintStyle4FocusRect(ctx);
  PaintDropDown(ctx);
  // 19. Mask and show: with BackStyle 0 the pixels in the mask colour are see-through.
  window_.MaskPicture(window_.Image());
  window_.Refresh();
  ++paint_count_;
}

void Button::Resize() {
  Paint();
}

void Button::Show() {
  Paint();
}

}  // namespace fw
