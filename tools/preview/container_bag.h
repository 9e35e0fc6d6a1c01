#pragma once
// The container's side of a control's saved design data, as the preview tool keeps it in a
// JSON file: the property bag the control writes, after the container's own extent keys
// "_ExtentX" and "_ExtentY" (the control's size in HIMETRIC, 2540 to the inch).
//
// The control never sees the extent keys: when loading, the container takes them off the bag
// and sizes the control's window from them before the control reads its properties.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/geometry.h"
#include "platform/property_bag.h"

namespace fw::preview {

inline constexpr std::string_view kExtentXKey = "_ExtentX";
inline constexpr std::string_view kExtentYKey = "_ExtentY";

struct SavedControl {
  PropertyBag bag;                   // without the extent keys
  std::optional<Size> extent_twips;  // the saved size, when the file has both extent keys
};

// Twips (1440 to the inch) and HIMETRIC, rounded to the nearest whole unit.
int TwipsToHimetric(int twips);
int HimetricToTwips(int himetric);

// A bag holding the extent of a control `twips` in size, to which the control then adds its own
// properties.
PropertyBag BagWithExtent(Size twips);

// Reads a saved control. Throws FileError naming the file: unreadable, malformed JSON, a property
// it cannot hold (among them a picture given as {"resource": NAME}: the tool has no resources)
// or an extent that is not a whole number from 1 to 1000000.
SavedControl ReadSavedControl(const std::filesystem::path& path);

// The text of a saved control's file: the bag's JSON and a newline.
std::string SavedControlText(const PropertyBag& bag);

}  // namespace fw::preview
