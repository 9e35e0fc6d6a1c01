#pragma once
// Owning wrappers for USER objects and the device contexts user32 lends: windows, cursors, a
// window's DC (GetDC/ReleaseDC) and a paint (BeginPaint/EndPaint). Each gives its object back
// when it goes out of scope, as platform/win32/gdi_handles.h does for GDI objects.
#include <memory>
#include <type_traits>

#include "platform/win32/gdi_handles.h"
#include "platform/win32/windows_include.h"

namespace fw::win32 {

struct WindowDeleter {
  void operator()(HWND window) const { ::DestroyWindow(window); }
};
struct CursorDeleter {
  void operator()(HCURSOR cursor) const { ::DestroyCursor(cursor); }
};

using UniqueWindow = UniqueHandle<HWND, WindowDeleter>;
using UniqueCursor = UniqueHandle<HCURSOR, CursorDeleter>;

// The DC of a window's client area, from GetDC until the end of the scope.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// One WM_PAINT: BeginPaint on construction, EndPaint at the end of the scope.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &paint_); }
  ~PaintScope() { ::EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// A window handle as the platform interface carries it, and back.
inline std::uintptr_t ToHandleValue(HWND window) {
  return reinterpret_cast<std::uintptr_t>(window);
}
inline HWND ToHwnd(std::uintptr_t value) {
  return reinterpret_cast<HWND>(value);
}

}  // namespace fw::win32
