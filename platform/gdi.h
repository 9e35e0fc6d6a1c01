#pragma once
// The drawing interface the controls are written against, in GDI's vocabulary.
//
// One `Dc` is a memory device context with a 32-bit top-down bitmap selected into it. The
// Linux build implements it with the project's own rasterizer (platform/soft), which follows
// GDI's pixel rules exactly; the Windows build forwards every call to real GDI on a DIB section
// (platform/win32). Threading: a Dc, a Region and a GdiDevice belong to the thread that made
// them (the user-interface thread); none of them is safe to share.
//
// Pens, brushes and fonts are passed as values: the backend creates, selects and releases the
// underlying objects itself, so a paint can never leak one.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/color.h"
#include "platform/geometry.h"

namespace fw {

// A cosmetic solid pen (PS_SOLID) of width 1 or 2, or the null pen (draws nothing).
struct Pen {
  ColorRef color = 0;
  int width = 1;
  bool null = false;
  static Pen Solid(ColorRef color, int width = 1) { return Pen{color, width, false}; }
  static Pen Null() { return Pen{0, 1, true}; }
  friend bool operator==(const Pen&, const Pen&) = default;
};

// A solid brush, or the hollow (NULL_BRUSH) one.
struct Brush {
  ColorRef color = 0xFFFFFF;
  bool hollow = false;
  static Brush Solid(ColorRef color) { return Brush{color, false}; }
  static Brush Hollow() { return Brush{0, true}; }
  friend bool operator==(const Brush&, const Brush&) = default;
};

// A logical font as the controls describe it; the height is -MulDiv(points, 96, 72) pixels.
struct FontSpec {
  std::string face = "MS Sans Serif";
  double points = 8.25;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// The LOGFONT height both backends use for a size in points at 96 dpi: minus the character
// height in pixels, rounded half away from zero (8.25 pt gives -11).
inline int FontHeightFromPoints(double points) {
  const double pixels = points * 96.0 / 72.0;
  return -static_cast<int>(pixels + 0.5);
}

enum class BkMode { Transparent = 1, Opaque = 2 };

enum class GradientMode { Horizontal, Vertical };  // GRADIENT_FILL_RECT_H / _V

// TRIVERTEX: 16-bit channels (a COLORREF component c is c << 8).
struct TriVertex {
  int x = 0;
  int y = 0;
  std::uint16_t red = 0;
  std::uint16_t green = 0;
  std::uint16_t blue = 0;
  std::uint16_t alpha = 0;
  static TriVertex At(int x, int y, ColorRef c) {
    return TriVertex{x, y, static_cast<std::uint16_t>(GetRValue(c) << 8),
                     static_cast<std::uint16_t>(GetGValue(c) << 8),
                     static_cast<std::uint16_t>(GetBValue(c) << 8), 0};
  }
};

// DrawTextA format flags (the subset the controls use; values as in winuser.h).
enum DrawTextFormat : unsigned {
  DT_LEFT = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10,
  DT_SINGLELINE = 0x20,
  DT_NOCLIP = 0x100,
  DT_CALCRECT = 0x400,
  DT_NOPREFIX = 0x800,
};

enum class PolyFillMode { Alternate = 1, Winding = 2 };

enum class RegionOp { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };  // CombineRgn modes

// Region complexity as CombineRgn reports it.
enum RegionKind : int { RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };

// An icon or cursor image for DrawIconEx: an AND mask and an XOR colour image, both
// width x height, top-down. Pixels are 0x00RRGGBB as in a 32-bit DIB; a mask value of
// true keeps the destination pixel (before the XOR).
struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> color;
  std::vector<bool> mask;
};

// A region in device units. Regions are made by a GdiDevice and combined only with regions of
// the same device.
class Region {
 public:
  virtual ~Region() = default;
  virtual bool PtInRegion(int x, int y) const = 0;
  // The bounding box (GetRgnBox); an empty region gives {0, 0, 0, 0}.
  virtual Rect Box() const = 0;
  virtual std::unique_ptr<Region> Clone() const = 0;
};

class Dc {
 public:
  virtual ~Dc() = default;
  Dc() = default;
  Dc(const Dc&) = delete;
  Dc& operator=(const Dc&) = delete;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  // Selection and state. Colours here are plain COLORREFs: translate references first.
  virtual void SelectPen(const Pen& pen) = 0;
  virtual void SelectBrush(const Brush& brush) = 0;
  virtual void SelectFont(const FontSpec& font) = 0;
  virtual ColorRef SetTextColor(ColorRef color) = 0;  // returns the previous colour
  virtual ColorRef GetTextColor() const = 0;
  virtual ColorRef SetBkColor(ColorRef color) = 0;
  virtual ColorRef GetBkColor() const = 0;
  virtual BkMode SetBkMode(BkMode mode) = 0;
  virtual PolyFillMode SetPolyFillMode(PolyFillMode mode) = 0;

