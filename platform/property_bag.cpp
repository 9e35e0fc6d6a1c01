#include "platform/property_bag.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <variant>

#include "platform/ansi_text.h"
#include "platform/base64.h"
#include "platform/picture_encode.h"
#include "platform/untrusted_json.h"

namespace fw {
namespace {

using Json = nlohmann::ordered_json;

// The largest font size a saved bag may hold, in points.
constexpr double kMaxFontSize = 2048.0;

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerKey(std::string_view key) {
  std::string lower(key);
  std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
  return lower;
}

std::string Quoted(std::string_view ansi_key) {
  return "property \"" + AnsiToUtf8(ansi_key) + "\"";
}

[[noreturn]] void Fail(std::string_view ansi_key, const std::string& message) {
  throw PropertyBagError(AnsiToUtf8(ansi_key), Quoted(ansi_key) + ": " + message);
}

// A string of the JSON form (UTF-8) as the bag holds it; `key_utf8` names the property.
std::string FromJsonString(const Json& value, const std::string& key_utf8, std::string_view what) {
  std::string out;
  if (const auto problem = Utf8ToAnsi(value.get_ref<const std::string&>(), out)) {
    throw PropertyBagError(key_utf8,
                           "property \"" + key_utf8 + "\": " + std::string(what) + ": " + *problem);
  }
  return out;
}

std::optional<std::int64_t> AsInteger(const PropertyValue& value) {
  if (const auto* v = std::get_if<std::int16_t>(&value)) return *v;
  if (const auto* v = std::get_if<std::int32_t>(&value)) return *v;
  if (const auto* v = std::get_if<std::int64_t>(&value)) return *v;
  return std::nullopt;
}

std::string Describe(const PropertyValue& value) {
  struct Visitor {
    std::string operator()(std::int16_t v) const { return "the integer " + std::to_string(v); }
    std::string operator()(std::int32_t v) const { return "the integer " + std::to_string(v); }
    std::string operator()(std::int64_t v) const { return "the integer " + std::to_string(v); }
    std::string operator()(Bool16 v) const {
      return std::string("the Boolean ") + (v ? "True" : "False");
    }
    std::string operator()(const std::string&) const { return "text"; }
    std::string operator()(const PropertyFont&) const { return "a font"; }
    std::string operator()(const PicturePtr& p) const { return p ? "a picture" : "no picture"; }
    std::string operator()(const OpaqueJson& v) const {
      if (v.value().is_number()) return "the number " + v.value().dump();
      return std::string("a JSON ") + v.value().type_name();
    }
  };
  return std::visit(Visitor{}, value);
}

[[noreturn]] void WrongType(std::string_view ansi_key, const PropertyValue& stored,
                            std::string_view wanted) {
  Fail(ansi_key, "holds " + Describe(stored) + ", not " + std::string(wanted));
}

// A number as a variant holds one: whole, or real.
using Number = std::variant<std::int64_t, double>;

// r(x) without a range: the nearest whole number, exact halves to the even neighbour.
double NearestHalfEven(double x) {
  const double floor_value = std::floor(x);
  const double fraction = x - floor_value;
  if (fraction > 0.5) return floor_value + 1.0;
  if (fraction < 0.5) return floor_value;
  return std::fmod(floor_value, 2.0) == 0.0 ? floor_value : floor_value + 1.0;
}

// Spaces and tabs at either end do not count.
std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// Text that reads as a decimal number: an optional sign, digits with an optional fraction and
// exponent, spaces around. Nothing for any other text, or for a number beyond a double's range.
std::optional<double> NumberFromText(std::string_view text) {
  text = Trimmed(text);
  if (text.starts_with('+')) {
    text.remove_prefix(1);
    if (text.starts_with('-')) return std::nullopt;
  }
  if (text.empty()) return std::nullopt;
  double value = 0.0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

// What a stored value gives as a number: integers as they are, True as -1 and False as 0, a
// JSON number with a fraction or beyond 64 bits as a real, text that reads as a number. Nothing
// for anything else.
std::optional<Number> NumberOf(const PropertyValue& value) {
  if (const auto whole = AsInteger(value)) return Number(*whole);
  if (const auto* flag = std::get_if<Bool16>(&value)) return Number(std::int64_t{flag->raw()});
  if (const auto* text = std::get_if<std::string>(&value)) {
    if (const auto real = NumberFromText(*text)) return Number(*real);
    return std::nullopt;
  }
  if (const auto* json = std::get_if<OpaqueJson>(&value);
      json != nullptr && json->value().is_number()) {
    return Number(json->value().get<double>());
  }
  return std::nullopt;
}

// "the text "..."", cut short after a few dozen characters.
std::string QuotedText(std::string_view ansi_text) {
  constexpr std::size_t kShown = 40;
  if (ansi_text.size() <= kShown) return "the text \"" + AnsiToUtf8(ansi_text) + "\"";
  return "the text \"" + AnsiToUtf8(ansi_text.substr(0, kShown)) + "...\"";
}

// The stored value as an error quotes it: text and numbers as they are, others described.
std::string Held(const PropertyValue& value) {
  if (const auto whole = AsInteger(value)) return std::to_string(*whole);
  if (const auto* text = std::get_if<std::string>(&value)) return QuotedText(*text);
  if (const auto* json = std::get_if<OpaqueJson>(&value);
      json != nullptr && json->value().is_number()) {
    return json->value().dump();
  }
  return Describe(value);
}

// A real number as text: up to fifteen significant digits, whole numbers without a point.
std::string RealText(double value) {
  if (value == 0.0) return "0";
  std::array<char, 32> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%.15G", value);
  return buffer.data();
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
        picture["bmp"] = EncodeBase64(EncodeBmp24(v->image()));
      } else {
        picture[v->file_type()] = EncodeBase64(v->file_bytes());
      }
      return picture;
    }
    Json operator()(const OpaqueJson& v) const { return v.value(); }
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
  const std::string where = "property \"" + key + "\": ";
  PropertyFont font;
  bool has_name = false;
  bool has_size = false;
  for (auto it = object.begin(); it != object.end(); ++it) {
    const std::string& member = it.key();
    const Json& value = it.value();
    const auto wrong = [&](std::string_view wanted) {
      return PropertyBagError(key, where + "the font's \"" + member + "\" is a JSON " +
                                       value.type_name() + ", not " + std::string(wanted));
    };
    if (member == "name") {
      if (!value.is_string()) throw wrong("a string");
      font.name = FromJsonString(value, key, "the font name");
      has_name = true;
    } else if (member == "size") {
      if (!value.is_number()) throw wrong("a number");
      font.size = value.get<double>();
      if (!std::isfinite(font.size) || font.size <= 0.0 || font.size > kMaxFontSize) {
        throw PropertyBagError(
            key, where + "the font's size " + value.dump() + " is not between 0 and 2048 points");
      }
      has_size = true;
    } else if (member == "bold" || member == "italic" || member == "underline") {
      if (!value.is_boolean()) throw wrong("true or false");
      const bool on = value.get<bool>();
      (member == "bold" ? font.bold : member == "italic" ? font.italic : font.underline) = on;
    } else {
      throw PropertyBagError(key, where + "unknown member \"" + member +
                                      "\" in a font (expected name, size, bold, italic, "
                                      "underline)");
    }
  }
  if (!has_name || !has_size) {
    throw PropertyBagError(key, where + "a font needs both \"name\" and \"size\"");
  }
  return font;
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
      return OpaqueJson(value);
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
      return OpaqueJson(value);
    }
    default:
      return OpaqueJson(value);
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

OpaqueJson::OpaqueJson() = default;
OpaqueJson::OpaqueJson(nlohmann::ordered_json json)
    : value_(json.is_null() ? nullptr
                            : std::make_shared<const nlohmann::ordered_json>(std::move(json))) {}

const nlohmann::ordered_json& OpaqueJson::value() const {
  static const nlohmann::ordered_json kNull;
  return value_ != nullptr ? *value_ : kNull;
}

bool operator==(const OpaqueJson& a, const OpaqueJson& b) {
  return a.value() == b.value();
}

FontSpec PropertyFont::ToFontSpec() const {
  FontSpec spec;
  spec.face = name;
  spec.points = size;
  spec.bold = bold;
  spec.italic = italic;
  spec.underline = underline;
  return spec;
}

PropertyFont PropertyFont::FromFontSpec(const FontSpec& spec) {
  return PropertyFont{spec.face, spec.points, spec.bold, spec.italic, spec.underline};
}

bool PropertyValuesEqual(const PropertyValue& a, const PropertyValue& b) {
  const auto x = AsInteger(a);
  const auto y = AsInteger(b);
  if (x || y) return x && y && *x == *y;
  if (a.index() != b.index()) return false;
  if (const auto* p = std::get_if<PicturePtr>(&a)) {
    const PicturePtr& q = std::get<PicturePtr>(b);
    if (!*p || !q) return *p == q;
    return *p == q || (*p)->SameSourceAs(*q);
  }
  return a == b;
}

// ---- The bag ----

std::size_t* PropertyBag::FindIndex(std::string_view key) {
  const auto found = index_.find(LowerKey(key));
  return found == index_.end() ? nullptr : &found->second;
}

const std::size_t* PropertyBag::FindIndex(std::string_view key) const {
  const auto found = index_.find(LowerKey(key));
  return found == index_.end() ? nullptr : &found->second;
}

const PropertyBag::Entry* PropertyBag::FindEntry(std::string_view key) const {
  const std::size_t* at = FindIndex(key);
  return at == nullptr ? nullptr : &entries_[*at];
}

const PropertyValue* PropertyBag::Find(std::string_view key) const {
  const Entry* entry = FindEntry(key);
  return entry == nullptr ? nullptr : &entry->value;
}

void PropertyBag::Store(std::string_view key, PropertyValue value) {
  if (const std::size_t* at = FindIndex(key)) {
    entries_[*at].key = std::string(key);
    entries_[*at].value = std::move(value);
    return;
  }
  entries_.push_back(Entry{std::string(key), std::move(value)});
  index_.emplace(LowerKey(key), entries_.size() - 1);
}

bool PropertyBag::Remove(std::string_view key) {
  const auto found = index_.find(LowerKey(key));
  if (found == index_.end()) return false;
  const std::size_t at = found->second;
  index_.erase(found);
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
  for (auto& [name, position] : index_) {
    if (position > at) --position;
  }
  return true;
}

std::vector<std::string> PropertyBag::Keys() const {
  std::vector<std::string> keys;
  keys.reserve(entries_.size());
  for (const Entry& entry : entries_) keys.push_back(entry.key);
  return keys;
}

void PropertyBag::WriteProperty(std::string_view key, PropertyValue value,
                                const PropertyValue& default_value) {
  if (PropertyValuesEqual(value, default_value)) {
    Remove(key);
  } else {
    Store(key, std::move(value));
  }
}

PropertyValue PropertyBag::ReadProperty(std::string_view key,
                                        const PropertyValue& default_value) const {
  const PropertyValue* value = Find(key);
  return value == nullptr ? default_value : *value;
}

void PropertyBag::WriteInt16(std::string_view key, std::int16_t value, std::int16_t default_value) {
  WriteProperty(key, PropertyValue(std::in_place_type<std::int16_t>, value),
                PropertyValue(std::in_place_type<std::int16_t>, default_value));
}

void PropertyBag::WriteInt32(std::string_view key, std::int32_t value, std::int32_t default_value) {
  WriteProperty(key, PropertyValue(std::in_place_type<std::int32_t>, value),
                PropertyValue(std::in_place_type<std::int32_t>, default_value));
}

void PropertyBag::WriteBool(std::string_view key, bool value, bool default_value) {
  WriteProperty(key, Bool16(value), Bool16(default_value));
}

void PropertyBag::WriteText(std::string_view key, std::string_view value,
                            std::string_view default_value) {
  WriteProperty(key, PropertyValue(std::in_place_type<std::string>, value),
                PropertyValue(std::in_place_type<std::string>, default_value));
}

void PropertyBag::WriteFont(std::string_view key, const PropertyFont& value,
                            const PropertyFont& default_value) {
  WriteProperty(key, value, default_value);
}

void PropertyBag::WritePicture(std::string_view key, PicturePtr value,
                               const PicturePtr& default_value) {
  WriteProperty(key, std::move(value), default_value);
}

void PropertyBag::WriteColor(std::string_view key, ColorValue value, ColorValue default_value) {
  WriteInt32(key, static_cast<std::int32_t>(value), static_cast<std::int32_t>(default_value));
}

std::int64_t PropertyBag::ReadInteger(std::string_view key, std::int64_t low, std::int64_t high,
                                      std::int64_t default_value, std::string_view type) const {
  const Entry* entry = FindEntry(key);
  if (entry == nullptr) return default_value;
  const std::optional<Number> number = NumberOf(entry->value);
  if (!number) {
    if (std::holds_alternative<std::string>(entry->value)) {
      Fail(entry->key, "holds " + Held(entry->value) + ", which is not a number");
    }
    WrongType(entry->key, entry->value, type);
  }
  const auto fits = [&](auto value) {
    return value >= static_cast<decltype(value)>(low) &&
           value <= static_cast<decltype(value)>(high);
  };
  if (const auto* whole = std::get_if<std::int64_t>(&*number); whole != nullptr && fits(*whole)) {
    return *whole;
  }
  if (const auto* real = std::get_if<double>(&*number); real != nullptr) {
    const double rounded = NearestHalfEven(*real);
    if (fits(rounded)) return static_cast<std::int64_t>(rounded);
  }
  Fail(entry->key, "holds " + Held(entry->value) + ", which does not fit " + std::string(type));
}

std::int16_t PropertyBag::ReadInt16(std::string_view key, std::int16_t default_value) const {
  return static_cast<std::int16_t>(ReadInteger(key, std::numeric_limits<std::int16_t>::min(),
                                               std::numeric_limits<std::int16_t>::max(),
                                               default_value, "a 16-bit integer"));
}

std::int32_t PropertyBag::ReadInt32(std::string_view key, std::int32_t default_value) const {
  return static_cast<std::int32_t>(ReadInteger(key, std::numeric_limits<std::int32_t>::min(),
                                               std::numeric_limits<std::int32_t>::max(),
                                               default_value, "a 32-bit integer"));
}

ColorValue PropertyBag::ReadColor(std::string_view key, ColorValue default_value) const {
  const std::int64_t value =
      ReadInteger(key, std::numeric_limits<std::int32_t>::min(),
                  std::numeric_limits<std::uint32_t>::max(), default_value, "a colour");
  return static_cast<ColorValue>(value);
}

bool PropertyBag::ReadBool(std::string_view key, bool default_value) const {
  const Entry* entry = FindEntry(key);
  if (entry == nullptr) return default_value;
  if (const auto* flag = std::get_if<Bool16>(&entry->value)) return static_cast<bool>(*flag);
  if (const auto* text = std::get_if<std::string>(&entry->value)) {
    const std::string_view word = Trimmed(*text);
    if (EqualsIgnoringCase(word, "True")) return true;
    if (EqualsIgnoringCase(word, "False")) return false;
  }
  const std::optional<Number> number = NumberOf(entry->value);
  if (!number) {
    if (std::holds_alternative<std::string>(entry->value)) {
      Fail(entry->key,
           "holds " + Held(entry->value) + ", which is neither True, False nor a number");
    }
    WrongType(entry->key, entry->value, "a Boolean");
  }
  return std::visit([](auto value) { return value != 0; }, *number);
}

std::string PropertyBag::ReadText(std::string_view key, std::string_view default_value) const {
  const Entry* entry = FindEntry(key);
  if (entry == nullptr) return std::string(default_value);
  const PropertyValue& value = entry->value;
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto whole = AsInteger(value)) return std::to_string(*whole);
  if (const auto* flag = std::get_if<Bool16>(&value)) return *flag ? "True" : "False";
  if (const auto* json = std::get_if<OpaqueJson>(&value)) {
    if (json->value().is_number_float()) return RealText(json->value().get<double>());
    if (json->value().is_number()) return json->value().dump();
  }
  WrongType(entry->key, value, "text");
}

