#include "platform/form/form_design.h"

#include <algorithm>
#include <charconv>
#include <nlohmann/json.hpp>

#include "formats/json/font_json.h"
#include "formats/json/property_bag_json.h"
#include "formats/json/untrusted_json.h"
#include "formats/text/ansi_text.h"
#include "formats/text/ascii_case.h"

namespace fw {
namespace {

using Json = nlohmann::ordered_json;

// Reads the members of one JSON object, naming the object in every error.
class Members {
 public:
  Members(const Json& object, std::string where) : object_(object), where_(std::move(where)) {
    if (!object_.is_object()) Fail("is not a JSON object");
  }

  [[noreturn]] void Fail(const std::string& what) const {
    throw FormDesignError(where_ + " " + what);
  }

  const Json* Optional(const char* key) const {
    const auto it = object_.find(key);
    return it == object_.end() ? nullptr : &*it;
  }
  const Json& Required(const char* key) const {
    const Json* value = Optional(key);
    if (value == nullptr) Fail(std::string("has no \"") + key + "\"");
    return *value;
  }

  std::string Text(const char* key, std::string fallback = {}) const {
    const Json* value = Optional(key);
    if (value == nullptr) return fallback;
    if (!value->is_string()) Fail(std::string("\"") + key + "\" is not a text");
    std::string ansi;
    if (const auto why = Utf8ToAnsi(value->get<std::string>(), ansi)) {
      Fail(std::string("\"") + key + "\" cannot be shown: " + *why);
    }
    return ansi;
  }
  std::string RequiredText(const char* key) const {
    Required(key);
    return Text(key);
  }
  int Integer(const char* key, int low, int high) const {
    const Json& value = Required(key);
    if (!value.is_number_integer()) Fail(std::string("\"") + key + "\" is not a whole number");
    const auto number = value.get<long long>();
    if (number < low || number > high) {
      Fail(std::string("\"") + key + "\" is " + std::to_string(number) + ", not from " +
           std::to_string(low) + " to " + std::to_string(high));
    }
    return static_cast<int>(number);
  }
  bool Boolean(const char* key, bool fallback) const {
    const Json* value = Optional(key);
    if (value == nullptr) return fallback;
    if (!value->is_boolean()) Fail(std::string("\"") + key + "\" is not true or false");
    return value->get<bool>();
  }
  ColorValue Color(const char* key, ColorValue fallback) const {
    const Json* value = Optional(key);
    if (value == nullptr) return fallback;
    const std::string text = value->is_string() ? value->get<std::string>() : std::string();
    ColorValue color = 0;
    const bool hex = text.size() > 2 && text.size() <= 10 && text[0] == '0' && text[1] == 'x';
    const auto [end, error] =
        hex ? std::from_chars(text.data() + 2, text.data() + text.size(), color, 16)
            : std::from_chars_result{text.data(), std::errc::invalid_argument};
    if (error != std::errc() || end != text.data() + text.size()) {
      Fail(std::string("\"") + key + "\" is not a colour written as \"0x\" and hex digits");
    }
    return color;
  }
  FontSpec Font(const char* key) const {
    const Json* value = Optional(key);
    if (value == nullptr) return {};
    try {
      // The design's fonts are FontSpecs; members of later versions are passed over.
      return ReadFontJson(*value, FontJsonRules{.strikethrough = true, .skip_unknown = true});
    } catch (const FontJsonError& error) {
      Fail(std::string("\"") + key + "\" " + error.what());
    }
  }