  // Outlines with the current pen, interiors with the current brush.
  virtual bool MoveToEx(int x, int y, Point* previous) = 0;
  virtual bool LineTo(int x, int y) = 0;
  virtual bool Polyline(std::span<const Point> points) = 0;
  virtual bool Polygon(std::span<const Point> points) = 0;
  virtual bool Rectangle(int left, int top, int right, int bottom) = 0;
  virtual bool RoundRect(int left, int top, int right, int bottom, int width, int height) = 0;
  virtual bool Ellipse(int left, int top, int right, int bottom) = 0;
  virtual bool Arc(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) = 0;

  // user32 rectangle helpers.
  virtual int FillRect(const Rect& rect, const Brush& brush) = 0;
  virtual int FrameRect(const Rect& rect, const Brush& brush) = 0;
  virtual bool DrawFocusRect(const Rect& rect) = 0;
  // Paints every pixel of `region` with `brush` (FillRgn).
  virtual bool FillRgn(const Region& region, const Brush& brush) = 0;

  // msimg32 GradientFill with one GRADIENT_RECT naming the two vertices.
  virtual bool GradientFill(const TriVertex& v0, const TriVertex& v1, GradientMode mode) = 0;

  // Pixels. GetPixel answers kClrInvalid outside the surface.
  virtual ColorRef SetPixel(int x, int y, ColorRef color) = 0;
  virtual bool SetPixelV(int x, int y, ColorRef color) = 0;
  virtual ColorRef GetPixel(int x, int y) const = 0;

  // Blits (SRCCOPY) from another Dc of the same device.
  virtual bool BitBlt(int x, int y, int width, int height, const Dc& source, int xs, int ys) = 0;
  // 24-bit bottom-up DIB rows (BGR, rows padded to 4 bytes), the layout GetDIBits gives.
  virtual std::vector<std::uint8_t> GetDIBits24() const = 0;
  // SetDIBitsToDevice with 24-bit bottom-up rows of a width x height image at (x, y).
  virtual int SetDIBitsToDevice24(int x, int y, int width, int height,
                                  std::span<const std::uint8_t> bits) = 0;
  virtual bool DrawIconEx(int x, int y, const IconImage& icon, int width, int height) = 0;

  // Text with the selected font, text colour and background mode.
  virtual bool TextOutA(int x, int y, std::string_view text) = 0;
  virtual Size GetTextExtentPoint32A(std::string_view text) = 0;
  // Returns the height of the drawn (or, with DT_CALCRECT, measured) text; DT_CALCRECT
  // updates `rect` instead of drawing.
  virtual int DrawTextA(std::string_view text, Rect& rect, unsigned format) = 0;

  // The bitmap's raw 32-bit values (0xAARRGGBB as the DIB holds them), row-major, top-down.
  virtual std::vector<std::uint32_t> Pixels() const = 0;
};

// Makes surfaces and regions for one backend. One per program, made by the platform's entry
// point and passed to whatever draws.
class GdiDevice {
 public:
  virtual ~GdiDevice() = default;
  // A memory DC with a width x height 32-bit DIB cleared to `fill` (a COLORREF).
  virtual std::unique_ptr<Dc> CreateSurface(int width, int height, ColorRef fill = 0xFFFFFF) = 0;
  virtual std::unique_ptr<Region> CreateRectRgn(int left, int top, int right, int bottom) = 0;
  virtual std::unique_ptr<Region> CreateRoundRectRgn(int left, int top, int right, int bottom,
                                                     int width, int height) = 0;
  virtual std::unique_ptr<Region> CreateEllipticRgn(int left, int top, int right, int bottom) = 0;
  virtual std::unique_ptr<Region> CreatePolygonRgn(std::span<const Point> points,
                                                   PolyFillMode mode) = 0;
  // CombineRgn(dest, a, b, op): dest may be a or b.
  virtual RegionKind CombineRgn(Region& dest, const Region& a, const Region& b, RegionOp op) = 0;
};

// The device of the build this binary was made for: soft in the Linux build, GDI in Windows.
std::unique_ptr<GdiDevice> CreatePlatformGdiDevice();

}  // namespace fw
