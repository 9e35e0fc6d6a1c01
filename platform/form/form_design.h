#pragma once
// A window's stored design: the window itself and every control on it, as data. The window is
// built from this and nothing else; hosts place what it lists, where it says, in its order.
//
// The JSON form (app/design/form1.json):
//   { "name": "Form1", "caption": "...", "back_color": "0xFFFFFF",
//     "client_width": 5925, "client_height": 3375, "icon": "ferrowind.ico",
//     "controls": [ { "name": ..., "kind": "frame" | "label" | "image" | "timer" | "control",
//                     "inside": "Form1" or a frame's name, "left", "top", "width", "height"
//                     (twips, relative to what it is inside), "tab_index" (or absent),
//                     "visible", "caption", "font", "back_color", "fore_color", "picture",
//                     "class" and "properties" (a control's saved property bag), "interval",
//                     "enabled" }, ... ] }
// Colours are texts "0x" followed by the hexadecimal colour value (0x00BBGGRR, or 0x800000nn
// for a system colour); fonts are objects as the property bag writes them.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/color.h"
#include "platform/gdi.h"
#include "platform/geometry.h"
#include "platform/printable_text.h"
#include "platform/property_bag.h"

namespace fw {

// Design data that cannot be used; the message names the control and the member at fault.
class FormDesignError : public std::runtime_error {
 public:
  explicit FormDesignError(const std::string& message)
      : std::runtime_error(PrintableText(message)) {}
};

enum class FormControlKind { Frame, Label, Image, Timer, UserControl };

struct FormControlDesign {
  std::string name;
  FormControlKind kind = FormControlKind::Label;
  // The window's name, or the frame the control lies in.
  std::string inside;
  // Left, top, width and height in twips, relative to `inside`.
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::optional<int> tab_index;
  bool visible = true;
  // A frame's caption or a label's text (single-byte text).
  std::string caption;
  FontSpec font;
  ColorValue back_color = 0x8000000F;
  ColorValue fore_color = 0x80000012;
  // An image's picture: the name of a program resource.
  std::string picture;
  // A user control: its class ("Button") and its saved property bag, extent keys included.
  std::string control_class;
  PropertyBag properties;
  // A timer.
  int interval = 0;
  bool enabled = true;
};

struct FormDesign {
  std::string name;
  std::string caption;
  ColorValue back_color = 0x8000000F;
  int client_width = 0;  // twips
  int client_height = 0;
  std::string icon;  // resource name
  std::vector<FormControlDesign> controls;

  // The control of that name (compared without regard to case), or null.
  const FormControlDesign* Find(std::string_view control) const;
  // The control's rectangle in the window's client area, in twips (frames add their offset).
  Rect ClientTwips(const FormControlDesign& control) const;
};

// Reads a design. Pictures in the controls' property bags resolve through `resolver`. Throws
// FormDesignError for malformed JSON, a missing or mistyped member, an unknown kind, a duplicate
// name, a control inside something that is not an earlier frame, or a bad property bag.
FormDesign ParseFormDesign(std::string_view json, const PictureResolver& resolver);

}  // namespace fw
