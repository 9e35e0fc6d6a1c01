#include "platform/win32/win32_dc.h"

#include <algorithm>
#include <cstddef>

#include "platform/win32/win32_region.h"

namespace fw::win32 {
namespace {

// A COLORREF 0x00BBGGRR as the 32-bit DIB stores it, 0x00RRGGBB.
constexpr std::uint32_t ToDib(ColorRef c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

RECT ToRect(const Rect& rect) {
  return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

std::vector<POINT> ToPoints(std::span<const Point> points) {
  std::vector<POINT> result;
  result.reserve(points.size());
  for (const Point& p : points) result.push_back(POINT{p.x, p.y});
  return result;
}

int Count(std::size_t size) {
  return static_cast<int>(size);
}

// Bytes per row of a 24-bit DIB: 3 per pixel, padded to a multiple of 4.
std::size_t Stride24(int width) {
  return (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
}

BITMAPINFO DibInfo(int width, int height, WORD bit_count) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // negative: top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bit_count;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

HBRUSH StockNullBrush() {
  return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

// A brush for one user32 call: the stock hollow brush, or a solid brush owned by `owner`.
HBRUSH TemporaryBrush(const Brush& brush, UniqueBrush& owner) {
  if (brush.hollow) return StockNullBrush();
  owner.reset(::CreateSolidBrush(brush.color));
  return owner.get();
}

}  // namespace

std::unique_ptr<Win32Dc> Win32Dc::Create(int width, int height, ColorRef fill) {
  if (width <= 0 || height <= 0) return nullptr;
  UniqueDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return nullptr;
  const BITMAPINFO info = DibInfo(width, -height, 32);
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return nullptr;
  auto* pixels = static_cast<std::uint32_t*>(bits);
  std::fill_n(pixels, static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
              ToDib(fill));
  auto surface = std::make_unique<Win32Dc>(std::move(dc), std::move(bitmap), pixels, width, height);
  surface->SelectFont(FontSpec{});
  return surface;
}

Win32Dc::Win32Dc(UniqueDc dc, UniqueBitmap bitmap, std::uint32_t* bits, int width, int height)
    : width_(width), height_(height), dc_(std::move(dc)), bitmap_(std::move(bitmap)), bits_(bits) {
  original_bitmap_ = ::SelectObject(dc_.get(), bitmap_.get());
  original_pen_ = ::GetCurrentObject(dc_.get(), OBJ_PEN);
  original_brush_ = ::GetCurrentObject(dc_.get(), OBJ_BRUSH);
  original_font_ = ::GetCurrentObject(dc_.get(), OBJ_FONT);
}

Win32Dc::~Win32Dc() {
  // Nothing of ours may stay selected when the handles below are deleted.
  ::SelectObject(dc_.get(), original_font_);
  ::SelectObject(dc_.get(), original_brush_);
  ::SelectObject(dc_.get(), original_pen_);
  ::SelectObject(dc_.get(), original_bitmap_);
}

void Win32Dc::SelectPen(const Pen& pen) {
  if (pen.null) {
    ::SelectObject(dc_.get(), ::GetStockObject(NULL_PEN));
    pen_.reset();
    return;
  }
  UniquePen created(::CreatePen(PS_SOLID, pen.width, pen.color));
  if (!created) return;  // keeps the previous pen
  ::SelectObject(dc_.get(), created.get());
  pen_ = std::move(created);  // deletes the previous one, no longer selected
}

void Win32Dc::SelectBrush(const Brush& brush) {
  if (brush.hollow) {
    ::SelectObject(dc_.get(), StockNullBrush());
    brush_.reset();
    return;
  }
  UniqueBrush created(::CreateSolidBrush(brush.color));
  if (!created) return;
  ::SelectObject(dc_.get(), created.get());
  brush_ = std::move(created);
}

void Win32Dc::SelectFont(const FontSpec& font) {
  UniqueFont created(::CreateFontA(
      FontHeightFromPoints(font.points), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
      font.italic ? TRUE : FALSE, font.underline ? TRUE : FALSE, font.strikethrough ? TRUE : FALSE,
      ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
      DEFAULT_PITCH | FF_DONTCARE, font.face.c_str()));
  if (!created) return;
  ::SelectObject(dc_.get(), created.get());
  font_ = std::move(created);
}

ColorRef Win32Dc::SetTextColor(ColorRef color) {
  return ::SetTextColor(dc_.get(), color);
}
ColorRef Win32Dc::GetTextColor() const {
  return ::GetTextColor(dc_.get());
}
ColorRef Win32Dc::SetBkColor(ColorRef color) {
  return ::SetBkColor(dc_.get(), color);
}
ColorRef Win32Dc::GetBkColor() const {
  return ::GetBkColor(dc_.get());
}

BkMode Win32Dc::SetBkMode(BkMode mode) {
  return static_cast<BkMode>(::SetBkMode(dc_.get(), static_cast<int>(mode)));
}

PolyFillMode Win32Dc::SetPolyFillMode(PolyFillMode mode) {
  return static_cast<PolyFillMode>(::SetPolyFillMode(dc_.get(), static_cast<int>(mode)));
}

bool Win32Dc::MoveToEx(int x, int y, Point* previous) {
  POINT old{};
  const bool ok = ::MoveToEx(dc_.get(), x, y, &old) != FALSE;
  if (ok && previous != nullptr) *previous = Point{old.x, old.y};
  return ok;
}

bool Win32Dc::LineTo(int x, int y) {
  return ::LineTo(dc_.get(), x, y) != FALSE;
}

bool Win32Dc::Polyline(std::span<const Point> points) {
  const std::vector<POINT> p = ToPoints(points);
  return ::Polyline(dc_.get(), p.data(), Count(p.size())) != FALSE;
}

bool Win32Dc::Polygon(std::span<const Point> points) {
  const std::vector<POINT> p = ToPoints(points);
  return ::Polygon(dc_.get(), p.data(), Count(p.size())) != FALSE;
}

bool Win32Dc::Rectangle(int left, int top, int right, int bottom) {
  return ::Rectangle(dc_.get(), left, top, right, bottom) != FALSE;
}

bool Win32Dc::RoundRect(int left, int top, int right, int bottom, int width, int height) {
  return ::RoundRect(dc_.get(), left, top, right, bottom, width, height) != FALSE;
}

bool Win32Dc::Ellipse(int left, int top, int right, int bottom) {
  return ::Ellipse(dc_.get(), left, top, right, bottom) != FALSE;
}

bool Win32Dc::Arc(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  return ::Arc(dc_.get(), left, top, right, bottom, xs, ys, xe, ye) != FALSE;
}

int Win32Dc::FillRect(const Rect& rect, const Brush& brush) {
  UniqueBrush owner;
  const HBRUSH handle = TemporaryBrush(brush, owner);
  if (handle == nullptr) return 0;
  const RECT rc = ToRect(rect);
  return ::FillRect(dc_.get(), &rc, handle);
}

int Win32Dc::FrameRect(const Rect& rect, const Brush& brush) {
  UniqueBrush owner;
  const HBRUSH handle = TemporaryBrush(brush, owner);
  if (handle == nullptr) return 0;
  const RECT rc = ToRect(rect);
  return ::FrameRect(dc_.get(), &rc, handle);
}

bool Win32Dc::DrawFocusRect(const Rect& rect) {
  const RECT rc = ToRect(rect);
  return ::DrawFocusRect(dc_.get(), &rc) != FALSE;
}

bool Win32Dc::FillRgn(const Region& region, const Brush& brush) {
  const auto* win32_region = dynamic_cast<const Win32Region*>(&region);
  if (win32_region == nullptr || win32_region->Handle() == nullptr) return false;
  UniqueBrush owner;
  const HBRUSH handle = TemporaryBrush(brush, owner);
  if (handle == nullptr) return false;
  return ::FillRgn(dc_.get(), win32_region->Handle(), handle) != FALSE;
}

bool Win32Dc::GradientFill(const TriVertex& v0, const TriVertex& v1, GradientMode mode) {
  TRIVERTEX vertices[2] = {
      TRIVERTEX{v0.x, v0.y, v0.red, v0.green, v0.blue, v0.alpha},
      TRIVERTEX{v1.x, v1.y, v1.red, v1.green, v1.blue, v1.alpha},
  };
  GRADIENT_RECT rect{0, 1};
  const ULONG gdi_mode =
      mode == GradientMode::Horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V;
  return ::GradientFill(dc_.get(), vertices, 2, &rect, 1, gdi_mode) != FALSE;
}

ColorRef Win32Dc::SetPixel(int x, int y, ColorRef color) {
  return ::SetPixel(dc_.get(), x, y, color);
}

bool Win32Dc::SetPixelV(int x, int y, ColorRef color) {
  return ::SetPixelV(dc_.get(), x, y, color) != FALSE;
}

ColorRef Win32Dc::GetPixel(int x, int y) const {
  return ::GetPixel(dc_.get(), x, y);
}

bool Win32Dc::BitBlt(int x, int y, int width, int height, const Dc& source, int xs, int ys) {
  const auto* win32_source = dynamic_cast<const Win32Dc*>(&source);
  if (win32_source == nullptr) return false;
  return ::BitBlt(dc_.get(), x, y, width, height, win32_source->dc_.get(), xs, ys, SRCCOPY) !=
         FALSE;
}

std::vector<std::uint8_t> Win32Dc::GetDIBits24() const {
  std::vector<std::uint8_t> bits(Stride24(width_) * static_cast<std::size_t>(height_));
  BITMAPINFO info = DibInfo(width_, height_, 24);  // positive height: bottom-up
  // GetDIBits wants a bitmap that is not selected into a DC: put the original back meanwhile.
  ::GdiFlush();
  ::SelectObject(dc_.get(), original_bitmap_);
  const int lines = ::GetDIBits(dc_.get(), bitmap_.get(), 0, static_cast<UINT>(height_),
                                bits.data(), &info, DIB_RGB_COLORS);
  ::SelectObject(dc_.get(), bitmap_.get());
  if (lines != height_) return {};
  return bits;
}

int Win32Dc::SetDIBitsToDevice24(int x, int y, int width, int height,
                                 std::span<const std::uint8_t> bits) {
  if (width <= 0 || height <= 0) return 0;
  if (bits.size() < Stride24(width) * static_cast<std::size_t>(height)) return 0;
  const BITMAPINFO info = DibInfo(width, height, 24);
  return ::SetDIBitsToDevice(dc_.get(), x, y, static_cast<DWORD>(width), static_cast<DWORD>(height),
                             0, 0, 0, static_cast<UINT>(height), bits.data(), &info,
                             DIB_RGB_COLORS);
}

bool Win32Dc::DrawIconEx(int x, int y, const IconImage& icon, int width, int height) {
  if (icon.width <= 0 || icon.height <= 0) return false;
  const auto w = static_cast<std::size_t>(icon.width);
  const auto h = static_cast<std::size_t>(icon.height);
  if (icon.color.size() != w * h || icon.mask.size() != w * h) return false;

  // The XOR image: a 32-bit top-down DIB. Its top bytes stay 0: an icon with any alpha would be
  // alpha-blended with the mask ignored.
  const BITMAPINFO info = DibInfo(icon.width, -icon.height, 32);
  void* bits = nullptr;
  UniqueBitmap color(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!color || bits == nullptr) return false;
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (std::size_t i = 0; i < w * h; ++i) pixels[i] = icon.color[i] & 0x00FFFFFFu;

  // The AND mask: 1 bit per pixel, rows padded to 16 bits as CreateBitmap expects, most
  // significant bit first; a set bit keeps the destination.
  const std::size_t mask_stride = (w + 15) / 16 * 2;
  std::vector<std::uint8_t> mask_bits(mask_stride * h, 0);
  for (std::size_t row = 0; row < h; ++row) {
    for (std::size_t column = 0; column < w; ++column) {
      if (icon.mask[row * w + column]) {
        mask_bits[row * mask_stride + column / 8] |=
            static_cast<std::uint8_t>(0x80u >> (column % 8));
      }
    }
  }
  UniqueBitmap mask(::CreateBitmap(icon.width, icon.height, 1, 1, mask_bits.data()));
  if (!mask) return false;

  ICONINFO icon_info{};
  icon_info.fIcon = TRUE;
  icon_info.hbmMask = mask.get();
  icon_info.hbmColor = color.get();
  // CreateIconIndirect copies both bitmaps; ours are deleted on return.
  const UniqueIcon handle(::CreateIconIndirect(&icon_info));
  if (!handle) return false;
  return ::DrawIconEx(dc_.get(), x, y, handle.get(), width, height, 0, nullptr, DI_NORMAL) != FALSE;
}

bool Win32Dc::TextOutA(int x, int y, std::string_view text) {
  const char* data = text.empty() ? "" : text.data();
  return ::TextOutA(dc_.get(), x, y, data, Count(text.size())) != FALSE;
}

Size Win32Dc::GetTextExtentPoint32A(std::string_view text) {
  const char* data = text.empty() ? "" : text.data();
  SIZE size{};
  if (::GetTextExtentPoint32A(dc_.get(), data, Count(text.size()), &size) == FALSE) return Size{};
  return Size{size.cx, size.cy};
}

int Win32Dc::DrawTextA(std::string_view text, Rect& rect, unsigned format) {
  const char* data = text.empty() ? "" : text.data();
  RECT rc = ToRect(rect);
  const int height = ::DrawTextA(dc_.get(), data, Count(text.size()), &rc, format);
  rect = Rect{rc.left, rc.top, rc.right, rc.bottom};
  return height;
}

std::vector<std::uint32_t> Win32Dc::Pixels() const {
  ::GdiFlush();
  return std::vector<std::uint32_t>(
      bits_, bits_ + static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
}

}  // namespace fw::win32
