#pragma once
// The property bag's JSON form, as a container saves a control's bag: one member per stored
// property, in the bag's order. The JSON text is UTF-8; the bag holds Windows-1252.
//
//   integer         a number
//   Boolean         true / false
//   text            a string
//   font            {"name": "Tahoma", "size": 8.25, "bold": false, "italic": false,
//                    "underline": false}  (formats/json/font_json.h)
//   picture         {"resource": NAME} or {"bmp" | "ico" | "cur": base64 of the file}
//   no picture      null
// Any other value is kept as an OpaqueJson and written back as it was read.
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "platform/property_bag.h"

namespace fw {

// The JSON object, one member per stored property, in order.
nlohmann::ordered_json PropertyBagToJson(const PropertyBag& bag);
std::string PropertyBagToJsonText(const PropertyBag& bag, int indent = 2);

// Reads a bag back. Malformed JSON is an error giving its byte offset, line and column; a
// property that cannot be read (a font or picture object with wrong members, bad base64, a
// file PictureError rejects, an unknown resource, two names differing only in case) is an
// error naming it. Resource pictures go through `resolver`; without one they are an error.
PropertyBag PropertyBagFromJson(std::string_view text, const PictureResolver& resolver = {});
// The same from JSON already parsed.
PropertyBag PropertyBagFromJsonValue(const nlohmann::ordered_json& json,
                                     const PictureResolver& resolver = {});

}  // namespace fw
