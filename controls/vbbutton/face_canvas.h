#pragma once
// The drawing primitives the vbButton's looks are built from, on the control's surface: fill,
// frame, line, pixel, ellipse and bevel. Each creates the pen or brush it needs and releases it
// before it returns; afterwards the surface's own pen (its ForeColor) and its hollow brush are
// selected again.
#include "platform/gdi.h"
#include "platform/usercontrol.h"

namespace fw::vbbutton {

class FaceCanvas {
 public:
  // `surface_pen` is the pen the surface has outside a primitive; W x H its size in pixels.
  FaceCanvas(Dc& dc, ColorRef surface_pen, int width, int height)
      : dc_(dc), surface_pen_(surface_pen), w_(width), h_(height) {}

  int W() const { return w_; }
  int H() const { return h_; }
  Dc& dc() { return dc_; }

  // FillRect of (x, y)-(x + w, y + h) with a solid brush of `color`.
  void Fill(int x, int y, int w, int h, ColorRef color);
  // FrameRect of the same rectangle, one pixel wide.
  void Frame(int x, int y, int w, int h, ColorRef color);
  // MoveToEx(x1, y1), LineTo(x2, y2) with a 1-pixel solid pen (the end point is left out).
  void Line(int x1, int y1, int x2, int y2, ColorRef color);
  void Pixel(int x, int y, ColorRef color);
  // Ellipse(x, y, x + w, y + h) with a 2-pixel solid pen of `pen` and a solid brush of `brush`.
  void Ellipse(int x, int y, int w, int h, ColorRef pen, ColorRef brush);
  // Two rings of 1-pixel lines, `a` pixels out from the window's edge (a <= 0): the outer ring
  // top and left in c1, right and bottom in c2; unless `outer_only`, the ring inside it top and
  // left in c3, right and bottom in c4.
  void Bevel(ColorRef c1, ColorRef c2, ColorRef c3, ColorRef c4, int a, bool outer_only = false);

 private:
  void RestoreSurfacePen();

  Dc& dc_;
  ColorRef surface_pen_;
  int w_;
  int h_;
};

// x + w as a 32-bit coordinate; a sum beyond the 32-bit range is the platform's overflow error.
int CoordinateSum(int x, int w);

}  // namespace fw::vbbutton
