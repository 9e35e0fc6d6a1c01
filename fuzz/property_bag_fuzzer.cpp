// A control's saved property bag, read from any bytes: the bag reads or the reader refuses with
// a PropertyBagError. What it reads saves back as JSON that reads as the same bag. Every value
// read as each of the types a control asks for converts or is refused with a PropertyBagError
// naming its key. Resource pictures resolve against the program's own resources, as when the
// program loads its window.
#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/json/property_bag_json.h"
#include "fuzz/fuzz_check.h"
#include "platform/resource_pictures.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fw::PictureResolver resolver = fw::LoadResourcePictureNamed;
  fw::PropertyBag bag;
  try {
    bag = fw::PropertyBagFromJson(fw::fuzz::AsText(data, size), resolver);
  } catch (const fw::PropertyBagError& error) {
    fw::fuzz::CheckOneLine(error);
    return 0;
  }
  for (const std::string& key : bag.Keys()) {
    const auto convert = [&](const auto& read) {
      try {
        read();
      } catch (const fw::PropertyBagError& error) {
        fw::fuzz::CheckOneLine(error);
        fw::fuzz::Check(key.empty() || !error.key().empty(), "a refused value names its key");
      }
    };
    convert([&] { return bag.ReadInt16(key, 0); });
    convert([&] { return bag.ReadInt32(key, 0); });
    convert([&] { return bag.ReadColor(key, 0); });
    convert([&] { return bag.ReadBool(key, false); });
    convert([&] { return bag.ReadText(key, ""); });
  }
  const std::string saved = fw::PropertyBagToJsonText(bag);
  const std::string resaved = fw::PropertyBagToJsonText(fw::PropertyBagFromJson(saved, resolver));
  fw::fuzz::Check(resaved == saved, "a saved bag reads back as the same bag");
  return 0;
}