PropertyFont PropertyBag::ReadFont(std::string_view key, const PropertyFont& default_value) const {
  const Entry* entry = FindEntry(key);
  if (entry == nullptr) return default_value;
  const auto* value = std::get_if<PropertyFont>(&entry->value);
  if (value == nullptr) WrongType(entry->key, entry->value, "a font");
  return *value;
}

PicturePtr PropertyBag::ReadPicture(std::string_view key, const PicturePtr& default_value) const {
  const Entry* entry = FindEntry(key);
  if (entry == nullptr) return default_value;
  const auto* value = std::get_if<PicturePtr>(&entry->value);
  if (value == nullptr) WrongType(entry->key, entry->value, "a picture");
  return *value;
}

// ---- JSON ----

nlohmann::ordered_json PropertyBag::ToJson() const {
  Json json = Json::object();
  for (const Entry& entry : entries_) json[AnsiToUtf8(entry.key)] = ToJsonValue(entry.value);
  return json;
}

std::string PropertyBag::ToJsonText(int indent) const {
  // Everything the bag makes is UTF-8 already; only a value kept from a caller's JSON could be
  // otherwise, and it is written with U+FFFD rather than not at all.
  return ToJson().dump(indent, ' ', false, Json::error_handler_t::replace);
}

PropertyBag PropertyBag::FromJson(std::string_view text, const PictureResolver& resolver) {
  return FromJsonValue(ParseBagJson(text), resolver);
}

PropertyBag PropertyBag::FromJsonValue(const nlohmann::ordered_json& json,
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
