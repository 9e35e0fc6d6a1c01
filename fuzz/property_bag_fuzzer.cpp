// A control's saved property bag, read from any bytes: the bag reads or the reader refuses with
// a PropertyBagError. What it reads saves back as JSON that reads as the same bag. Resource
// pictures resolve against the program's own resources, as when the program loads its window.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "platform/property_bag.h"
#include "platform/resource_pictures.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fw::PictureResolver resolver = fw::LoadResourcePictureNamed;
  fw::PropertyBag bag;
  try {
    bag = fw::PropertyBag::FromJson(fw::fuzz::AsText(data, size), resolver);
  } catch (const fw::PropertyBagError& error) {
    fw::fuzz::CheckOneLine(error);
    return 0;
  }
  const std::string saved = bag.ToJsonText();
  const std::string resaved = fw::PropertyBag::FromJson(saved, resolver).ToJsonText();
  fw::fuzz::Check(resaved == saved, "a saved bag reads back as the same bag");
  return 0;
}
