#pragma once
// One user control in a real Win32 child window: the window (WS_CHILD | WS_TABSTOP, its class
// with CS_DBLCLKS), its persistent image (a Win32Dc surface, blitted on WM_PAINT and on
// Refresh), its real window region, its cursor, and its site in the container. The window's
// messages become the control's notifications (control_window_input.cpp).
//
// The C++ object outlives its window: a control's own handler may end up destroying the whole
// form (the Exit button's click), so the object lets go of the window at WM_NCDESTROY and
// every later call that would touch the window does nothing.
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/host/control_surface.h"
#include "platform/usercontrol.h"
#include "platform/win32/user_handles.h"
#include "platform/win32/win32_dc.h"
#include "platform/win32/win32_region.h"
#include "platform/win32/win32_user32.h"
#include "platform/win32/window_class.h"

namespace fw::win32 {

// What a control window needs from the window that contains it.
class ControlContainer {
 public:
  virtual ~ControlContainer() = default;
  virtual GdiDevice& Device() = 0;
  virtual Win32User32& Desktop() = 0;
  virtual FontSpec AmbientFont() const = 0;
  // Runs the container's handler of a control's event.
  virtual void ControlEvent(const std::string& control, std::string_view event,
                            std::span<const EventArg> args) = 0;
  virtual void ControlPropertyChanged(const std::string& /*control*/,
                                      std::string_view /*property*/) {}
  // Whether the container moves the focus with Tab and Shift+Tab; then the key (down,
  // character and up) never reaches a control, and its going down calls TabPressed.
  virtual bool TakesTab() const { return false; }
  virtual void TabPressed(bool /*backwards*/) {}
  // Alt and `key` (WM_SYSCHAR): whether a control took it as its access key.
  virtual bool AccessKey(char /*key*/) { return false; }
  // A handler let an exception out of a window message.
  virtual void ControlFailed(std::exception_ptr error) = 0;
};

class Win32ControlWindow final : public ControlSurface, private MessageTarget {
 public:
  // The window class of every control window.
  static constexpr const char* kClassName = "FerrowindUserControl";

  // Creates the child window of `parent` at `twips` in the parent's client area (its pixels
  // the nearest whole ones), with an empty surface. Throws std::runtime_error naming the
  // control when Windows cannot make it.
  Win32ControlWindow(ControlContainer& container, HWND parent, std::string name, Rect twips,
                     int id);
  ~Win32ControlWindow() override;
  Win32ControlWindow(const Win32ControlWindow&) = delete;
  Win32ControlWindow& operator=(const Win32ControlWindow&) = delete;

  // The window; null once it was destroyed.
  HWND window() const { return window_.get(); }
  // The region the window has now (as handed to SetWindowRgn, cut by the mask with
  // BackStyle 0); null when it has none.
  const Region* region() const override { return window_region_.get(); }
  // The cursor MousePointer and MouseIcon make (the custom one is made on first use).
  HCURSOR PointerCursor();

  // UserControl.
  // Disabling the window releases the mouse capture, and hands the focus to the parent.
  void Enabled(bool value) override;
  using ControlSurface::Enabled;
  WindowHandle hWnd() const override { return ToHandleValue(window_.get()); }
  void SetWindowRgn(std::unique_ptr<Region> region, bool redraw) override;
  void MouseIcon(PicturePtr icon) override;
  using ControlSurface::MouseIcon;
  User32& user32() override;

  // UserControlSite.
  bool AmbientUserMode() const override { return true; }
  FontSpec AmbientFont() const override { return container_.AmbientFont(); }
  bool AmbientDisplayAsDefault() const override { return false; }
  void PropertyChanged(std::string_view name) override;
  void RaiseEvent(std::string_view name, std::span<const EventArg> args) override;

 private:
  // ControlSurface.
  void SurfaceResized() override;
  void MaskChanged() override { ApplyRegion(true); }
  void ShowSurface() override;

  // Window messages (control_window_input.cpp).
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override;
  void Failed(UINT message, std::exception_ptr error) override;
  void OnPaint(HWND window);
  void OnButtonDown(std::int16_t button, WPARAM wparam, LPARAM lparam);
  void OnButtonUp(std::int16_t button, WPARAM wparam, LPARAM lparam);
  void OnMouseMove(WPARAM wparam, LPARAM lparam);
  bool OnKey(UINT message, WPARAM wparam);
  bool OnSetCursor(WPARAM wparam, LPARAM lparam);

  // The surface's memory DC (the container's device is the Windows one).
  HDC SurfaceHandle();
  // Gives the window the region it should have now: the control's shape, cut by the mask's
  // see-through pixels while BackStyle is 0.
  void ApplyRegion(bool redraw);

  ControlContainer& container_;
  // The shape the control handed over, and a copy of what the window was given.
  std::unique_ptr<Win32Region> shape_;
  std::unique_ptr<Win32Region> window_region_;
  UniqueCursor custom_cursor_;
  // Declared last: the window is destroyed first (see the destructor), while all else lives.
  UniqueWindow window_;
};

}  // namespace fw::win32
