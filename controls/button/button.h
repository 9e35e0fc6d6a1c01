#pragma once
// Button: the program's owner-drawn, skinnable command button.
//
// The control keeps its settings in its own fields (button_fields.h) except Enabled, Font,
// MousePointer and MouseIcon, which live in its window. Every property setter stores the value
// as given (no range check), marks that one property changed and repaints at once; ButtonStyle
// and ButtonTheme apply their colour presets in between. The platform's notifications drive the
// three state flags (focus, hover, pressed) and raise the control's events to the container.
//
// Repainting is a direct, synchronous call of Paint(), never a deferred invalidation.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "controls/button/button_fields.h"
#include "platform/usercontrol.h"

namespace fw {

// The control's class name, as its window reports it; a loaded caption defaults to it.
inline constexpr std::string_view kButtonClassName = "Button";

class Button final : public ControlHandlers {
 public:
  Button(UserControl& window, UserControlSite& site);
  Button(const Button&) = delete;
  Button& operator=(const Button&) = delete;

  // The drawing surface's device context and the control's window.
  Dc& hdc() const;
  WindowHandle hwnd() const;
  // Shows the window's persistent image now.
  void Refresh();

  std::int32_t ButtonShape() const { return fields_.button_shape; }
  void ButtonShape(std::int32_t value);
  std::int32_t ButtonStyle() const { return fields_.button_style; }
  // Applies the style's colour presets (values 1 to 8).
  void ButtonStyle(std::int32_t value);
  std::int32_t ButtonStyleColors() const { return fields_.button_style_colors; }
  void ButtonStyleColors(std::int32_t value);
  std::int32_t ButtonTheme() const { return fields_.button_theme; }
  // Applies the theme's colour presets (values 1 to 8).
  void ButtonTheme(std::int32_t value);
  std::int32_t ButtonType() const { return fields_.button_type; }
  void ButtonType(std::int32_t value);
  std::int32_t CaptionAlignment() const { return fields_.caption_alignment; }
  void CaptionAlignment(std::int32_t value);
  std::int32_t CaptionEffect() const { return fields_.caption_effect; }
  void CaptionEffect(std::int32_t value);
  std::int32_t CaptionStyle() const { return fields_.caption_style; }
  void CaptionStyle(std::int32_t value);
  std::int32_t DropDown() const { return fields_.drop_down; }
  void DropDown(std::int32_t value);
  std::int32_t PictureAlignment() const { return fields_.picture_alignment; }
  void PictureAlignment(std::int32_t value);
  ColorValue BackColor() const { return fields_.back_color; }
  void BackColor(ColorValue value);
  ColorValue BackColorPressed() const { return fields_.back_color_pressed; }
  void BackColorPressed(ColorValue value);
  ColorValue BackColorHover() const { return fields_.back_color_hover; }
  void BackColorHover(ColorValue value);
  ColorValue BorderColor() const { return fields_.border_color; }
  void BorderColor(ColorValue value);
  ColorValue BorderColorPressed() const { return fields_.border_color_pressed; }
  void BorderColorPressed(ColorValue value);
  ColorValue BorderColorHover() const { return fields_.border_color_hover; }
  void BorderColorHover(ColorValue value);
  ColorValue ForeColor() const { return fields_.fore_color; }
  void ForeColor(ColorValue value);
  ColorValue ForeColorPressed() const { return fields_.fore_color_pressed; }
  void ForeColorPressed(ColorValue value);
  ColorValue ForeColorHover() const { return fields_.fore_color_hover; }
  void ForeColorHover(ColorValue value);
  ColorValue EffectColor() const { return fields_.effect_color; }
  void EffectColor(ColorValue value);
  const std::string& Caption() const { return fields_.caption; }
  void Caption(std::string_view value);
  bool FocusRect() const { return fields_.focus_rect; }
  void FocusRect(bool value);
  bool Value() const { return fields_.value; }
  void Value(bool value);
  bool HandPointer() const { return fields_.hand_pointer; }
  void HandPointer(bool value);
  PicturePtr Picture() const { return fields_.picture; }
  void Picture(PicturePtr value);
  bool PictureGray() const { return fields_.picture_gray; }
  void PictureGray(bool value);
  bool Enabled() const;
  void Enabled(bool value);
  FontSpec Font() const;
  void Font(const FontSpec& value);
  std::int16_t MousePointer() const;
  // Throws OverflowError, changing nothing, for a value outside -32768..32767.
  void MousePointer(std::int32_t value);
  PicturePtr MouseIcon() const;
  void MouseIcon(PicturePtr value);

  // Notifications of the platform.
  void Click() override;
  void DblClick() override;
  void GotFocus() override;
  void KeyDown(std::int16_t key_code, std::int16_t shift) override;
  void KeyPress(std::int16_t key_ascii) override;
  void KeyUp(std::int16_t key_code, std::int16_t shift) override;
  void LostFocus() override;
  void MouseDown(std::int16_t button, std::int16_t shift, float x, float y) override;
  void MouseMove(std::int16_t button, std::int16_t shift, float x, float y) override;
  void MouseUp(std::int16_t button, std::int16_t shift, float x, float y) override;
  void InitProperties() override;
  void OLECompleteDrag(std::int32_t& effect) override;
  void OLEDragDrop(DataObject& data, std::int32_t& effect, std::int16_t& button,
                   std::int16_t& shift, float& x, float& y) override;
  void OLEDragOver(DataObject& data, std::int32_t& effect, std::int16_t& button,
                   std::int16_t& shift, float& x, float& y, std::int16_t& state) override;
  void OLEGiveFeedback(std::int32_t& effect, bool& default_cursors) override;
  void OLESetData(DataObject& data, std::int16_t& data_format) override;
  void OLEStartDrag(DataObject& data, std::int32_t& allowed_effects) override;
  void Paint() override;
  void Resize() override;
  void Show() override;
  // Reads every key before changing anything: a key of the wrong type throws PropertyBagError
  // naming it and leaves the control as it was.
  void ReadProperties(const PropertyBag& bag) override;
  void Terminate() override;
  void WriteProperties(PropertyBag& bag) const override;

  // The state flags, for the paint pipeline and for tests. The hover flag is Empty until the
  // first mouse move in run mode decides it.
  bool FocusFlag() const { return fields_.focus; }
  std::optional<bool> HoverFlag() const { return fields_.hover; }
  bool PressedFlag() const { return fields_.pressed; }
  // The paint pipeline sets the pressed flag of a toggle button whose Value is True.
  void PressedFlag(bool value) { fields_.pressed = value; }
  // How many times the paint routine has run.
  int PaintCount() const { return paint_count_; }

 private:
  // Store, mark changed under `name`, repaint.
  template <class T>
  void SetField(T ButtonFields::*field, T value, std::string_view name);
  void ApplyButtonStylePresets();
  void ApplyButtonThemePresets();
  void RaiseMouseEvent(std::string_view name, std::int16_t button, std::int16_t shift, float x,
                       float y);
  void RaiseKeyEvent(std::string_view name, std::int16_t key_code, std::int16_t shift);

  UserControl& window_;
  UserControlSite& site_;
  ButtonFields fields_;
  int paint_count_ = 0;
};

}  // namespace fw
