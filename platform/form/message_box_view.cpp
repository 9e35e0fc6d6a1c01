#include "platform/form/message_box_view.h"

#include <algorithm>

#include "formats/text/ascii_case.h"
#include "platform/color.h"
#include "platform/form/form_host.h"

namespace fw {
namespace {

// The dialog font of the system's message boxes.
const FontSpec kDialogFont{"Tahoma", 8, false, false, false, false};

// Virtual-key codes the box answers to.
constexpr int kVkTab = 0x09;
constexpr int kVkReturn = 0x0D;
constexpr int kVkEscape = 0x1B;
constexpr int kVkSpace = 0x20;
constexpr int kVkLeft = 0x25;
constexpr int kVkUp = 0x26;
constexpr int kVkRight = 0x27;
constexpr int kVkDown = 0x28;

// The system colours of a dialog and its push buttons.
constexpr ColorValue kFace = 0x8000000F;        // COLOR_BTNFACE
constexpr ColorValue kShadow = 0x80000010;      // COLOR_BTNSHADOW
constexpr ColorValue kText = 0x80000012;        // COLOR_BTNTEXT
constexpr ColorValue kHighlight = 0x80000014;   // COLOR_BTNHIGHLIGHT
constexpr ColorValue kDarkShadow = 0x80000015;  // COLOR_3DDKSHADOW
constexpr ColorValue kLight = 0x80000016;       // COLOR_3DLIGHT
constexpr ColorValue kWindowText = 0x80000008;  // COLOR_WINDOWTEXT

// The message box's dialog template, in dialog units: the icon's left edge and the width of the
// text control, which is where long lines wrap.
constexpr int kIconLeftUnits = 8;
constexpr int kTextWidthUnits = 176;
constexpr int kIconSize = 32;
// A dialog frame's two borders (SM_CXDLGFRAME on each side).
constexpr int kDialogFrameWidth = 6;

int MulDiv(int number, int numerator, int denominator) {
  return (number * numerator + denominator / 2) / denominator;
}

// The horizontal dialog base unit of a font: the average width of the 52 letters, rounded.
int BaseUnitX(Dc& dc) {
  const Size letters =
      dc.GetTextExtentPoint32A("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return (letters.cx / 26 + 1) / 2;
}

void HorizontalLine(Dc& dc, int x0, int x1, int y, ColorValue color) {
  dc.FillRect({x0, y, x1, y + 1}, Brush::Solid(ResolveColor(color)));
}
void VerticalLine(Dc& dc, int x, int y0, int y1, ColorValue color) {
  dc.FillRect({x, y0, x + 1, y1}, Brush::Solid(ResolveColor(color)));
}

// One ring of a 3D edge: `top_left` on the top and left sides, `bottom_right` on the others
// (the bottom-left and top-right corners belong to the bottom and right sides).
void EdgeRing(Dc& dc, const Rect& r, ColorValue top_left, ColorValue bottom_right) {
  HorizontalLine(dc, r.left, r.right - 1, r.top, top_left);
  VerticalLine(dc, r.left, r.top, r.bottom - 1, top_left);
  HorizontalLine(dc, r.left, r.right, r.bottom - 1, bottom_right);
  VerticalLine(dc, r.right - 1, r.top, r.bottom - 1, bottom_right);
}

Rect Inset(const Rect& r, int by) {
  return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

char AccessKeyOf(std::string_view label) {
  const std::size_t amp = label.find('&');
  if (amp == std::string_view::npos || amp + 1 >= label.size()) return 0;
  return ToAsciiUpper(label[amp + 1]);
}

}  // namespace

std::string_view MessageBoxIconName(int style) {
  switch (style & kMbIconMask) {
    case kMbIconError:
      return "msgbox_error.ico";
    case kMbIconExclamation:
      return "msgbox_exclamation.ico";
    case kMbIconInformation:
      return "msgbox_information.ico";
    default:
      return {};
  }
}

// The layout is user32's: the icon's left margin repeats between icon and text; the buttons
// are as wide as twice the widest caption (at least four lines high) and twice a line high,
// with a third of a button between them; the text area is at least as wide as the button row
// needs; icon and text are centred on a band 16 pixels taller than the taller of the two, and
// the buttons sit below it, 8 pixels above the bottom edge. The system's MessageBoxA measures
// the same under Wine, pixel for pixel.
MessageBoxView::MessageBoxView(GdiDevice& device, std::string text, int style,
                               std::shared_ptr<const Picture> icon)
    : device_(device), text_(std::move(text)), icon_(std::move(icon)) {
  if ((style & kMbButtonsMask) == kMbYesNo) {
    buttons_ = {{kIdYes, "&Yes", 'Y', {}}, {kIdNo, "&No", 'N', {}}};
    dismissed_ = kIdNo;
  } else {
    buttons_ = {{kIdOk, "OK", 0, {}}};
    dismissed_ = kIdOk;
  }
  for (MessageBoxButton& button : buttons_) button.access_key = AccessKeyOf(button.label);

  const std::unique_ptr<Dc> dc = device_.CreateSurface(1, 1);
  dc->SelectFont(kDialogFont);
  const int unit_x = BaseUnitX(*dc);
  const int icon_left = MulDiv(kIconLeftUnits, unit_x, 4);
  const int icon_width = icon_ ? kIconSize : 0;
  const int icon_height = icon_ ? kIconSize : 0;

  int button_width = 1;
  int button_height = 1;
  for (const MessageBoxButton& button : buttons_) {
    Rect r{0, 0, 0, 0};
    dc->DrawTextA(button.label, r, DT_LEFT | DT_CALCRECT);
    button_width = std::max(button_width, r.right - r.left);
    button_height = std::max(button_height, r.bottom - r.top);
  }
  button_width = std::max(button_width, button_height * 2) * 2;
  button_height *= 2;
  const int button_space = button_width / 3;
  const int count = static_cast<int>(buttons_.size());

  Rect measured{0, 0, MulDiv(kTextWidthUnits, unit_x, 4), 0};
  dc->DrawTextA(text_, measured, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
  const int text_left = icon_width != 0 ? icon_left * 2 + icon_width : icon_left;
  const int text_width =
      std::max((button_width + button_space) * count + button_space - text_left, measured.right);
  const int text_height = measured.bottom;
  const int band = 16 + std::max(icon_height, text_height);

  client_ = {text_left + text_width + icon_left, 8 + band + button_height};
  if (icon_) {
    const int top = (band - icon_height) / 2;
    icon_rect_ = {icon_left, top, icon_left + icon_width, top + icon_height};
  }
  const int text_top = (band - text_height) / 2;
  text_rect_ = {text_left, text_top, text_left + text_width, text_top + text_height};
  // The row is centred on the whole window, dialog frame included, so it sits half a frame
  // right of the client area's centre.
  int x =
      (client_.cx + kDialogFrameWidth - (button_width + button_space) * count + button_space) / 2;
  for (MessageBoxButton& button : buttons_) {
    button.rect = {x, band, x + button_width, band + button_height};
    x += button_width + button_space;
  }
}

std::optional<std::size_t> MessageBoxView::ButtonAt(Point at) const {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const Rect& r = buttons_[i].rect;
    if (at.x >= r.left && at.x < r.right && at.y >= r.top && at.y < r.bottom) return i;
  }
  return std::nullopt;
}

void MessageBoxView::Focus(std::size_t index) {
  if (index == focused_) return;
  focused_ = index;
  space_pressed_ = false;
  ++revision_;
}

std::optional<int> MessageBoxView::KeyDown(int virtual_key, bool shift) {
  const std::size_t count = buttons_.size();
  switch (virtual_key) {
    case kVkReturn:
      return buttons_[focused_].answer;
    case kVkEscape:
      return dismissed_;
    case kVkTab:
      Focus((focused_ + (shift ? count - 1 : 1)) % count);
      return std::nullopt;
    case kVkLeft:
    case kVkUp:
      Focus((focused_ + count - 1) % count);
      return std::nullopt;
    case kVkRight:
    case kVkDown:
      Focus((focused_ + 1) % count);
      return std::nullopt;
    case kVkSpace:
      if (!space_pressed_) {
        space_pressed_ = true;
        ++revision_;
      }
      return std::nullopt;
    default:
      break;
  }
  for (const MessageBoxButton& button : buttons_) {
    if (button.access_key != 0 && virtual_key == button.access_key) return button.answer;
  }
  return std::nullopt;
}

std::optional<int> MessageBoxView::KeyUp(int virtual_key) {
  if (virtual_key != kVkSpace || !space_pressed_) return std::nullopt;
  space_pressed_ = false;
  ++revision_;
  return buttons_[focused_].answer;
}

void MessageBoxView::MouseMove(Point at) {
  if (!mouse_pressed_) return;
  const bool over = ButtonAt(at) == mouse_pressed_;
  if (over != mouse_over_pressed_) {
    mouse_over_pressed_ = over;
    ++revision_;
  }
}

void MessageBoxView::MouseDown(Point at) {
  const std::optional<std::size_t> hit = ButtonAt(at);
  if (!hit) return;
  Focus(*hit);
  mouse_pressed_ = hit;
  mouse_over_pressed_ = true;
  ++revision_;
}

std::optional<int> MessageBoxView::MouseUp(Point at) {
  if (!mouse_pressed_) return std::nullopt;
  const std::size_t pressed = *mouse_pressed_;
  mouse_pressed_.reset();
  mouse_over_pressed_ = false;
  ++revision_;
  if (ButtonAt(at) == pressed) return buttons_[pressed].answer;
  return std::nullopt;
}

std::unique_ptr<Dc> MessageBoxView::Render() const {
  std::unique_ptr<Dc> dc = device_.CreateSurface(client_.cx, client_.cy, ResolveColor(kFace));
  dc->SelectFont(kDialogFont);
  dc->SetBkMode(BkMode::Transparent);
  if (icon_) {
    dc->DrawIconEx(icon_rect_.left, icon_rect_.top, icon_->image(), kIconSize, kIconSize);
  }
  dc->SetTextColor(ResolveColor(kWindowText));
  Rect text = text_rect_;
  dc->DrawTextA(text_, text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  for (std::size_t i = 0; i < buttons_.size(); ++i) DrawButton(*dc, i);
  return dc;
}

// A push button in the classic look. The focused button is the default one: a black frame
// around it, and the focus rectangle inside. Pushed in, it shows a shadow frame and its caption
// one pixel down and to the right.
void MessageBoxView::DrawButton(Dc& dc, std::size_t index) const {
  const MessageBoxButton& button = buttons_[index];
  const bool focused = index == focused_;
  const bool pushed =
      (focused && space_pressed_) || (mouse_pressed_ == index && mouse_over_pressed_);
  Rect r = button.rect;
  dc.FillRect(r, Brush::Solid(ResolveColor(kFace)));
  if (focused) {
    dc.FrameRect(r, Brush::Solid(ResolveColor(kDarkShadow)));
    r = Inset(r, 1);
  }
  if (pushed) {
    dc.FrameRect(r, Brush::Solid(ResolveColor(kShadow)));
  } else {
    EdgeRing(dc, r, kHighlight, kDarkShadow);
    EdgeRing(dc, Inset(r, 1), kLight, kShadow);
  }
  Rect caption = r;
  if (pushed) {
    caption.left += 1;
    caption.top += 1;
    caption.right += 1;
    caption.bottom += 1;
  }
  dc.SetTextColor(ResolveColor(kText));
  dc.DrawTextA(button.label, caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (focused) dc.DrawFocusRect(Inset(button.rect, 4));
}

}  // namespace fw
