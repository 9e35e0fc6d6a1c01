#pragma once
// vbButton: the program's classic owner-drawn button, in fourteen looks (ButtonType 1 to 14)
// and four colour schemes, with a normal and a hover picture, check-box behaviour, a hover look
// found by polling the cursor (MouseOver and MouseOut), and focus moves with the arrow keys.
//
// Every setter stores its value as given (no range check), marks its property changed and
// redraws at once where the control says so. Drawing goes through the draw rule: draw(state,
// force) draws only when forced or when the caption or the state differs from what the last draw
// showed, and only while drawing is allowed and the window has a height.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "controls/vbbutton/face_canvas.h"
#include "controls/vbbutton/vbbutton_fields.h"
#include "platform/usercontrol.h"

namespace fw {

// The class name the control's window reports.
inline constexpr std::string_view kVbButtonClassName = "vbButton";

class vbButton final : public ControlHandlers {
 public:
  // Initialize: drawing is allowed from the start.
  vbButton(UserControl& window, UserControlSite& site);
  ~vbButton() override;
  vbButton(const vbButton&) = delete;
  vbButton& operator=(const vbButton&) = delete;

  // The draw states.
  static constexpr std::uint8_t kUp = 0;
  static constexpr std::uint8_t kDown = 2;
  // The id of the hover-polling timer OverTimer on the control's window, and its interval.
  static constexpr std::uintptr_t kOverTimerId = 1;
  static constexpr int kOverTimerInterval = 3;

  // Properties, in the order of the control's interface.
  ColorValue BackColor() const { return f_.back_color; }
  void BackColor(ColorValue value);
  ColorValue BackOver() const { return f_.back_over; }
  void BackOver(ColorValue value);
  ColorValue ForeColor() const { return f_.fore_color; }
  void ForeColor(ColorValue value);
  ColorValue ForeOver() const { return f_.fore_over; }
  void ForeOver(ColorValue value);
  ColorValue MaskColor() const { return f_.mask_color; }
  void MaskColor(ColorValue value);
  std::int32_t ButtonType() const { return f_.button_type; }
  void ButtonType(std::int32_t value);
  const std::string& Caption() const { return f_.caption; }
  void Caption(std::string_view value);
  bool Enabled() const { return f_.enabled; }
  void Enabled(bool value);
  FontSpec Font() const;
  void Font(const FontSpec& value);
  bool FontBold() const;
  void FontBold(bool value);
  bool FontItalic() const;
  void FontItalic(bool value);
  bool FontUnderline() const;
  void FontUnderline(bool value);
  // Whole points, rounded.
  std::int16_t FontSize() const;
  void FontSize(std::int16_t value);
  std::string FontName() const;
  void FontName(std::string_view value);
  std::int32_t ColorScheme() const { return f_.color_scheme; }
  void ColorScheme(std::int32_t value);
  bool ShowFocusRect() const { return f_.show_focus_rect; }
  void ShowFocusRect(bool value);
  std::int16_t MousePointer() const;
  // Throws OverflowError, changing nothing, for a value outside -32768..32767.
  void MousePointer(std::int32_t value);
  PicturePtr MouseIcon() const;
  // A picture the window rejects is ignored.
  void MouseIcon(PicturePtr value);
  bool HandPointer() const { return f_.hand_pointer; }
  void HandPointer(bool value);
  WindowHandle hwnd() const;
  bool SoftBevel() const { return f_.soft_bevel; }
  void SoftBevel(bool value);
  PicturePtr PictureNormal() const { return f_.picture_normal; }
  void PictureNormal(PicturePtr value);
  PicturePtr PictureOver() const { return f_.picture_over; }
  void PictureOver(PicturePtr value);
  std::int32_t PicturePosition() const { return f_.picture_position; }
  void PicturePosition(std::int32_t value);
  bool UseMaskColor() const { return f_.use_mask_color; }
  void UseMaskColor(bool value);
  bool UseGreyscale() const { return f_.use_greyscale; }
  void UseGreyscale(bool value);
  std::int32_t SpecialEffect() const { return f_.special_effect; }
  void SpecialEffect(std::int32_t value);
  bool CheckBoxBehaviour() const { return f_.check_box_behaviour; }
  void CheckBoxBehaviour(bool value);
  bool Value() const { return f_.value; }
  void Value(bool value);
  std::string_view Version() const { return "2.0.6"; }
  // Stops drawing until Refresh.
  void DisableRefresh();
  // Captures the background again (ButtonType 11), recomputes colours and layout, allows drawing
  // and draws.
  void Refresh();

  // The hover-polling timer's tick.
  void OverTimerTick();

