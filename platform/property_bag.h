#pragma once
// The container's property bag: the design-time settings of a control, by name. Its JSON form
// (what a saved bag looks like) is formats/json/property_bag_json.h, kept apart so that a control
// compiles without a JSON library.
//
// Names are compared without regard to ASCII case ("BUTTONSHAPE" finds "ButtonShape"); a name
// keeps the spelling of its latest write and the position of its first, so a saved bag lists
// the properties in the order they were first written. A value equal to the property's default
// is not stored at all, and reading a missing property gives the default back.
//
// Strings (text, font names, resource names and the names themselves) are held as the controls
// draw them, in Windows-1252.
//
// A number loaded from JSON has no width until a typed reader checks it against its property's
// type. A number with a fraction (or beyond 64 bits) is kept as its JSON; the typed readers
// convert it. Values of any other shape (properties of a newer version) are kept as they are and
// written back unchanged.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

#include "platform/color.h"
#include "platform/gdi.h"
#include "platform/picture.h"
#include "platform/printable_text.h"

namespace fw {

// A property that cannot be read or stored as asked. key() is the property's name as the JSON
// spells it (UTF-8), empty for errors of the JSON text as a whole; the message names it too.
class PropertyBagError : public std::runtime_error {
 public:
  PropertyBagError(std::string key, const std::string& message)
      : std::runtime_error(PrintableText(message)), key_(std::move(key)) {}
  const std::string& key() const { return key_; }

 private:
  std::string key_;
};

// A 16-bit Boolean: True is -1 (all bits set), False is 0.
class Bool16 {
 public:
  constexpr Bool16() = default;
  constexpr explicit Bool16(bool value) : raw_(value ? std::int16_t{-1} : std::int16_t{0}) {}
  constexpr std::int16_t raw() const { return raw_; }
  constexpr explicit operator bool() const { return raw_ != 0; }
  friend constexpr bool operator==(Bool16, Bool16) = default;

 private:
  std::int16_t raw_ = 0;
};

// A font property. FontSpec is what a Dc selects; a font property has no strike-out.
struct PropertyFont {
  std::string name = "MS Sans Serif";
  double size = 8.25;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;

  FontSpec ToFontSpec() const;
  static PropertyFont FromFontSpec(const FontSpec& spec);
  friend bool operator==(const PropertyFont&, const PropertyFont&) = default;
};

// A value loaded from JSON that the bag does not interpret, kept to be written back as it was
// read. The bag holds it as compact JSON text; the JSON form makes it.
class OpaqueJson {
 public:
  enum class Type : std::uint8_t {
    kNull,
    kBoolean,
    kWholeNumber,
    kRealNumber,
    kString,
    kArray,
    kObject
  };

  OpaqueJson() = default;  // null
  // `text` is the value's compact JSON; `number` its value when it is a number.
  OpaqueJson(Type type, std::string text, double number = 0.0)
      : type_(type), text_(std::move(text)), number_(number) {}

  Type type() const { return type_; }
  const std::string& text() const { return text_; }
  bool is_number() const { return type_ == Type::kWholeNumber || type_ == Type::kRealNumber; }
  double number() const { return number_; }
  // The type as a JSON error names it: "null", "boolean", "number", "string", "array", "object".
  std::string_view type_name() const;

  // As JSON values compare: a whole number and a real by value (1 equals 1.0, -0.0 equals 0.0),
  // anything else by its text.
  friend bool operator==(const OpaqueJson& a, const OpaqueJson& b);

