#include "formats/json/font_json.h"

#include <cmath>
#include <string>

#include "formats/text/ansi_text.h"

namespace fw {
namespace {

// The Boolean that `member` sets, or null.
bool* FlagOf(FontSpec& spec, const std::string& member, FontJsonRules rules) {
  if (member == "bold") return &spec.bold;
  if (member == "italic") return &spec.italic;
  if (member == "underline") return &spec.underline;
  if (member == "strikethrough" && rules.strikethrough) return &spec.strikethrough;
  return nullptr;
}

}  // namespace

FontSpec ReadFontJson(const nlohmann::ordered_json& font, FontJsonRules rules) {
  using Json = nlohmann::ordered_json;
  if (!font.is_object()) throw FontJsonError("is not a JSON object");
  FontSpec spec;
  bool has_name = false;
  bool has_size = false;
  for (auto it = font.begin(); it != font.end(); ++it) {
    const std::string& member = it.key();
    const Json& value = it.value();
    const auto wrong = [&](const std::string& wanted) {
      return FontJsonError("\"" + member + "\" is a JSON " + value.type_name() + ", not " + wanted);
    };
    if (member == "name") {
      if (!value.is_string()) throw wrong("a string");
      if (const auto problem = Utf8ToAnsi(value.get_ref<const std::string&>(), spec.face)) {
        throw FontJsonError("\"name\" cannot be shown: " + *problem);
      }
      has_name = true;
    } else if (member == "size") {
      if (!value.is_number()) throw wrong("a number");
      spec.points = value.get<double>();
      if (!std::isfinite(spec.points) || spec.points <= 0.0 || spec.points > kMaxFontPoints) {
        throw FontJsonError("\"size\" is not a point size from above 0 to 2048: " + value.dump());
      }
      has_size = true;
    } else if (bool* flag = FlagOf(spec, member, rules)) {
      if (!value.is_boolean()) throw wrong("true or false");
      *flag = value.get<bool>();
    } else if (!rules.skip_unknown) {
      throw FontJsonError("has the unknown member \"" + member +
                          "\" (name, size, bold, italic, underline" +
                          (rules.strikethrough ? ", strikethrough)" : ")"));
    }
  }
  if (!has_name) throw FontJsonError("has no \"name\"");
  if (!has_size) throw FontJsonError("has no \"size\"");
  return spec;
}

}  // namespace fw