  // Notifications of the platform.
  void Click() override;
  void DblClick() override;
  void GotFocus() override;
  void LostFocus() override;
  void KeyDown(std::int16_t key_code, std::int16_t shift) override;
  void KeyPress(std::int16_t key_ascii) override;
  void KeyUp(std::int16_t key_code, std::int16_t shift) override;
  void MouseDown(std::int16_t button, std::int16_t shift, float x, float y) override;
  void MouseMove(std::int16_t button, std::int16_t shift, float x, float y) override;
  void MouseUp(std::int16_t button, std::int16_t shift, float x, float y) override;
  void AccessKeyPress(std::int16_t key_ascii) override;
  void AmbientChanged(std::string_view name) override;
  void InitProperties() override;
  // Reads every key before changing anything: a key of the wrong type throws PropertyBagError
  // naming it and leaves the control as it was.
  void ReadProperties(const PropertyBag& bag) override;
  // Writes all twenty-three keys, whether or not a value equals its default.
  void WriteProperties(PropertyBag& bag) const override;
  void Resize() override;
  void Show() override;
  void Hide() override;
  void Terminate() override;

  // Drawing routines.
  // The draw rule; state 0 is the up look (the hover look while the mouse-over flag is set), 2
  // the down look.
  void Draw(std::uint8_t state, bool force);
  // Recomputes the derived colours.
  void ApplyColorScheme();
  // Places the caption and the picture.
  void Layout();
  // The picture's size in pixels (0 x 0 without PictureNormal).
  void MeasurePicture();
  // Copies the parent window's pixels behind the control into the background context.
  void CaptureBackground();
  // The window's access keys from the caption's "&".
  void UpdateAccessKeys();

  // State, for the drawing and for tests.
  const vbButtonFields& Fields() const { return f_; }
  const vbbutton::SchemeColors& Colors() const { return f_.colors; }
  const vbButtonLayout& LayoutState() const { return layout_; }
  bool MouseOverFlag() const { return f_.mouse_over; }
  bool FocusFlag() const { return f_.focus; }
  bool DrawingAllowed() const { return f_.drawing_allowed; }
  bool OverTimerEnabled() const { return over_timer_enabled_; }
  // How many times a draw passed the draw rule.
  int DrawCount() const { return draw_count_; }

 private:
  enum class Branch { kUp, kDown, kDisabled, kNone };

  // Setter helpers.
  void Mark(std::string_view key) { site_.PropertyChanged(key); }
  void RedrawLast() { Draw(f_.last_state, true); }
  void SetFontPart(const std::function<void(FontSpec&)>& change);

  // Events.
  void RaiseMouseEvent(std::string_view name, std::int16_t& button, std::int16_t& shift, float& x,
                       float& y);
  void RaiseKeyEvent(std::string_view name, std::int16_t& key_code, std::int16_t& shift);
  // True when the window under the cursor is the control's own.
  bool CursorOverControl() const;
  void EnableOverTimer();
  void DisableOverTimer();

  // The draw once the rule has passed: background, look, picture.
  void DrawFace(std::uint8_t state);
  void DrawLook(Branch branch);
  void LookBevelled(Branch branch);  // 1, 2, 6, 7, 8, 12
  void Look3(Branch branch);
  void Look4(Branch branch);
  void Look5(Branch branch);
  void Look9(Branch branch);
  void Look11(Branch branch);
  void Look13(Branch branch);
  void Look14(Branch branch);
  void FocusRect();
  void CaptionBox();
  // The caption routine with caption mode `mode`.
  void DrawCaption(std::uint8_t mode);
  void CaptionText(const Rect& rect);
  void SpecialEffectOn(const Rect& rect);
  // The picture drawing: 0 up, 1 down, 2 disabled.
  void DrawPicture(int look);
  void PictureEffect(int offset, const Picture& picture);
  // The pixel blit; `color` is nothing for the picture's own colours.
  void Blit(int x, int y, const Picture& picture, std::optional<ColorRef> color,
            bool skip_bright = false, bool greyscale = false, bool blend = false);
  void EnsureBackground();
  void MeasureWindow();

  // Colour helpers of the looks.
  ColorRef Shade(ColorRef color, int amount, bool proportional = false) const;
  vbbutton::FaceCanvas Canvas();
  Dc& dc() { return window_.hDC(); }
  bool DisplayAsDefault() const { return site_.AmbientDisplayAsDefault(); }

  UserControl& window_;
  UserControlSite& site_;
  vbButtonFields f_;
  vbButtonLayout layout_;
  bool over_timer_enabled_ = false;
  // The mouse was taken by a double click; the next release gives it back.
  bool double_click_capture_ = false;
  int draw_count_ = 0;
};

// The access keys a caption gives: the character after its first single "&", in lower case, or
// after a later "&" when the first is doubled; "" for none.
std::string AccessKeysOf(std::string_view caption);

}  // namespace fw
