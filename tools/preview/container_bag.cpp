#include "tools/preview/container_bag.h"

#include <string>

#include "formats/json/property_bag_json.h"
#include "platform/color.h"
#include "tools/preview/whole_file.h"

namespace fw::preview {
namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kHimetricPerInch = 2540.0;
constexpr std::int32_t kLargestExtent = 1000000;

// One extent key: absent, or a whole number in range.
std::optional<int> TakeExtent(PropertyBag& bag, std::string_view key, const std::string& file) {
  const PropertyValue* value = bag.Find(key);
  if (value == nullptr) return std::nullopt;
  std::int32_t himetric = 0;
  try {
    himetric = bag.ReadInt32(key, 0);
  } catch (const PropertyBagError& error) {
    throw FileError(file + ": " + error.what());
  }
  if (himetric < 1 || himetric > kLargestExtent) {
    throw FileError(file + ": property \"" + std::string(key) + "\": the extent " +
                    std::to_string(himetric) + " is not from 1 to " +
                    std::to_string(kLargestExtent) + " HIMETRIC");
  }
  bag.Remove(key);
  return himetric;
}

}  // namespace

int TwipsToHimetric(int twips) {
  return RoundHalfEven(twips * kHimetricPerInch / kTwipsPerInch);
}

int HimetricToTwips(int himetric) {
  return RoundHalfEven(himetric * kTwipsPerInch / kHimetricPerInch);
}

PropertyBag BagWithExtent(Size twips) {
  PropertyBag bag;
  // The container writes its extent whatever it is; a default of another type never matches.
  const PropertyValue no_default = std::string();
  bag.WriteProperty(kExtentXKey, std::int32_t{TwipsToHimetric(twips.cx)}, no_default);
  bag.WriteProperty(kExtentYKey, std::int32_t{TwipsToHimetric(twips.cy)}, no_default);
  return bag;
}

SavedControl ReadSavedControl(const std::filesystem::path& path) {
  const std::string file = path.string();
  const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  SavedControl saved;
  try {
    // No picture resolver: the tool has no resources, so a resource picture is an error
    // naming its key.
    saved.bag = PropertyBagFromJson(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  } catch (const PropertyBagError& error) {
    throw FileError(file + ": " + error.what());
  }
  const auto x = TakeExtent(saved.bag, kExtentXKey, file);
  const auto y = TakeExtent(saved.bag, kExtentYKey, file);
  if (x && y) saved.extent_twips = Size{HimetricToTwips(*x), HimetricToTwips(*y)};
  return saved;
}

std::string SavedControlText(const PropertyBag& bag) {
  return PropertyBagToJsonText(bag, 2) + '\n';
}

}  // namespace fw::preview
