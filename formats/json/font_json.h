#pragma once
// A font as the JSON forms hold it, in a saved property bag and in a window's stored design:
//   {"name": "Tahoma", "size": 8.25, "bold": false, "italic": false, "underline": false}
// The name and the size (points, above 0 and up to 2048) are required; the Booleans default to
// false. The name is UTF-8 in the JSON and Windows-1252 once read.
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "platform/gdi.h"

namespace fw {

inline constexpr double kMaxFontPoints = 2048.0;

// A font that cannot be read. The message names the member at fault ("\"size\" is ...", "has no
// \"name\"") and reads after the font's own name in the caller's error.
class FontJsonError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What else a font may hold besides the members above.
struct FontJsonRules {
  // "strikethrough", a Boolean (a property bag's fonts have none).
  bool strikethrough = false;
  // Members the layout does not name are passed over rather than refused.
  bool skip_unknown = false;
};

FontSpec ReadFontJson(const nlohmann::ordered_json& font, FontJsonRules rules);

}  // namespace fw
