#pragma once
// What a user control's window is on every host: its size in twips and whole pixels, its
// persistent surface on the host's GdiDevice with the drawing state a control surface starts
// with, the properties the window keeps for the control (AutoRedraw, ScaleMode, colours, font,
// mask, pointer, access keys), the unit conversions, and the control itself, made on the window
// and brought to life by Start. A host's window builds on it and adds only what is its own: the
// window handle, the region, the cursor, the capture and how the surface reaches the screen.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/usercontrol.h"

namespace fw {

class ControlSurface : public UserControl, public UserControlSite {
 public:
  ~ControlSurface() override;
  ControlSurface(const ControlSurface&) = delete;
  ControlSurface& operator=(const ControlSurface&) = delete;

  using ControlFactory =
      std::function<std::unique_ptr<ControlHandlers>(UserControl& window, UserControlSite& site)>;
  // Makes the control on this window and brings it to life: ReadProperties(*saved) (or
  // InitProperties without a bag), then Show. Throws std::invalid_argument when `make` makes
  // nothing, and whatever the control throws; a control that could not be loaded is not kept.
  ControlHandlers& Start(const ControlFactory& make, const PropertyBag* saved);

  const std::string& name() const { return name_; }
  bool has_control() const { return control_ != nullptr; }
  ControlHandlers& control() { return *control_; }
  // The window's rectangle in the parent's client pixels.
  Rect PixelRect() const;
  // The region the window has now; null when it has none.
  virtual const Region* region() const = 0;
  // Whether a point of the window's client pixels lies in the window (its region, if any).
  bool HitTest(Point client) const;
  // Client pixels in the control's ScaleMode units.
  float ToScaleX(int pixels) const;
  float ToScaleY(int pixels) const;
  // Whether the control's access keys hold `key`, in either case (Alt and the key press it).
  bool HoldsAccessKey(char key) const;

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
  void Enabled(bool value) override { enabled_ = value; }
  Dc& hDC() override { return *dc_; }
  void PaintPicture(const Picture& picture, int x, int y) override;
  double ScaleX(double value, int from, int to) const override;
  double ScaleY(double value, int from, int to) const override;
  ColorValue MaskColor() const override { return mask_color_; }
  void MaskColor(ColorValue color) override;
  PicturePtr MaskPicture() const override { return mask_picture_; }
  void MaskPicture(PicturePtr picture) override;
  PicturePtr Image() const override;
  void Refresh() override;
  std::int16_t MousePointer() const override { return mouse_pointer_; }
  void MousePointer(std::int16_t pointer) override { mouse_pointer_ = pointer; }
  PicturePtr MouseIcon() const override { return mouse_icon_; }
  void MouseIcon(PicturePtr icon) override { mouse_icon_ = std::move(icon); }
  GdiDevice& gdi() override { return device_; }
  std::string AccessKeys() const override { return access_keys_; }
  void AccessKeys(std::string_view keys) override { access_keys_ = std::string(keys); }

  // UserControlSite.
  std::string AmbientDisplayName() const override { return name_; }

 protected:
  // A window at `twips` in the parent's client area (its pixels the nearest whole ones) with an
  // empty surface drawing in `font`. Throws std::runtime_error naming the control when the
  // device cannot make the surface.
  ControlSurface(GdiDevice& device, std::string name, Rect twips, FontSpec font);

  // The surface took a new size (the control's Resize comes after).
  virtual void SurfaceResized() {}
  // BackStyle, MaskColor or MaskPicture changed: with BackStyle 0 the window's shape may too.
  virtual void MaskChanged() {}
  // Refresh: the persistent image should show on the screen now.
  virtual void ShowSurface() {}

  int width_px() const { return width_px_; }
  int height_px() const { return height_px_; }
  // Ends the control. A host's window calls it from its destructor, so that the control's own
  // destructor still reaches the whole window.
  void EndControl() { control_.reset(); }

 private:
  void Resize(int width_twips, int height_twips);
  void ApplyDcState();
  std::unique_ptr<Dc> MakeSurface(int width, int height) const;

  GdiDevice& device_;
  std::string name_;
  Point position_px_;
  int width_twips_;
  int height_twips_;
  int width_px_;
  int height_px_;
  std::unique_ptr<Dc> dc_;
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
  std::string access_keys_;
  // Declared last: the control goes first, while everything it may touch still lives.
  std::unique_ptr<ControlHandlers> control_;
};

}  // namespace fw
