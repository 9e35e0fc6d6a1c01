#pragma once
// One control in the headless host: its window (position, size, region, capture-relevant
// state), its persistent surface on the host's GdiDevice, and its site in the container.
#include <memory>
#include <string>

#include "platform/headless/headless_host.h"
#include "platform/picture_encode.h"

namespace fw::headless {

class HostedControl final : public UserControl, public UserControlSite {
 public:
  HostedControl(HeadlessHost& host, std::string name, WindowHandle handle, Rect twips);

  const std::string& name() const { return name_; }
  WindowHandle handle() const { return handle_; }
  ControlHandlers& control() { return *control_; }
  bool has_control() const { return control_ != nullptr; }
  void set_control(std::unique_ptr<ControlHandlers> control) { control_ = std::move(control); }
  // The window's rectangle in the parent's client pixels.
  Rect PixelRect() const;
  // Whether a point in the window's client pixels is in the window (its region, if any).
  bool HitTest(Point client) const;
  const Region* region() const { return region_.get(); }
  // Converts client pixels to the control's ScaleMode units.
  float ToScaleX(int pixels) const;
  float ToScaleY(int pixels) const;

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
  void BackStyle(int value) override { back_style_ = value; }
  ColorValue BackColor() const override { return back_color_; }
  void BackColor(ColorValue color) override;
  ColorValue ForeColor() const override { return fore_color_; }
  void ForeColor(ColorValue color) override;
  FontSpec Font() const override { return font_; }
  void Font(const FontSpec& font) override;
  bool Enabled() const override { return enabled_; }
  // Disabling a window that holds the mouse capture releases it, as the platform's cancel-mode
  // notification does.
  void Enabled(bool value) override;
  Dc& hDC() override { return *dc_; }
  WindowHandle hWnd() const override { return handle_; }
  void PaintPicture(const Picture& picture, int x, int y) override;
  double ScaleX(double value, int from, int to) const override;
  double ScaleY(double value, int from, int to) const override;
  ColorValue MaskColor() const override { return mask_color_; }
  void MaskColor(ColorValue color) override { mask_color_ = color; }
  PicturePtr MaskPicture() const override { return mask_picture_; }
  void MaskPicture(PicturePtr picture) override { mask_picture_ = std::move(picture); }
  PicturePtr Image() const override;
  void Refresh() override { ++refresh_count_; }
  void SetWindowRgn(std::unique_ptr<Region> region, bool redraw) override;
  std::int16_t MousePointer() const override { return mouse_pointer_; }
  void MousePointer(std::int16_t pointer) override { mouse_pointer_ = pointer; }
  PicturePtr MouseIcon() const override { return mouse_icon_; }
  void MouseIcon(PicturePtr icon) override { mouse_icon_ = std::move(icon); }
  User32& user32() override;
  GdiDevice& gdi() override;
  std::string AccessKeys() const override { return access_keys_; }
  void AccessKeys(std::string_view keys) override { access_keys_ = std::string(keys); }

  // UserControlSite.
  bool AmbientUserMode() const override;
  std::string AmbientDisplayName() const override { return name_; }
  FontSpec AmbientFont() const override;
  bool AmbientDisplayAsDefault() const override { return display_as_default_; }
  void set_display_as_default(bool value) { display_as_default_ = value; }
  void PropertyChanged(std::string_view name) override;
  void RaiseEvent(std::string_view name, std::span<const EventArg> args) override;

  int refresh_count() const { return refresh_count_; }

 private:
  // Sets the size in twips; the window and its surface take the nearest whole pixels.
  void Resize(int width_twips, int height_twips);
  void ApplyDcState();

  HeadlessHost& host_;
  std::string name_;
  WindowHandle handle_;
  Point position_px_;
  int width_twips_;
  int height_twips_;
  int width_px_;
  int height_px_;
  std::unique_ptr<ControlHandlers> control_;
  std::unique_ptr<Dc> dc_;
  std::unique_ptr<Region> region_;
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
  std::string access_keys_;
  bool display_as_default_ = false;
};

}  // namespace fw::headless
