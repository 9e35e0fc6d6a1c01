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
  // A handler let an exception out of a window message.
  virtual void ControlFailed(std::exception_ptr error) = 0;
};

class Win32ControlWindow final : public UserControl, public UserControlSite, private MessageTarget {
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

  using ControlFactory =
      std::function<std::unique_ptr<ControlHandlers>(UserControl& window, UserControlSite& site)>;
  // Makes the control on this window and brings it to life: ReadProperties(*saved) (or
  // InitProperties without a bag), then Show. Throws std::invalid_argument when `make` makes
  // nothing, and whatever the control throws.
  ControlHandlers& Start(const ControlFactory& make, const PropertyBag* saved);

  const std::string& name() const { return name_; }
  // The window; null once it was destroyed.
  HWND window() const { return window_.get(); }
  bool has_control() const { return control_ != nullptr; }
  ControlHandlers& control() { return *control_; }
  // The window's rectangle in the parent's client pixels.
  Rect PixelRect() const;
  // The region the window has now (as handed to SetWindowRgn, cut by the mask with
  // BackStyle 0); null when it has none.
  const Region* region() const { return window_region_.get(); }
  // Whether a point of the window's client pixels lies in the window (its region, if any).
  bool HitTest(Point client) const;
  // Client pixels in the control's ScaleMode units.
  float ToScaleX(int pixels) const;
  float ToScaleY(int pixels) const;
  // The cursor MousePointer and MouseIcon make (the custom one is made on first use).
  HCURSOR PointerCursor();

  // UserControl.
  bool AutoRedraw() const override { return auto_redraw_; }
  void AutoRedraw(bool value) override { auto_redraw_ = value; }
  int ScaleMode() const override { return scale_mode_; }
  void ScaleMode(int mode) override { scale_mode_ = mode; }
  void Cls() override;
  int Width() const override { return width_twips_; }
  void Width(int twips) override;
  int Height() const override { return height_twips_; }
  void Height(int twips) override;
  double ScaleWidth() const override;
  double ScaleHeight() const override;
  int BackStyle() const override { return back_style_; }
  void BackStyle(int value) override;
  ColorValue BackColor() const override { return back_color_; }
  void BackColor(ColorValue color) override;
  ColorValue ForeColor() const override { return fore_color_; }
  void ForeColor(ColorValue color) override;
  FontSpec Font() const override { return font_; }
  void Font(const FontSpec& font) override;
  bool Enabled() const override { return enabled_; }
  // Disabling the window releases the mouse capture, and hands the focus to the parent.
  void Enabled(bool value) override;
  Dc& hDC() override { return *dc_; }
  WindowHandle hWnd() const override { return ToHandleValue(window_.get()); }
  void PaintPicture(const Picture& picture, int x, int y) override;
  double ScaleX(double value, int from, int to) const override;
  double ScaleY(double value, int from, int to) const override;
  ColorValue MaskColor() const override { return mask_color_; }
  void MaskColor(ColorValue color) override;
  PicturePtr MaskPicture() const override { return mask_picture_; }
  void MaskPicture(PicturePtr picture) override;
  PicturePtr Image() const override;
  void Refresh() override;
  void SetWindowRgn(std::unique_ptr<Region> region, bool redraw) override;
  std::int16_t MousePointer() const override { return mouse_pointer_; }
  void MousePointer(std::int16_t pointer) override { mouse_pointer_ = pointer; }
  PicturePtr MouseIcon() const override { return mouse_icon_; }
  void MouseIcon(PicturePtr icon) override;
  User32& user32() override;
  GdiDevice& gdi() override;

  // UserControlSite.
  bool AmbientUserMode() const override { return true; }
  std::string AmbientDisplayName() const override { return name_; }
  FontSpec AmbientFont() const override { return container_.AmbientFont(); }
  bool AmbientDisplayAsDefault() const override { return false; }
  void PropertyChanged(std::string_view name) override;
  void RaiseEvent(std::string_view name, std::span<const EventArg> args) override;

  int refresh_count() const { return refresh_count_; }

 private:
  // Window messages (control_window_input.cpp).
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override;
  void Failed(UINT message, std::exception_ptr error) override;
  void OnPaint(HWND window);
  void OnButtonDown(std::int16_t button, WPARAM wparam, LPARAM lparam);
  void OnButtonUp(std::int16_t button, WPARAM wparam, LPARAM lparam);
  void OnMouseMove(WPARAM wparam, LPARAM lparam);
  bool OnKey(UINT message, WPARAM wparam);
  bool OnSetCursor(WPARAM wparam, LPARAM lparam);

  void Resize(int width_twips, int height_twips);
  void ApplyDcState();
  // Gives the window the region it should have now: the control's shape, cut by the mask's
  // see-through pixels while BackStyle is 0.
  void ApplyRegion(bool redraw);

  ControlContainer& container_;
  std::string name_;
  Point position_px_;
  int width_twips_;
  int height_twips_;
  int width_px_;
  int height_px_;
  std::unique_ptr<Win32Dc> dc_;
  // The shape the control handed over, and a copy of what the window was given.
  std::unique_ptr<Win32Region> shape_;
  std::unique_ptr<Win32Region> window_region_;
  UniqueCursor custom_cursor_;
  bool auto_redraw_ = false;
  int scale_mode_ = kScaleTwips;
  int back_style_ = 1;
  ColorValue back_color_ = 0x8000000F;
  ColorValue fore_color_ = 0x80000012;
  FontSpec font_;
  bool enabled_ = true;
  ColorValue mask_color_ = 0x8000000F;
  PicturePtr mask_picture_;
  std::int16_t mouse_pointer_ = 0;
  PicturePtr mouse_icon_;
  int refresh_count_ = 0;
  // Declared after everything the control may touch from its destructor, so it goes first.
  std::unique_ptr<ControlHandlers> control_;
  // Declared last: the window is destroyed first (see the destructor), while all else lives.
  UniqueWindow window_;
};

}  // namespace fw::win32
