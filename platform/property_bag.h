#pragma once
// The container's property bag: the design-time settings of a control, by name, and their JSON
// form.
//
// Names are compared without regard to ASCII case ("BUTTONSHAPE" finds "ButtonShape"); a name
// keeps the spelling of its latest write and the position of its first, so the JSON lists the
// properties in the order they were first written. A value equal to the property's default is
// not stored at all, and reading a missing property gives the default back.
//
// Strings (text, font names, resource names and the names themselves) are held as the controls
// draw them, in Windows-1252; the JSON text is UTF-8 and the bag converts between the two.
//
// JSON form, one member per property:
//   integer         a number
//   Boolean         true / false
//   text            a string
//   font            {"name": "Tahoma", "size": 8.25, "bold": false, "italic": false,
//                    "underline": false}
//   picture         {"resource": NAME} or {"bmp" | "ico" | "cur": base64 of the file}
//   no picture      null
// A number read back has no width until a typed reader checks it against its property's type.
// A number with a fraction (or beyond 64 bits) is kept as its JSON; the typed readers convert it.
// Values of any other shape (properties of a newer version) are kept as they are and written
// back unchanged.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

#include "platform/base64.h"
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

// A value loaded from JSON that the bag does not interpret, kept to be written back. Held by
// pointer, so that code that only reads and writes bags needs no JSON library.
class OpaqueJson {
 public:
  OpaqueJson();  // JSON null
  explicit OpaqueJson(nlohmann::ordered_json json);
  const nlohmann::ordered_json& value() const;
  friend bool operator==(const OpaqueJson& a, const OpaqueJson& b);

 private:
  std::shared_ptr<const nlohmann::ordered_json> value_;  // null: JSON null
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

  // The JSON object, one member per stored property, in order.
  nlohmann::ordered_json ToJson() const;
  std::string ToJsonText(int indent = 2) const;

  // Reads a bag back. Malformed JSON is an error giving its byte offset, line and column; a
  // property that cannot be read (a font or picture object with wrong members, bad base64, a
  // file PictureError rejects, an unknown resource, two names differing only in case) is an
  // error naming it. Resource pictures go through `resolver`; without one they are an error.
  static PropertyBag FromJson(std::string_view text, const PictureResolver& resolver = {});
  // The same from JSON already parsed (a separate name: JSON converts from strings).
  static PropertyBag FromJsonValue(const nlohmann::ordered_json& json,
                                   const PictureResolver& resolver = {});

 private:
  struct Entry {
    std::string key;
    PropertyValue value;
  };
  std::size_t* FindIndex(std::string_view key);
  const std::size_t* FindIndex(std::string_view key) const;
  const Entry* FindEntry(std::string_view key) const;
  void Store(std::string_view key, PropertyValue value);
  std::int64_t ReadInteger(std::string_view key, std::int64_t low, std::int64_t high,
                           std::int64_t default_value, std::string_view type) const;

  std::vector<Entry> entries_;
  std::unordered_map<std::string, std::size_t> index_;  // ASCII-lowercased key -> entry
};

}  // namespace fw
