#include "platform/property_bag.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <variant>

#include "formats/text/ansi_text.h"
#include "formats/text/ascii_case.h"

namespace fw {
namespace {

std::string Quoted(std::string_view ansi_key) {
  return "property \"" + AnsiToUtf8(ansi_key) + "\"";
}

[[noreturn]] void Fail(std::string_view ansi_key, const std::string& message) {
  throw PropertyBagError(AnsiToUtf8(ansi_key), Quoted(ansi_key) + ": " + message);
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
      if (v.is_number()) return "the number " + v.text();
      return "a JSON " + std::string(v.type_name());
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
  if (const auto* json = std::get_if<OpaqueJson>(&value); json != nullptr && json->is_number()) {
    return Number(json->number());
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
  if (const auto* json = std::get_if<OpaqueJson>(&value); json != nullptr && json->is_number()) {
    return json->text();
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

}  // namespace

std::string_view OpaqueJson::type_name() const {
  // In the order of Type.
  constexpr std::array<std::string_view, 7> kNames{"null",   "boolean", "number", "number",
                                                   "string", "array",   "object"};
  return kNames[static_cast<std::size_t>(type_)];
}

bool operator==(const OpaqueJson& a, const OpaqueJson& b) {
  const bool both_whole =
      a.type_ == OpaqueJson::Type::kWholeNumber && b.type_ == OpaqueJson::Type::kWholeNumber;
  if (a.is_number() && b.is_number() && !both_whole) return a.number_ == b.number_;
  return a.type_ == b.type_ && a.text_ == b.text_;
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
  const auto found = index_.find(ToAsciiLower(key));
  return found == index_.end() ? nullptr : &found->second;
}

const std::size_t* PropertyBag::FindIndex(std::string_view key) const {
  const auto found = index_.find(ToAsciiLower(key));
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
  index_.emplace(ToAsciiLower(key), entries_.size() - 1);
}

bool PropertyBag::Remove(std::string_view key) {
  const auto found = index_.find(ToAsciiLower(key));
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
    if (EqualsIgnoringAsciiCase(word, "True")) return true;
    if (EqualsIgnoringAsciiCase(word, "False")) return false;
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
    if (json->type() == OpaqueJson::Type::kRealNumber) return RealText(json->number());
    if (json->is_number()) return json->text();
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

}  // namespace fw