 private:
  Type type_ = Type::kNull;
  std::string text_ = "null";
  double number_ = 0.0;
};

// int64 is an integer read from JSON, whose width only its reader knows.
using PropertyValue = std::variant<std::int16_t, std::int32_t, std::int64_t, Bool16, std::string,
                                   PropertyFont, PicturePtr, OpaqueJson>;

// Equality as WriteProperty compares with the default: integers by value whatever their
// width, pictures by where they come from (Picture::SameSourceAs).
bool PropertyValuesEqual(const PropertyValue& a, const PropertyValue& b);

// Finds a program resource's picture by name; returns null for an unknown name. The picture is
// stored as returned, so one made with LoadResourcePicture is saved back as {"resource": NAME}.
using PictureResolver = std::function<PicturePtr(std::string_view name)>;

class PropertyBag {
 public:
  // Stores `value` under `key`, or removes the key when `value` equals `default_value`.
  void WriteProperty(std::string_view key, PropertyValue value, const PropertyValue& default_value);
  // The stored value, whatever its type, or `default_value` when the key is missing.
  PropertyValue ReadProperty(std::string_view key, const PropertyValue& default_value) const;

  // Typed access for the controls. A reader converts a value of another type as a variant
  // does: a number or numeric text to a Boolean (0 is False, any other number True), "True" or
  // "False" in any case to a Boolean, a Boolean to an integer (True is -1), a number with a
  // fraction or numeric text to the nearest integer (halves to the even one), a number or a
  // Boolean to text ("True", "False"). It throws PropertyBagError naming the key for a value
  // that cannot convert: text that is not a number, a number out of the requested range, a
  // font, picture or other JSON where something else is asked for (and anything but a font or
  // a picture where one is).
  void WriteInt16(std::string_view key, std::int16_t value, std::int16_t default_value);
  void WriteInt32(std::string_view key, std::int32_t value, std::int32_t default_value);
  void WriteBool(std::string_view key, bool value, bool default_value);
  void WriteText(std::string_view key, std::string_view value, std::string_view default_value);
  void WriteFont(std::string_view key, const PropertyFont& value,
                 const PropertyFont& default_value);
  void WritePicture(std::string_view key, PicturePtr value, const PicturePtr& default_value);
  // An OLE_COLOR, stored as a 32-bit integer of the same bits (system colours are negative).
  void WriteColor(std::string_view key, ColorValue value, ColorValue default_value);

  std::int16_t ReadInt16(std::string_view key, std::int16_t default_value) const;
  std::int32_t ReadInt32(std::string_view key, std::int32_t default_value) const;
  bool ReadBool(std::string_view key, bool default_value) const;
  std::string ReadText(std::string_view key, std::string_view default_value) const;
  PropertyFont ReadFont(std::string_view key, const PropertyFont& default_value) const;
  PicturePtr ReadPicture(std::string_view key, const PicturePtr& default_value) const;
  // Accepts any integer from -2^31 to 2^32 - 1 and gives its low 32 bits.
  ColorValue ReadColor(std::string_view key, ColorValue default_value) const;

  bool Contains(std::string_view key) const { return Find(key) != nullptr; }
  // The stored value, or null.
  const PropertyValue* Find(std::string_view key) const;
  // Removes the key; returns whether it was there.
  bool Remove(std::string_view key);
  // The stored names, with their spelling, in order.
  std::vector<std::string> Keys() const;
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }

  // A stored property: its name as last written and its value.
  struct Entry {
    std::string key;
    PropertyValue value;
  };
  // The stored properties, in order.
  const std::vector<Entry>& entries() const { return entries_; }
  // The stored property, or null.
  const Entry* FindEntry(std::string_view key) const;
  // Stores `value` under `key` even when it equals a default: a loaded bag keeps what it read.
  void Store(std::string_view key, PropertyValue value);

 private:
  std::size_t* FindIndex(std::string_view key);
  const std::size_t* FindIndex(std::string_view key) const;
  std::int64_t ReadInteger(std::string_view key, std::int64_t low, std::int64_t high,
                           std::int64_t default_value, std::string_view type) const;

  std::vector<Entry> entries_;
  std::unordered_map<std::string, std::size_t> index_;  // ASCII-lowercased key -> entry
};

}  // namespace fw
