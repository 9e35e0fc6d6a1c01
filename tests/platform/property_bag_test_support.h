#pragma once
// What the property bag's tests and its JSON form's tests share: the error a call throws, and
// small pictures.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/picture.h"
#include "platform/property_bag.h"
#include "tests/formats/image/dib_test_files.h"

namespace fw::test {

// Runs `f` and returns the PropertyBagError it throws; fails the test if it throws none.
template <typename F>
PropertyBagError BagErrorOf(F f) {
  try {
    f();
  } catch (const PropertyBagError& e) {
    return e;
  }
  ADD_FAILURE() << "no PropertyBagError";
  return PropertyBagError("", "");
}

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

inline std::vector<std::uint8_t> SmallBmp() {
  return MakeBmp(MakePattern(3, 2, 0));
}

inline PicturePtr Share(Picture picture) {
  return std::make_shared<const Picture>(std::move(picture));
}

}  // namespace fw::test
