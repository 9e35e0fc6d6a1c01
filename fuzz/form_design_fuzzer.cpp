// The stored design of a window, read from any bytes: it reads, with every control named once,
// or the reader refuses with a FormDesignError naming what is wrong. Every control of a design
// that reads can be found by its name and placed in the window.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_check.h"
#include "platform/form/form_design.h"
#include "platform/resource_pictures.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const fw::FormDesign design =
        fw::ParseFormDesign(fw::fuzz::AsText(data, size), fw::LoadResourcePictureNamed);
    for (const auto& control : design.controls) {
      fw::fuzz::Check(design.Find(control.name) == &control, "each control is found by its name");
      static_cast<void>(design.ClientTwips(control));
    }
  } catch (const fw::FormDesignError& error) {
    fw::fuzz::CheckOneLine(error);
  }
  return 0;
}