 private:
  const Json& object_;
  std::string where_;
};

constexpr int kLargestTwips = 1 << 20;

FormControlKind KindOf(const Members& members, const std::string& kind) {
  if (kind == "frame") return FormControlKind::Frame;
  if (kind == "label") return FormControlKind::Label;
  if (kind == "image") return FormControlKind::Image;
  if (kind == "timer") return FormControlKind::Timer;
  if (kind == "control") return FormControlKind::UserControl;
  members.Fail("has the unknown kind \"" + kind + "\" (frame, label, image, timer or control)");
}

FormControlDesign ParseControl(const Json& json, std::size_t index, const FormDesign& form,
                               const PictureResolver& resolver) {
  std::string where = "control " + std::to_string(index + 1);
  if (json.is_object() && json.contains("name") && json["name"].is_string()) {
    where += " (" + json["name"].get<std::string>() + ")";
  }
  const Members m(json, where);
  FormControlDesign c;
  c.name = m.RequiredText("name");
  if (c.name.empty()) m.Fail("has an empty name");
  if (form.Find(c.name) != nullptr || EqualsIgnoringAsciiCase(c.name, form.name)) {
    m.Fail("has a name already used in the window");
  }
  c.kind = KindOf(m, m.RequiredText("kind"));
  c.inside = m.Text("inside", form.name);
  if (!EqualsIgnoringAsciiCase(c.inside, form.name)) {
    const FormControlDesign* frame = form.Find(c.inside);
    if (frame == nullptr || frame->kind != FormControlKind::Frame) {
      m.Fail("lies inside \"" + c.inside + "\", which is neither the window nor an earlier frame");
    }
  }
  if (c.kind != FormControlKind::Timer) {
    c.left = m.Integer("left", -kLargestTwips, kLargestTwips);
    c.top = m.Integer("top", -kLargestTwips, kLargestTwips);
    c.width = m.Integer("width", 0, kLargestTwips);
    c.height = m.Integer("height", 0, kLargestTwips);
  }
  if (m.Optional("tab_index") != nullptr) c.tab_index = m.Integer("tab_index", 0, 32767);
  c.visible = m.Boolean("visible", true);
  c.caption = m.Text("caption");
  c.font = m.Font("font");
  c.back_color = m.Color("back_color", c.back_color);
  c.fore_color = m.Color("fore_color", c.fore_color);
  switch (c.kind) {
    case FormControlKind::Image:
      c.picture = m.RequiredText("picture");
      break;
    case FormControlKind::Timer:
      c.interval = m.Integer("interval", 0, 65535);
      c.enabled = m.Boolean("enabled", true);
      break;
    case FormControlKind::UserControl:
      c.control_class = m.RequiredText("class");
      try {
        c.properties = PropertyBagFromJsonValue(m.Required("properties"), resolver);
      } catch (const std::exception& error) {
        m.Fail(std::string("has properties that cannot be read: ") + error.what());
      }
      break;
    default:
      break;
  }
  return c;
}

}  // namespace

const FormControlDesign* FormDesign::Find(std::string_view control) const {
  const auto it = std::find_if(controls.begin(), controls.end(), [&](const FormControlDesign& c) {
    return EqualsIgnoringAsciiCase(c.name, control);
  });
  return it == controls.end() ? nullptr : &*it;
}

Rect FormDesign::ClientTwips(const FormControlDesign& control) const {
  Rect rect{control.left, control.top, control.left + control.width, control.top + control.height};
  for (const FormControlDesign* outer = Find(control.inside); outer != nullptr;
       outer = Find(outer->inside)) {
    rect.left += outer->left;
    rect.right += outer->left;
    rect.top += outer->top;
    rect.bottom += outer->top;
  }
  return rect;
}

FormDesign ParseFormDesign(std::string_view text, const PictureResolver& resolver) {
  Json json;
  try {
    json = ParseUntrustedJson(text);
  } catch (const JsonTextError& error) {
    throw FormDesignError(std::string("form design: ") + error.what());
  }
  const Members m(json, "form design");
  FormDesign form;
  form.name = m.RequiredText("name");
  form.caption = m.Text("caption");
  form.back_color = m.Color("back_color", form.back_color);
  form.client_width = m.Integer("client_width", 1, kLargestTwips);
  form.client_height = m.Integer("client_height", 1, kLargestTwips);
  form.icon = m.Text("icon");
  const Json& controls = m.Required("controls");
  if (!controls.is_array()) m.Fail("\"controls\" is not a list");
  for (std::size_t i = 0; i < controls.size(); ++i) {
    form.controls.push_back(ParseControl(controls[i], i, form, resolver));
  }
  return form;
}

}  // namespace fw
