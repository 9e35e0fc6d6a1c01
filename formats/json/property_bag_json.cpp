#include "formats/json/property_bag_json.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <variant>

#include "formats/image/bmp.h"
#include "formats/json/font_json.h"
#include "formats/json/untrusted_json.h"
#include "formats/text/ansi_text.h"
#include "formats/text/base64.h"

namespace fw {
namespace {

using Json = nlohmann::ordered_json;

// A string of the JSON form (UTF-8) as the bag holds it; `key_utf8` names the property.
std::string FromJsonString(const Json& value, const std::string& key_utf8, std::string_view what) {
  std::string out;
  if (const auto problem = Utf8ToAnsi(value.get_ref<const std::string&>(), out)) {
    throw PropertyBagError(key_utf8,
                           "property \"" + key_utf8 + "\": " + std::string(what) + ": " + *problem);
  }
  return out;
}

// A value the bag keeps without interpreting it. A string in JSON built by a caller may be
// ill-formed UTF-8; it is kept with U+FFFD rather than not at all.
OpaqueJson KeptJson(const Json& value) {
  using Type = OpaqueJson::Type;
  std::string text = value.dump(-1, ' ', false, Json::error_handler_t::replace);
  switch (value.type()) {
    case Json::value_t::null:
      return OpaqueJson(Type::kNull, std::move(text));
    case Json::value_t::boolean:
      return OpaqueJson(Type::kBoolean, std::move(text));
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
      return OpaqueJson(Type::kWholeNumber, std::move(text), value.get<double>());
    case Json::value_t::number_float:
      return OpaqueJson(Type::kRealNumber, std::move(text), value.get<double>());
    case Json::value_t::string:
      return OpaqueJson(Type::kString, std::move(text));
    case Json::value_t::array:
      return OpaqueJson(Type::kArray, std::move(text));
    default:
      return OpaqueJson(Type::kObject, std::move(text));
  }
}

// JSON form of one value.
Json ToJsonValue(const PropertyValue& value) {
  struct Visitor {
    Json operator()(std::int16_t v) const { return v; }
    Json operator()(std::int32_t v) const { return v; }
    Json operator()(std::int64_t v) const { return v; }
    Json operator()(Bool16 v) const { return static_cast<bool>(v); }
    Json operator()(const std::string& v) const { return AnsiToUtf8(v); }
    Json operator()(const PropertyFont& v) const {
      Json font = Json::object();
      font["name"] = AnsiToUtf8(v.name);
      font["size"] = v.size;
      font["bold"] = v.bold;
      font["italic"] = v.italic;
      font["underline"] = v.underline;
      return font;
    }
    Json operator()(const PicturePtr& v) const {
      if (!v) return nullptr;
      Json picture = Json::object();
      if (v->from_resource()) {
        picture["resource"] = AnsiToUtf8(v->resource_name());
      } else if (v->drawn()) {
        picture["bmp"] = EncodeBase64(image::EncodeBmp24(
            image::FromDibPixels(v->image().width, v->image().height, v->image().color)));
      } else {
        picture[v->file_type()] = EncodeBase64(v->file_bytes());
      }
      return picture;
    }
    Json operator()(const OpaqueJson& v) const { return Json::parse(v.text()); }
  };
  return std::visit(Visitor{}, value);
}

constexpr std::array<std::string_view, 4> kPictureMembers{"resource", "bmp", "ico", "cur"};
constexpr std::array<std::string_view, 5> kFontMembers{"name", "size", "bold", "italic",
                                                       "underline"};

PicturePtr PictureFromJson(const Json& object, const std::string& key,
                           const PictureResolver& resolver) {
  const std::string where = "property \"" + key + "\": ";
  if (object.size() != 1) {
    throw PropertyBagError(key, where + "a picture is an object with exactly one member " +
                                    "(resource, bmp, ico or cur); this one has " +
                                    std::to_string(object.size()));
  }
  const std::string& type = object.begin().key();
  const Json& data = object.begin().value();
  if (!data.is_string()) {
    throw PropertyBagError(key, where + "the picture's \"" + type + "\" is a JSON " +
                                    data.type_name() + ", not a string");
  }
  if (type == "resource") {
    const std::string name = FromJsonString(data, key, "the resource name");
    if (!resolver) {
      throw PropertyBagError(key, where + "holds the resource picture \"" +
                                      data.get<std::string>() +
                                      "\", but resource pictures cannot be read here");
    }
    PicturePtr picture = resolver(name);
    if (!picture) {
      throw PropertyBagError(
          key, where + "unknown resource picture \"" + data.get<std::string>() + "\"");
    }
    return picture;
  }
  std::vector<std::uint8_t> bytes;
  try {
    bytes = DecodeBase64(data.get_ref<const std::string&>());
  } catch (const std::invalid_argument& e) {
    throw PropertyBagError(key, where + "the picture's \"" + type + "\" data: " + e.what());
  }
  try {
    return std::make_shared<const Picture>(LoadPicture(bytes, type));
  } catch (const PictureError& e) {
    throw PropertyBagError(key, where + "unreadable picture: " + e.what());
  }
}

PropertyFont FontFromJson(const Json& object, const std::string& key) {
  try {
    return PropertyFont::FromFontSpec(ReadFontJson(object, FontJsonRules{}));
  } catch (const FontJsonError& e) {
    throw PropertyBagError(key, "property \"" + key + "\": the font " + e.what());
  }
}

// The bag's value for one member of the JSON form.
PropertyValue ValueFromJson(const Json& value, const std::string& key,
                            const PictureResolver& resolver) {
  switch (value.type()) {
    case Json::value_t::boolean:
      return Bool16(value.get<bool>());
    case Json::value_t::number_integer:
      return value.get<std::int64_t>();
    case Json::value_t::number_unsigned: {
      const auto number = value.get<std::uint64_t>();
      if (number <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        return static_cast<std::int64_t>(number);
      }
      return KeptJson(value);
    }
    case Json::value_t::string:
      return FromJsonString(value, key, "the text");
    case Json::value_t::null:
      return PicturePtr{};
    case Json::value_t::object: {
      const auto has_any = [&value](const auto& names) {
        return std::any_of(names.begin(), names.end(),
                           [&value](std::string_view name) { return value.contains(name); });
      };
      if (has_any(kPictureMembers)) return PictureFromJson(value, key, resolver);
      if (has_any(kFontMembers)) return FontFromJson(value, key);
      return KeptJson(value);
    }
    default:
      return KeptJson(value);
  }
}

Json ParseBagJson(std::string_view text) {
  try {
    return ParseUntrustedJson(text);
  } catch (const JsonTextError& error) {
    throw PropertyBagError("", error.what());
  }
}

}  // namespace

nlohmann::ordered_json PropertyBagToJson(const PropertyBag& bag) {
  Json json = Json::object();
  for (const PropertyBag::Entry& entry : bag.entries())
    json[AnsiToUtf8(entry.key)] = ToJsonValue(entry.value);
  return json;
}

std::string PropertyBagToJsonText(const PropertyBag& bag, int indent) {
  // Everything the bag makes is UTF-8 already; only a value kept from a caller's JSON could be
  // otherwise, and it is written with U+FFFD rather than not at all.
  return PropertyBagToJson(bag).dump(indent, ' ', false, Json::error_handler_t::replace);
}

PropertyBag PropertyBagFromJson(std::string_view text, const PictureResolver& resolver) {
  return PropertyBagFromJsonValue(ParseBagJson(text), resolver);
}

PropertyBag PropertyBagFromJsonValue(const nlohmann::ordered_json& json,
                                     const PictureResolver& resolver) {
  if (!json.is_object()) {
    throw PropertyBagError(
        "", std::string("the property bag's JSON is a ") + json.type_name() + ", not an object");
  }
  PropertyBag bag;
  for (auto it = json.begin(); it != json.end(); ++it) {
    const std::string& key_utf8 = it.key();
    const Json& value = it.value();
    std::string key;
    if (const auto problem = Utf8ToAnsi(key_utf8, key)) {
      throw PropertyBagError(key_utf8, "property \"" + key_utf8 + "\": the name: " + *problem);
    }
    if (const PropertyBag::Entry* earlier = bag.FindEntry(key)) {
      throw PropertyBagError(key_utf8, "property \"" + key_utf8 + "\" appears twice (also as \"" +
                                           AnsiToUtf8(earlier->key) +
                                           "\"); names differ only in case");
    }
    bag.Store(key, ValueFromJson(value, key_utf8, resolver));
  }
  return bag;
}

}  // namespace fw
