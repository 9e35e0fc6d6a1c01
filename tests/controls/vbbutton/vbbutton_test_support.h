#pragma once
// A headless host with vbButton controls in it, and helpers to read what the host recorded and
// what the controls drew.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/vbbutton/vbbutton.h"
#include "platform/headless/headless_host.h"
#include "tests/formats/image/dib_test_files.h"
#include "tests/platform/headless/recording_host.h"

namespace fw::test {

// Where the tests place their controls: 10, 20 pixels into the parent's client area.
inline constexpr int kVbLeft = 10;
inline constexpr int kVbTop = 20;

// System colours as the platform reports them now.
inline ColorRef SysFace() {
  return GetSysColor(15);
}
inline ColorRef SysText() {
  return GetSysColor(18);
}

class VbButtonTest : public ::testing::Test {
 protected:
  // A control placed fresh (InitProperties), `width` x `height` pixels.
  vbButton& Place(const std::string& name = "vb1", int width = 100, int height = 30,
                  int left = kVbLeft, int top = kVbTop) {
    return host_.Place<vbButton>(
        {name, {left * 15, top * 15, (left + width) * 15, (top + height) * 15}, nullptr});
  }
  // A control loaded from `bag`, 100 x 30 pixels.
  vbButton& PlaceLoaded(const PropertyBag& bag, const std::string& name = "vb1") {
    return host_.Place<vbButton>(
        {name, {kVbLeft * 15, kVbTop * 15, (kVbLeft + 100) * 15, (kVbTop + 30) * 15}, &bag});
  }
  UserControl& Window(const std::string& name = "vb1") { return host_.WindowOf(name); }

  // Moves the cursor to (x, y) in the client pixels of a control placed at the default spot.
  void MoveTo(int x, int y) { host_.MoveMouse(kVbLeft + x, kVbTop + y); }
  // Moves the cursor well away from every control.
  void MoveAway() { host_.MoveMouse(380, 215); }

  // The properties marked changed, in order.
  std::vector<std::string> Changed() const {
    std::vector<std::string> names;
    for (const auto& r : host_.RecordsOf(headless::Record::Kind::PropertyChanged)) {
      names.push_back(r.name);
    }
    return names;
  }
  // The events raised, as "Name(args)", in order.
  std::vector<std::string> Events() const {
    std::vector<std::string> events;
    for (const auto& r : host_.RecordsOf(headless::Record::Kind::Event)) {
      events.push_back(r.name + "(" + r.args + ")");
    }
    return events;
  }
  // The names of the events raised, in order, leaving out MouseMove.
  std::vector<std::string> EventNames() const {
    std::vector<std::string> events;
    for (const auto& r : host_.RecordsOf(headless::Record::Kind::Event)) {
      if (r.name != "MouseMove") events.push_back(r.name);
    }
    return events;
  }

  // A pixel of the control's surface.
  ColorRef Pixel(int x, int y, const std::string& name = "vb1") {
    return Window(name).hDC().GetPixel(x, y);
  }
  // The surface's pixels, 0x00BBGGRR, row by row.
  std::vector<ColorRef> Image(const std::string& name = "vb1") {
    Dc& dc = Window(name).hDC();
    std::vector<ColorRef> out;
    for (int y = 0; y < dc.Height(); ++y) {
      for (int x = 0; x < dc.Width(); ++x) out.push_back(dc.GetPixel(x, y));
    }
    return out;
  }

  std::unique_ptr<GdiDevice> device_ = CreatePlatformGdiDevice();
  RecordingHost host_{*device_};
};

// A bitmap picture of `width` x `height` pixels; `color_at(x, y)` gives each pixel as a
// COLORREF (0xBBGGRR).
template <class ColorAt>
PicturePtr VbPicture(int width, int height, ColorAt color_at) {
  TestPixels pixels{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const ColorRef c = color_at(x, y);
      pixels.color.push_back(static_cast<std::uint32_t>(GetRValue(c)) << 16 |
                             static_cast<std::uint32_t>(GetGValue(c)) << 8 | GetBValue(c));
    }
  }
  return std::make_shared<const Picture>(LoadPicture(MakeBmp(pixels), "bmp"));
}

}  // namespace fw::test
