#pragma once
// The frame every shape renderer of the Button follows: what it reads (ShapeState), the
// surface calls it draws with (ShapeCanvas), and the renderers themselves.
//
// A renderer, in order: draws the outline in the entry pen colour and gives the window a new
// region (the rectangle removes it instead); draws the style lines of the current ButtonStyle
// and state; draws the focus ring when WantsFocusRing says so. Outlines are never filled.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>

#include "platform/usercontrol.h"

namespace fw::button_shapes {

// What a renderer reads from the control.
struct ShapeState {
  std::int32_t style = 1;   // ButtonStyle
  bool focus_rect = true;   // FocusRect
  bool pressed = false;     // the pressed flag
  bool hover = false;       // the hover flag, read as a Boolean
  bool focus = false;       // the focus flag
  bool enabled = true;      // the surface's Enabled
  // ButtonStyleColors; only the diamond reads it (its apex pixel).
  std::int32_t style_colors = 1;
};

// The pen colour of the focus ring drawn at a 4-pixel inset.
inline constexpr ColorValue kFocusRingColor = 0xD1D1D1;

// The drawing calls of the renderers, on the control's surface.
class ShapeCanvas {
 public:
  explicit ShapeCanvas(UserControl& surface) : surface_(surface) {}

  // The surface's size in pixels, read afresh at each use.
  int W() const;
  int H() const;

  // Sets the pen colour (the surface's ForeColor).
  void Pen(ColorValue color);
  ColorValue PenColor() const { return surface_.ForeColor(); }
  // pen c: p0 -> p1 -> ...: sets the pen, moves to the first point, draws a line to each next.
  void Run(ColorValue color, std::initializer_list<Point> points);
  // A further run under the current pen.
  void Run(std::initializer_list<Point> points);
  // -> p0 -> p1 -> ...: lines from the current pen position.
  void Continue(std::initializer_list<Point> points);
  void RoundRect(int x1, int y1, int x2, int y2, int width, int height);
  void Arc(int x1, int y1, int x2, int y2, int xs, int ys, int xe, int ye);
  // The outline of a polygon (never filled).
  void Polygon(std::span<const Point> points);
  // Single pixels of the surface (GetPixel answers kClrInvalid outside it).
  ColorRef GetPixel(int x, int y) const;
  void SetPixel(int x, int y, ColorRef color);

  // Hands a new region to the window (redraw requested); the window owns it from then on.
  void SetRegion(std::unique_ptr<Region> region);
  // Takes the window's region away (no redraw).
  void RemoveRegion();
  GdiDevice& gdi() { return surface_.gdi(); }

 private:
  UserControl& surface_;
};

// The focus ring is drawn when ButtonStyle is not 4, 6 or 7, FocusRect is True and the control
// has the focus.
bool WantsFocusRing(const ShapeState& state);

// Runs the renderer of `shape` (0 to 11); any other value draws nothing.
void RenderShape(std::int32_t shape, ShapeCanvas& canvas, const ShapeState& state);

void RenderRectangle(ShapeCanvas& canvas, const ShapeState& state);         // 0
void RenderRoundedRectangle(ShapeCanvas& canvas, const ShapeState& state);  // 1
void RenderEllipse(ShapeCanvas& canvas, const ShapeState& state);           // 2
void RenderDiamond(ShapeCanvas& canvas, const ShapeState& state);           // 3
void RenderTriangleUp(ShapeCanvas& canvas, const ShapeState& state);        // 4
void RenderTriangleLeft(ShapeCanvas& canvas, const ShapeState& state);      // 5
void RenderTriangleRight(ShapeCanvas& canvas, const ShapeState& state);     // 6
void RenderTriangleDown(ShapeCanvas& canvas, const ShapeState& state);      // 7
void RenderArrowUp(ShapeCanvas& canvas, const ShapeState& state);           // 8
void RenderArrowLeft(ShapeCanvas& canvas, const ShapeState& state);         // 9
void RenderArrowRight(ShapeCanvas& canvas, const ShapeState& state);        // 10
void RenderArrowDown(ShapeCanvas& canvas, const ShapeState& state);         // 11

}  // namespace fw::button_shapes
